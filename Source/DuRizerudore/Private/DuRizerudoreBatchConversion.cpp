// Batches of positions: the pair of systems and the kind of frame are decided once, then one loop runs over
// the positions; large batches are split into blocks that run on the engine's worker threads.
#include "DuRizerudoreBatchConversion.h"

#include "Async/ParallelFor.h"
#include "DuRizerudoreConversionInternal.h"
#include "DuRizerudoreLocalSystems.h"
#include "DuRizerudorePositionConversion.h"
#include "Math/Matrix.h"

THIRD_PARTY_INCLUDES_START
#include <GeographicLib/LocalCartesian.hpp>
THIRD_PARTY_INCLUDES_END

#include <limits>
#include <vector>

namespace
{
	using DuRizerudore::EnuToLocalPosition;
	using DuRizerudore::LocalPositionToEnu;

	// Below these many positions a batch runs on the calling thread: handing blocks to other threads (some
	// microseconds) would cost about as much as converting them. A linear map takes a few nanoseconds a position,
	// the geodesy (a projector, a UTM/UPS projection, an ellipsoid's latitude) some fifty to four hundred.
	constexpr int32 LinearBatchParallelThreshold = 1 << 15;
	constexpr int32 GeodesyBatchParallelThreshold = 1 << 11;

	// Positions in one block of a parallel batch: enough work for a block to outweigh taking it, small enough that
	// the cores finish together. Multiples of 32, so that no two blocks share a word of the failure bits.
	constexpr int32 LinearBatchPositionsPerBlock = 1 << 13;
	constexpr int32 GeodesyBatchPositionsPerBlock = 1 << 10;
	static_assert(LinearBatchPositionsPerBlock % 32 == 0 && GeodesyBatchPositionsPerBlock % 32 == 0, "blocks must not share a word of the failure bits");

	// True when all three components are finite: x - x is 0 for a finite x and NaN otherwise. Unlike a call
	// of isfinite it compiles to plain arithmetic that the loops below can vectorise.
	FORCEINLINE bool IsBatchFinite(const double X, const double Y, const double Z)
	{
		return (X - X) + (Y - Y) + (Z - Z) == 0.0;
	}

	// What a batch needs of its frame, read once: a tangent plane's origin, rotation rows and projector.
	struct FBatchPlan
	{
		const FCoordinateReferenceFrame* Frame = nullptr;
		ECoordinateSystem FromSystem = ECoordinateSystem::Local_ENU;
		ECoordinateSystem ToSystem = ECoordinateSystem::Local_ENU;
		FVector Origin = FVector(0.0, 0.0, 0.0);
		double R[3][3] = {};
		const GeographicLib::LocalCartesian* Projector = nullptr;
		// True for the linear maps, which take a few nanoseconds a position; false where geodesy runs for each.
		bool bLinear = false;
		// Converts Count positions, writing NaN where one fails; returns how many converted.
		int32 (*Run)(const FBatchPlan& Plan, const FVector* In, FVector* Out, int32 Count) = nullptr;
	};

	// Writes a result or, when it is not finite, NaN; returns 1 for a converted position. In the linear maps below
	// every result component depends on some input component (a zero weight times an infinity is NaN), so an
	// input that is not finite always gives a result that is not, and the result alone needs testing.
	FORCEINLINE int32 StoreBatchResult(const FVector& Result, FVector& Out)
	{
		const bool bConverted = IsBatchFinite(Result.X, Result.Y, Result.Z);
		// Component by component, so that the compiler can blend rather than branch.
		const double NaN = std::numeric_limits<double>::quiet_NaN();
		Out = FVector(bConverted ? Result.X : NaN, bConverted ? Result.Y : NaN, bConverted ? Result.Z : NaN);
		return bConverted ? 1 : 0;
	}

	// Positions a linear map handles together. The loops over the lanes work on local arrays that nothing else
	// can alias, with a count known when compiling, so the compiler turns them into vector instructions even where
	// the batch converts in place and Out may be In.
	constexpr int32 BatchLanes = 8;

	// Runs a linear map (x, y, z in; x, y, z out, by reference) over Count positions: lanes of BatchLanes, then
	// the rest one by one. A lane's refusal costs no branch: (x - x) + (y - y) + (z - z) is +0 for a finite result
	// and NaN otherwise, and subtracting it leaves a finite value bit for bit (-0 - +0 is -0) or turns it into NaN.
	// The refusals also add up per lane, where a NaN stays; only when one is seen are the lanes' outputs counted.
	template <typename FLinearMap>
	FORCEINLINE int32 RunLinearBatch(const FLinearMap& Map, const FVector* In, FVector* Out, const int32 Count)
	{
		double Refusals[BatchLanes] = {};
		int32 Index = 0;
		for (; Index + BatchLanes <= Count; Index += BatchLanes)
		{
			double X[BatchLanes], Y[BatchLanes], Z[BatchLanes];
			for (int32 Lane = 0; Lane < BatchLanes; ++Lane)
			{
				X[Lane] = In[Index + Lane].X;
				Y[Lane] = In[Index + Lane].Y;
				Z[Lane] = In[Index + Lane].Z;
			}
			for (int32 Lane = 0; Lane < BatchLanes; ++Lane)
			{
				double RX = 0.0, RY = 0.0, RZ = 0.0;
				Map(X[Lane], Y[Lane], Z[Lane], RX, RY, RZ);
				const double Refused = (RX - RX) + (RY - RY) + (RZ - RZ);
				X[Lane] = RX - Refused;
				Y[Lane] = RY - Refused;
				Z[Lane] = RZ - Refused;
				Refusals[Lane] += Refused;
			}
			for (int32 Lane = 0; Lane < BatchLanes; ++Lane)
			{
				Out[Index + Lane] = FVector(X[Lane], Y[Lane], Z[Lane]);
			}
		}
		bool bAnyRefused = false;
		for (int32 Lane = 0; Lane < BatchLanes; ++Lane)
		{
			bAnyRefused |= Refusals[Lane] != 0.0;
		}
		int32 Converted = Index;
		if (bAnyRefused)
		{
			Converted = 0;
			for (int32 Counted = 0; Counted < Index; ++Counted)
			{
				Converted += FMath::IsNaN(Out[Counted].X) ? 0 : 1;
			}
		}
		for (; Index < Count; ++Index)
		{
			FVector Result(0.0, 0.0, 0.0);
			Map(In[Index].X, In[Index].Y, In[Index].Z, Result.X, Result.Y, Result.Z);
			Converted += StoreBatchResult(Result, Out[Index]);
		}
		return Converted;
	}

	// Geocentric to a tangent plane's local system: the offset from the origin turned by the transposed rotation,
	// in the same order of operations as the single conversion.
	template <ECoordinateSystem ToSystem>
	int32 ConvertBatchGeocentricToTangentPlane(const FBatchPlan& Plan, const FVector* In, FVector* Out, const int32 Count)
	{
		const double OX = Plan.Origin.X, OY = Plan.Origin.Y, OZ = Plan.Origin.Z;
		const double R00 = Plan.R[0][0], R01 = Plan.R[0][1], R02 = Plan.R[0][2];
		const double R10 = Plan.R[1][0], R11 = Plan.R[1][1], R12 = Plan.R[1][2];
		const double R20 = Plan.R[2][0], R21 = Plan.R[2][1], R22 = Plan.R[2][2];
		const auto Map = [=](const double X, const double Y, const double Z, double& RX, double& RY, double& RZ) {
			const double DX = X - OX, DY = Y - OY, DZ = Z - OZ;
			const FVector Local = EnuToLocalPosition(ToSystem, FVector(R00 * DX + R01 * DY + R02 * DZ, R10 * DX + R11 * DY + R12 * DZ, R20 * DX + R21 * DY + R22 * DZ));
			RX = Local.X;
			RY = Local.Y;
			RZ = Local.Z;
		};
		return RunLinearBatch(Map, In, Out, Count);
	}

	// A tangent plane's local system to Geocentric: the origin plus the turned local vector.
	template <ECoordinateSystem FromSystem>
	int32 ConvertBatchTangentPlaneToGeocentric(const FBatchPlan& Plan, const FVector* In, FVector* Out, const int32 Count)
	{
		const double OX = Plan.Origin.X, OY = Plan.Origin.Y, OZ = Plan.Origin.Z;
		const double R00 = Plan.R[0][0], R01 = Plan.R[0][1], R02 = Plan.R[0][2];
		const double R10 = Plan.R[1][0], R11 = Plan.R[1][1], R12 = Plan.R[1][2];
		const double R20 = Plan.R[2][0], R21 = Plan.R[2][1], R22 = Plan.R[2][2];
		const auto Map = [=](const double X, const double Y, const double Z, double& RX, double& RY, double& RZ) {
			const FVector L = LocalPositionToEnu(FromSystem, FVector(X, Y, Z));
			RX = OX + (L.X * R00 + L.Y * R10 + L.Z * R20);
			RY = OY + (L.X * R01 + L.Y * R11 + L.Z * R21);
			RZ = OZ + (L.X * R02 + L.Y * R12 + L.Z * R22);
		};
		return RunLinearBatch(Map, In, Out, Count);
	}

	// Between two local systems of any frame, the same system included: axis order, vertical sign and unit.
	template <ECoordinateSystem FromSystem, ECoordinateSystem ToSystem>
	int32 ConvertBatchBetweenLocalSystems(const FBatchPlan& /*Plan*/, const FVector* In, FVector* Out, const int32 Count)
	{
		const auto Map = [](const double X, const double Y, const double Z, double& RX, double& RY, double& RZ) {
			const FVector Position(X, Y, Z);
			const FVector Result = FromSystem == ToSystem ? Position : EnuToLocalPosition(ToSystem, LocalPositionToEnu(FromSystem, Position));
			RX = Result.X;
			RY = Result.Y;
			RZ = Result.Z;
		};
		return RunLinearBatch(Map, In, Out, Count);
	}

	// Geodetic to a tangent plane's local system through the frame's projector.
	template <ECoordinateSystem ToSystem>
	int32 ConvertBatchGeodeticToTangentPlane(const FBatchPlan& Plan, const FVector* In, FVector* Out, const int32 Count)
	{
		const GeographicLib::LocalCartesian& Projector = *Plan.Projector;
		int32 Converted = 0;
		for (int32 Index = 0; Index < Count; ++Index)
		{
			const FVector Position = In[Index];
			FVector Enu(0.0, 0.0, 0.0);
			if (DuRizerudore::IsAnswerablePosition(ECoordinateSystem::Geodetic, Position))
			{
				Projector.Forward(Position.X, Position.Y, Position.Z, Enu.X, Enu.Y, Enu.Z);
				Converted += StoreBatchResult(EnuToLocalPosition(ToSystem, Enu), Out[Index]);
			}
			else
			{
				Out[Index] = DuRizerudore::MakeNaNVector();
			}
		}
		return Converted;
	}

	// Every other pair: the single conversion's own checks and kernel, position by position.
	int32 ConvertBatchEachAlone(const FBatchPlan& Plan, const FVector* In, FVector* Out, const int32 Count)
	{
		int32 Converted = 0;
		for (int32 Index = 0; Index < Count; ++Index)
		{
			const FVector Position = In[Index];
			FVector Result(0.0, 0.0, 0.0);
			if (DuRizerudore::IsAnswerablePosition(Plan.FromSystem, Position)
				&& DuRizerudore::DispatchPositionConversion(Plan.FromSystem, Plan.ToSystem, *Plan.Frame, Position, Result) && !Result.ContainsNaN())
			{
				Out[Index] = Result;
				++Converted;
			}
			else
			{
				Out[Index] = DuRizerudore::MakeNaNVector();
			}
		}
		return Converted;
	}

	// The three local systems as template arguments: F<System>.
	template <template <ECoordinateSystem> class FKernelOf>
	auto SelectBatchLocalKernel(const ECoordinateSystem System)
	{
		switch (System)
		{
		case ECoordinateSystem::Local_NED:
			return &FKernelOf<ECoordinateSystem::Local_NED>::Run;
		case ECoordinateSystem::Local_UE:
			return &FKernelOf<ECoordinateSystem::Local_UE>::Run;
		default:
			return &FKernelOf<ECoordinateSystem::Local_ENU>::Run;
		}
	}

	template <ECoordinateSystem System>
	struct FBatchGeocentricToTangentPlaneOf
	{
		static int32 Run(const FBatchPlan& Plan, const FVector* In, FVector* Out, const int32 Count) { return ConvertBatchGeocentricToTangentPlane<System>(Plan, In, Out, Count); }
	};

	template <ECoordinateSystem System>
	struct FBatchTangentPlaneToGeocentricOf
	{
		static int32 Run(const FBatchPlan& Plan, const FVector* In, FVector* Out, const int32 Count) { return ConvertBatchTangentPlaneToGeocentric<System>(Plan, In, Out, Count); }
	};

	template <ECoordinateSystem System>
	struct FBatchGeodeticToTangentPlaneOf
	{
		static int32 Run(const FBatchPlan& Plan, const FVector* In, FVector* Out, const int32 Count) { return ConvertBatchGeodeticToTangentPlane<System>(Plan, In, Out, Count); }
	};

	template <ECoordinateSystem FromSystem>
	struct FBatchFromLocalOf
	{
		template <ECoordinateSystem ToSystem>
		struct FTo
		{
			static int32 Run(const FBatchPlan& Plan, const FVector* In, FVector* Out, const int32 Count) { return ConvertBatchBetweenLocalSystems<FromSystem, ToSystem>(Plan, In, Out, Count); }
		};
	};

	/** The plan of a batch between two known systems of an initialized frame. */
	FBatchPlan MakeBatchPlan(const FCoordinateReferenceFrame& Frame, const ECoordinateSystem FromSystem, const ECoordinateSystem ToSystem)
	{
		FBatchPlan Plan;
		Plan.Frame = &Frame;
		Plan.FromSystem = FromSystem;
		Plan.ToSystem = ToSystem;
		Plan.Run = &ConvertBatchEachAlone;
		Plan.Projector = FCoordinateReferenceFrameKernelAccess::GetProjector(Frame).Get();
		const bool bFromLocal = DuRizerudore::IsLocalCoordinateSystem(FromSystem);
		const bool bToLocal = DuRizerudore::IsLocalCoordinateSystem(ToSystem);
		if (bFromLocal && bToLocal)
		{
			switch (FromSystem)
			{
			case ECoordinateSystem::Local_NED:
				Plan.Run = SelectBatchLocalKernel<FBatchFromLocalOf<ECoordinateSystem::Local_NED>::FTo>(ToSystem);
				break;
			case ECoordinateSystem::Local_UE:
				Plan.Run = SelectBatchLocalKernel<FBatchFromLocalOf<ECoordinateSystem::Local_UE>::FTo>(ToSystem);
				break;
			default:
				Plan.Run = SelectBatchLocalKernel<FBatchFromLocalOf<ECoordinateSystem::Local_ENU>::FTo>(ToSystem);
				break;
			}
			Plan.bLinear = true;
			return Plan;
		}
		if (Plan.Projector == nullptr)
		{
			return Plan;
		}
		Plan.Origin = FCoordinateReferenceFrameKernelAccess::GetTangentPlaneOrigin(Frame);
		const FMatrix& Rotation = FCoordinateReferenceFrameKernelAccess::GetTangentPlaneRotation(Frame);
		for (int32 Row = 0; Row < 3; ++Row)
		{
			for (int32 Column = 0; Column < 3; ++Column)
			{
				Plan.R[Row][Column] = Rotation.M[Row][Column];
			}
		}
		if (FromSystem == ECoordinateSystem::Geocentric && bToLocal)
		{
			Plan.Run = SelectBatchLocalKernel<FBatchGeocentricToTangentPlaneOf>(ToSystem);
			Plan.bLinear = true;
		}
		else if (bFromLocal && ToSystem == ECoordinateSystem::Geocentric)
		{
			Plan.Run = SelectBatchLocalKernel<FBatchTangentPlaneToGeocentricOf>(FromSystem);
			Plan.bLinear = true;
		}
		else if (FromSystem == ECoordinateSystem::Geodetic && bToLocal)
		{
			Plan.Run = SelectBatchLocalKernel<FBatchGeodeticToTangentPlaneOf>(ToSystem);
		}
		return Plan;
	}
}

namespace DuRizerudore
{
	int32 ConvertPositions(const FCoordinateReferenceFrame& Frame, const ECoordinateSystem FromSystem, const ECoordinateSystem ToSystem,
		const TConstArrayView<FVector> Positions, const TArrayView<FVector> OutPositions, TBitArray<>* OutFailed)
	{
		const int32 Num = Positions.Num();
		if (!Frame.IsInitialized() || !IsKnownCoordinateSystem(FromSystem) || !IsKnownCoordinateSystem(ToSystem) || Num != OutPositions.Num())
		{
			return 0;
		}
		const FBatchPlan Plan = MakeBatchPlan(Frame, FromSystem, ToSystem);
		if (OutFailed != nullptr)
		{
			OutFailed->Init(false, Num);
		}
		const FVector* const In = Positions.GetData();
		FVector* const Out = OutPositions.GetData();

		// A failed slot holds NaN and a converted one never does, so the rare failures are found afterwards
		// rather than tested for inside the loop.
		const auto ConvertBlock = [&Plan, In, Out, OutFailed](const int32 Begin, const int32 End) {
			const int32 Converted = Plan.Run(Plan, In + Begin, Out + Begin, End - Begin);
			if (OutFailed != nullptr && Converted < End - Begin)
			{
				for (int32 Index = Begin; Index < End; ++Index)
				{
					if (FMath::IsNaN(Out[Index].X))
					{
						(*OutFailed)[Index] = true;
					}
				}
			}
			return Converted;
		};
		if (Num < (Plan.bLinear ? LinearBatchParallelThreshold : GeodesyBatchParallelThreshold))
		{
			return ConvertBlock(0, Num);
		}
		const int32 PositionsPerBlock = Plan.bLinear ? LinearBatchPositionsPerBlock : GeodesyBatchPositionsPerBlock;
		const int32 NumBlocks = (Num + PositionsPerBlock - 1) / PositionsPerBlock;
		std::vector<int32> ConvertedPerBlock(static_cast<size_t>(NumBlocks), 0);
		ParallelFor(NumBlocks, [&ConvertBlock, &ConvertedPerBlock, Num, PositionsPerBlock](const int32 Block) {
			const int32 Begin = Block * PositionsPerBlock;
			ConvertedPerBlock[static_cast<size_t>(Block)] = ConvertBlock(Begin, FMath::Min(Num, Begin + PositionsPerBlock));
		});
		int32 Converted = 0;
		for (const int32 BlockConverted : ConvertedPerBlock)
		{
			Converted += BlockConverted;
		}
		return Converted;
	}
}
