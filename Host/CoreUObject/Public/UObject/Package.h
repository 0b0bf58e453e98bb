// UPackage: the outermost object that holds others; here only the transient package and worlds' outers.
#pragma once

#include "CoreMinimal.h"
#include "UObject/Object.h"

class UPackage : public UObject
{
	DECLARE_CLASS(UPackage, UObject, CLASS_Native | CLASS_Intrinsic, CASTCLASS_None, TEXT("/Script/CoreUObject"), NO_API)
	DEFINE_DEFAULT_OBJECT_INITIALIZER_CONSTRUCTOR_CALL(UPackage)

public:
	explicit UPackage(const FObjectInitializer& ObjectInitializer) : UObject(ObjectInitializer) {}
};
