// The coordinate-system actor: its rebuilds and their broadcasts, the world lookup, following an
// authority, the authority-local conversions and the frames the function library takes from it.
#include "ClosedForms.h"
#include "DuRizerudoreBlueprintLibrary.h"
#include "WorldTestSupport.h"

#include "Logging/HostLogCapture.h"
#include "UObject/UObjectGlobals.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

using namespace DuRizerudoreTest;

namespace
{
	/** Every broadcast of one actor's event, in order. */
	struct FBroadcastRecorder
	{
		std::vector<std::pair<FCoordinateReferenceFramePtr, FCoordinateReferenceFramePtr>> Broadcasts;

		void Listen(ADuRizerudoreSystem* System)
		{
			System->GetOnReferenceChanged().AddLambda([this](FCoordinateReferenceFramePtr Previous, FCoordinateReferenceFramePtr New) { Broadcasts.emplace_back(Previous, New); });
		}

		/** The one broadcast since the last call. */
		std::pair<FCoordinateReferenceFramePtr, FCoordinateReferenceFramePtr> TakeOne()
		{
			EXPECT_EQ(Broadcasts.size(), 1u);
			const auto Result = Broadcasts.empty() ? std::pair<FCoordinateReferenceFramePtr, FCoordinateReferenceFramePtr>() : Broadcasts.back();
			Broadcasts.clear();
			return Result;
		}
	};

	FVector ToLocalUe(const FCoordinateReferenceFrame& Frame, const FVector& Geodetic)
	{
		FVector LocalUe(0.0, 0.0, 0.0);
		EXPECT_TRUE(UDuRizerudoreBlueprintLibrary::ConvertPosition(Frame, ECoordinateSystem::Geodetic, ECoordinateSystem::Local_UE, Geodetic, LocalUe));
		return LocalUe;
	}

	FCoordinateSystemSettings TangentPlaneAt(const double LatitudeDeg, const double LongitudeDeg, const bool bAuthority = false)
	{
		FCoordinateSystemSettings Settings;
		Settings.bAuthority = bAuthority;
		Settings.ReferenceSetup = MakeReferenceSetup(ECoordinateLocalFrameType::Cartesian, LatitudeDeg, LongitudeDeg, 0.0);
		return Settings;
	}
}

TEST(CoordinateSystemActor, EveryRebuildBroadcastsThePreviousAndTheNewFrame)
{
	FTestWorld World;
	FBroadcastRecorder Recorder;
	FHostLogCapture Log;
	const FVector Paris(48.8584, 2.2945, 330.0);

	// The first rebuild happens at load; a listener bound afterwards sees the next ones. Edits follow.
	ADuRizerudoreSystem* const System = LoadCoordinateSystem(World.Get(), TangentPlaneAt(48.85, 2.29));
	ASSERT_TRUE(System->IsReferenceFrameInitialized());
	const FCoordinateReferenceFramePtr Loaded = System->GetReferenceFramePtr();
	Recorder.Listen(System);
	const FVector ParisBefore = ToLocalUe(*Loaded, Paris);

	// Unchanged settings still make a new instance and a new frame; the old frame keeps working.
	EditMember(System, TEXT("Setup"), System->GetSetup());
	const auto Unchanged = Recorder.TakeOne();
	EXPECT_EQ(Unchanged.first, Loaded);
	ASSERT_TRUE(Unchanged.second.IsValid());
	EXPECT_NE(Unchanged.second, Loaded);
	EXPECT_NE(Unchanged.second->GetConversion(), Loaded->GetConversion());
	EXPECT_EQ(ToLocalUe(*Unchanged.second, Paris), ParisBefore);

	// A setup that yields no initialized instance: the actor fails, listeners get null.
	FCoordinateConversionSetup Broken = System->GetSetup();
	Broken.DatumModel = static_cast<EEarthDatumModel>(7);
	EditMember(System, TEXT("Setup"), Broken);
	const auto Failed = Recorder.TakeOne();
	EXPECT_EQ(Failed.first, Unchanged.second);
	EXPECT_FALSE(Failed.second.IsValid());
	EXPECT_FALSE(System->IsReferenceFrameInitialized());
	ASSERT_TRUE(System->GetInstancePtr().IsValid());
	EXPECT_FALSE(System->GetInstancePtr()->IsInitialized());
	EXPECT_EQ(ToLocalUe(*Loaded, Paris), ParisBefore);

	// Recovery.
	EditMember(System, TEXT("Setup"), MakeModelFreeSetup());
	const auto Recovered = Recorder.TakeOne();
	EXPECT_FALSE(Recovered.first.IsValid());
	ASSERT_TRUE(Recovered.second.IsValid());
	EXPECT_TRUE(System->IsReferenceFrameInitialized());

	// An origin that is no place on the Earth fails the rebuild, with the frame's own message naming it.
	EditMember(System, TEXT("ReferenceSetup"), MakeReferenceSetup(ECoordinateLocalFrameType::UTM, 95.0, 10.0, 0.0));
	const auto Rejected = Recorder.TakeOne();
	EXPECT_EQ(Rejected.first, Recovered.second);
	EXPECT_FALSE(Rejected.second.IsValid());
	EXPECT_EQ(Log.Count(TEXT("LogDuRizerudoreConversion"), TEXT("Cannot build a local frame at the origin (95, 10, 0)")), 1);

	// Without a local frame the reference setup is ignored, even a rejected one.
	EditMember(System, TEXT("LocalReferenceFrame"), false);
	const auto Geocentric = Recorder.TakeOne();
	ASSERT_TRUE(Geocentric.second.IsValid());
	EXPECT_FALSE(Geocentric.second->HasLocalFrame());
	// Local east-north-up is then geocentric: (0, 90, 0) lies on +Y, which is local north.
	EXPECT_TRUE(ToLocalUe(*Geocentric.second, FVector(0.0, 90.0, 0.0)).Equals(FVector(Wgs84A * 100.0, 0.0, 0.0), 1e-6));

	// Destruction broadcasts nothing, and frames handed out outlive the actor.
	System->Destroy();
	CollectGarbage(GARBAGE_COLLECTION_KEEPFLAGS);
	EXPECT_TRUE(Recorder.Broadcasts.empty());
	EXPECT_EQ(ToLocalUe(*Loaded, Paris), ParisBefore);
}

TEST(CoordinateSystemActor, TemplatesNeverBuildModels)
{
	ADuRizerudoreSystem* const Defaults = GetMutableDefault<ADuRizerudoreSystem>();
	Defaults->PostLoad();
	Defaults->PostActorCreated();
	EXPECT_FALSE(Defaults->GetInstancePtr().IsValid());
	EXPECT_FALSE(Defaults->PrimaryActorTick.bCanEverTick);
}

TEST(CoordinateSystemActor, WorldLookupOutcomes)
{
	struct FLookupCase
	{
		const char* Name;
		std::vector<bool> Authorities;
		int32 ExpectedIndex;
		const TCHAR* ExpectedMessage;
	};
	const FLookupCase Cases[] = {
		{"no actor", {}, -1, TEXT("DuRizerudoreSystem actor not found. Add one to the world to configure the default coordinate system.")},
		{"one actor, not marked", {false}, 0, nullptr},
		{"one authority among three", {false, true, false}, 1, nullptr},
		{"two actors, none marked", {false, false}, -1, TEXT("Multiple DuRizerudoreSystem actors found, but none is marked as authority.")},
		{"two authorities", {true, false, true}, -1, TEXT("Multiple authoritative DuRizerudoreSystem actors found. Exactly one authority should exist per world.")},
	};
	for (const FLookupCase& Case : Cases)
	{
		SCOPED_TRACE(Case.Name);
		FTestWorld World;
		std::vector<ADuRizerudoreSystem*> Systems;
		for (const bool bAuthority : Case.Authorities)
		{
			Systems.push_back(LoadCoordinateSystem(World.Get(), TangentPlaneAt(10.0, 20.0, bAuthority)));
		}
		FHostLogCapture Log;
		UObject* const Context = Systems.empty() ? static_cast<UObject*>(World.Get()) : Systems.front();
		ADuRizerudoreSystem* const Found = ADuRizerudoreSystem::GetCoordinateSystem(Context);
		EXPECT_EQ(Found, Case.ExpectedIndex < 0 ? nullptr : Systems[Case.ExpectedIndex]);
		const std::vector<std::wstring> Messages = Log.GetMessages(TEXT("LogDuRizerudoreSystem"));
		if (Case.ExpectedMessage == nullptr)
		{
			EXPECT_TRUE(Messages.empty());
		}
		else
		{
			EXPECT_EQ(Messages, std::vector<std::wstring>{Case.ExpectedMessage});
		}
	}
	EXPECT_EQ(ADuRizerudoreSystem::GetCoordinateSystem(nullptr), nullptr);
}

TEST(CoordinateSystemActor, FollowersHearTheAuthorityAndSurviveItsDestruction)
{
	for (const bool bAuthorityGoesFirst : {true, false})
	{
		SCOPED_TRACE(bAuthorityGoesFirst ? "authority destroyed first" : "follower destroyed first");
		FTestWorld World;
		ADuRizerudoreSystem* const Authority = LoadCoordinateSystem(World.Get(), TangentPlaneAt(10.0, 20.0, true));
		ADuRizerudoreSystem* const Follower = LoadCoordinateSystem(World.Get(), TangentPlaneAt(-30.0, 140.0));
		FBroadcastRecorder FollowerRecorder;
		FollowerRecorder.Listen(Follower);

		// The follower keeps its own frame but converts through the authority's, and re-broadcasts its own frame twice.
		EditMember(Authority, TEXT("ReferenceSetup"), MakeReferenceSetup(ECoordinateLocalFrameType::Cartesian, 11.0, 21.0, 0.0));
		const auto Heard = FollowerRecorder.TakeOne();
		EXPECT_EQ(Heard.first, Follower->GetReferenceFramePtr());
		EXPECT_EQ(Heard.second, Follower->GetReferenceFramePtr());
		FVector FollowerEcef(0.0, 0.0, 0.0);
		FQuat FollowerRotation = FQuat::Identity;
		ASSERT_TRUE(Follower->ConvertAuthorityLocalToEcef(FVector(0.0, 0.0, 0.0), FQuat::Identity, FollowerEcef, FollowerRotation));
		EXPECT_LT((FollowerEcef - ClosedFormEcef(11.0, 21.0, 0.0)).Size(), 1e-6);

		// Marked as an authority itself, the follower stops following.
		EditMember(Follower, TEXT("bAuthority"), true);
		FollowerRecorder.Broadcasts.clear();
		EditMember(Authority, TEXT("Setup"), MakeModelFreeSetup());
		EXPECT_TRUE(FollowerRecorder.Broadcasts.empty());

		(bAuthorityGoesFirst ? Authority : Follower)->Destroy();
		CollectGarbage(GARBAGE_COLLECTION_KEEPFLAGS);
		ADuRizerudoreSystem* const Survivor = bAuthorityGoesFirst ? Follower : Authority;
		// The survivor rebuilds (and unbinds) without touching the destroyed actor.
		EditMember(Survivor, TEXT("Setup"), MakeModelFreeSetup());
		EXPECT_TRUE(Survivor->IsReferenceFrameInitialized());
		EXPECT_EQ(ADuRizerudoreSystem::GetCoordinateSystem(Survivor), Survivor);
	}

	// A follower destroyed while it still follows leaves no handler behind on its authority.
	FTestWorld World;
	ADuRizerudoreSystem* const Authority = LoadCoordinateSystem(World.Get(), TangentPlaneAt(10.0, 20.0, true));
	ADuRizerudoreSystem* const Follower = LoadCoordinateSystem(World.Get(), TangentPlaneAt(-30.0, 140.0));
	const void* const FollowerAddress = Follower;
	ASSERT_TRUE(Authority->GetOnReferenceChanged().IsBoundToObject(FollowerAddress));
	Follower->Destroy();
	CollectGarbage(GARBAGE_COLLECTION_KEEPFLAGS);
	EXPECT_FALSE(Authority->GetOnReferenceChanged().IsBoundToObject(FollowerAddress));
}

TEST(CoordinateSystemActor, AuthorityLocalConversionsGoThroughTheAuthorityOnly)
{
	FTestWorld World;
	ADuRizerudoreSystem* const First = LoadCoordinateSystem(World.Get(), TangentPlaneAt(45.0, 10.0));
	const FTransform Pose(FRotator(10.0, 20.0, 30.0).Quaternion(), FVector(1000.0, -2000.0, 300.0), FVector(2.0, 2.0, 2.0));

	// Alone, the actor is its world's coordinate system; scale never reaches the ECEF axes.
	FMatrix Scaled;
	FMatrix Unscaled;
	ASSERT_TRUE(First->ConvertAuthorityLocalTransformToEcefMatrix(Pose, Scaled));
	ASSERT_TRUE(First->ConvertAuthorityLocalTransformToEcefMatrix(FTransform(Pose.GetRotation(), Pose.GetTranslation()), Unscaled));
	EXPECT_TRUE(Scaled.Equals(Unscaled, 0.0));
	FTransform Back;
	ASSERT_TRUE(First->ConvertEcefMatrixToAuthorityLocalTransform(Scaled, Back));
	EXPECT_TRUE(Back.GetScale3D().Equals(FVector(1.0, 1.0, 1.0), 0.0));
	EXPECT_TRUE(Back.GetTranslation().Equals(Pose.GetTranslation(), 1e-6));
	EXPECT_TRUE(Back.GetRotation().Equals(Pose.GetRotation(), 1e-12));

	// A rotation that is not normalised is refused, outputs untouched.
	FVector Position(7.0, 7.0, 7.0);
	FQuat Rotation(0.0, 0.0, 0.0, 1.0);
	EXPECT_FALSE(First->ConvertEcefToAuthorityLocal(FVector(0.0, 0.0, 0.0), FQuat(0.0, 0.0, 0.0, 2.0), Position, Rotation));
	EXPECT_EQ(Position, FVector(7.0, 7.0, 7.0));

	// A second actor without authority makes the world ambiguous: both refuse, though both frames are fine.
	ADuRizerudoreSystem* const Second = LoadCoordinateSystem(World.Get(), TangentPlaneAt(-45.0, 100.0));
	for (const ADuRizerudoreSystem* const System : {First, Second})
	{
		EXPECT_TRUE(System->IsReferenceFrameInitialized());
		EXPECT_FALSE(System->ConvertAuthorityLocalToEcef(FVector(0.0, 0.0, 0.0), FQuat::Identity, Position, Rotation));
		EXPECT_FALSE(System->ConvertEcefToAuthorityLocal(FVector(0.0, 0.0, 0.0), FQuat::Identity, Position, Rotation));
	}
	EXPECT_EQ(Position, FVector(7.0, 7.0, 7.0));

	// Once the first is marked as authority the second converts through it, and goes on doing so while a third
	// joins unmarked; when the third is marked too the world is ambiguous again, and the second refuses.
	EditMember(First, TEXT("bAuthority"), true);
	ADuRizerudoreSystem* const Third = LoadCoordinateSystem(World.Get(), TangentPlaneAt(0.0, 0.0));
	for (int32 Call = 0; Call < 2; ++Call)
	{
		ASSERT_TRUE(Second->ConvertAuthorityLocalToEcef(FVector(0.0, 0.0, 0.0), FQuat::Identity, Position, Rotation));
		EXPECT_LT((Position - ClosedFormEcef(45.0, 10.0, 0.0)).Size(), 1e-6);
	}
	EditMember(Third, TEXT("bAuthority"), true);
	Position = FVector(7.0, 7.0, 7.0);
	EXPECT_FALSE(Second->ConvertAuthorityLocalToEcef(FVector(0.0, 0.0, 0.0), FQuat::Identity, Position, Rotation));
	EXPECT_EQ(Position, FVector(7.0, 7.0, 7.0));

	// Two authorities never look themselves up: each converts through its own frame.
	EditMember(First, TEXT("bAuthority"), true);
	EditMember(Second, TEXT("bAuthority"), true);
	ASSERT_TRUE(Second->ConvertAuthorityLocalToEcef(FVector(0.0, 0.0, 0.0), FQuat::Identity, Position, Rotation));
	EXPECT_LT((Position - ClosedFormEcef(-45.0, 100.0, 0.0)).Size(), 1e-6);
	// The identity pose's axes are north, east and up: a left-handed basis, whose rotation keeps the mirror on X.
	EXPECT_TRUE(Rotation.GetAxisX().Equals(-ClosedFormNorth(-45.0, 100.0), 1e-12));
	EXPECT_TRUE(Rotation.GetAxisY().Equals(ClosedFormEast(100.0), 1e-12));
	EXPECT_TRUE(Rotation.GetAxisZ().Equals(ClosedFormUp(-45.0, 100.0), 1e-12));
}

TEST(CoordinateSystemActor, RefusedPoseConversionsLeaveTheirOutputsUntouched)
{
	FTestWorld Ambiguous;
	ADuRizerudoreSystem* const Unsure = LoadCoordinateSystem(Ambiguous.Get(), TangentPlaneAt(45.0, 10.0));
	LoadCoordinateSystem(Ambiguous.Get(), TangentPlaneAt(-45.0, 100.0));
	FTestWorld Tangent;
	const ADuRizerudoreSystem* const Plane = LoadCoordinateSystem(Tangent.Get(), TangentPlaneAt(45.0, 10.0));
	FTestWorld Grid;
	FCoordinateSystemSettings UtmSettings;
	UtmSettings.ReferenceSetup = MakeReferenceSetup(ECoordinateLocalFrameType::UTM, -33.9, 18.4, 0.0);
	const ADuRizerudoreSystem* const Utm = LoadCoordinateSystem(Grid.Get(), UtmSettings);
	ASSERT_TRUE(Plane->IsReferenceFrameInitialized() && Utm->IsReferenceFrameInitialized());

	/** Outputs pre-filled with what no conversion writes: odd matrix entries, a scale of 3, a quaternion of length 0.55. */
	struct FOutputs
	{
		FMatrix Matrix = FMatrix(FVector(1.5, 2.5, 3.5), FVector(4.5, 5.5, 6.5), FVector(7.5, 8.5, 9.5), FVector(10.5, 11.5, 12.5));
		FTransform Transform = FTransform(FQuat::Identity, FVector(7.0, 8.0, 9.0), FVector(3.0, 3.0, 3.0));
		FVector Position = FVector(7.0, -8.0, 9.5);
		FQuat Rotation = FQuat(0.1, 0.2, 0.3, 0.4);
	};
	const auto Same = [](const double A, const double B) { return std::memcmp(&A, &B, sizeof(double)) == 0; };
	const auto SameVector = [&Same](const FVector& A, const FVector& B) { return Same(A.X, B.X) && Same(A.Y, B.Y) && Same(A.Z, B.Z); };
	const auto SameQuat = [&Same](const FQuat& A, const FQuat& B) { return Same(A.X, B.X) && Same(A.Y, B.Y) && Same(A.Z, B.Z) && Same(A.W, B.W); };
	const auto Untouched = [&](const FOutputs& Outputs) {
		const FOutputs Fresh;
		bool bSame = true;
		for (int32 Row = 0; Row < 4; ++Row)
		{
			for (int32 Column = 0; Column < 4; ++Column)
			{
				bSame = bSame && Same(Outputs.Matrix.M[Row][Column], Fresh.Matrix.M[Row][Column]);
			}
		}
		return bSame && SameQuat(Outputs.Transform.GetRotation(), Fresh.Transform.GetRotation())
			&& SameVector(Outputs.Transform.GetTranslation(), Fresh.Transform.GetTranslation()) && SameVector(Outputs.Transform.GetScale3D(), Fresh.Transform.GetScale3D())
			&& SameVector(Outputs.Position, Fresh.Position) && SameQuat(Outputs.Rotation, Fresh.Rotation);
	};

	// Fifty thousand kilometres east of the UTM origin (in centimetres), and the origin's antipode (ECEF metres): both beyond its zone.
	const FVector OutOfZoneLocal(0.0, 5.0e9, 0.0);
	const FVector Antipode = ClosedFormEcef(33.9, -161.6, 0.0);
	const FMatrix AtAntipode(FVector(1.0, 0.0, 0.0), FVector(0.0, 1.0, 0.0), FVector(0.0, 0.0, 1.0), Antipode);
	struct FRefusal
	{
		const char* What;
		std::function<bool(FOutputs&)> Call;
	};
	const std::vector<FRefusal> Refusals = {
		{"transform to matrix, ambiguous world", [&](FOutputs& O) { return Unsure->ConvertAuthorityLocalTransformToEcefMatrix(FTransform::Identity, O.Matrix); }},
		{"transform to matrix, out of the zone", [&](FOutputs& O) { return Utm->ConvertAuthorityLocalTransformToEcefMatrix(FTransform(OutOfZoneLocal), O.Matrix); }},
		{"matrix to transform, ambiguous world", [&](FOutputs& O) { return Unsure->ConvertEcefMatrixToAuthorityLocalTransform(FMatrix::Identity, O.Transform); }},
		{"matrix to transform, out of the zone", [&](FOutputs& O) { return Utm->ConvertEcefMatrixToAuthorityLocalTransform(AtAntipode, O.Transform); }},
		{"local to ECEF, ambiguous world", [&](FOutputs& O) { return Unsure->ConvertAuthorityLocalToEcef(FVector::ZeroVector, FQuat::Identity, O.Position, O.Rotation); }},
		{"local to ECEF, out of the zone", [&](FOutputs& O) { return Utm->ConvertAuthorityLocalToEcef(OutOfZoneLocal, FQuat::Identity, O.Position, O.Rotation); }},
		{"ECEF to local, ambiguous world", [&](FOutputs& O) { return Unsure->ConvertEcefToAuthorityLocal(Antipode, FQuat::Identity, O.Position, O.Rotation); }},
		{"ECEF to local, out of the zone", [&](FOutputs& O) { return Utm->ConvertEcefToAuthorityLocal(Antipode, FQuat::Identity, O.Position, O.Rotation); }},
		{"ECEF to local, rotation not normalised", [&](FOutputs& O) { return Plane->ConvertEcefToAuthorityLocal(Antipode, FQuat(0.0, 0.0, 0.0, 2.0), O.Position, O.Rotation); }},
		{"matrix to transform, NaN position",
			[&](FOutputs& O) { return Plane->ConvertEcefMatrixToAuthorityLocalTransform(FMatrix(FVector(1.0, 0.0, 0.0), FVector(0.0, 1.0, 0.0), FVector(0.0, 0.0, 1.0), FVector(NAN, 0.0, 0.0)), O.Transform); }},
		{"ECEF to local, infinite position", [&](FOutputs& O) { return Plane->ConvertEcefToAuthorityLocal(FVector(INFINITY, 0.0, 0.0), FQuat::Identity, O.Position, O.Rotation); }},
		{"ECEF to local, beyond any double in centimetres", [&](FOutputs& O) { return Plane->ConvertEcefToAuthorityLocal(FVector(1e307, 0.0, 0.0), FQuat::Identity, O.Position, O.Rotation); }},
	};
	for (const FRefusal& Refusal : Refusals)
	{
		FOutputs Outputs;
		EXPECT_FALSE(Refusal.Call(Outputs)) << Refusal.What;
		EXPECT_TRUE(Untouched(Outputs)) << Refusal.What;
	}
}

TEST(CoordinateSystemActor, LibraryFramesFromTheActor)
{
	FTestWorld World;
	ADuRizerudoreSystem* const System = LoadCoordinateSystem(World.Get(), TangentPlaneAt(45.0, 10.0));

	// Frames made from the actor share its models and keep their own origins.
	FCoordinateReferenceFrame Here;
	FCoordinateReferenceFrame There;
	ASSERT_TRUE(UDuRizerudoreBlueprintLibrary::MakeReferenceFrameFromCoordinateSystem(System, MakeReferenceSetup(ECoordinateLocalFrameType::Cartesian, 1.0, 2.0, 0.0), Here));
	ASSERT_TRUE(UDuRizerudoreBlueprintLibrary::MakeReferenceFrameFromCoordinateSystem(System, MakeReferenceSetup(ECoordinateLocalFrameType::UTM, -1.0, -2.0, 0.0), There));
	EXPECT_EQ(Here.GetConversion(), System->GetInstancePtr().Get());
	EXPECT_EQ(There.GetConversion(), System->GetInstancePtr().Get());
	EXPECT_EQ(Here.GetLocalFrameOrigin().LatitudeDeg, 1.0);
	EXPECT_EQ(There.GetLocalFrameType(), ECoordinateLocalFrameType::UTM);
	FCoordinateReferenceFrame Copy;
	ASSERT_TRUE(UDuRizerudoreBlueprintLibrary::GetReferenceFrameFromCoordinateSystem(System, Copy));
	EXPECT_EQ(Copy.GetConversion(), System->GetInstancePtr().Get());
	EXPECT_EQ(Copy.GetLocalFrameOrigin().LongitudeDeg, 10.0);

	// A null actor, a failed one and one pending destruction all give a default frame.
	FCoordinateConversionSetup Broken = MakeModelFreeSetup();
	Broken.DatumModel = static_cast<EEarthDatumModel>(7);
	FCoordinateSystemSettings FailedSettings = TangentPlaneAt(0.0, 0.0);
	FailedSettings.Setup = Broken;
	ADuRizerudoreSystem* const Failed = LoadCoordinateSystem(World.Get(), FailedSettings);
	ADuRizerudoreSystem* const Destroyed = LoadCoordinateSystem(World.Get(), TangentPlaneAt(0.0, 0.0));
	Destroyed->Destroy();
	for (ADuRizerudoreSystem* const Actor : {static_cast<ADuRizerudoreSystem*>(nullptr), Failed, Destroyed})
	{
		FCoordinateReferenceFrame Made = Here;
		FCoordinateReferenceFrame Taken = Here;
		EXPECT_FALSE(UDuRizerudoreBlueprintLibrary::MakeReferenceFrameFromCoordinateSystem(Actor, FCoordinateReferenceSetup(), Made));
		EXPECT_FALSE(UDuRizerudoreBlueprintLibrary::GetReferenceFrameFromCoordinateSystem(Actor, Taken));
		EXPECT_FALSE(Made.IsInitialized() || Taken.IsInitialized());
		EXPECT_EQ(Made.GetConversion(), nullptr);
	}
}
