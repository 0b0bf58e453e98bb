// MoveTemp, Forward and Swap with the engine's names.
#pragma once

#include <type_traits>
#include <utility>

template <typename T>
constexpr std::remove_reference_t<T>&& MoveTemp(T&& Object) noexcept
{
	static_assert(!std::is_const_v<std::remove_reference_t<T>>, "MoveTemp called on a const object");
	return static_cast<std::remove_reference_t<T>&&>(Object);
}

template <typename T>
constexpr T&& Forward(std::remove_reference_t<T>& Object) noexcept
{
	return static_cast<T&&>(Object);
}

template <typename T>
void Swap(T& A, T& B)
{
	T Temporary = MoveTemp(A);
	A = MoveTemp(B);
	B = MoveTemp(Temporary);
}
