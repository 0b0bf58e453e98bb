#include "DuRizerudoreConversionInternal.h"
#include "ReferenceFrameTestSupport.h"

#include "AllocationCounter.h"
#include "Logging/HostLogCapture.h"
#include "TestPluginDirectory.h"
#include "TinyModelFiles.h"

#include <gtest/gtest.h>

using namespace DuRizerudoreTest;
using FFrameAccess = FCoordinateReferenceFrameKernelAccess;

TEST(FrameLifecycle, ConstructionStates)
{
	const FCoordinateReferenceFrame Empty;
	EXPECT_FALSE(Empty.IsInitialized());
	EXPECT_FALSE(Empty.HasLocalFrame());
	EXPECT_EQ(Empty.GetConversion(), nullptr);

	const TSharedPtr<FCoordinateConversionInstance> Instance = MakeModelFreeInstance();
	const FCoordinateReferenceFrame InstanceOnly(Instance);
	EXPECT_TRUE(InstanceOnly.IsInitialized());
	EXPECT_FALSE(InstanceOnly.HasLocalFrame());
	EXPECT_EQ(InstanceOnly.GetLocalFrameType(), ECoordinateLocalFrameType::Cartesian);
	EXPECT_EQ(InstanceOnly.GetLocalFrameOrigin().ToVector(), FVector(0.0, 0.0, 0.0));
	EXPECT_EQ(InstanceOnly.GetConversion(), Instance.Get());
	EXPECT_TRUE(FFrameAccess::GetLocalEnuToGeocentricRotation(InstanceOnly).Equals(FQuat::Identity, 0.0));

	const FCoordinateReferenceFrame FromRef(Instance.ToSharedRef(), FCoordinateReferenceSetup());
	EXPECT_TRUE(FromRef.HasLocalFrame());
	EXPECT_TRUE(FFrameAccess::GetProjector(FromRef).IsValid());
	EXPECT_EQ(FromRef.GetConversionPtr(), Instance);

	// Switching to a UTM frame releases the projector.
	FCoordinateReferenceFrame Switching(Instance, FCoordinateReferenceSetup());
	Switching.SetLocalFrameOrigin(FGeodeticCoordinate(45.0, 7.0, 0.0), ECoordinateAltitudeReference::Ellipsoid, ECoordinateLocalFrameType::UTM);
	EXPECT_FALSE(FFrameAccess::GetProjector(Switching).IsValid());
	EXPECT_EQ(FFrameAccess::GetUtmZone(Switching), 32);
}

TEST(FrameLifecycle, SettingAnOriginWithoutAnInitializedInstanceIsReportedOnce)
{
	FHostLogCapture Capture;
	FCoordinateReferenceFrame Empty;
	Empty.SetLocalFrameOrigin(FGeodeticCoordinate(1.0, 2.0, 3.0), ECoordinateAltitudeReference::Ellipsoid, ECoordinateLocalFrameType::UTM);
	EXPECT_FALSE(Empty.HasLocalFrame());
	EXPECT_EQ(Empty.GetLocalFrameType(), ECoordinateLocalFrameType::Cartesian);
	EXPECT_EQ(Empty.GetLocalFrameOrigin().ToVector(), FVector(0.0, 0.0, 0.0));

	// An uninitialized instance, through the constructor that takes a setup: the same site, so no second report.
	const TSharedPtr<FCoordinateConversionInstance> Uninitialized = MakeShared<FCoordinateConversionInstance>();
	const FCoordinateReferenceFrame Refused(Uninitialized, FCoordinateReferenceSetup());
	EXPECT_FALSE(Refused.IsInitialized());
	EXPECT_FALSE(Refused.HasLocalFrame());
	EXPECT_EQ(Capture.CountEnsures(), 1);
	EXPECT_EQ(Capture.Count(TEXT("LogOutputDevice"), TEXT("Conversion.IsValid() && Conversion->IsInitialized()")), 1);
	EXPECT_EQ(Capture.Count(TEXT("LogOutputDevice"),
				  TEXT("FCoordinateReferenceFrame requires an initialized conversion instance before setting a local frame origin.")),
		1);
}

TEST(FrameLifecycle, MeanSeaLevelOriginsAreStoredAboveTheEllipsoid)
{
	FTemporaryPlugin Plugin;
	Plugin.CreateModelDirectories(false, true);
	WriteCoarseGeoid(Plugin.GetGeoidDirectory(), "egm84-30", 10.0, [](double, double) { return 31.5; });
	FCoordinateConversionSetup WithGeoid;
	WithGeoid.GravityModel = EEarthGravityModel::None;
	const TSharedPtr<FCoordinateConversionInstance> Instance = MakeShared<FCoordinateConversionInstance>(WithGeoid);
	ASSERT_TRUE(Instance->IsInitialized());

	for (const ECoordinateLocalFrameType Type : {ECoordinateLocalFrameType::Cartesian, ECoordinateLocalFrameType::UTM})
	{
		const FCoordinateReferenceFrame Frame(Instance, FCoordinateReferenceSetup(FGeodeticCoordinate(46.0, 8.0, 500.0), ECoordinateAltitudeReference::MeanSeaLevel, Type));
		EXPECT_NEAR(Frame.GetLocalFrameOrigin().HeightM, 531.5, 1e-9);
		// The origin with its height as typed lies one geoid separation below the local zero.
		EXPECT_NEAR(Frame.GeodeticPositionToLocalEnu(FVector(46.0, 8.0, 500.0)).Z, -31.5, 1e-6);
		const FCoordinateReferenceFrame Ellipsoidal(Instance, FCoordinateReferenceSetup(FGeodeticCoordinate(46.0, 8.0, 500.0), ECoordinateAltitudeReference::Ellipsoid, Type));
		EXPECT_EQ(Ellipsoidal.GetLocalFrameOrigin().HeightM, 500.0);
	}

	// Without a geoid the height stays as typed, and the missing geoid is reported.
	FHostLogCapture Capture;
	const FCoordinateReferenceFrame NoGeoid(MakeModelFreeInstance(), FCoordinateReferenceSetup(FGeodeticCoordinate(46.0, 8.0, 500.0), ECoordinateAltitudeReference::MeanSeaLevel, ECoordinateLocalFrameType::Cartesian));
	EXPECT_TRUE(NoGeoid.HasLocalFrame());
	EXPECT_EQ(NoGeoid.GetLocalFrameOrigin().HeightM, 500.0);
	EXPECT_EQ(Capture.Count(TEXT("LogOutputDevice"), TEXT("Geoid model is not available.")), 1);
}

TEST(FrameLifecycle, CopiesAndMovesKeepEveryMemberAndAllocateNothing)
{
	for (const ECoordinateLocalFrameType Type : {ECoordinateLocalFrameType::Cartesian, ECoordinateLocalFrameType::UTM})
	{
		SCOPED_TRACE(Type == ECoordinateLocalFrameType::UTM ? "UTM" : "tangent plane");
		FCoordinateReferenceFrame Original = MakeFrame(Type, 52.52, 13.40, 34.0);
		const FVector Probe(52.6, 13.5, 100.0);
		const FVector Expected = Original.GeodeticPositionToLocalEnu(Probe);

		const std::size_t Before = UE::HostTest::GetAllocationCount();
		FCoordinateReferenceFrame Copy(Original);
		FCoordinateReferenceFrame Assigned;
		Assigned = Copy;
		// Self-assignment, through an alias that compilers do not flag.
		const FCoordinateReferenceFrame& Self = Assigned;
		Assigned = Self;
		FCoordinateReferenceFrame Moved(MoveTemp(Assigned));
		FVector Converted(0.0, 0.0, 0.0);
		DuRizerudore::DispatchPositionConversion(ECoordinateSystem::Geodetic, ECoordinateSystem::Local_UE, Copy, Probe, Converted);
		EXPECT_EQ(UE::HostTest::GetAllocationCount(), Before);

		EXPECT_EQ(FFrameAccess::GetProjector(Copy).Get(), FFrameAccess::GetProjector(Original).Get());
		EXPECT_EQ(Copy.GetConversion(), Original.GetConversion());
		// A moved-from frame holds null pointers and so is uninitialized.
		EXPECT_FALSE(Assigned.IsInitialized());
		EXPECT_FALSE(FFrameAccess::GetProjector(Assigned).IsValid());

		// The copies outlive the original, every member intact: bit for bit the same positions.
		Original = FCoordinateReferenceFrame();
		FCoordinateReferenceFrame MoveAssigned;
		MoveAssigned = MoveTemp(Moved);
		MoveAssigned = MoveTemp(MoveAssigned);
		for (const FCoordinateReferenceFrame* Frame : {&Copy, &MoveAssigned})
		{
			EXPECT_TRUE(Frame->IsInitialized());
			EXPECT_EQ(Frame->GeodeticPositionToLocalEnu(Probe), Expected);
			EXPECT_EQ(Frame->LocalEnuPositionToGeodetic(Expected), Copy.LocalEnuPositionToGeodetic(Expected));
			EXPECT_EQ(Frame->GetGridConvergenceDegAtGeodetic(Probe), Copy.GetGridConvergenceDegAtGeodetic(Probe));
		}
	}
}
