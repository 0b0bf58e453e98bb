// TOptional: a value that may be unset.
#pragma once

#include "CoreTypes.h"
#include "Misc/AssertionMacros.h"

#include <optional>
#include <utility>

struct FNullOpt
{
	explicit constexpr FNullOpt(int) {}
};
inline constexpr FNullOpt NullOpt{0};

template <typename OptionalType>
class TOptional
{
public:
	TOptional() = default;
	TOptional(FNullOpt) {}
	TOptional(const OptionalType& InValue) : Value(InValue) {}
	TOptional(OptionalType&& InValue) : Value(std::move(InValue)) {}

	bool IsSet() const { return Value.has_value(); }
	explicit operator bool() const { return Value.has_value(); }

	const OptionalType& GetValue() const
	{
		check(IsSet());
		return *Value;
	}
	OptionalType& GetValue()
	{
		check(IsSet());
		return *Value;
	}
	const OptionalType& Get(const OptionalType& DefaultValue) const { return IsSet() ? *Value : DefaultValue; }

	const OptionalType* operator->() const { return &GetValue(); }
	OptionalType* operator->() { return &GetValue(); }
	const OptionalType& operator*() const { return GetValue(); }
	OptionalType& operator*() { return GetValue(); }

	template <typename... ArgTypes>
	OptionalType& Emplace(ArgTypes&&... Args)
	{
		return Value.emplace(std::forward<ArgTypes>(Args)...);
	}
	void Reset() { Value.reset(); }

	bool operator==(const TOptional& Other) const { return Value == Other.Value; }
	bool operator!=(const TOptional& Other) const { return Value != Other.Value; }

private:
	std::optional<OptionalType> Value;
};
