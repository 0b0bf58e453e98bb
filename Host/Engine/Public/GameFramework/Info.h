// AInfo: an actor that only holds information for its world: it never ticks, is hidden and cannot be damaged.
#pragma once

#include "CoreMinimal.h"
#include "GameFramework/Actor.h"

// The engine's class annotation: the header tool reads it for what derived classes inherit.
UCLASS(abstract, hidecategories = (Input, Movement, Collision, Rendering, HLOD, WorldPartition, DataLayers, Transformation), showcategories = ("Input|MouseInput", "Input|TouchInput"), MinimalAPI, NotBlueprintable)
class AInfo : public AActor
{
	DECLARE_CLASS(AInfo, AActor, CLASS_Abstract | CLASS_Native, CASTCLASS_None, TEXT("/Script/Engine"), NO_API)
	DEFINE_DEFAULT_OBJECT_INITIALIZER_CONSTRUCTOR_CALL(AInfo)

public:
	AInfo(const FObjectInitializer& ObjectInitializer = FObjectInitializer::Get());
};
