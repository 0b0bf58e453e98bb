// UE::Math::TVector2: a two-component vector.
#pragma once

#include "CoreTypes.h"
#include "Math/MathFwd.h"
#include "Math/UnrealMathUtility.h"

#include <limits>
#include <type_traits>

namespace UE::Math
{
	template <typename T>
	struct TVector2
	{
		T X;
		T Y;

		static const TVector2 ZeroVector;

		/** Not initialised in the engine; NaN here, as for the three-component vector. */
		constexpr TVector2() : X(std::numeric_limits<T>::quiet_NaN()), Y(std::numeric_limits<T>::quiet_NaN()) {}
		explicit constexpr TVector2(T InF) : X(InF), Y(InF) {}
		constexpr TVector2(T InX, T InY) : X(InX), Y(InY) {}

		constexpr TVector2 operator+(const TVector2& V) const { return TVector2(X + V.X, Y + V.Y); }
		constexpr TVector2 operator-(const TVector2& V) const { return TVector2(X - V.X, Y - V.Y); }
		constexpr TVector2 operator-() const { return TVector2(-X, -Y); }
		constexpr TVector2 operator*(T Scale) const { return TVector2(X * Scale, Y * Scale); }
		constexpr TVector2 operator/(T Scale) const { return TVector2(X / Scale, Y / Scale); }
		constexpr bool operator==(const TVector2& V) const { return X == V.X && Y == V.Y; }
		constexpr bool operator!=(const TVector2& V) const { return !(*this == V); }

		T Size() const { return FMath::Sqrt(X * X + Y * Y); }
		constexpr T SizeSquared() const { return X * X + Y * Y; }
		constexpr bool IsZero() const { return X == T(0) && Y == T(0); }
		bool Equals(const TVector2& V, T Tolerance = UE_KINDA_SMALL_NUMBER) const { return FMath::Abs(X - V.X) <= Tolerance && FMath::Abs(Y - V.Y) <= Tolerance; }
		bool IsNearlyZero(T Tolerance = UE_KINDA_SMALL_NUMBER) const { return FMath::Abs(X) <= Tolerance && FMath::Abs(Y) <= Tolerance; }
		bool ContainsNaN() const { return !FMath::IsFinite(X) || !FMath::IsFinite(Y); }
	};

	template <typename T>
	inline const TVector2<T> TVector2<T>::ZeroVector(0, 0);

	template <typename T, typename T2, typename = std::enable_if_t<std::is_arithmetic_v<T2>>>
	constexpr TVector2<T> operator*(T2 Scale, const TVector2<T>& V)
	{
		return V * T(Scale);
	}
}
