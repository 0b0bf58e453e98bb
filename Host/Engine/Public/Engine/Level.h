// ULevel: the actors of one level of a world, in the order they joined it.
#pragma once

#include "CoreMinimal.h"
#include "UObject/Object.h"

class AActor;
class UWorld;

class ULevel : public UObject
{
	DECLARE_CLASS(ULevel, UObject, CLASS_Native, CASTCLASS_None, TEXT("/Script/Engine"), NO_API)
	DEFINE_DEFAULT_OBJECT_INITIALIZER_CONSTRUCTOR_CALL(ULevel)

public:
	ULevel(const FObjectInitializer& ObjectInitializer);

	/** The level's actors in spawn or load order; destroyed actors are taken out. */
	TArray<AActor*> Actors;

	UWorld* OwningWorld = nullptr;

	virtual UWorld* GetWorld() const override { return OwningWorld; }
};
