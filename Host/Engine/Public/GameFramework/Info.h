// AInfo: an actor that only holds information for its world: it never ticks, is hidden and cannot be damaged.
#pragma once

#include "CoreMinimal.h"
#include "GameFramework/Actor.h"

class AInfo : public AActor
{
	DECLARE_CLASS(AInfo, AActor, CLASS_Abstract | CLASS_Native, CASTCLASS_None, TEXT("/Script/Engine"), NO_API)
	DEFINE_DEFAULT_OBJECT_INITIALIZER_CONSTRUCTOR_CALL(AInfo)

public:
	AInfo(const FObjectInitializer& ObjectInitializer = FObjectInitializer::Get());
};
