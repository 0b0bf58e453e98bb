// Reference-frame position conversions beside the raw GeographicLib calls they make, and PROJ's
// proj_trans doing the same work.
#include <benchmark/benchmark.h>
#include <proj.h>

#include "BenchmarkSupport.h"
#include "DuRizerudorePositionConversion.h"

#include <GeographicLib/Geocentric.hpp>
#include <GeographicLib/LocalCartesian.hpp>
#include <GeographicLib/UTMUPS.hpp>

#include <cstdio>
#include <memory>
#include <string>

namespace DuRizerudoreBenchmark
{
	namespace
	{
		constexpr double OriginLat = 48.137;
		constexpr double OriginLon = 11.575;
		constexpr double OriginH = 520.0;

		/** Positions within about 50 km of the origin, geodetic. */
		const std::vector<FVector>& GetNearbyGeodetic()
		{
			static const std::vector<FVector> Positions = [] {
				std::vector<FVector> Result;
				for (const FVector& Global : GetGeodeticPositions())
				{
					Result.emplace_back(OriginLat + Global.X / 200.0, OriginLon + Global.Y / 400.0, Global.Z);
				}
				return Result;
			}();
			return Positions;
		}

		const FCoordinateReferenceFrame& GetFrame(const ECoordinateLocalFrameType Type)
		{
			static const TSharedPtr<FCoordinateConversionInstance> Instance = [] {
				FCoordinateConversionSetup Setup;
				Setup.GravityModel = EEarthGravityModel::None;
				Setup.GeoidModel = EEarthGravityModel::None;
				return MakeShared<FCoordinateConversionInstance>(Setup);
			}();
			static const FCoordinateReferenceFrame Cartesian(Instance, FCoordinateReferenceSetup(FGeodeticCoordinate(OriginLat, OriginLon, OriginH), ECoordinateAltitudeReference::Ellipsoid, ECoordinateLocalFrameType::Cartesian));
			static const FCoordinateReferenceFrame Utm(Instance, FCoordinateReferenceSetup(FGeodeticCoordinate(OriginLat, OriginLon, OriginH), ECoordinateAltitudeReference::Ellipsoid, ECoordinateLocalFrameType::UTM));
			return Type == ECoordinateLocalFrameType::UTM ? Utm : Cartesian;
		}

		/** Positions of one system in another, through the tangent-plane frame. */
		std::vector<FVector> ConvertAll(const ECoordinateSystem From, const ECoordinateSystem To, const std::vector<FVector>& Inputs)
		{
			std::vector<FVector> Result;
			for (const FVector& Input : Inputs)
			{
				FVector Output;
				DuRizerudore::DispatchPositionConversion(From, To, GetFrame(ECoordinateLocalFrameType::Cartesian), Input, Output);
				Result.push_back(Output);
			}
			return Result;
		}

		const std::vector<FVector>& GetNearbyGeocentric()
		{
			static const std::vector<FVector> Positions = ConvertAll(ECoordinateSystem::Geodetic, ECoordinateSystem::Geocentric, GetNearbyGeodetic());
			return Positions;
		}

		const std::vector<FVector>& GetNearbyUe()
		{
			static const std::vector<FVector> Positions = ConvertAll(ECoordinateSystem::Geodetic, ECoordinateSystem::Local_UE, GetNearbyGeodetic());
			return Positions;
		}

		/** The same positions as GetNearbyUe in local east-north-up metres, the input PROJ's topocentric inverse expects. */
		const std::vector<FVector>& GetNearbyEnu()
		{
			static const std::vector<FVector> Positions = ConvertAll(ECoordinateSystem::Local_UE, ECoordinateSystem::Local_ENU, GetNearbyUe());
			return Positions;
		}

		/** The tangent plane at the origin as GeographicLib computes it: the origin in ECEF and the row-major east-north-up to ECEF matrix. */
		struct FRawTangentPlane
		{
			double Origin[3] = {0.0, 0.0, 0.0};
			std::vector<double> Rotation = std::vector<double>(9);

			FRawTangentPlane()
			{
				GeographicLib::Geocentric::WGS84().Forward(OriginLat, OriginLon, OriginH, Origin[0], Origin[1], Origin[2], Rotation);
			}
		};

		template <ECoordinateSystem From, ECoordinateSystem To, ECoordinateLocalFrameType Type>
		void Dispatch_Wrapper(benchmark::State& State)
		{
			const FCoordinateReferenceFrame& Frame = GetFrame(Type);
			const std::vector<FVector>& Inputs = From == ECoordinateSystem::Geodetic ? GetNearbyGeodetic() : (From == ECoordinateSystem::Geocentric ? GetNearbyGeocentric() : GetNearbyUe());
			std::size_t Index = 0;
			FVector Out;
			for (auto _ : State)
			{
				benchmark::DoNotOptimize(DuRizerudore::DispatchPositionConversion(From, To, Frame, Inputs[Index++ & 4095], Out));
				benchmark::DoNotOptimize(Out);
			}
		}

		/** What the tangent-plane conversion costs in GeographicLib itself: one LocalCartesian call. */
		void GeodeticToLocalUeTangent_Raw(benchmark::State& State)
		{
			// Held on the heap, as any long-lived projector is.
			const auto Projector = std::make_shared<GeographicLib::LocalCartesian>(OriginLat, OriginLon, OriginH, GeographicLib::Geocentric::WGS84());
			const std::vector<FVector>& Inputs = GetNearbyGeodetic();
			std::size_t Index = 0;
			for (auto _ : State)
			{
				const FVector& In = Inputs[Index++ & 4095];
				FVector Enu;
				Projector->Forward(In.X, In.Y, In.Z, Enu.X, Enu.Y, Enu.Z);
				const FVector Out(Enu.Y * 100.0, Enu.X * 100.0, Enu.Z * 100.0);
				benchmark::DoNotOptimize(Out);
			}
		}

		void GeodeticToLocalUeUtm_Raw(benchmark::State& State)
		{
			int Zone = 0;
			bool bNorth = true;
			double E0 = 0.0;
			double N0 = 0.0;
			GeographicLib::UTMUPS::Forward(OriginLat, OriginLon, Zone, bNorth, E0, N0);
			const std::vector<FVector>& Inputs = GetNearbyGeodetic();
			std::size_t Index = 0;
			for (auto _ : State)
			{
				const FVector& In = Inputs[Index++ & 4095];
				int OutZone = 0;
				bool bOutNorth = true;
				double X = 0.0;
				double Y = 0.0;
				double Gamma = 0.0;
				double K = 0.0;
				GeographicLib::UTMUPS::Forward(In.X, In.Y, OutZone, bOutNorth, X, Y, Gamma, K, Zone, false);
				benchmark::DoNotOptimize(X - E0);
				benchmark::DoNotOptimize(Y - N0);
			}
		}

		/** At best, geocentric to a tangent plane is a subtraction and the transposed rotation (then the engine's axes and centimetres). */
		void GeocentricToLocalUeTangent_Raw(benchmark::State& State)
		{
			const FRawTangentPlane Plane;
			const double* const R = Plane.Rotation.data();
			const std::vector<FVector>& Inputs = GetNearbyGeocentric();
			std::size_t Index = 0;
			for (auto _ : State)
			{
				const FVector& In = Inputs[Index++ & 4095];
				const double X = In.X - Plane.Origin[0];
				const double Y = In.Y - Plane.Origin[1];
				const double Z = In.Z - Plane.Origin[2];
				const FVector Out((R[1] * X + R[4] * Y + R[7] * Z) * 100.0, (R[0] * X + R[3] * Y + R[6] * Z) * 100.0, (R[2] * X + R[5] * Y + R[8] * Z) * 100.0);
				benchmark::DoNotOptimize(Out);
			}
		}

		/** The reverse: metres in east-north-up order, rotated and added to the origin. */
		void LocalUeToGeocentricTangent_Raw(benchmark::State& State)
		{
			const FRawTangentPlane Plane;
			const double* const R = Plane.Rotation.data();
			const std::vector<FVector>& Inputs = GetNearbyUe();
			std::size_t Index = 0;
			for (auto _ : State)
			{
				const FVector& In = Inputs[Index++ & 4095];
				const double E = In.Y * 0.01;
				const double N = In.X * 0.01;
				const double U = In.Z * 0.01;
				const FVector Out(Plane.Origin[0] + R[0] * E + R[1] * N + R[2] * U, Plane.Origin[1] + R[3] * E + R[4] * N + R[5] * U,
					Plane.Origin[2] + R[6] * E + R[7] * N + R[8] * U);
				benchmark::DoNotOptimize(Out);
			}
		}

		void LocalUeToGeodetic_Raw(benchmark::State& State)
		{
			const GeographicLib::LocalCartesian Projector(OriginLat, OriginLon, OriginH, GeographicLib::Geocentric::WGS84());
			const std::vector<FVector>& Inputs = GetNearbyUe();
			std::size_t Index = 0;
			for (auto _ : State)
			{
				const FVector& In = Inputs[Index++ & 4095];
				FVector Out;
				Projector.Reverse(In.Y * 0.01, In.X * 0.01, In.Z * 0.01, Out.X, Out.Y, Out.Z);
				benchmark::DoNotOptimize(Out);
			}
		}

		void FrameCopy_Wrapper(benchmark::State& State)
		{
			const FCoordinateReferenceFrame& Frame = GetFrame(ECoordinateLocalFrameType::Cartesian);
			for (auto _ : State)
			{
				FCoordinateReferenceFrame Copy(Frame);
				benchmark::DoNotOptimize(Copy);
			}
		}

		/** A frame copy competes with copying the two shared pointers it holds. */
		void FrameCopy_Raw(benchmark::State& State)
		{
			const std::shared_ptr<int> First = std::make_shared<int>(1);
			const std::shared_ptr<int> Second = std::make_shared<int>(2);
			for (auto _ : State)
			{
				std::shared_ptr<int> A = First;
				std::shared_ptr<int> B = Second;
				benchmark::DoNotOptimize(A);
				benchmark::DoNotOptimize(B);
			}
		}

		/** PROJ's proj_trans for the same conversion, from a pipeline definition. */
		class FProjRunner
		{
		public:
			explicit FProjRunner(const std::string& Definition)
				: Context(proj_context_create())
				, Pipeline(proj_create(Context, Definition.c_str()))
			{
			}
			~FProjRunner()
			{
				proj_destroy(Pipeline);
				proj_context_destroy(Context);
			}
			PJ* Get() const { return Pipeline; }

		private:
			PJ_CONTEXT* Context;
			PJ* Pipeline;
		};

		std::string Origin()
		{
			char Text[128];
			std::snprintf(Text, sizeof(Text), "+lat_0=%.17g +lon_0=%.17g +h_0=%.17g", OriginLat, OriginLon, OriginH);
			return Text;
		}

		void RunProj(benchmark::State& State, const std::string& Definition, const std::vector<FVector>& Inputs, const PJ_DIRECTION Direction)
		{
			const FProjRunner Runner(Definition);
			if (Runner.Get() == nullptr)
			{
				State.SkipWithError("PROJ pipeline could not be built");
				return;
			}
			std::size_t Index = 0;
			for (auto _ : State)
			{
				const FVector& In = Inputs[Index++ & 4095];
				benchmark::DoNotOptimize(proj_trans(Runner.Get(), Direction, proj_coord(In.X, In.Y, In.Z, 0)));
			}
		}

		const char* const GeodeticDegrees = "+proj=pipeline +step +proj=unitconvert +xy_in=deg +xy_out=rad +step +proj=axisswap +order=2,1 ";

		void GeodeticToLocalUeTangent_Proj(benchmark::State& State)
		{
			RunProj(State, std::string(GeodeticDegrees) + "+step +proj=cart +ellps=WGS84 +step +proj=topocentric +ellps=WGS84 " + Origin(), GetNearbyGeodetic(), PJ_FWD);
		}

		void GeodeticToLocalUeUtm_Proj(benchmark::State& State)
		{
			RunProj(State, std::string(GeodeticDegrees) + "+step +proj=utm +zone=32 +ellps=WGS84", GetNearbyGeodetic(), PJ_FWD);
		}

		/** PROJ's topocentric conversion works in east-north-up metres; the axis swap and centimetres are left to the caller, so PROJ does less. */
		void GeocentricToLocalUeTangent_Proj(benchmark::State& State)
		{
			RunProj(State, "+proj=topocentric +ellps=WGS84 " + Origin(), GetNearbyGeocentric(), PJ_FWD);
		}

		void LocalUeToGeocentricTangent_Proj(benchmark::State& State)
		{
			RunProj(State, "+proj=topocentric +ellps=WGS84 " + Origin(), GetNearbyEnu(), PJ_INV);
		}

		void LocalUeToGeodetic_Proj(benchmark::State& State)
		{
			RunProj(State, std::string(GeodeticDegrees) + "+step +proj=cart +ellps=WGS84 +step +proj=topocentric +ellps=WGS84 " + Origin(), GetNearbyEnu(), PJ_INV);
		}
	}

	DURIZERUDORE_BENCHMARK_PAIR(GeodeticToLocalUeTangent, (Dispatch_Wrapper<ECoordinateSystem::Geodetic, ECoordinateSystem::Local_UE, ECoordinateLocalFrameType::Cartesian>), GeodeticToLocalUeTangent_Raw);
	BENCHMARK(GeodeticToLocalUeTangent_Proj)->Name("GeodeticToLocalUeTangent/PROJ");
	DURIZERUDORE_BENCHMARK_PAIR(GeodeticToLocalUeUtm, (Dispatch_Wrapper<ECoordinateSystem::Geodetic, ECoordinateSystem::Local_UE, ECoordinateLocalFrameType::UTM>), GeodeticToLocalUeUtm_Raw);
	BENCHMARK(GeodeticToLocalUeUtm_Proj)->Name("GeodeticToLocalUeUtm/PROJ");
	DURIZERUDORE_BENCHMARK_PAIR(GeocentricToLocalUeTangent, (Dispatch_Wrapper<ECoordinateSystem::Geocentric, ECoordinateSystem::Local_UE, ECoordinateLocalFrameType::Cartesian>), GeocentricToLocalUeTangent_Raw);
	BENCHMARK(GeocentricToLocalUeTangent_Proj)->Name("GeocentricToLocalUeTangent/PROJ");
	DURIZERUDORE_BENCHMARK_PAIR(LocalUeToGeocentricTangent, (Dispatch_Wrapper<ECoordinateSystem::Local_UE, ECoordinateSystem::Geocentric, ECoordinateLocalFrameType::Cartesian>), LocalUeToGeocentricTangent_Raw);
	BENCHMARK(LocalUeToGeocentricTangent_Proj)->Name("LocalUeToGeocentricTangent/PROJ");
	DURIZERUDORE_BENCHMARK_PAIR(LocalUeToGeodeticTangent, (Dispatch_Wrapper<ECoordinateSystem::Local_UE, ECoordinateSystem::Geodetic, ECoordinateLocalFrameType::Cartesian>), LocalUeToGeodetic_Raw);
	BENCHMARK(LocalUeToGeodetic_Proj)->Name("LocalUeToGeodeticTangent/PROJ");
	DURIZERUDORE_BENCHMARK_PAIR(FrameCopy, FrameCopy_Wrapper, FrameCopy_Raw);
}
