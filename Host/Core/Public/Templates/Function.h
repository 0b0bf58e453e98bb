// TFunction: the engine's type-erased callable, here on top of std::function.
#pragma once

#include "CoreTypes.h"
#include "Templates/UnrealTemplate.h"

#include <cstddef>
#include <functional>
#include <memory>
#include <type_traits>

template <typename FuncType>
class TFunction;

template <typename Ret, typename... ParamTypes>
class TFunction<Ret(ParamTypes...)>
{
public:
	TFunction() = default;
	TFunction(std::nullptr_t)
	{
	}

	template <typename FunctorType, typename = std::enable_if_t<!std::is_same_v<std::decay_t<FunctorType>, TFunction> && std::is_invocable_r_v<Ret, std::decay_t<FunctorType>&, ParamTypes...>>>
	TFunction(FunctorType&& InFunc) : Callable(Forward<FunctorType>(InFunc))
	{
	}

	/** Calls the bound callable; calling an unset function is a programming error and stops. */
	Ret operator()(ParamTypes... Params) const { return Callable(Forward<ParamTypes>(Params)...); }

	explicit operator bool() const { return static_cast<bool>(Callable); }
	bool IsSet() const { return static_cast<bool>(Callable); }
	void Reset() { Callable = nullptr; }

private:
	std::function<Ret(ParamTypes...)> Callable;
};

template <typename FuncType>
class TFunctionRef;

/**
 * TFunctionRef: a reference to a callable that does not own it. Cheap to pass; the callable must outlive
 * every call through the reference.
 */
template <typename Ret, typename... ParamTypes>
class TFunctionRef<Ret(ParamTypes...)>
{
public:
	template <typename FunctorType, typename = std::enable_if_t<!std::is_same_v<std::decay_t<FunctorType>, TFunctionRef> && std::is_invocable_r_v<Ret, std::remove_reference_t<FunctorType>&, ParamTypes...>>>
	TFunctionRef(FunctorType&& InFunc)
		: Callable(const_cast<void*>(static_cast<const void*>(std::addressof(InFunc))))
		, Invoker([](void* Object, ParamTypes... Params) -> Ret { return (*static_cast<std::remove_reference_t<FunctorType>*>(Object))(Forward<ParamTypes>(Params)...); })
	{
	}

	TFunctionRef(const TFunctionRef&) = default;
	TFunctionRef& operator=(const TFunctionRef&) = delete;

	Ret operator()(ParamTypes... Params) const { return Invoker(Callable, Forward<ParamTypes>(Params)...); }

private:
	void* Callable;
	Ret (*Invoker)(void*, ParamTypes...);
};
