// Every number quoted in the README's "Conventions" table, computed the way a user meets it and held
// against the value measured with GeographicLib's tools (GeodSolve, CartConvert, GeoConvert, GeoidEval)
// or a closed form. Behaviour already pinned elsewhere is pointed to, not repeated.
#include "DuRizerudoreAnchorComponent.h"
#include "DuRizerudoreBlueprintLibrary.h"
#include "DuRizerudoreSystem.h"
#include "TestPluginDirectory.h"
#include "WorldTestSupport.h"

#include <GeographicLib/Geodesic.hpp>
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

using namespace DuRizerudoreTest;
using FLibrary = UDuRizerudoreBlueprintLibrary;
using ES = ECoordinateSystem;

namespace
{
	FCoordinateConversionSetup ModelFree()
	{
		FCoordinateConversionSetup Setup;
		Setup.GravityModel = EEarthGravityModel::None;
		Setup.GeoidModel = EEarthGravityModel::None;
		return Setup;
	}

	FCoordinateReferenceFrame Frame(const double LatitudeDeg, const double LongitudeDeg, const ECoordinateLocalFrameType Type = ECoordinateLocalFrameType::Cartesian)
	{
		FCoordinateReferenceFrame Result;
		EXPECT_TRUE(FLibrary::MakeReferenceFrame(ModelFree(), FCoordinateReferenceSetup(FGeodeticCoordinate(LatitudeDeg, LongitudeDeg, 0.0),
			ECoordinateAltitudeReference::Ellipsoid, Type), Result));
		return Result;
	}

	FVector Position(const FCoordinateReferenceFrame& F, const ES From, const ES To, const FVector& P)
	{
		FVector Out(NAN, NAN, NAN);
		EXPECT_TRUE(FLibrary::ConvertPosition(F, From, To, P, Out));
		return Out;
	}

	FVector Vector(const FCoordinateReferenceFrame& F, const ES From, const ES To, const FVector& V)
	{
		FVector Out(NAN, NAN, NAN);
		EXPECT_TRUE(FLibrary::ConvertVector(F, From, To, V, Out));
		return Out;
	}

	FVector VectorAt(const FCoordinateReferenceFrame& F, const ES From, const ES To, const FVector& V, const ES PositionSystem, const FVector& P)
	{
		FVector Out(NAN, NAN, NAN);
		EXPECT_TRUE(FLibrary::ConvertVectorAtPosition(F, From, To, V, PositionSystem, P, Out));
		return Out;
	}

	FVector Gravity(const FCoordinateReferenceFrame& F, const FVector& Geodetic, const ES VectorSystem)
	{
		FVector Out;
		EXPECT_TRUE(FLibrary::GetGravity(F, ES::Geodetic, Geodetic, VectorSystem, Out));
		return Out;
	}

	FRotator Rotator(const FCoordinateReferenceFrame& F, const ES From, const ES To, const FRotator& R)
	{
		FRotator Out(NAN, NAN, NAN);
		EXPECT_TRUE(FLibrary::ConvertRotator(F, From, To, R, Out));
		return Out;
	}

	double AngleDeg(const FVector& A, const FVector& B)
	{
		return std::acos(std::clamp(A.GetSafeNormal() | B.GetSafeNormal(), -1.0, 1.0)) * 57.29577951308232;
	}

	FVector ClosedFormUp(const double LatitudeDeg, const double LongitudeDeg)
	{
		const double Phi = LatitudeDeg * 0.017453292519943295, Lambda = LongitudeDeg * 0.017453292519943295;
		return FVector(std::cos(Phi) * std::cos(Lambda), std::cos(Phi) * std::sin(Lambda), std::sin(Phi));
	}

	/** The height above the equator where gravity's up component changes sign, found by bisection. */
	double HeightWhereGravityTurnsUp(const FCoordinateReferenceFrame& F)
	{
		double Low = 30.0e6, High = 40.0e6;
		while (High - Low > 1.0)
		{
			const double Middle = 0.5 * (Low + High);
			(Gravity(F, FVector(0.0, 0.0, Middle), ES::Local_ENU).Z < 0.0 ? Low : High) = Middle;
		}
		return Low;
	}

	struct FExample
	{
		const char* What;
		double Actual;
		double Expected;
		double Tolerance;
	};

	void ExpectExamples(const std::initializer_list<FExample> Examples)
	{
		for (const FExample& Example : Examples)
		{
			EXPECT_NEAR(Example.Actual, Example.Expected, Example.Tolerance) << Example.What;
		}
	}
}

TEST(Conventions, FrameExamplesHaveTheirDocumentedValues)
{
	UseRepositoryPlugin();
	const FVector Greenwich(51.4779, -0.0015, 46.0);
	const FCoordinateReferenceFrame AtGreenwich = Frame(Greenwich.X, Greenwich.Y);
	const FCoordinateReferenceFrame At60North = Frame(60.0, 0.0);
	const FCoordinateReferenceFrame AtPole = Frame(90.0, 45.0);
	const FCoordinateReferenceFrame Utm = Frame(60.0, 3.5, ECoordinateLocalFrameType::UTM);
	const FCoordinateReferenceFrame NoLocalFrame(MakeShared<FCoordinateConversionInstance, ESPMode::ThreadSafe>(ModelFree()));
	const FVector Paris(48.8566, 2.3522, 0.0);
	const FVector GroundTip = Position(Utm, ES::Local_UE, ES::Geodetic, FVector(0.0, 1.0e6, 0.0));
	double GroundM = 0.0;
	GeographicLib::Geodesic::WGS84().Inverse(60.0, 3.5, GroundTip.X, GroundTip.Y, GroundM);

	ExpectExamples({
		// 1. Vectors keep their unit: 3 m east is (0, 3, 0) in Local_UE; as positions the points are 300 cm apart.
		{"3 m east, Local_UE vector Y", Vector(AtGreenwich, ES::Local_ENU, ES::Local_UE, FVector(3.0, 0.0, 0.0)).Y, 3.0, 0.0},
		{"3 m east, Local_UE position Y", Position(AtGreenwich, ES::Local_ENU, ES::Local_UE, FVector(3.0, 0.0, 0.0)).Y, 300.0, 1e-9},
		{"gravity at Greenwich, Local_UE Z (m/s^2)", Gravity(AtGreenwich, Greenwich, ES::Local_UE).Z, -9.81, 0.005},
		// 3. North at the origin against north 500 km east of it (60N): 7.69 degrees (CartConvert and the closed form).
		{"free against at-position north, degrees",
			AngleDeg(Vector(At60North, ES::Local_ENU, ES::Geocentric, FVector(0.0, 1.0, 0.0)),
				VectorAt(At60North, ES::Local_ENU, ES::Geocentric, FVector(0.0, 1.0, 0.0), ES::Local_ENU, FVector(500.0e3, 0.0, 0.0))),
			7.68996, 1e-4},
		// 4. Pitch +10 in Local_NED is the nose 10 degrees below the horizon.
		{"NED pitch 10 read in Local_ENU", Rotator(AtGreenwich, ES::Local_NED, ES::Local_ENU, FRotator(10.0, 0.0, 0.0)).Pitch, -10.0, 1e-9},
		{"NED pitch 10 read in Local_ENU, yaw", Rotator(AtGreenwich, ES::Local_NED, ES::Local_ENU, FRotator(10.0, 0.0, 0.0)).Yaw, 90.0, 1e-9},
		// 5. The engine's singularity threshold 0.4999995 is a pitch of asin(0.999999) = 89.919 degrees.
		{"pitch 89.92 snaps", Rotator(AtGreenwich, ES::Local_ENU, ES::Local_ENU, FRotator(89.92, 30.0, 20.0)).Pitch, 90.0, 0.0},
		{"pitch 89.95 snaps, roll takes up the rest", Rotator(AtGreenwich, ES::Local_ENU, ES::Local_ENU, FRotator(89.95, 30.0, 20.0)).Roll, 20.025, 0.001},
		{"pitch 89.91 stays", Rotator(AtGreenwich, ES::Local_ENU, ES::Local_ENU, FRotator(89.91, 30.0, 20.0)).Pitch, 89.91, 1e-9},
		// 6. UTM zone 47 at 83.99N 100E (convergence 0.9945, GeoConvert -c) against UPS at 84N (convergence 100).
		{"grid north turns at 84N, degrees",
			AngleDeg(Vector(Frame(83.99, 100.0, ECoordinateLocalFrameType::UTM), ES::Local_ENU, ES::Geocentric, FVector(0.0, 1.0, 0.0)),
				Vector(Frame(84.0, 100.0, ECoordinateLocalFrameType::UTM), ES::Local_ENU, ES::Geocentric, FVector(0.0, 1.0, 0.0))),
			99.0055, 1e-3},
		// 7. Normal gravity turns outward near the geostationary radius (42,164 km from the centre for a point mass).
		{"normal gravity 1000 km above the equator, up", Gravity(AtGreenwich, FVector(0.0, 0.0, 1000.0e3), ES::Local_ENU).Z, -7.292, 0.001},
		{"gravity turns up above the equator, m", HeightWhereGravityTurnsUp(AtGreenwich), 35.786e6, 10.0e3},
		// 8. Without a local frame a free up vector is geocentric Z, an up vector at Paris is Paris's vertical.
		{"free Local_ENU up, geocentric Z", Vector(NoLocalFrame, ES::Local_ENU, ES::Geocentric, FVector(0.0, 0.0, 1.0)).Z, 1.0, 0.0},
		{"Local_ENU up at Paris against its vertical, degrees",
			AngleDeg(VectorAt(NoLocalFrame, ES::Local_ENU, ES::Geocentric, FVector(0.0, 0.0, 1.0), ES::Geodetic, Paris), ClosedFormUp(Paris.X, Paris.Y)), 0.0, 1e-6},
		// 9. A pole origin given longitude 45: east is along longitude 135, the origin reads back longitude 0.
		{"east at the pole, geocentric X", Vector(AtPole, ES::Local_ENU, ES::Geocentric, FVector(1.0, 0.0, 0.0)).X, -std::sqrt(0.5), 1e-12},
		{"pole origin read back, longitude", Position(AtPole, ES::Local_ENU, ES::Geodetic, FVector(0.0, 0.0, 0.0)).Y, 0.0, 0.0},
		{"pole origin as stored, longitude", AtPole.GetLocalFrameOrigin().LongitudeDeg, 45.0, 0.0},
		// 11. The tangent plane 100 km east of an origin at 45N is 782.567 m above the ellipsoid (CartConvert -r -l 45 0 0).
		{"tangent plane 100 km east, height", Position(Frame(45.0, 0.0), ES::Local_ENU, ES::Geodetic, FVector(100.0e3, 0.0, 0.0)).Z, 782.567127, 1e-5},
		// 12. 10 km of grid east at 60N 3.5E (zone 32, the Norway exception) is 9992.859446 m on the ground (GeodSolve -i).
		{"10 km of UTM east on the ground, m", GroundM, 9992.859446, 1e-5},
		// 13. 10 m east at the equator crossing 180 degrees: 10 / 6378137 rad east, minus 360.
		{"longitude increment across 180, degrees",
			VectorAt(AtGreenwich, ES::Local_ENU, ES::Geodetic, FVector(10.0, 0.0, 0.0), ES::Geodetic, FVector(0.0, 179.99995, 0.0)).Y,
			10.0 / 6378137.0 * 57.29577951308232 - 360.0, 1e-8},
	});
}

// 2 and 10 as a game meets them: through a world's coordinate system and an anchored actor. That the anchor keeps
// its ECEF axes on SetGeodeticPosition is pinned by AnchorComponent.GeodeticSettersAndTheirLimits; this checks the
// documented lean.
TEST(Conventions, PoseExamplesHaveTheirDocumentedValues)
{
	UseRepositoryPlugin();
	FTestWorld World;
	FCoordinateSystemSettings Settings;
	Settings.bAuthority = true;
	Settings.ReferenceSetup = MakeReferenceSetup(ECoordinateLocalFrameType::Cartesian, 0.0, 0.0, 0.0);
	const ADuRizerudoreSystem* const System = LoadCoordinateSystem(World.Get(), Settings);
	FVector EcefPosition;
	FQuat EcefRotation;
	ASSERT_TRUE(System->ConvertAuthorityLocalToEcef(FVector(0.0, 0.0, 0.0), FQuat::Identity, EcefPosition, EcefRotation));
	FMatrix EcefPose;
	ASSERT_TRUE(System->ConvertAuthorityLocalTransformToEcefMatrix(FTransform::Identity, EcefPose));

	const FAnchoredActor Placed = SpawnAnchoredActor(World.Get(), FTransform::Identity);
	// 100 km north of 45N (GeodSolve: 45.89976145 N): the verticals differ by 0.89976 degrees.
	Placed.Anchor->SetGeodeticPosition(FGeodeticCoordinate(45.0, 0.0, 0.0));
	Placed.Anchor->SetGeodeticRotation(FRotator(0.0, 0.0, 0.0));
	Placed.Anchor->SetGeodeticPosition(FGeodeticCoordinate(45.89976145336159, 0.0, 0.0));
	const double LeanDeg = AngleDeg(Placed.Anchor->GetEcefZAxis(), ClosedFormUp(45.89976145336159, 0.0));
	Placed.Anchor->SetGeodeticRotation(FRotator(0.0, 0.0, 0.0));

	ExpectExamples({
		{"identity pose at 0, 0: ECEF rotation Y", EcefRotation.Y, std::sqrt(0.5), 1e-12},
		{"identity pose at 0, 0: ECEF rotation W", EcefRotation.W, std::sqrt(0.5), 1e-12},
		{"the rotation turns +X to south (-Z)", EcefRotation.RotateVector(FVector(1.0, 0.0, 0.0)).Z, -1.0, 1e-12},
		{"row 0 is forward, north (+Z)", EcefPose.M[0][2], 1.0, 1e-12},
		{"lean after a 100 km move, degrees", LeanDeg, 0.89976, 1e-4},
		{"lean after SetGeodeticRotation, degrees", AngleDeg(Placed.Anchor->GetEcefZAxis(), ClosedFormUp(45.89976145336159, 0.0)), 0.0, 1e-6},
	});
	// An attitude from elsewhere enters as the rotation of the rows (-forward, right, up): the same rotation comes back.
	FVector LocalPosition;
	FQuat LocalRotation;
	ASSERT_TRUE(System->ConvertEcefToAuthorityLocal(EcefPosition, EcefRotation, LocalPosition, LocalRotation));
	EXPECT_TRUE(LocalRotation.Equals(FQuat::Identity, 1e-12));
}

// The default geoid against EGM96, bilinear in both (GeoidEval -l): 46.5506 and 44.5634 at Paris, -47.5080 and
// -30.6570 at 28.5N 94.5E, the largest difference on a quarter-degree sweep of the globe.
TEST(Conventions, DefaultGeoidDiffersFromEgm96AsDocumented)
{
	if (!IsInstalledEgm84Available() || !std::filesystem::is_regular_file(GetInstalledDataDirectory() / "geoids" / "egm96-15.pgm"))
	{
		GTEST_SKIP() << "EGM84 or the EGM96 geoid is not installed below the plugin; run scripts/install-data";
	}
	UseRepositoryPlugin();
	FCoordinateConversionSetup Egm96Setup = ModelFree();
	Egm96Setup.GeoidModel = EEarthGravityModel::EGM96;
	const FCoordinateConversionInstance Egm84{FCoordinateConversionSetup()};
	const FCoordinateConversionInstance Egm96(Egm96Setup);
	ASSERT_TRUE(Egm84.IsInitialized() && Egm96.IsInitialized());
	const auto Difference = [&](const double LatitudeDeg, const double LongitudeDeg)
	{ return Egm84.GetGeoidHeight(FVector(LatitudeDeg, LongitudeDeg, 0.0)) - Egm96.GetGeoidHeight(FVector(LatitudeDeg, LongitudeDeg, 0.0)); };
	ExpectExamples({
		{"EGM84 - EGM96 at Paris, m", Difference(48.8566, 2.3522), 1.987, 0.001},
		{"EGM84 - EGM96 at 28.5N 94.5E, m", Difference(28.5, 94.5), -16.851, 0.001},
	});
}
