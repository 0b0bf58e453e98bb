#include "DuRizerudoreBlueprintLibrary.h"
#include "DuRizerudoreConversionInternal.h"

#include "TestPluginDirectory.h"
#include "TinyModelFiles.h"

#include "Logging/HostLogCapture.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <vector>

using FLibrary = UDuRizerudoreBlueprintLibrary;
using DuRizerudoreTest::FTemporaryPlugin;

namespace
{
	FCoordinateConversionSetup ModelFreeSetup()
	{
		FCoordinateConversionSetup Setup;
		Setup.GravityModel = EEarthGravityModel::None;
		Setup.GeoidModel = EEarthGravityModel::None;
		return Setup;
	}

	/** A geoid-only setup on a plugin whose coarse grid stands 12.501 m (a value the 3 mm grid holds exactly) above the ellipsoid everywhere. */
	struct FConstantGeoidPlugin : FTemporaryPlugin
	{
		FConstantGeoidPlugin()
		{
			CreateModelDirectories(false, true);
			DuRizerudoreTest::WriteCoarseGeoid(GetGeoidDirectory(), "egm84-30", 10.0, [](double, double) { return 12.501; });
		}

		static FCoordinateConversionSetup Setup()
		{
			FCoordinateConversionSetup Result;
			Result.GravityModel = EEarthGravityModel::None;
			return Result;
		}
	};

	/** What every function leaves after false, checked on one frame. */
	void ExpectEveryQueryRefused(const FCoordinateReferenceFrame& Frame, const bool bPositionsStillConvert)
	{
		const FVector Untouched(7.0, 8.0, 9.0);
		FVector Converted = Untouched;
		EXPECT_EQ(FLibrary::ConvertPosition(Frame, ECoordinateSystem::Geodetic, ECoordinateSystem::Geocentric, FVector(0.0, 0.0, 0.0), Converted), bPositionsStillConvert);
		if (!bPositionsStillConvert)
		{
			EXPECT_EQ(Converted, Untouched);
		}
		double Height = 99.0;
		EXPECT_FALSE(FLibrary::GetGeoidHeight(Frame, ECoordinateSystem::Geodetic, FVector(10.0, 10.0, 0.0), Height));
		EXPECT_EQ(Height, 0.0);
		Height = 99.0;
		EXPECT_FALSE(FLibrary::GetHeightAboveEllipsoid(Frame, FVector(10.0, 10.0, 5.0), Height));
		EXPECT_EQ(Height, 0.0);
		Height = 99.0;
		EXPECT_FALSE(FLibrary::GetHeightAboveMeanSeaLevel(Frame, ECoordinateSystem::Geodetic, FVector(10.0, 10.0, 5.0), Height));
		EXPECT_EQ(Height, 0.0);
	}
}

TEST(BlueprintLibrary, DefaultFrameIsRefusedEverywhere)
{
	const FCoordinateReferenceFrame Default;
	EXPECT_FALSE(FLibrary::IsReferenceFrameValid(Default));
	ExpectEveryQueryRefused(Default, false);
	FVector Vector(1, 2, 3);
	EXPECT_FALSE(FLibrary::GetGravity(Default, ECoordinateSystem::Geodetic, FVector(0, 0, 0), ECoordinateSystem::Geocentric, Vector));
	EXPECT_EQ(Vector, FVector(0, 0, 0));
}

TEST(BlueprintLibrary, FrameWithoutGeoidConvertsButAnswersNoHeights)
{
	DuRizerudoreTest::UseRepositoryPlugin();
	FCoordinateReferenceFrame Frame;
	ASSERT_TRUE(FLibrary::MakeReferenceFrame(ModelFreeSetup(), FCoordinateReferenceSetup(), Frame));
	EXPECT_TRUE(FLibrary::IsReferenceFrameValid(Frame));
	EXPECT_TRUE(Frame.HasLocalFrame());
	ExpectEveryQueryRefused(Frame, true);

	FVector Converted;
	ASSERT_TRUE(FLibrary::ConvertPosition(Frame, ECoordinateSystem::Geodetic, ECoordinateSystem::Geocentric, FVector(0.0, 0.0, 0.0), Converted));
	EXPECT_NEAR(Converted.X, 6378137.0, 1e-9);
	// Unknown systems fail without touching the output, like every other refusal.
	const FVector Untouched(1.0, 2.0, 3.0);
	Converted = Untouched;
	EXPECT_FALSE(FLibrary::ConvertPosition(Frame, static_cast<ECoordinateSystem>(9), ECoordinateSystem::Geodetic, FVector(0.0, 0.0, 0.0), Converted));
	EXPECT_EQ(Converted, Untouched);
}

TEST(BlueprintLibrary, SetupsWhoseModelsDoNotBuildLeaveADefaultFrame)
{
	FTemporaryPlugin EmptyPlugin;
	FCoordinateReferenceFrame Frame;
	// Start from a working frame, so that the reset to a default frame shows.
	ASSERT_TRUE(FLibrary::MakeReferenceFrame(ModelFreeSetup(), FCoordinateReferenceSetup(), Frame));
	const TSharedPtr<FCoordinateConversionInstance> Previous = Frame.GetConversionPtr();

	EXPECT_FALSE(FLibrary::MakeReferenceFrame(FCoordinateConversionSetup(), FCoordinateReferenceSetup(), Frame));
	EXPECT_FALSE(FLibrary::IsReferenceFrameValid(Frame));
	EXPECT_EQ(Frame.GetConversion(), nullptr);
	EXPECT_FALSE(Frame.HasLocalFrame());
	// The caller's old frame was released, not kept alive by the output.
	EXPECT_TRUE(Previous.IsUnique());
}

TEST(BlueprintLibrary, EveryFrameGetsItsOwnModels)
{
	DuRizerudoreTest::UseRepositoryPlugin();
	FCoordinateReferenceFrame First;
	FCoordinateReferenceFrame Second;
	const FCoordinateReferenceSetup Munich(FGeodeticCoordinate(48.1, 11.6, 500.0), ECoordinateAltitudeReference::Ellipsoid, ECoordinateLocalFrameType::UTM);
	ASSERT_TRUE(FLibrary::MakeReferenceFrame(ModelFreeSetup(), Munich, First));
	ASSERT_TRUE(FLibrary::MakeReferenceFrame(ModelFreeSetup(), Munich, Second));
	EXPECT_NE(First.GetConversion(), Second.GetConversion());
	EXPECT_EQ(First.GetConversionPtr().GetSharedReferenceCount(), 2);
	EXPECT_EQ(First.GetLocalFrameType(), ECoordinateLocalFrameType::UTM);
	FVector A;
	FVector B;
	ASSERT_TRUE(FLibrary::ConvertPosition(First, ECoordinateSystem::Geodetic, ECoordinateSystem::Local_UE, FVector(48.2, 11.7, 510.0), A));
	ASSERT_TRUE(FLibrary::ConvertPosition(Second, ECoordinateSystem::Geodetic, ECoordinateSystem::Local_UE, FVector(48.2, 11.7, 510.0), B));
	EXPECT_EQ(A, B);
	EXPECT_NEAR(A.Z, 1000.0, 1e-6);
}

TEST(BlueprintLibrary, HeightQueriesWithAGeoid)
{
	const FConstantGeoidPlugin Plugin;
	FCoordinateReferenceFrame Frame;
	const FCoordinateReferenceSetup Origin(FGeodeticCoordinate(30.0, 40.0, 100.0), ECoordinateAltitudeReference::MeanSeaLevel, ECoordinateLocalFrameType::Cartesian);
	ASSERT_TRUE(FLibrary::MakeReferenceFrame(FConstantGeoidPlugin::Setup(), Origin, Frame));
	EXPECT_NEAR(Frame.GetLocalFrameOrigin().HeightM, 112.501, 1e-9);

	double Height = 0.0;
	ASSERT_TRUE(FLibrary::GetGeoidHeight(Frame, ECoordinateSystem::Geodetic, FVector(-10.0, 170.0, 0.0), Height));
	EXPECT_NEAR(Height, 12.501, 1e-9);
	ASSERT_TRUE(FLibrary::GetHeightAboveEllipsoid(Frame, FVector(-10.0, 170.0, 0.0), Height));
	EXPECT_NEAR(Height, 12.501, 1e-9);
	ASSERT_TRUE(FLibrary::GetHeightAboveEllipsoid(Frame, FVector(-10.0, 170.0, 40.0), Height));
	EXPECT_NEAR(Height, 52.501, 1e-9);

	// The local origin lies 100 m above mean sea level, whichever system names it.
	for (const ECoordinateSystem System : {ECoordinateSystem::Local_ENU, ECoordinateSystem::Local_NED, ECoordinateSystem::Local_UE})
	{
		ASSERT_TRUE(FLibrary::GetHeightAboveMeanSeaLevel(Frame, System, FVector(0.0, 0.0, 0.0), Height));
		EXPECT_NEAR(Height, 100.0, 1e-6);
		ASSERT_TRUE(FLibrary::GetGeoidHeight(Frame, System, FVector(0.0, 0.0, 0.0), Height));
		EXPECT_NEAR(Height, 12.501, 1e-9);
	}
	FVector World;
	ASSERT_TRUE(FLibrary::ConvertPosition(Frame, ECoordinateSystem::Local_UE, ECoordinateSystem::Geocentric, FVector(0.0, 0.0, 0.0), World));
	ASSERT_TRUE(FLibrary::GetHeightAboveMeanSeaLevel(Frame, ECoordinateSystem::Geocentric, World, Height));
	EXPECT_NEAR(Height, 100.0, 1e-6);

	// A geocentric position whose conversion fails (an unknown system) leaves 0.
	Height = 5.0;
	EXPECT_FALSE(FLibrary::GetGeoidHeight(Frame, static_cast<ECoordinateSystem>(200), FVector(0.0, 0.0, 0.0), Height));
	EXPECT_EQ(Height, 0.0);
}

TEST(BlueprintLibrary, UtmFrameRefusesPositionsItCannotProject)
{
	const FConstantGeoidPlugin Plugin;
	FCoordinateReferenceFrame Frame;
	ASSERT_TRUE(FLibrary::MakeReferenceFrame(FConstantGeoidPlugin::Setup(),
		FCoordinateReferenceSetup(FGeodeticCoordinate(-33.9, 18.4, 0.0), ECoordinateAltitudeReference::Ellipsoid, ECoordinateLocalFrameType::UTM), Frame));
	double Height = 3.0;
	// Five million metres east of the origin is far outside its zone.
	EXPECT_FALSE(FLibrary::GetHeightAboveMeanSeaLevel(Frame, ECoordinateSystem::Local_ENU, FVector(5.0e7, 0.0, 0.0), Height));
	EXPECT_EQ(Height, 0.0);
	const FVector Untouched(1.0, 1.0, 1.0);
	FVector Converted = Untouched;
	EXPECT_FALSE(FLibrary::ConvertPosition(Frame, ECoordinateSystem::Geodetic, ECoordinateSystem::Local_UE, FVector(91.0, 18.4, 0.0), Converted));
	EXPECT_EQ(Converted, Untouched);
}

TEST(BlueprintLibrary, OriginsThatAreNoPlaceOnEarthBuildNoFrame)
{
	DuRizerudoreTest::UseRepositoryPlugin();
	struct FOriginCase
	{
		FGeodeticCoordinate Origin;
		bool bBuilds;
	};
	const FOriginCase Cases[] = {
		{FGeodeticCoordinate(95.0, 3.0, 0.0), false},
		{FGeodeticCoordinate(-200.0, 3.0, 0.0), false},
		{FGeodeticCoordinate(NAN, 3.0, 0.0), false},
		{FGeodeticCoordinate(45.0, INFINITY, 0.0), false},
		{FGeodeticCoordinate(45.0, 3.0, NAN), false},
		{FGeodeticCoordinate(45.0, 3.0, 1e30), false},
		{FGeodeticCoordinate(45.0, 3.0, -1.0000001e7), false},
		// The bounds themselves are places.
		{FGeodeticCoordinate(90.0, 3.0, 1e7), true},
		{FGeodeticCoordinate(-90.0, 3.0, -1e7), true},
		{FGeodeticCoordinate(45.0, 540.0, 0.0), true},
	};
	for (const ECoordinateLocalFrameType Type : {ECoordinateLocalFrameType::Cartesian, ECoordinateLocalFrameType::UTM})
	{
		for (const FOriginCase& Case : Cases)
		{
			SCOPED_TRACE(testing::Message() << Case.Origin.LatitudeDeg << ", " << Case.Origin.LongitudeDeg << ", " << Case.Origin.HeightM << ", type " << static_cast<int>(Type));
			const FCoordinateReferenceSetup Setup(Case.Origin, ECoordinateAltitudeReference::Ellipsoid, Type);
			FCoordinateReferenceFrame Frame;
			FHostLogCapture Capture;
			EXPECT_EQ(FLibrary::MakeReferenceFrame(ModelFreeSetup(), Setup, Frame), Case.bBuilds);
			EXPECT_EQ(Frame.HasLocalFrame(), Case.bBuilds);
			EXPECT_EQ(FLibrary::IsReferenceFrameValid(Frame), Case.bBuilds);
			EXPECT_EQ(Capture.GetMessages(TEXT("LogDuRizerudoreConversion")).size(), Case.bBuilds ? 0u : 1u);
			FVector Converted(1.0, 2.0, 3.0);
			const FVector Place = Case.bBuilds ? Case.Origin.ToVector() : FVector(45.0, 3.0, 0.0);
			EXPECT_EQ(FLibrary::ConvertPosition(Frame, ECoordinateSystem::Geodetic, ECoordinateSystem::Local_ENU, Place, Converted), Case.bBuilds);
			EXPECT_FALSE(Converted.ContainsNaN());
		}
	}
}

TEST(BlueprintLibrary, NonFiniteInputsLatitudesBeyondThePolesAndNonFiniteResultsAreRefused)
{
	DuRizerudoreTest::UseRepositoryPlugin();
	FCoordinateReferenceFrame Frame;
	ASSERT_TRUE(FLibrary::MakeReferenceFrame(ModelFreeSetup(), FCoordinateReferenceSetup(), Frame));
	const FVector Good(10.0, 20.0, 30.0);
	// Each bad value stands in a vector, a position of every system, and a geodetic position (latitude beyond the pole).
	for (const double Bad : {static_cast<double>(NAN), static_cast<double>(INFINITY), -static_cast<double>(INFINITY)})
	{
		for (int Component = 0; Component < 3; ++Component)
		{
			FVector Input = Good;
			Input[Component] = Bad;
			SCOPED_TRACE(testing::Message() << Input.X << ", " << Input.Y << ", " << Input.Z);
			for (const ECoordinateSystem System : {ECoordinateSystem::Geocentric, ECoordinateSystem::Geodetic, ECoordinateSystem::Local_ENU, ECoordinateSystem::Local_UE})
			{
				FVector Out = Good;
				EXPECT_FALSE(FLibrary::ConvertPosition(Frame, System, ECoordinateSystem::Local_NED, Input, Out));
				EXPECT_FALSE(FLibrary::ConvertVectorAtPosition(Frame, ECoordinateSystem::Local_ENU, ECoordinateSystem::Geocentric, Good, System, Input, Out));
				EXPECT_FALSE(FLibrary::ConvertVectorAtPosition(Frame, ECoordinateSystem::Local_ENU, ECoordinateSystem::Geocentric, Input, System, Good, Out));
				EXPECT_EQ(Out, Good);
				FVector2D Pair(1.0, 2.0);
				EXPECT_FALSE(FLibrary::HeadingPitchDegFromVector(Frame, ECoordinateSystem::Geocentric, Good, System, Input, Pair));
				EXPECT_FALSE(FLibrary::HeadingPitchDegFromVector(Frame, ECoordinateSystem::Local_ENU, Input, System, Good, Pair));
				EXPECT_EQ(Pair, FVector2D(1.0, 2.0));
				EXPECT_FALSE(FLibrary::VectorFromHeadingPitchDeg(Frame, ECoordinateSystem::Local_ENU, FVector2D(Input.X, Input.Y + Input.Z), System, Good, Out));
				EXPECT_FALSE(FLibrary::VectorFromHeadingPitchDeg(Frame, ECoordinateSystem::Geocentric, FVector2D(1.0, 2.0), System, Input, Out));
				EXPECT_EQ(Out, Good);
				FVector Gravity = Good;
				EXPECT_FALSE(FLibrary::GetGravity(Frame, System, Input, ECoordinateSystem::Geocentric, Gravity));
				EXPECT_EQ(Gravity, FVector::ZeroVector);
			}
			FVector Out = Good;
			EXPECT_FALSE(FLibrary::ConvertVector(Frame, ECoordinateSystem::Local_ENU, ECoordinateSystem::Geocentric, Input, Out));
			EXPECT_EQ(Out, Good);
			FQuat Quat(0.1, 0.2, 0.3, 0.4);
			EXPECT_FALSE(FLibrary::ConvertQuaternion(Frame, ECoordinateSystem::Local_ENU, ECoordinateSystem::Geocentric, FQuat(Input.X, Input.Y, Input.Z, 1.0), Quat));
			EXPECT_EQ(Quat, FQuat(0.1, 0.2, 0.3, 0.4));
			FRotator Rotator(1.0, 2.0, 3.0);
			EXPECT_FALSE(FLibrary::ConvertRotator(Frame, ECoordinateSystem::Local_ENU, ECoordinateSystem::Geocentric, FRotator(Input.X, Input.Y, Input.Z), Rotator));
			EXPECT_EQ(Rotator, FRotator(1.0, 2.0, 3.0));
		}
	}

	// Latitudes beyond the poles, as positions of the geodetic system.
	for (const double LatitudeDeg : {90.0000001, -91.0, 1e300})
	{
		SCOPED_TRACE(LatitudeDeg);
		const FVector Geodetic(LatitudeDeg, 20.0, 0.0);
		FVector Out = Good;
		EXPECT_FALSE(FLibrary::ConvertPosition(Frame, ECoordinateSystem::Geodetic, ECoordinateSystem::Geocentric, Geodetic, Out));
		EXPECT_FALSE(FLibrary::ConvertVectorAtPosition(Frame, ECoordinateSystem::Local_ENU, ECoordinateSystem::Geocentric, Good, ECoordinateSystem::Geodetic, Geodetic, Out));
		EXPECT_EQ(Out, Good);
		FVector Gravity = Good;
		EXPECT_FALSE(FLibrary::GetGravity(Frame, ECoordinateSystem::Geodetic, Geodetic, ECoordinateSystem::Local_ENU, Gravity));
		EXPECT_EQ(Gravity, FVector::ZeroVector);
		// The same number is an ordinary coordinate in the other systems.
		EXPECT_TRUE(FLibrary::ConvertPosition(Frame, ECoordinateSystem::Local_ENU, ECoordinateSystem::Local_NED, Geodetic, Out));
	}

	// Finite inputs whose answer overflows: 1e307 m is 1e309 cm.
	FVector Out = Good;
	EXPECT_FALSE(FLibrary::ConvertPosition(Frame, ECoordinateSystem::Local_ENU, ECoordinateSystem::Local_UE, FVector(1e307, 0.0, 0.0), Out));
	EXPECT_EQ(Out, Good);
	EXPECT_TRUE(FLibrary::ConvertPosition(Frame, ECoordinateSystem::Local_ENU, ECoordinateSystem::Local_UE, FVector(1e306, 0.0, 0.0), Out));
}

TEST(BlueprintLibrary, EveryRefusalLeavesItsOutputAsTheHeaderPromises)
{
	DuRizerudoreTest::UseRepositoryPlugin();
	const FCoordinateReferenceFrame Default;
	FCoordinateReferenceFrame Tangent;
	FCoordinateReferenceFrame Utm;
	ASSERT_TRUE(FLibrary::MakeReferenceFrame(ModelFreeSetup(), FCoordinateReferenceSetup(), Tangent));
	ASSERT_TRUE(FLibrary::MakeReferenceFrame(ModelFreeSetup(),
		FCoordinateReferenceSetup(FGeodeticCoordinate(-33.9, 18.4, 0.0), ECoordinateAltitudeReference::Ellipsoid, ECoordinateLocalFrameType::UTM), Utm));

	/** One output of every kind, pre-filled with values no conversion produces (a rotator outside its canonical range, a quaternion of length 0.55). */
	struct FOutputs
	{
		FVector Vector = FVector(7.0, -8.0, 9.5);
		FQuat Quat = FQuat(0.1, 0.2, 0.3, 0.4);
		FRotator Rotator = FRotator(1000.0, -700.0, 5000.0);
		FVector2D Pair = FVector2D(400.0, -500.0);
		double Number = 99.0;
	};
	/** Bit for bit, so that a NaN written over a sentinel is seen. */
	const auto Same = [](const double A, const double B) { return std::memcmp(&A, &B, sizeof(double)) == 0; };
	const auto SameOutputs = [&Same](const FOutputs& A, const FOutputs& B) {
		return Same(A.Vector.X, B.Vector.X) && Same(A.Vector.Y, B.Vector.Y) && Same(A.Vector.Z, B.Vector.Z) && Same(A.Quat.X, B.Quat.X) && Same(A.Quat.Y, B.Quat.Y)
			&& Same(A.Quat.Z, B.Quat.Z) && Same(A.Quat.W, B.Quat.W) && Same(A.Rotator.Pitch, B.Rotator.Pitch) && Same(A.Rotator.Yaw, B.Rotator.Yaw)
			&& Same(A.Rotator.Roll, B.Rotator.Roll) && Same(A.Pair.X, B.Pair.X) && Same(A.Pair.Y, B.Pair.Y) && Same(A.Number, B.Number);
	};
	using ES = ECoordinateSystem;
	const ES Unknown = static_cast<ES>(200);
	const FVector Somewhere(10.0, 20.0, 30.0);
	// Five million metres east of the UTM origin, and a latitude beyond the pole: points the projection refuses.
	const FVector OutOfZone(5.0e7, 0.0, 0.0);
	const FVector BeyondThePole(91.0, 18.4, 0.0);

	struct FRefusal
	{
		const char* What;
		std::function<bool(FOutputs&)> Call;
		/** What the header promises after false, applied to fresh sentinels; nothing for "untouched". */
		std::function<void(FOutputs&)> Promised;
	};
	const auto Untouched = [](FOutputs&) {};
	const std::vector<FRefusal> Refusals = {
		{"ConvertPosition, default frame", [&](FOutputs& O) { return FLibrary::ConvertPosition(Default, ES::Geodetic, ES::Geocentric, Somewhere, O.Vector); }, Untouched},
		{"ConvertPosition, unknown source", [&](FOutputs& O) { return FLibrary::ConvertPosition(Tangent, Unknown, ES::Geocentric, Somewhere, O.Vector); }, Untouched},
		{"ConvertPosition, unknown target", [&](FOutputs& O) { return FLibrary::ConvertPosition(Tangent, ES::Local_UE, Unknown, Somewhere, O.Vector); }, Untouched},
		{"ConvertPosition, beyond the pole", [&](FOutputs& O) { return FLibrary::ConvertPosition(Utm, ES::Geodetic, ES::Local_UE, BeyondThePole, O.Vector); }, Untouched},
		{"ConvertPosition, out of the zone", [&](FOutputs& O) { return FLibrary::ConvertPosition(Utm, ES::Local_ENU, ES::Geodetic, OutOfZone, O.Vector); }, Untouched},
		{"ConvertVector, default frame", [&](FOutputs& O) { return FLibrary::ConvertVector(Default, ES::Local_ENU, ES::Local_NED, Somewhere, O.Vector); }, Untouched},
		{"ConvertVector, to Geodetic", [&](FOutputs& O) { return FLibrary::ConvertVector(Tangent, ES::Local_ENU, ES::Geodetic, Somewhere, O.Vector); }, Untouched},
		{"ConvertVector, unknown source", [&](FOutputs& O) { return FLibrary::ConvertVector(Tangent, Unknown, ES::Local_NED, Somewhere, O.Vector); }, Untouched},
		{"ConvertVectorAtPosition, default frame",
			[&](FOutputs& O) { return FLibrary::ConvertVectorAtPosition(Default, ES::Local_ENU, ES::Geocentric, Somewhere, ES::Geodetic, Somewhere, O.Vector); }, Untouched},
		{"ConvertVectorAtPosition, unknown position system",
			[&](FOutputs& O) { return FLibrary::ConvertVectorAtPosition(Tangent, ES::Local_ENU, ES::Geocentric, Somewhere, Unknown, Somewhere, O.Vector); }, Untouched},
		{"ConvertVectorAtPosition, out of the zone",
			[&](FOutputs& O) { return FLibrary::ConvertVectorAtPosition(Utm, ES::Local_ENU, ES::Geocentric, Somewhere, ES::Local_ENU, OutOfZone, O.Vector); }, Untouched},
		{"ConvertQuaternion, default frame", [&](FOutputs& O) { return FLibrary::ConvertQuaternion(Default, ES::Local_ENU, ES::Local_ENU, FQuat::Identity, O.Quat); }, Untouched},
		{"ConvertQuaternion, left-handed", [&](FOutputs& O) { return FLibrary::ConvertQuaternion(Tangent, ES::Local_UE, ES::Local_ENU, FQuat::Identity, O.Quat); }, Untouched},
		{"ConvertQuaternion, Geodetic", [&](FOutputs& O) { return FLibrary::ConvertQuaternion(Tangent, ES::Geodetic, ES::Geocentric, FQuat::Identity, O.Quat); }, Untouched},
		{"ConvertRotator, default frame", [&](FOutputs& O) { return FLibrary::ConvertRotator(Default, ES::Local_ENU, ES::Local_ENU, FRotator(10.0, 20.0, 30.0), O.Rotator); }, Untouched},
		{"ConvertRotator, left-handed", [&](FOutputs& O) { return FLibrary::ConvertRotator(Tangent, ES::Local_ENU, ES::Local_UE, FRotator(10.0, 20.0, 30.0), O.Rotator); }, Untouched},
		{"ConvertRotator, Geodetic", [&](FOutputs& O) { return FLibrary::ConvertRotator(Tangent, ES::Local_NED, ES::Geodetic, FRotator(10.0, 20.0, 30.0), O.Rotator); }, Untouched},
		{"ConvertRotator, unknown target", [&](FOutputs& O) { return FLibrary::ConvertRotator(Tangent, ES::Geocentric, Unknown, FRotator(10.0, 20.0, 30.0), O.Rotator); }, Untouched},
		{"HeadingPitchDegFromVector, default frame",
			[&](FOutputs& O) { return FLibrary::HeadingPitchDegFromVector(Default, ES::Local_ENU, Somewhere, ES::Geodetic, Somewhere, O.Pair); }, Untouched},
		{"HeadingPitchDegFromVector, Geodetic vector",
			[&](FOutputs& O) { return FLibrary::HeadingPitchDegFromVector(Tangent, ES::Geodetic, Somewhere, ES::Geodetic, Somewhere, O.Pair); }, Untouched},
		{"HeadingPitchDegFromVector, out of the zone",
			[&](FOutputs& O) { return FLibrary::HeadingPitchDegFromVector(Utm, ES::Geocentric, Somewhere, ES::Local_ENU, OutOfZone, O.Pair); }, Untouched},
		{"VectorFromHeadingPitchDeg, default frame",
			[&](FOutputs& O) { return FLibrary::VectorFromHeadingPitchDeg(Default, ES::Local_ENU, FVector2D(30.0, 10.0), ES::Geodetic, Somewhere, O.Vector); }, Untouched},
		{"VectorFromHeadingPitchDeg, unknown vector system",
			[&](FOutputs& O) { return FLibrary::VectorFromHeadingPitchDeg(Tangent, Unknown, FVector2D(30.0, 10.0), ES::Geodetic, Somewhere, O.Vector); }, Untouched},
		{"VectorFromHeadingPitchDeg, beyond the pole",
			[&](FOutputs& O) { return FLibrary::VectorFromHeadingPitchDeg(Utm, ES::Geocentric, FVector2D(30.0, 10.0), ES::Geodetic, BeyondThePole, O.Vector); }, Untouched},
		{"GetGravity, Geodetic axes", [&](FOutputs& O) { return FLibrary::GetGravity(Tangent, ES::Geodetic, Somewhere, ES::Geodetic, O.Vector); },
			[](FOutputs& O) { O.Vector = FVector(0.0, 0.0, 0.0); }},
		{"GetGravity, out of the zone", [&](FOutputs& O) { return FLibrary::GetGravity(Utm, ES::Local_ENU, OutOfZone, ES::Geocentric, O.Vector); },
			[](FOutputs& O) { O.Vector = FVector(0.0, 0.0, 0.0); }},
		{"GetGeoidHeight, no geoid", [&](FOutputs& O) { return FLibrary::GetGeoidHeight(Tangent, ES::Geodetic, Somewhere, O.Number); }, [](FOutputs& O) { O.Number = 0.0; }},
	};
	for (const FRefusal& Refusal : Refusals)
	{
		FOutputs Outputs;
		EXPECT_FALSE(Refusal.Call(Outputs)) << Refusal.What;
		FOutputs Expected;
		Refusal.Promised(Expected);
		EXPECT_TRUE(SameOutputs(Outputs, Expected)) << Refusal.What;
	}
}
