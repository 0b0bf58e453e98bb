// UBlueprintFunctionLibrary: the base of classes that only hold static functions for visual scripts.
#pragma once

#include "CoreMinimal.h"
#include "UObject/Object.h"

// The engine's class annotation: the header tool reads it for what derived classes inherit.
UCLASS(abstract, MinimalAPI)
class UBlueprintFunctionLibrary : public UObject
{
	DECLARE_CLASS(UBlueprintFunctionLibrary, UObject, CLASS_Abstract | CLASS_Native, CASTCLASS_None, TEXT("/Script/Engine"), NO_API)
	DEFINE_DEFAULT_OBJECT_INITIALIZER_CONSTRUCTOR_CALL(UBlueprintFunctionLibrary)

public:
	UBlueprintFunctionLibrary(const FObjectInitializer& ObjectInitializer = FObjectInitializer::Get()) : UObject(ObjectInitializer) {}
};
