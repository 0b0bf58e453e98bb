// A world tied to the Earth: one coordinate-system actor at a tangent-plane origin and a few actors anchored
// at famous places. Moving the world's origin moves the actors in the engine's frame and leaves them where
// they are on the Earth. Everything goes through the plugin's public classes, as a game module would.
// Third-party headers come before the engine's, whose check() macro they would otherwise meet.
#include <fmt/format.h>

#include "DuRizerudoreAnchorComponent.h"
#include "DuRizerudoreSystem.h"

#include "Components/SceneComponent.h"
#include "Engine/World.h"
#include "GameFramework/Actor.h"
#include "HostPluginRegistration.h"
#include "UObject/UObjectGlobals.h"
#include "UObject/UnrealType.h"

#include <cstdio>
#include <vector>

namespace
{
	struct FFamousPlace
	{
		const char* Name;
		FGeodeticCoordinate Position;
		double HeadingDeg;
	};

	const FFamousPlace Places[] = {
		{"Royal Observatory, Greenwich", FGeodeticCoordinate(51.4779, -0.0015, 46.0), 0.0},
		{"Big Ben, London", FGeodeticCoordinate(51.5007, -0.1246, 100.0), 90.0},
		{"Eiffel Tower, Paris", FGeodeticCoordinate(48.8584, 2.2945, 330.0), 45.0},
		{"Mont Blanc summit", FGeodeticCoordinate(45.8326, 6.8652, 4808.0), 180.0},
	};

	struct FAnchoredPlace
	{
		const FFamousPlace* Place;
		AActor* Actor;
		UDuRizerudoreAnchorComponent* Anchor;
	};

	/** An actor with a scene root and an anchor, placed by its geodetic position and heading. */
	FAnchoredPlace PlaceActor(UWorld* World, const FFamousPlace& Place)
	{
		AActor* const Actor = World->SpawnActor<AActor>();
		USceneComponent* const Root = NewObject<USceneComponent>(Actor);
		Actor->SetRootComponent(Root);
		Root->RegisterComponent();
		UDuRizerudoreAnchorComponent* const Anchor = NewObject<UDuRizerudoreAnchorComponent>(Actor);
		Actor->AddInstanceComponent(Anchor);
		Anchor->RegisterComponent();
		Anchor->SetGeodeticPosition(Place.Position);
		Anchor->SetGeodeticRotation(FRotator(0.0, Place.HeadingDeg, 0.0));
		return FAnchoredPlace{&Place, Actor, Anchor};
	}

	void PrintPlaces(const std::vector<FAnchoredPlace>& Placed)
	{
		fmt::print("  {:<30} {:>14} {:>14} {:>12} | {:>9} {:>9} {:>8} | {:>7}\n", "actor", "X north (cm)", "Y east (cm)", "Z up (cm)", "lat", "lon", "h (m)",
			"heading");
		for (const FAnchoredPlace& Entry : Placed)
		{
			// Adding zero turns a negative zero into a plain one for printing.
			const FVector Location = Entry.Actor->GetActorLocation() + FVector(0.0, 0.0, 0.0);
			const FGeodeticCoordinate Geodetic = Entry.Anchor->GetGeodeticPosition();
			fmt::print("  {:<30} {:>14.1f} {:>14.1f} {:>12.1f} | {:>9.4f} {:>9.4f} {:>8.2f} | {:>7.2f}\n", Entry.Place->Name, Location.X, Location.Y, Location.Z,
				Geodetic.LatitudeDeg, Geodetic.LongitudeDeg, Geodetic.HeightM, Entry.Anchor->GetGeodeticRotation().Yaw + 0.0);
		}
	}

	/** Moves the world's origin the way the editor's details panel does: announce, change, notify. */
	void MoveOrigin(ADuRizerudoreSystem* System, const FGeodeticCoordinate& Origin)
	{
		FProperty* const Property = FindFProperty<FProperty>(ADuRizerudoreSystem::StaticClass(), FName(TEXT("ReferenceSetup")));
		System->PreEditChange(Property);
		System->GetReferenceSetup().LocalFrameOrigin = Origin;
		FPropertyChangedEvent Event(Property, EPropertyChangeType::ValueSet);
		System->PostEditChangeProperty(Event);
	}
}

int main(int ArgumentCount, char** Arguments)
{
	if (const TOptional<int32> ExitStatus = UE::Host::RegisterPluginFromCommandLine(ArgumentCount, Arguments,
			"Usage: durizerudore-anchored-world [--plugin-dir DIR]\n"
				"Places actors at famous places in a world whose origin is at Greenwich, then moves the origin to Paris."))
	{
		return *ExitStatus;
	}

	UWorld* const World = UWorld::CreateWorld(EWorldType::Game, false);
	// Spawned with its defaults, then given its origin as a designer would in the details panel.
	ADuRizerudoreSystem* const System = World->SpawnActor<ADuRizerudoreSystem>();
	MoveOrigin(System, Places[0].Position);
	if (!System->IsReferenceFrameInitialized())
	{
		std::fputs("The coordinate system could not build its Earth model: run scripts/install-data (or scripts/setup).\n", stderr);
		return 1;
	}

	std::vector<FAnchoredPlace> Placed;
	for (const FFamousPlace& Place : Places)
	{
		Placed.push_back(PlaceActor(World, Place));
	}
	fmt::print("World origin at the Royal Observatory, Greenwich (engine frame: X north, Y east, Z up, centimetres):\n");
	PrintPlaces(Placed);

	MoveOrigin(System, Places[2].Position);
	fmt::print("\nWorld origin moved to the Eiffel Tower: the engine positions change, the places on the Earth do not:\n");
	PrintPlaces(Placed);

	World->DestroyWorld(false);
	CollectGarbage(GARBAGE_COLLECTION_KEEPFLAGS);
	return 0;
}
