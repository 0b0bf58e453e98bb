#include "UObject/Class.h"

#include "UObject/GeneratedCppIncludes.h"

namespace
{
	template <typename T>
	UScriptStruct* GetCoreStruct(UScriptStruct*& Struct, const char* NameUTF8)
	{
		if (Struct == nullptr)
		{
			const UECodeGen_Private::FStructParams Params{"/Script/CoreUObject", NameUTF8, nullptr, static_cast<int32>(sizeof(T)), static_cast<int32>(alignof(T)),
				[]() -> UScriptStruct::ICppStructOps* { return new UScriptStruct::TCppStructOps<T>(); }, nullptr, 0, nullptr, 0};
			UECodeGen_Private::ConstructUScriptStruct(Struct, Params);
		}
		return Struct;
	}
}

UScriptStruct* TBaseStructure<FVector>::Get()
{
	static UScriptStruct* Struct = nullptr;
	return GetCoreStruct<FVector>(Struct, "Vector");
}

UScriptStruct* TBaseStructure<FVector2D>::Get()
{
	static UScriptStruct* Struct = nullptr;
	return GetCoreStruct<FVector2D>(Struct, "Vector2D");
}

UScriptStruct* TBaseStructure<FRotator>::Get()
{
	static UScriptStruct* Struct = nullptr;
	return GetCoreStruct<FRotator>(Struct, "Rotator");
}

UScriptStruct* TBaseStructure<FQuat>::Get()
{
	static UScriptStruct* Struct = nullptr;
	return GetCoreStruct<FQuat>(Struct, "Quat");
}

UScriptStruct* TBaseStructure<FTransform>::Get()
{
	static UScriptStruct* Struct = nullptr;
	return GetCoreStruct<FTransform>(Struct, "Transform");
}
