#include "Kismet/GameplayStatics.h"

#include "Engine/Engine.h"
#include "Engine/Level.h"
#include "Engine/World.h"
#include "Templates/Casts.h"
#include "UObject/UObjectArray.h"
#include "UObject/UObjectHash.h"

#include <algorithm>
#include <tuple>
#include <vector>

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
	// Through the object system's index of the class, as the engine's actor iterator walks it: the cost grows with
	// the actors of the class, not with the world. An actor counts while its level is part of the world, the
	// persistent level first; a level still loading is not.
	TArray<UObject*> Objects;
	GetObjectsOfClass(Class, Objects, true, RF_ClassDefaultObject | RF_ArchetypeObject, EInternalObjectFlags::Garbage);
	const TArray<ULevel*>& Levels = World->GetLevels();
	// Level by level, each level's actors in the order they joined it: the order of its actor list.
	std::vector<std::tuple<int32, int32, AActor*>> Found;
	for (UObject* const Object : Objects)
	{
		AActor* const Actor = Cast<AActor>(Object);
		const int32 LevelIndex = IsValid(Actor) ? Levels.Find(Actor->GetLevel()) : INDEX_NONE;
		if (LevelIndex != INDEX_NONE)
		{
			Found.emplace_back(LevelIndex, GUObjectArray.ObjectToObjectItem(Actor)->SerialNumber, Actor);
		}
	}
	std::sort(Found.begin(), Found.end());
	OutActors.Reserve(static_cast<int32>(Found.size()));
	for (const auto& [LevelIndex, SerialNumber, Actor] : Found)
	{
		OutActors.Add(Actor);
	}
}
