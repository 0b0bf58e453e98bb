// Batches of positions against the single conversion, position by position and bit for bit, in every pair
// of systems and every kind of frame, with refused positions among good ones; in place, on several threads,
// and the calls that convert nothing.
#include "DuRizerudoreBatchConversion.h"
#include "DuRizerudoreBlueprintLibrary.h"
#include "TestPluginDirectory.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <vector>

using FLibrary = UDuRizerudoreBlueprintLibrary;

namespace
{
	constexpr double NaN = std::numeric_limits<double>::quiet_NaN();
	constexpr double Infinity = std::numeric_limits<double>::infinity();

	struct FNamedFrame
	{
		const char* Name;
		FCoordinateReferenceFrame Frame;
	};

	std::vector<FNamedFrame> MakeEveryKindOfFrame()
	{
		DuRizerudoreTest::UseRepositoryPlugin();
		FCoordinateConversionSetup ModelFree;
		ModelFree.GravityModel = EEarthGravityModel::None;
		ModelFree.GeoidModel = EEarthGravityModel::None;
		const auto Make = [&](const FGeodeticCoordinate& Origin, const ECoordinateLocalFrameType Type) {
			FCoordinateReferenceFrame Frame;
			EXPECT_TRUE(FLibrary::MakeReferenceFrame(ModelFree, FCoordinateReferenceSetup(Origin, ECoordinateAltitudeReference::Ellipsoid, Type), Frame));
			return Frame;
		};
		const FCoordinateReferenceFrame Tangent = Make(FGeodeticCoordinate(48.137, 11.575, 519.0), ECoordinateLocalFrameType::Cartesian);
		return {
			{"tangent plane at Munich", Tangent},
			{"UTM grid at Cape Town", Make(FGeodeticCoordinate(-33.9, 18.4, 12.0), ECoordinateLocalFrameType::UTM)},
			{"UPS grid at the south pole", Make(FGeodeticCoordinate(-89.0, 30.0, 2800.0), ECoordinateLocalFrameType::UTM)},
			{"no local frame", FCoordinateReferenceFrame(Tangent.GetConversionPtr())},
		};
	}

	/** Positions of a system, mostly near the frames above, some anywhere on Earth; NaN, infinities, a latitude beyond the pole and an overflowing value among them. */
	std::vector<FVector> MakePositions(const ECoordinateSystem System, const int32 Count, const uint64 Seed)
	{
		std::mt19937_64 Random(Seed);
		std::uniform_real_distribution<double> Unit(-1.0, 1.0);
		std::vector<FVector> Positions;
		static const FCoordinateReferenceFrame Earth = MakeEveryKindOfFrame()[3].Frame;
		for (int32 Index = 0; Index < Count; ++Index)
		{
			const bool bNear = Index % 3 != 0;
			FVector Geodetic = bNear ? FVector(48.0 + 2.0 * Unit(Random), 11.0 + 2.0 * Unit(Random), 500.0 * Unit(Random))
									 : FVector(90.0 * Unit(Random), 180.0 * Unit(Random), 9000.0 * Unit(Random));
			if (Index % 5 == 0)
			{
				Geodetic = FVector(-33.0 + Unit(Random), 18.0 + Unit(Random), 100.0 * Unit(Random));
			}
			FVector Position = Geodetic;
			if (System != ECoordinateSystem::Geodetic)
			{
				FLibrary::ConvertPosition(Earth, ECoordinateSystem::Geodetic, ECoordinateSystem::Geocentric, Geodetic, Position);
				if (System != ECoordinateSystem::Geocentric)
				{
					// Local positions: offsets up to 2000 km, in centimetres for Local_UE.
					Position = FVector(Unit(Random), Unit(Random), 0.01 * Unit(Random)) * (System == ECoordinateSystem::Local_UE ? 2.0e8 : 2.0e6);
				}
			}
			Positions.push_back(Position);
		}
		const FVector Refused[] = {FVector(NaN, 1.0, 1.0), FVector(1.0, Infinity, 1.0), FVector(1.0, 1.0, -Infinity), FVector(91.0, 10.0, 0.0), FVector(1e308, -1e308, 1e308)};
		for (int32 Index = 0; Index < 5; ++Index)
		{
			Positions[static_cast<size_t>(Count / 2 + 7 * Index)] = Refused[Index];
		}
		return Positions;
	}

	TArrayView<FVector> ViewOf(std::vector<FVector>& Positions)
	{
		return MakeArrayView(Positions.data(), static_cast<int32>(Positions.size()));
	}

	TConstArrayView<FVector> ViewOf(const std::vector<FVector>& Positions)
	{
		return MakeArrayView(Positions.data(), static_cast<int32>(Positions.size()));
	}

	bool SameBits(const FVector& A, const FVector& B)
	{
		return std::memcmp(&A, &B, sizeof(FVector)) == 0;
	}

	/** The batch's outputs, bits and count against the single call at every position; returns how many the single call refused. */
	int32 ExpectSameAsSingleCalls(const FCoordinateReferenceFrame& Frame, const ECoordinateSystem From, const ECoordinateSystem To,
		const std::vector<FVector>& Positions, const std::vector<FVector>& Converted, const TBitArray<>& Failed, const int32 Count)
	{
		EXPECT_EQ(Failed.Num(), static_cast<int32>(Positions.size()));
		int32 Refused = 0;
		for (size_t Index = 0; Index < Positions.size(); ++Index)
		{
			FVector Single(0.0, 0.0, 0.0);
			const bool bConverted = FLibrary::ConvertPosition(Frame, From, To, Positions[Index], Single);
			Refused += bConverted ? 0 : 1;
			const FVector& Batch = Converted[Index];
			if (bConverted ? !SameBits(Batch, Single) : !(std::isnan(Batch.X) && std::isnan(Batch.Y) && std::isnan(Batch.Z)))
			{
				ADD_FAILURE() << "position " << Index << " (" << Positions[Index].X << ", " << Positions[Index].Y << ", " << Positions[Index].Z << ") gives (" << Batch.X
							  << ", " << Batch.Y << ", " << Batch.Z << "), alone " << (bConverted ? "converted" : "refused");
				return Refused;
			}
			EXPECT_EQ(static_cast<bool>(Failed[static_cast<int32>(Index)]), !bConverted) << "position " << Index;
		}
		EXPECT_EQ(Count, static_cast<int32>(Positions.size()) - Refused);
		return Refused;
	}
}

TEST(BatchConversion, EveryPairInEveryFrameAgreesWithTheSingleCallBitForBitAlsoInPlace)
{
	const ECoordinateSystem Systems[] = {ECoordinateSystem::Local_ENU, ECoordinateSystem::Local_NED, ECoordinateSystem::Local_UE, ECoordinateSystem::Geocentric,
		ECoordinateSystem::Geodetic};
	int32 RefusedByGrids = 0;
	for (const FNamedFrame& Named : MakeEveryKindOfFrame())
	{
		for (const ECoordinateSystem From : Systems)
		{
			const std::vector<FVector> Positions = MakePositions(From, 600, static_cast<uint64>(From) + 1);
			for (const ECoordinateSystem To : Systems)
			{
				SCOPED_TRACE(testing::Message() << Named.Name << ", " << static_cast<int>(From) << " to " << static_cast<int>(To));
				std::vector<FVector> Converted(Positions.size(), FVector(7.0, 7.0, 7.0));
				TBitArray<> Failed(true, 3);
				const int32 Count = DuRizerudore::ConvertPositions(Named.Frame, From, To, ViewOf(Positions), ViewOf(Converted), &Failed);
				const int32 Refused = ExpectSameAsSingleCalls(Named.Frame, From, To, Positions, Converted, Failed, Count);
				// NaN and the two infinities are refused everywhere; the latitude of 91 and the overflow depend on the pair.
				EXPECT_GE(Refused, 3);
				RefusedByGrids += std::strstr(Named.Name, "grid") != nullptr ? Refused - 3 : 0;

				std::vector<FVector> InPlace = Positions;
				EXPECT_EQ(DuRizerudore::ConvertPositions(Named.Frame, From, To, ViewOf(InPlace), ViewOf(InPlace)), Count);
				EXPECT_EQ(std::memcmp(InPlace.data(), Converted.data(), Converted.size() * sizeof(FVector)), 0);
			}
		}
	}
	// The grids refuse positions far outside them: the refusals are not only the planted ones.
	EXPECT_GT(RefusedByGrids, 100);
}

TEST(BatchConversion, LargeBatchesSplitAcrossThreadsStillAgreeAndMarkTheirFailures)
{
	const std::vector<FNamedFrame> Frames = MakeEveryKindOfFrame();
	struct FCase
	{
		const FCoordinateReferenceFrame& Frame;
		ECoordinateSystem From;
		ECoordinateSystem To;
	};
	const FCase Cases[] = {
		{Frames[0].Frame, ECoordinateSystem::Geocentric, ECoordinateSystem::Local_UE},
		{Frames[0].Frame, ECoordinateSystem::Local_UE, ECoordinateSystem::Geocentric},
		{Frames[1].Frame, ECoordinateSystem::Geodetic, ECoordinateSystem::Local_UE},
	};
	for (const FCase& Case : Cases)
	{
		SCOPED_TRACE(testing::Message() << static_cast<int>(Case.From) << " to " << static_cast<int>(Case.To));
		std::vector<FVector> Positions = MakePositions(Case.From, 100003, 11);
		// Refusals at the last position of a block of the split (the linear maps' blocks and the geodesy's) and at the very end.
		Positions[1023] = FVector(0.0, NaN, 0.0);
		Positions[8191] = FVector(NaN, 0.0, 0.0);
		Positions.back() = FVector(Infinity, 0.0, 0.0);
		std::vector<FVector> Converted(Positions.size());
		TBitArray<> Failed;
		const int32 Count = DuRizerudore::ConvertPositions(Case.Frame, Case.From, Case.To, ViewOf(Positions), ViewOf(Converted), &Failed);
		ExpectSameAsSingleCalls(Case.Frame, Case.From, Case.To, Positions, Converted, Failed, Count);
	}
}

TEST(BatchConversion, CallsThatCannotConvertLeaveEveryOutputUntouched)
{
	const FCoordinateReferenceFrame Tangent = MakeEveryKindOfFrame()[0].Frame;
	const std::vector<FVector> Three(3, FVector(1.0, 2.0, 3.0));
	const FVector Sentinel(-7.0, 8.0, -9.0);
	struct FCase
	{
		const char* Name;
		FCoordinateReferenceFrame Frame;
		ECoordinateSystem From;
		ECoordinateSystem To;
		int32 OutputCount;
	};
	const FCase Cases[] = {
		{"a default frame", FCoordinateReferenceFrame(), ECoordinateSystem::Geodetic, ECoordinateSystem::Geocentric, 3},
		{"an unknown source system", Tangent, static_cast<ECoordinateSystem>(5), ECoordinateSystem::Geocentric, 3},
		{"an unknown target system", Tangent, ECoordinateSystem::Local_UE, static_cast<ECoordinateSystem>(200), 3},
		{"fewer outputs", Tangent, ECoordinateSystem::Local_UE, ECoordinateSystem::Local_ENU, 2},
		{"more outputs", Tangent, ECoordinateSystem::Local_UE, ECoordinateSystem::Local_ENU, 4},
	};
	for (const FCase& Case : Cases)
	{
		SCOPED_TRACE(Case.Name);
		std::vector<FVector> Outputs(static_cast<size_t>(Case.OutputCount), Sentinel);
		TBitArray<> Failed(true, 5);
		EXPECT_EQ(DuRizerudore::ConvertPositions(Case.Frame, Case.From, Case.To, ViewOf(Three), ViewOf(Outputs), &Failed), 0);
		for (const FVector& Output : Outputs)
		{
			EXPECT_TRUE(SameBits(Output, Sentinel));
		}
		EXPECT_EQ(Failed.Num(), 5);
		EXPECT_EQ(Failed.CountSetBits(), 5);
	}
	// Empty arrays: nothing to convert, nothing failed.
	TBitArray<> Failed(true, 5);
	EXPECT_EQ(DuRizerudore::ConvertPositions(Tangent, ECoordinateSystem::Geodetic, ECoordinateSystem::Local_UE, TConstArrayView<FVector>(), TArrayView<FVector>(), &Failed), 0);
	EXPECT_EQ(Failed.Num(), 0);
}

TEST(BatchConversion, TheScriptFunctionIsTheBatchOnArrays)
{
	const FCoordinateReferenceFrame Tangent = MakeEveryKindOfFrame()[0].Frame;
	const FVector Sentinel(-7.0, 8.0, -9.0);
	const TArray<FVector> Positions = {FVector(45.0, 3.0, 0.0), FVector(std::numeric_limits<double>::quiet_NaN(), 3.0, 0.0), FVector(-30.0, 3.0, 100.0)};
	TArray<FVector> Converted = {Sentinel};
	EXPECT_FALSE(FLibrary::ConvertPositions(Tangent, ECoordinateSystem::Geodetic, ECoordinateSystem::Local_UE, Positions, Converted));
	ASSERT_EQ(Converted.Num(), 3);
	for (const int32 Index : {0, 2})
	{
		FVector Single = Sentinel;
		ASSERT_TRUE(FLibrary::ConvertPosition(Tangent, ECoordinateSystem::Geodetic, ECoordinateSystem::Local_UE, Positions[Index], Single));
		EXPECT_TRUE(SameBits(Converted[Index], Single));
	}
	EXPECT_TRUE(Converted[1].ContainsNaN());

	// In place, and no positions at all, are complete successes.
	TArray<FVector> InPlace = {Positions[0]};
	EXPECT_TRUE(FLibrary::ConvertPositions(Tangent, ECoordinateSystem::Geodetic, ECoordinateSystem::Local_UE, InPlace, InPlace));
	EXPECT_TRUE(SameBits(InPlace[0], Converted[0]));
	TArray<FVector> None = {Sentinel};
	EXPECT_TRUE(FLibrary::ConvertPositions(Tangent, ECoordinateSystem::Geodetic, ECoordinateSystem::Local_UE, TArray<FVector>(), None));
	EXPECT_EQ(None.Num(), 0);

	// A call that can convert nothing leaves the output as it was.
	TArray<FVector> Untouched = {Sentinel};
	EXPECT_FALSE(FLibrary::ConvertPositions(FCoordinateReferenceFrame(), ECoordinateSystem::Geodetic, ECoordinateSystem::Local_UE, Positions, Untouched));
	EXPECT_FALSE(FLibrary::ConvertPositions(Tangent, static_cast<ECoordinateSystem>(9), ECoordinateSystem::Local_UE, Positions, Untouched));
	ASSERT_EQ(Untouched.Num(), 1);
	EXPECT_TRUE(SameBits(Untouched[0], Sentinel));
}
