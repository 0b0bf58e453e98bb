// Every conversion and query of the function library with arbitrary numbers and enumeration bytes, in an
// uninitialized frame, a frame without a local frame, tangent-plane and UTM/UPS frames and frames of fuzzed
// setups. Besides crashes and sanitizer reports it catches a call that writes its output and returns false,
// and one that returns true without writing it: every output starts as a NaN bit pattern no arithmetic makes.
#include <fuzzer/FuzzedDataProvider.h>

#include "FuzzCheck.h"

#include "DuRizerudoreBlueprintLibrary.h"
#include "DuRizerudoreLog.h"
#include "TestPluginDirectory.h"
#include "TinyModelFiles.h"

#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

namespace
{
	/** A signalling NaN with a payload of its own: arithmetic only ever makes quiet NaNs. */
	constexpr std::uint64_t UnwrittenBits = 0x7FF4'0000'DEAD'BEEFull;
	const double Unwritten = std::bit_cast<double>(UnwrittenBits);

	bool IsUnwritten(const double Value)
	{
		return std::bit_cast<std::uint64_t>(Value) == UnwrittenBits;
	}

	/** Every component written and finite after true, none written after false. */
	template <std::size_t Count>
	void CheckOutput(const bool bSucceeded, const std::array<double, Count>& Output, const char* Call)
	{
		for (const double Value : Output)
		{
			if (bSucceeded)
			{
				DURIZERUDORE_FUZZ_CHECK(!IsUnwritten(Value) && std::isfinite(Value), Call);
			}
			else
			{
				DURIZERUDORE_FUZZ_CHECK(IsUnwritten(Value), Call);
			}
		}
	}

	/** After false the height queries answer 0 and gravity the zero vector; after true something was written. */
	template <std::size_t Count>
	void CheckZeroedOnFailure(const bool bSucceeded, const std::array<double, Count>& Output, const char* Call)
	{
		for (const double Value : Output)
		{
			DURIZERUDORE_FUZZ_CHECK(bSucceeded ? !IsUnwritten(Value) && std::isfinite(Value) : std::bit_cast<std::uint64_t>(Value) == 0, Call);
		}
	}

	/** Raw bit patterns (NaNs, infinities, subnormals), plausible coordinates, and the edges of the valid ranges. */
	double ConsumeNumber(FuzzedDataProvider& Data)
	{
		constexpr double Edges[] = {0.0, -0.0, 90.0, -90.0, 180.0, -180.0, 84.0, -80.0, 1e-300, 6378137.0, 1e300,
			std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity()};
		double Value = 0.0;
		switch (Data.ConsumeIntegral<std::uint8_t>() % 4)
		{
		case 0:
			Value = std::bit_cast<double>(Data.ConsumeIntegral<std::uint64_t>());
			break;
		case 1:
			Value = Data.ConsumeFloatingPointInRange<double>(-200.0, 200.0);
			break;
		case 2:
			Value = Data.ConsumeFloatingPointInRange<double>(-2e7, 2e7);
			break;
		default:
			Value = Edges[Data.ConsumeIntegral<std::uint8_t>() % std::size(Edges)];
			break;
		}
		// The output marker must never come in, or a conversion that passes it through would look unwritten.
		return IsUnwritten(Value) ? 0.0 : Value;
	}

	FVector ConsumeVector(FuzzedDataProvider& Data)
	{
		const double X = ConsumeNumber(Data);
		const double Y = ConsumeNumber(Data);
		return FVector(X, Y, ConsumeNumber(Data));
	}

	/** Mostly the five systems, sometimes a value outside the enumeration. */
	ECoordinateSystem ConsumeSystem(FuzzedDataProvider& Data)
	{
		return static_cast<ECoordinateSystem>(Data.ConsumeIntegral<std::uint8_t>() % 8);
	}

	/** A conversion instance with tiny gravity and geoid models, and frames of each kind built on it. */
	struct FFixture
	{
		DuRizerudoreTest::FTemporaryPlugin Plugin;
		TSharedPtr<FCoordinateConversionInstance, ESPMode::ThreadSafe> Instance;
		std::vector<FCoordinateReferenceFrame> Frames;

		FFixture()
		{
			// Failed projections of fuzzed origins are logged; millions of them would only slow the run.
			LogDuRizerudoreConversion.SetVerbosity(ELogVerbosity::Fatal);
			Plugin.CreateModelDirectories();
			DuRizerudoreTest::WriteTinyGravityModel(Plugin.GetGravityDirectory(), "egm84", 6);
			DuRizerudoreTest::WriteCoarseGeoid(Plugin.GetGeoidDirectory(), "egm84-30", 30.0,
				[](const double LatitudeDeg, const double LongitudeDeg) { return 30.0 * std::sin(LatitudeDeg / 20.0) * std::cos(LongitudeDeg / 40.0); });
			FCoordinateConversionSetup Setup;
			Setup.GravityAccuracy = ECoordinateGravityAccuracy::Full;
			Instance = MakeShared<FCoordinateConversionInstance, ESPMode::ThreadSafe>(Setup);
			DURIZERUDORE_FUZZ_CHECK(Instance->IsInitialized(), "the tiny models load");

			Frames.emplace_back();
			Frames.emplace_back(Instance);
			for (const ECoordinateLocalFrameType Type : {ECoordinateLocalFrameType::Cartesian, ECoordinateLocalFrameType::UTM})
			{
				for (const FGeodeticCoordinate& Origin : {FGeodeticCoordinate(45.0, 10.0, 100.0), FGeodeticCoordinate(-89.5, 170.0, 0.0)})
				{
					FCoordinateReferenceSetup Reference;
					Reference.LocalFrameType = Type;
					Reference.LocalFrameOrigin = Origin;
					Frames.emplace_back(Instance, Reference);
					DURIZERUDORE_FUZZ_CHECK(Frames.back().HasLocalFrame(), "the fixed frames have local frames");
				}
			}
		}
	};

	const FFixture& GetFixture()
	{
		// Built once and never destroyed: the temporary plugin outlives every run.
		static const FFixture* const Fixture = new FFixture();
		return *Fixture;
	}

	FCoordinateReferenceFrame ConsumeFrame(FuzzedDataProvider& Data, const FFixture& Fixture)
	{
		const std::size_t Choice = Data.ConsumeIntegral<std::uint8_t>() % (Fixture.Frames.size() + 1);
		if (Choice < Fixture.Frames.size())
		{
			return Fixture.Frames[Choice];
		}
		FCoordinateReferenceSetup Setup;
		Setup.LocalFrameType = static_cast<ECoordinateLocalFrameType>(Data.ConsumeIntegral<std::uint8_t>() % 3);
		Setup.LocalFrameAltitudeReference = static_cast<ECoordinateAltitudeReference>(Data.ConsumeIntegral<std::uint8_t>() % 3);
		const double Latitude = ConsumeNumber(Data);
		const double Longitude = ConsumeNumber(Data);
		Setup.LocalFrameOrigin = FGeodeticCoordinate(Latitude, Longitude, ConsumeNumber(Data));
		return FCoordinateReferenceFrame(Fixture.Instance, Setup);
	}

	void RunOneCall(FuzzedDataProvider& Data, const FCoordinateReferenceFrame& Frame)
	{
		using Library = UDuRizerudoreBlueprintLibrary;
		const FVector UnwrittenVector(Unwritten, Unwritten, Unwritten);
		const std::uint8_t Call = Data.ConsumeIntegral<std::uint8_t>() % 10;
		switch (Call)
		{
		case 0:
		case 1:
		{
			// Positions and free vectors convert with the same signature.
			const auto Convert = Call == 0 ? &Library::ConvertPosition : &Library::ConvertVector;
			FVector Out = UnwrittenVector;
			const ECoordinateSystem From = ConsumeSystem(Data);
			const ECoordinateSystem To = ConsumeSystem(Data);
			const bool bOk = Convert(Frame, From, To, ConsumeVector(Data), Out);
			CheckOutput<3>(bOk, {Out.X, Out.Y, Out.Z}, Call == 0 ? "ConvertPosition" : "ConvertVector");
			break;
		}
		case 2:
		{
			FVector Out = UnwrittenVector;
			const ECoordinateSystem From = ConsumeSystem(Data);
			const ECoordinateSystem To = ConsumeSystem(Data);
			const FVector Vector = ConsumeVector(Data);
			const ECoordinateSystem PositionSystem = ConsumeSystem(Data);
			const bool bOk = Library::ConvertVectorAtPosition(Frame, From, To, Vector, PositionSystem, ConsumeVector(Data), Out);
			CheckOutput<3>(bOk, {Out.X, Out.Y, Out.Z}, "ConvertVectorAtPosition");
			break;
		}
		case 3:
		{
			FQuat Out(Unwritten, Unwritten, Unwritten, Unwritten);
			const ECoordinateSystem From = ConsumeSystem(Data);
			const ECoordinateSystem To = ConsumeSystem(Data);
			const FVector XYZ = ConsumeVector(Data);
			const bool bOk = Library::ConvertQuaternion(Frame, From, To, FQuat(XYZ.X, XYZ.Y, XYZ.Z, ConsumeNumber(Data)), Out);
			CheckOutput<4>(bOk, {Out.X, Out.Y, Out.Z, Out.W}, "ConvertQuaternion");
			break;
		}
		case 4:
		{
			FRotator Out(Unwritten, Unwritten, Unwritten);
			const ECoordinateSystem From = ConsumeSystem(Data);
			const ECoordinateSystem To = ConsumeSystem(Data);
			const FVector Angles = ConsumeVector(Data);
			const bool bOk = Library::ConvertRotator(Frame, From, To, FRotator(Angles.X, Angles.Y, Angles.Z), Out);
			CheckOutput<3>(bOk, {Out.Pitch, Out.Yaw, Out.Roll}, "ConvertRotator");
			break;
		}
		case 5:
		{
			FVector2D Out(Unwritten, Unwritten);
			const ECoordinateSystem VectorSystem = ConsumeSystem(Data);
			const FVector Vector = ConsumeVector(Data);
			const ECoordinateSystem PositionSystem = ConsumeSystem(Data);
			const bool bOk = Library::HeadingPitchDegFromVector(Frame, VectorSystem, Vector, PositionSystem, ConsumeVector(Data), Out);
			CheckOutput<2>(bOk, {Out.X, Out.Y}, "HeadingPitchDegFromVector");
			break;
		}
		case 6:
		{
			FVector Out = UnwrittenVector;
			const ECoordinateSystem VectorSystem = ConsumeSystem(Data);
			const double Heading = ConsumeNumber(Data);
			const FVector2D HeadingPitch(Heading, ConsumeNumber(Data));
			const ECoordinateSystem PositionSystem = ConsumeSystem(Data);
			const bool bOk = Library::VectorFromHeadingPitchDeg(Frame, VectorSystem, HeadingPitch, PositionSystem, ConsumeVector(Data), Out);
			CheckOutput<3>(bOk, {Out.X, Out.Y, Out.Z}, "VectorFromHeadingPitchDeg");
			break;
		}
		case 7:
		{
			FVector Out = UnwrittenVector;
			const ECoordinateSystem PositionSystem = ConsumeSystem(Data);
			const FVector Position = ConsumeVector(Data);
			const bool bOk = Library::GetGravity(Frame, PositionSystem, Position, ConsumeSystem(Data), Out);
			CheckZeroedOnFailure<3>(bOk, {Out.X, Out.Y, Out.Z}, "GetGravity");
			break;
		}
		case 8:
		{
			// The geoid height and the height above mean sea level are queried with the same signature.
			const bool bGeoid = Data.ConsumeBool();
			const auto Query = bGeoid ? &Library::GetGeoidHeight : &Library::GetHeightAboveMeanSeaLevel;
			double Out = Unwritten;
			const ECoordinateSystem PositionSystem = ConsumeSystem(Data);
			const bool bOk = Query(Frame, PositionSystem, ConsumeVector(Data), Out);
			CheckZeroedOnFailure<1>(bOk, {Out}, bGeoid ? "GetGeoidHeight" : "GetHeightAboveMeanSeaLevel");
			break;
		}
		default:
		{
			double Out = Unwritten;
			const bool bOk = Library::GetHeightAboveEllipsoid(Frame, ConsumeVector(Data), Out);
			CheckZeroedOnFailure<1>(bOk, {Out}, "GetHeightAboveEllipsoid");
			break;
		}
		}
	}
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Bytes, const std::size_t Size)
{
	const FFixture& Fixture = GetFixture();
	FuzzedDataProvider Data(Bytes, Size);
	const FCoordinateReferenceFrame Frame = ConsumeFrame(Data, Fixture);
	// A handful of calls per input, so that one frame of a fuzzed setup meets several of them.
	for (int Call = 0; Call < 8 && Data.remaining_bytes() > 0; ++Call)
	{
		RunOneCall(Data, Frame);
	}
	return 0;
}
