// The conventions of DuRizerudore as a user meets them: each line prints what a call returns and, beside it,
// what the other reading of the same numbers would have given. Model-free frames (normal gravity, no geoid), so
// it needs no data files. The README's "Conventions" table explains each line.
// Third-party headers come before the engine's, whose check() macro they would otherwise meet.
#include <fmt/format.h>

#include "DuRizerudoreAnchorComponent.h"
#include "DuRizerudoreBlueprintLibrary.h"
#include "DuRizerudoreSystem.h"

#include "Components/SceneComponent.h"
#include "Engine/World.h"
#include "GameFramework/Actor.h"
#include "HostPluginRegistration.h"
#include "UObject/UObjectGlobals.h"
#include "UObject/UnrealType.h"

#include <cmath>
#include <cstdio>

namespace
{
	using ES = ECoordinateSystem;
	using FLibrary = UDuRizerudoreBlueprintLibrary;

	FCoordinateConversionSetup ModelFree()
	{
		FCoordinateConversionSetup Setup;
		Setup.GravityModel = EEarthGravityModel::None;
		Setup.GeoidModel = EEarthGravityModel::None;
		return Setup;
	}

	FCoordinateReferenceSetup Origin(const double LatitudeDeg, const double LongitudeDeg, const ECoordinateLocalFrameType Type = ECoordinateLocalFrameType::Cartesian)
	{
		return FCoordinateReferenceSetup(FGeodeticCoordinate(LatitudeDeg, LongitudeDeg, 0.0), ECoordinateAltitudeReference::Ellipsoid, Type);
	}

	FCoordinateReferenceFrame Frame(const double LatitudeDeg, const double LongitudeDeg, const ECoordinateLocalFrameType Type = ECoordinateLocalFrameType::Cartesian)
	{
		FCoordinateReferenceFrame Result;
		FLibrary::MakeReferenceFrame(ModelFree(), Origin(LatitudeDeg, LongitudeDeg, Type), Result);
		return Result;
	}

	double AngleDeg(const FVector& A, const FVector& B)
	{
		return std::acos(std::clamp(A.GetSafeNormal() | B.GetSafeNormal(), -1.0, 1.0)) * 57.29577951308232;
	}

	/** A number for printing: rounding noise below 1e-9 and negative zero become 0. */
	double Clean(const double Value)
	{
		return std::abs(Value) < 1e-9 ? 0.0 : Value;
	}

	std::string Text(const FVector& V)
	{
		return fmt::format("({:.4g}, {:.4g}, {:.4g})", Clean(V.X), Clean(V.Y), Clean(V.Z));
	}

	void Line(const int Number, const std::string& Got, const std::string& Other)
	{
		fmt::print("{:>2}. {}\n    not: {}\n", Number, Got, Other);
	}

	/** Edits a reflected member of the coordinate-system actor the way the editor's details panel does. */
	template <typename EditType>
	void Edit(ADuRizerudoreSystem* System, const TCHAR* Member, EditType&& Change)
	{
		FProperty* const Property = FindFProperty<FProperty>(ADuRizerudoreSystem::StaticClass(), FName(Member));
		System->PreEditChange(Property);
		Change();
		FPropertyChangedEvent Event(Property, EPropertyChangeType::ValueSet);
		System->PostEditChangeProperty(Event);
	}
}

int main(int ArgumentCount, char** Arguments)
{
	if (const TOptional<int32> ExitStatus = UE::Host::RegisterPluginFromCommandLine(ArgumentCount, Arguments,
			"Usage: durizerudore-conventions [--plugin-dir DIR]\n"
				"Prints each of the plugin's conventions as a call returns it, beside the other reading."))
	{
		return *ExitStatus;
	}

	const FVector Greenwich(51.4779, -0.0015, 46.0);
	const FCoordinateReferenceFrame AtGreenwich = Frame(Greenwich.X, Greenwich.Y);
	FVector V, W;

	FLibrary::ConvertVector(AtGreenwich, ES::Local_ENU, ES::Local_UE, FVector(3.0, 0.0, 0.0), V);
	FLibrary::ConvertPosition(AtGreenwich, ES::Local_ENU, ES::Local_UE, FVector(3.0, 0.0, 0.0), W);
	FVector G;
	FLibrary::GetGravity(AtGreenwich, ES::Geodetic, Greenwich, ES::Local_UE, G);
	Line(1, fmt::format("3 m east as a Local_UE vector: {}; gravity at Greenwich in Local_UE: {} m/s^2", Text(V), Text(G)),
		fmt::format("the position difference {} cm; {} cm/s^2 for the engine's physics", Text(W), Text(G * 100.0)));

	UWorld* const World = UWorld::CreateWorld(EWorldType::Game, false);
	ADuRizerudoreSystem* const System = World->SpawnActor<ADuRizerudoreSystem>();
	Edit(System, TEXT("Setup"), [System] { System->GetSetup() = ModelFree(); });
	Edit(System, TEXT("ReferenceSetup"), [System] { System->GetReferenceSetup() = Origin(0.0, 0.0); });
	FVector EcefPosition;
	FQuat EcefRotation;
	FMatrix EcefPose;
	System->ConvertAuthorityLocalToEcef(FVector(0.0, 0.0, 0.0), FQuat::Identity, EcefPosition, EcefRotation);
	System->ConvertAuthorityLocalTransformToEcefMatrix(FTransform::Identity, EcefPose);
	Line(2, fmt::format("identity pose at 0N 0E: ECEF rotation ({:.4f}, {:.4f}, {:.4f}, {:.4f}), turning +X to {}", Clean(EcefRotation.X), EcefRotation.Y,
				Clean(EcefRotation.Z), EcefRotation.W, Text(EcefRotation.RotateVector(FVector(1.0, 0.0, 0.0)))),
		fmt::format("the forward axis, row 0 of the ECEF pose matrix: {} (north)", Text(EcefPose.GetScaledAxis(EAxis::X))));

	const FCoordinateReferenceFrame At60North = Frame(60.0, 0.0);
	FLibrary::ConvertVector(At60North, ES::Local_ENU, ES::Geocentric, FVector(0.0, 1.0, 0.0), V);
	FLibrary::ConvertVectorAtPosition(At60North, ES::Local_ENU, ES::Geocentric, FVector(0.0, 1.0, 0.0), ES::Local_ENU, FVector(500.0e3, 0.0, 0.0), W);
	Line(3, fmt::format("local north 500 km east of an origin at 60N, at that position: {}", Text(W)),
		fmt::format("the free vector (the origin's north): {}, {:.2f} degrees away", Text(V), AngleDeg(V, W)));

	FRotator R;
	FLibrary::ConvertRotator(AtGreenwich, ES::Local_NED, ES::Local_ENU, FRotator(10.0, 0.0, 0.0), R);
	FLibrary::VectorFromHeadingPitchDeg(AtGreenwich, ES::Local_ENU, FVector2D(0.0, 10.0), ES::Local_ENU, FVector(0.0, 0.0, 0.0), V);
	Line(4, fmt::format("pitch 10 in Local_NED points the nose 10 degrees down: in Local_ENU it is (pitch, yaw, roll) ({:.4g}, {:.4g}, {:.4g})", R.Pitch, R.Yaw, R.Roll),
		fmt::format("aerospace pitch 10 (nose up), forward {} in Local_ENU", Text(V)));

	FLibrary::ConvertRotator(AtGreenwich, ES::Local_ENU, ES::Local_ENU, FRotator(89.95, 30.0, 20.0), R);
	Line(5, fmt::format("rotator (pitch, yaw, roll) (89.95, 30, 20) read back: ({:.4g}, {:.4g}, {:.4g})", R.Pitch, R.Yaw, R.Roll),
		"the same numbers: within 0.081 degrees of 90 the pitch snaps, and yaw and roll are not unique");

	FLibrary::ConvertVector(Frame(83.99, 100.0, ECoordinateLocalFrameType::UTM), ES::Local_ENU, ES::Geocentric, FVector(0.0, 1.0, 0.0), V);
	FLibrary::ConvertVector(Frame(84.0, 100.0, ECoordinateLocalFrameType::UTM), ES::Local_ENU, ES::Geocentric, FVector(0.0, 1.0, 0.0), W);
	Line(6, fmt::format("grid north of a UTM frame at 84.00N 100E (UPS) against 83.99N (UTM zone 47): turned by {:.2f} degrees", AngleDeg(V, W)),
		"a frame that barely moves when its origin moves 1 km");

	const FVector GravityLow = [&] { FVector Out; FLibrary::GetGravity(AtGreenwich, ES::Geodetic, FVector(0.0, 0.0, 1000.0e3), ES::Local_ENU, Out); return Out; }();
	FLibrary::GetGravity(AtGreenwich, ES::Geodetic, FVector(0.0, 0.0, 36000.0e3), ES::Local_ENU, G);
	Line(7, fmt::format("gravity above the equator in Local_ENU: {} m/s^2 at 1,000 km, {} at 36,000 km", Text(GravityLow), Text(G)),
		"gravitation alone, which always points down");

	const FCoordinateReferenceFrame NoLocalFrame(MakeShared<FCoordinateConversionInstance, ESPMode::ThreadSafe>(ModelFree()));
	FLibrary::ConvertVector(NoLocalFrame, ES::Local_ENU, ES::Geocentric, FVector(0.0, 0.0, 1.0), V);
	FLibrary::ConvertVectorAtPosition(NoLocalFrame, ES::Local_ENU, ES::Geocentric, FVector(0.0, 0.0, 1.0), ES::Geodetic, FVector(48.8566, 2.3522, 0.0), W);
	Line(8, fmt::format("without a local frame, Local_ENU up as a free vector: {} (geocentric Z)", Text(V)),
		fmt::format("the same vector at Paris: {} (Paris's vertical)", Text(W)));

	const FCoordinateReferenceFrame AtPole = Frame(90.0, 45.0);
	FLibrary::ConvertVector(AtPole, ES::Local_ENU, ES::Geocentric, FVector(1.0, 0.0, 0.0), V);
	FLibrary::ConvertPosition(AtPole, ES::Local_ENU, ES::Geodetic, FVector(0.0, 0.0, 0.0), W);
	Line(9, fmt::format("a tangent plane at 90N given longitude 45: east is {}, along longitude 135", Text(V)),
		fmt::format("its origin converted back: {} (longitude 0)", Text(W)));

	AActor* const Actor = World->SpawnActor<AActor>();
	USceneComponent* const Root = NewObject<USceneComponent>(Actor);
	Actor->SetRootComponent(Root);
	Root->RegisterComponent();
	UDuRizerudoreAnchorComponent* const Anchor = NewObject<UDuRizerudoreAnchorComponent>(Actor);
	Actor->AddInstanceComponent(Anchor);
	Anchor->RegisterComponent();
	Anchor->SetGeodeticPosition(FGeodeticCoordinate(45.0, 0.0, 0.0));
	Anchor->SetGeodeticRotation(FRotator(0.0, 0.0, 0.0));
	Anchor->SetGeodeticPosition(FGeodeticCoordinate(45.9, 0.0, 0.0));
	const FRotator Leaning = Anchor->GetGeodeticRotation();
	Anchor->SetGeodeticRotation(FRotator(0.0, 0.0, 0.0));
	Line(10, fmt::format("an upright actor moved 100 km north with SetGeodeticPosition: geodetic rotation (pitch, yaw, roll) ({:.3f}, {:.3f}, {:.3f})",
				 Leaning.Pitch, Clean(Leaning.Yaw), Clean(Leaning.Roll)),
		"upright at the new place; SetGeodeticRotation(0, 0, 0) afterwards stands it up");
	World->DestroyWorld(false);
	CollectGarbage(GARBAGE_COLLECTION_KEEPFLAGS);

	FLibrary::ConvertPosition(Frame(45.0, 0.0), ES::Local_ENU, ES::Geodetic, FVector(100.0e3, 0.0, 0.0), V);
	Line(11, fmt::format("Local_ENU (100 km, 0, 0) of an origin at 45N, height 0: {:.1f} m above the ellipsoid", V.Z),
		"a point at sea level (Z is height over the tangent plane, not over the sea)");

	FLibrary::ConvertPosition(Frame(60.0, 3.5, ECoordinateLocalFrameType::UTM), ES::Local_UE, ES::Geodetic, FVector(0.0, 1.0e6, 0.0), V);
	Line(12, fmt::format("10 km of engine east in a UTM frame at 60N 3.5E ends at {:.6f}N {:.6f}E", V.X, V.Y),
		"10 km on the ground: it is 9,992.9 m (zone 32's grid scale there is 1.00075)");

	FLibrary::ConvertVectorAtPosition(AtGreenwich, ES::Local_ENU, ES::Geodetic, FVector(10.0, 0.0, 0.0), ES::Geodetic, FVector(0.0, 179.99995, 0.0), V);
	Line(13, fmt::format("10 m east at 0N 179.99995E as a Geodetic vector: longitude {:.8f}", V.Y),
		fmt::format("the wrapped increment {:.8f}", V.Y + 360.0));
	return 0;
}
