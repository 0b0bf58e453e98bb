// Cast: an object as a derived class, or null if it is not one.
#pragma once

#include "UObject/Class.h"
#include "UObject/Object.h"

#include <type_traits>

template <class To, class From>
To* Cast(From* Src)
{
	static_assert(std::is_base_of_v<UObject, std::remove_const_t<From>>, "Cast works on objects only");
	return Src != nullptr && Src->IsA(To::StaticClass()) ? static_cast<To*>(Src) : nullptr;
}

template <class To, class From>
const To* Cast(const From* Src)
{
	static_assert(std::is_base_of_v<UObject, std::remove_const_t<From>>, "Cast works on objects only");
	return Src != nullptr && Src->IsA(To::StaticClass()) ? static_cast<const To*>(Src) : nullptr;
}

namespace ECastCheckedType
{
	enum Type
	{
		NullAllowed,
		NullChecked
	};
}

/** The object as a To; stops if it is not one, or if it is null unless that is allowed. */
template <class To, class From>
To* CastChecked(From* Src, ECastCheckedType::Type CheckType = ECastCheckedType::NullChecked)
{
	if (Src == nullptr)
	{
		check(CheckType == ECastCheckedType::NullAllowed);
		return nullptr;
	}
	To* const Result = Cast<To>(Src);
	check(Result != nullptr);
	return Result;
}
