#include "Kismet/GameplayStatics.h"

#include "Engine/Engine.h"
#include "Engine/Level.h"
#include "Engine/World.h"

IMPLEMENT_CLASS_NO_AUTO_REGISTRATION(UGameplayStatics)

UGameplayStatics::UGameplayStatics(const FObjectInitializer& ObjectInitializer)
	: UBlueprintFunctionLibrary(ObjectInitializer)
{
}

void UGameplayStatics::GetAllActorsOfClass(const UObject* WorldContextObject, const TSubclassOf<AActor> ActorClass, TArray<AActor*>& OutActors)
{
	OutActors.Reset();
	UClass* const Class = ActorClass.Get();
	if (Class == nullptr || GEngine == nullptr)
	{
		return;
	}
	const UWorld* const World = GEngine->GetWorldFromContextObject(WorldContextObject, EGetWorldErrorMode::LogAndReturnNull);
	if (World == nullptr)
	{
		return;
	}
	// Every level that is part of the world, the persistent one first; a level still loading is not.
	for (const ULevel* const Level : World->GetLevels())
	{
		for (AActor* const Actor : Level->Actors)
		{
			if (IsValid(Actor) && Actor->IsA(Class))
			{
				OutActors.Add(Actor);
			}
		}
	}
}
