// Whole poses between a frame's engine-local system and ECEF, against closed forms and PROJ.
#include <proj.h>

#include "ClosedForms.h"
#include "DuRizerudoreBlueprintLibrary.h"
#include "DuRizerudorePoseConversion.h"
#include "RandomRotation.h"
#include "VectorExpectations.h"
#include "TestPluginDirectory.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <string>

using namespace DuRizerudoreTest;

namespace
{
	struct FPoseFrameCase
	{
		const char* Name;
		bool bLocalFrame;
		ECoordinateLocalFrameType Type;
		double LatitudeDeg;
		double LongitudeDeg;
		double HeightM;
	};

	constexpr FPoseFrameCase PoseFrameCases[] = {
		{"tangent plane at mid-latitude", true, ECoordinateLocalFrameType::Cartesian, 45.0, 10.0, 100.0},
		{"tangent plane near the north pole", true, ECoordinateLocalFrameType::Cartesian, 89.5, -120.0, 0.0},
		{"UTM grid at Seattle", true, ECoordinateLocalFrameType::UTM, 47.6062, -122.3321, 50.0},
		{"UTM grid south of the equator", true, ECoordinateLocalFrameType::UTM, -34.6037, -58.3816, 20.0},
		{"no local frame", false, ECoordinateLocalFrameType::Cartesian, 0.0, 0.0, 0.0},
		{"UTM setup whose origin was refused", false, ECoordinateLocalFrameType::UTM, 0.0, 0.0, 0.0},
	};

	FCoordinateReferenceFrame MakePoseFrame(const FPoseFrameCase& Case)
	{
		UseRepositoryPlugin();
		FCoordinateConversionSetup Setup;
		Setup.GravityModel = EEarthGravityModel::None;
		Setup.GeoidModel = EEarthGravityModel::None;
		const FCoordinateReferenceSetup ReferenceSetup(FGeodeticCoordinate(Case.LatitudeDeg, Case.LongitudeDeg, Case.HeightM), ECoordinateAltitudeReference::Ellipsoid, Case.Type);
		FCoordinateReferenceFrame Frame;
		EXPECT_TRUE(UDuRizerudoreBlueprintLibrary::MakeReferenceFrame(Setup, ReferenceSetup, Frame));
		if (Case.bLocalFrame)
		{
			return Frame;
		}
		// A refused origin leaves no local frame, whatever kind of frame the setup asked for.
		const FCoordinateReferenceSetup Refused(FGeodeticCoordinate(91.0, 0.0, 0.0), ECoordinateAltitudeReference::Ellipsoid, Case.Type);
		return Case.Type == ECoordinateLocalFrameType::UTM ? FCoordinateReferenceFrame(Frame.GetConversionPtr(), Refused) : FCoordinateReferenceFrame(Frame.GetConversionPtr());
	}

	/** PROJ's UTM grid of the zone holding the origin, on geodetic degrees (latitude first). */
	class FProjUtm
	{
	public:
		FProjUtm(const double LatitudeDeg, const double LongitudeDeg)
		{
			const int Zone = static_cast<int>(std::floor((LongitudeDeg + 180.0) / 6.0)) + 1;
			char Definition[128];
			std::snprintf(Definition, sizeof(Definition), "+proj=utm +zone=%d %s +ellps=WGS84", Zone, LatitudeDeg < 0.0 ? "+south" : "");
			Context = proj_context_create();
			Projection = proj_create(Context, Definition);
		}
		~FProjUtm()
		{
			proj_destroy(Projection);
			proj_context_destroy(Context);
		}

		/** (easting, northing) of a geodetic point. */
		FVector Forward(const double LatitudeDeg, const double LongitudeDeg) const
		{
			const PJ_COORD Grid = proj_trans(Projection, PJ_FWD, proj_coord(Radians(LongitudeDeg), Radians(LatitudeDeg), 0, 0));
			return FVector(Grid.xy.x, Grid.xy.y, 0.0);
		}

		/** (latitude, longitude) in degrees of a grid point. */
		FVector Inverse(const double Easting, const double Northing) const
		{
			const PJ_COORD Geodetic = proj_trans(Projection, PJ_INV, proj_coord(Easting, Northing, 0, 0));
			return FVector(Geodetic.lp.phi * 180.0 / M_PI, Geodetic.lp.lam * 180.0 / M_PI, 0.0);
		}

		/** The meridian convergence in radians: grid north clockwise from true north. */
		double Convergence(const double LatitudeDeg, const double LongitudeDeg) const
		{
			return proj_factors(Projection, proj_coord(Radians(LongitudeDeg), Radians(LatitudeDeg), 0, 0)).meridian_convergence;
		}

	private:
		PJ_CONTEXT* Context = nullptr;
		PJ* Projection = nullptr;
	};

	FVector Row(const FMatrix& Matrix, const int32 Index)
	{
		return FVector(Matrix.M[Index][0], Matrix.M[Index][1], Matrix.M[Index][2]);
	}
}

TEST(PoseConversion, AgreesWithClosedFormsAndProjAndRoundTrips)
{
	std::mt19937_64 Random(5353);
	std::uniform_real_distribution<double> Horizontal(-2.0e6, 2.0e6);
	std::uniform_real_distribution<double> Vertical(-1.0e5, 5.0e5);
	for (const FPoseFrameCase& Case : PoseFrameCases)
	{
		SCOPED_TRACE(Case.Name);
		const FCoordinateReferenceFrame Frame = MakePoseFrame(Case);
		const FProjUtm Utm(Case.LatitudeDeg, Case.LongitudeDeg);
		const FVector OriginGrid = Utm.Forward(Case.LatitudeDeg, Case.LongitudeDeg);
		for (int32 Sample = 0; Sample < 40; ++Sample)
		{
			const FVector LocalPosition(Horizontal(Random), Horizontal(Random), Vertical(Random));
			const FMatrix LocalPose = DuRizerudore::MakePoseMatrix(RandomRotation(Random), LocalPosition);
			FMatrix EcefPose;
			ASSERT_TRUE(DuRizerudore::ConvertLocalUePoseToEcefPose(Frame, LocalPose, EcefPose));

			// Centimetres in engine axes to metres east, north, up.
			const double East = LocalPosition.Y * 0.01;
			const double North = LocalPosition.X * 0.01;
			const double Up = LocalPosition.Z * 0.01;
			FVector ExpectedPosition;
			FVector ExpectedAxes[3];
			if (!Case.bLocalFrame)
			{
				ExpectedPosition = FVector(East, North, Up);
				for (int32 Axis = 0; Axis < 3; ++Axis)
				{
					const FVector A = Row(LocalPose, Axis);
					ExpectedAxes[Axis] = FVector(A.Y, A.X, A.Z);
				}
			}
			else if (Case.Type == ECoordinateLocalFrameType::Cartesian)
			{
				ExpectedPosition = ClosedFormEcef(Case.LatitudeDeg, Case.LongitudeDeg, Case.HeightM) + ClosedFormEast(Case.LongitudeDeg) * East
					+ ClosedFormNorth(Case.LatitudeDeg, Case.LongitudeDeg) * North + ClosedFormUp(Case.LatitudeDeg, Case.LongitudeDeg) * Up;
				for (int32 Axis = 0; Axis < 3; ++Axis)
				{
					ExpectedAxes[Axis] = ClosedFormEngineAxisToEcef(Row(LocalPose, Axis), Case.LatitudeDeg, Case.LongitudeDeg);
				}
			}
			else
			{
				const FVector Point = Utm.Inverse(OriginGrid.X + East, OriginGrid.Y + North);
				ExpectedPosition = ClosedFormEcef(Point.X, Point.Y, Case.HeightM + Up);
				const double Gamma = Utm.Convergence(Point.X, Point.Y);
				for (int32 Axis = 0; Axis < 3; ++Axis)
				{
					// Grid north lies Gamma east of true north.
					const FVector A = Row(LocalPose, Axis);
					const FVector TrueAxis(std::cos(Gamma) * A.X - std::sin(Gamma) * A.Y, std::sin(Gamma) * A.X + std::cos(Gamma) * A.Y, A.Z);
					ExpectedAxes[Axis] = ClosedFormEngineAxisToEcef(TrueAxis, Point.X, Point.Y);
				}
			}
			ExpectVectorNear(Row(EcefPose, 3), ExpectedPosition, 1e-6, "ECEF position");
			for (int32 Axis = 0; Axis < 3; ++Axis)
			{
				ExpectVectorNear(Row(EcefPose, Axis), ExpectedAxes[Axis], 1e-9, "ECEF axis");
				EXPECT_EQ(EcefPose.M[Axis][3], 0.0);
			}
			EXPECT_EQ(EcefPose.M[3][3], 1.0);

			FMatrix RoundTrip;
			ASSERT_TRUE(DuRizerudore::ConvertEcefPoseToLocalUePose(Frame, EcefPose, RoundTrip));
			ExpectVectorNear(Row(RoundTrip, 3), LocalPosition, 1e-5, "local position after a round trip");
			for (int32 Axis = 0; Axis < 3; ++Axis)
			{
				ExpectVectorNear(Row(RoundTrip, Axis), Row(LocalPose, Axis), 1e-12, "local axis after a round trip");
			}
		}
	}
}

TEST(PoseConversion, DecompositionDropsScaleFlipsMirroredXAndFallsBackToIdentity)
{
	const FQuat Rotation = FRotator(20.0, -35.0, 10.0).Quaternion();
	const FVector Position(1.0, 2.0, 3.0);
	const FMatrix Pose = DuRizerudore::MakePoseMatrix(Rotation, Position);

	struct FDecompositionCase
	{
		const char* Name;
		FMatrix Matrix;
		FQuat ExpectedRotation;
	};
	FMatrix Scaled = Pose;
	FMatrix Mirrored = Pose;
	FMatrix Degenerate = Pose;
	for (int32 Column = 0; Column < 3; ++Column)
	{
		for (int32 Axis = 0; Axis < 3; ++Axis)
		{
			Scaled.M[Axis][Column] *= 2.5;
			Degenerate.M[Axis][Column] = 0.0;
		}
		Mirrored.M[1][Column] = -Mirrored.M[1][Column];
	}
	// Mirroring Y is a mirror of X after a half turn about Z: the engine keeps the mirror on X and the turn.
	const FQuat MirroredRotation = Rotation * FQuat(FVector(0.0, 0.0, 1.0), M_PI);
	const FDecompositionCase Cases[] = {
		{"scaled axes", Scaled, Rotation},
		{"mirrored basis", Mirrored, MirroredRotation},
		{"degenerate axes", Degenerate, FQuat::Identity},
	};
	for (const FDecompositionCase& Case : Cases)
	{
		SCOPED_TRACE(Case.Name);
		FVector OutPosition(0.0, 0.0, 0.0);
		FQuat OutRotation = FQuat::Identity;
		DuRizerudore::DecomposePoseMatrix(Case.Matrix, OutPosition, OutRotation);
		ExpectVectorNear(OutPosition, Position, 0.0, "position");
		// q and -q are one rotation.
		const double Dot = OutRotation.X * Case.ExpectedRotation.X + OutRotation.Y * Case.ExpectedRotation.Y + OutRotation.Z * Case.ExpectedRotation.Z
			+ OutRotation.W * Case.ExpectedRotation.W;
		EXPECT_NEAR(std::abs(Dot), 1.0, 1e-12);
	}
}
