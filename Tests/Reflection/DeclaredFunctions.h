// The number of reflected functions a class declares itself, its super classes' left out.
#pragma once

#include "UObject/Class.h"
#include "UObject/UnrealType.h"

inline int32 CountDeclaredFunctions(const UClass* Class)
{
	int32 Count = 0;
	for (TFieldIterator<UFunction> It(Class, EFieldIterationFlags::None); It; ++It)
	{
		++Count;
	}
	return Count;
}
