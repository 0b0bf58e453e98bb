// Vector, orientation and heading/pitch conversions beside the raw quaternion, UTM/UPS and geocentric
// calls they are made of.
#include <benchmark/benchmark.h>

#include "BenchmarkSupport.h"
#include "DuRizerudoreConversionInternal.h"
#include "DuRizerudoreHeadingPitch.h"
#include "DuRizerudoreRotationConversion.h"
#include "DuRizerudoreVectorConversion.h"

#include <GeographicLib/Geocentric.hpp>
#include <GeographicLib/UTMUPS.hpp>

#include <cmath>
#include <random>
#include <vector>

namespace DuRizerudoreBenchmark
{
	namespace
	{
		constexpr double OriginLat = 59.33;
		constexpr double OriginLon = 18.07;

		const FCoordinateReferenceFrame& GetDirectionFrame(const ECoordinateLocalFrameType Type)
		{
			static const TSharedPtr<FCoordinateConversionInstance> Instance = [] {
				FCoordinateConversionSetup Setup;
				Setup.GravityModel = EEarthGravityModel::None;
				Setup.GeoidModel = EEarthGravityModel::None;
				return MakeShared<FCoordinateConversionInstance>(Setup);
			}();
			static const FCoordinateReferenceFrame Cartesian(Instance, FCoordinateReferenceSetup(FGeodeticCoordinate(OriginLat, OriginLon, 0.0), ECoordinateAltitudeReference::Ellipsoid, ECoordinateLocalFrameType::Cartesian));
			static const FCoordinateReferenceFrame Utm(Instance, FCoordinateReferenceSetup(FGeodeticCoordinate(OriginLat, OriginLon, 0.0), ECoordinateAltitudeReference::Ellipsoid, ECoordinateLocalFrameType::UTM));
			return Type == ECoordinateLocalFrameType::UTM ? Utm : Cartesian;
		}

		const std::vector<FVector>& GetVectors()
		{
			static const std::vector<FVector> Vectors = [] {
				std::mt19937_64 Random(77);
				std::uniform_real_distribution<double> Component(-10.0, 10.0);
				std::vector<FVector> Result;
				for (int Index = 0; Index < 4096; ++Index)
				{
					Result.emplace_back(Component(Random), Component(Random), Component(Random));
				}
				return Result;
			}();
			return Vectors;
		}

		const std::vector<FQuat>& GetQuats()
		{
			static const std::vector<FQuat> Quats = [] {
				std::mt19937_64 Random(78);
				std::normal_distribution<double> Gaussian;
				std::vector<FQuat> Result;
				for (int Index = 0; Index < 4096; ++Index)
				{
					Result.emplace_back(Gaussian(Random), Gaussian(Random), Gaussian(Random), Gaussian(Random));
					Result.back().Normalize();
				}
				return Result;
			}();
			return Quats;
		}

		/** Nearby points in the frame's zone, geodetic. */
		const std::vector<FVector>& GetNearbyPoints()
		{
			static const std::vector<FVector> Points = [] {
				std::vector<FVector> Result;
				for (const FVector& Global : GetGeodeticPositions())
				{
					Result.emplace_back(OriginLat + Global.X / 200.0, OriginLon + Global.Y / 400.0, Global.Z);
				}
				return Result;
			}();
			return Points;
		}

		void FreeVectorEnuToGeocentric_Wrapper(benchmark::State& State)
		{
			const FCoordinateReferenceFrame& Frame = GetDirectionFrame(ECoordinateLocalFrameType::Cartesian);
			const std::vector<FVector>& Inputs = GetVectors();
			std::size_t Index = 0;
			FVector Out;
			for (auto _ : State)
			{
				benchmark::DoNotOptimize(DuRizerudore::DispatchVectorConversion(ECoordinateSystem::Local_ENU, ECoordinateSystem::Geocentric, Frame, Inputs[Index++ & 4095], Out));
				benchmark::DoNotOptimize(Out);
			}
		}

		void FreeVectorEnuToGeocentric_Raw(benchmark::State& State)
		{
			const FQuat Rotation = DuRizerudore::BuildEnuToGeocentricRotation(OriginLat, OriginLon);
			const std::vector<FVector>& Inputs = GetVectors();
			std::size_t Index = 0;
			for (auto _ : State)
			{
				benchmark::DoNotOptimize(Rotation.RotateVector(Inputs[Index++ & 4095]));
			}
		}

		void OrientationNedToGeocentric_Wrapper(benchmark::State& State)
		{
			const FCoordinateReferenceFrame& Frame = GetDirectionFrame(ECoordinateLocalFrameType::Cartesian);
			const std::vector<FQuat>& Inputs = GetQuats();
			std::size_t Index = 0;
			FQuat Out;
			for (auto _ : State)
			{
				benchmark::DoNotOptimize(DuRizerudore::DispatchRotationConversion(ECoordinateSystem::Local_NED, ECoordinateSystem::Geocentric, Frame, Inputs[Index++ & 4095], Out));
				benchmark::DoNotOptimize(Out);
			}
		}

		void OrientationNedToGeocentric_Raw(benchmark::State& State)
		{
			const FQuat SystemToGeocentric = DuRizerudore::BuildEnuToGeocentricRotation(OriginLat, OriginLon) * FQuat(0.7071067811865476, 0.7071067811865476, 0.0, 0.0);
			const std::vector<FQuat>& Inputs = GetQuats();
			std::size_t Index = 0;
			for (auto _ : State)
			{
				benchmark::DoNotOptimize(SystemToGeocentric * Inputs[Index++ & 4095]);
			}
		}

		void VectorAtPositionUtm_Wrapper(benchmark::State& State)
		{
			const FCoordinateReferenceFrame& Frame = GetDirectionFrame(ECoordinateLocalFrameType::UTM);
			const std::vector<FVector>& Points = GetNearbyPoints();
			const std::vector<FVector>& Vectors = GetVectors();
			std::size_t Index = 0;
			FVector Out;
			for (auto _ : State)
			{
				const std::size_t I = Index++ & 4095;
				benchmark::DoNotOptimize(DuRizerudore::DispatchVectorAtPositionConversion(ECoordinateSystem::Geodetic, ECoordinateSystem::Local_ENU, ECoordinateSystem::Geocentric,
					Frame, Points[I], Vectors[I], Out));
				benchmark::DoNotOptimize(Out);
			}
		}

		/** The projection for the convergence and the rotation by the point's axes, without the wrapper. */
		void VectorAtPositionUtm_Raw(benchmark::State& State)
		{
			int Zone = 0;
			bool bNorth = true;
			double X0 = 0.0;
			double Y0 = 0.0;
			GeographicLib::UTMUPS::Forward(OriginLat, OriginLon, Zone, bNorth, X0, Y0);
			const std::vector<FVector>& Points = GetNearbyPoints();
			const std::vector<FVector>& Vectors = GetVectors();
			std::size_t Index = 0;
			for (auto _ : State)
			{
				const std::size_t I = Index++ & 4095;
				const FVector& P = Points[I];
				const FVector& V = Vectors[I];
				int OutZone = 0;
				bool bOutNorth = true;
				double X = 0.0;
				double Y = 0.0;
				double Gamma = 0.0;
				double K = 0.0;
				GeographicLib::UTMUPS::Forward(P.X, P.Y, OutZone, bOutNorth, X, Y, Gamma, K, Zone, false);
				const double G = Gamma * DuRizerudore::DegreesToRadians;
				const FVector PointEnu(V.X * std::cos(G) + V.Y * std::sin(G), V.Y * std::cos(G) - V.X * std::sin(G), V.Z);
				benchmark::DoNotOptimize(DuRizerudore::BuildEnuToGeocentricRotation(P.X, P.Y).RotateVector(PointEnu));
			}
		}

		void HeadingPitchFromGeocentric_Wrapper(benchmark::State& State)
		{
			const FCoordinateReferenceFrame& Frame = GetDirectionFrame(ECoordinateLocalFrameType::Cartesian);
			const std::vector<FVector>& Positions = GetGeocentricPositions();
			const std::vector<FVector>& Vectors = GetVectors();
			std::size_t Index = 0;
			FVector2D Out;
			for (auto _ : State)
			{
				const std::size_t I = Index++ & 4095;
				benchmark::DoNotOptimize(DuRizerudore::DispatchHeadingPitchFromVector(ECoordinateSystem::Geocentric, ECoordinateSystem::Geocentric, Frame, Vectors[I], Positions[I], Out));
				benchmark::DoNotOptimize(Out);
			}
		}

		/**
		 * All the wrapped call must do at best: the geocentric inverse that resolves the position, the point's
		 * east-north-up rotation (which GeographicLib builds alongside), the vector turned into those axes, and
		 * the two angles.
		 */
		void HeadingPitchFromGeocentric_Raw(benchmark::State& State)
		{
			const GeographicLib::Geocentric& Earth = GeographicLib::Geocentric::WGS84();
			const std::vector<FVector>& Positions = GetGeocentricPositions();
			const std::vector<FVector>& Vectors = GetVectors();
			std::vector<double> R(9);
			std::size_t Index = 0;
			for (auto _ : State)
			{
				const std::size_t I = Index++ & 4095;
				const FVector& P = Positions[I];
				const FVector& V = Vectors[I];
				double Lat = 0.0;
				double Lon = 0.0;
				double H = 0.0;
				Earth.Reverse(P.X, P.Y, P.Z, Lat, Lon, H, R);
				const double E = R[0] * V.X + R[3] * V.Y + R[6] * V.Z;
				const double N = R[1] * V.X + R[4] * V.Y + R[7] * V.Z;
				const double U = R[2] * V.X + R[5] * V.Y + R[8] * V.Z;
				const FVector2D Out(std::atan2(E, N) * DuRizerudore::RadiansToDegrees, std::atan2(U, std::sqrt(E * E + N * N)) * DuRizerudore::RadiansToDegrees);
				benchmark::DoNotOptimize(Out);
			}
		}
	}

	DURIZERUDORE_BENCHMARK_PAIR(FreeVectorEnuToGeocentric, FreeVectorEnuToGeocentric_Wrapper, FreeVectorEnuToGeocentric_Raw);
	DURIZERUDORE_BENCHMARK_PAIR(OrientationNedToGeocentric, OrientationNedToGeocentric_Wrapper, OrientationNedToGeocentric_Raw);
	DURIZERUDORE_BENCHMARK_PAIR(VectorAtPositionUtm, VectorAtPositionUtm_Wrapper, VectorAtPositionUtm_Raw);
	DURIZERUDORE_BENCHMARK_PAIR(HeadingPitchFromGeocentric, HeadingPitchFromGeocentric_Wrapper, HeadingPitchFromGeocentric_Raw);
}
