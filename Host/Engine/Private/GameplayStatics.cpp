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
	if (World == nullptr || World->PersistentLevel == nullptr)
	{
		return;
	}
	for (AActor* const Actor : World->PersistentLevel->Actors)
	{
		if (IsValid(Actor) && Actor->IsA(Class))
		{
			OutActors.Add(Actor);
		}
	}
}
