// UGameplayStatics: script helpers over worlds; here only the actor query.
#pragma once

#include "CoreMinimal.h"
#include "GameFramework/Actor.h"
#include "Kismet/BlueprintFunctionLibrary.h"
#include "Templates/SubclassOf.h"

class UGameplayStatics : public UBlueprintFunctionLibrary
{
	DECLARE_CLASS(UGameplayStatics, UBlueprintFunctionLibrary, CLASS_Native, CASTCLASS_None, TEXT("/Script/Engine"), NO_API)
	DEFINE_DEFAULT_OBJECT_INITIALIZER_CONSTRUCTOR_CALL(UGameplayStatics)

public:
	UGameplayStatics(const FObjectInitializer& ObjectInitializer);

	/**
	 * Every live actor (not pending destruction) of ActorClass or a subclass in the context object's world,
	 * in the world's order. OutActors is emptied first; it stays empty without a class or a world.
	 */
	static void GetAllActorsOfClass(const UObject* WorldContextObject, TSubclassOf<AActor> ActorClass, TArray<AActor*>& OutActors);
};
