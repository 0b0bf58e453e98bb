#include "DuRizerudoreBlueprintLibrary.h"

#include "DuRizerudorePositionConversion.h"

namespace
{
	bool PassesGeoidTest(const FCoordinateReferenceFrame& ReferenceFrame)
	{
		return ReferenceFrame.GetConversion() != nullptr && ReferenceFrame.GetConversion()->SupportsGeoidQueries();
	}
}

bool UDuRizerudoreBlueprintLibrary::IsReferenceFrameValid(const FCoordinateReferenceFrame& ReferenceFrame)
{
	return ReferenceFrame.IsInitialized();
}

bool UDuRizerudoreBlueprintLibrary::MakeReferenceFrame(const FCoordinateConversionSetup& ConversionSetup, const FCoordinateReferenceSetup& ReferenceSetup,
	FCoordinateReferenceFrame& OutReferenceFrame)
{
	OutReferenceFrame = FCoordinateReferenceFrame();
	const TSharedPtr<FCoordinateConversionInstance, ESPMode::ThreadSafe> Conversion = MakeShared<FCoordinateConversionInstance, ESPMode::ThreadSafe>(ConversionSetup);
	if (!Conversion->IsInitialized())
	{
		return false;
	}
	FCoordinateReferenceFrame Frame(Conversion);
	Frame.SetLocalFrameOrigin(ReferenceSetup.LocalFrameOrigin, ReferenceSetup.LocalFrameAltitudeReference, ReferenceSetup.LocalFrameType);
	OutReferenceFrame = MoveTemp(Frame);
	return OutReferenceFrame.IsInitialized();
}

bool UDuRizerudoreBlueprintLibrary::ConvertPosition(const FCoordinateReferenceFrame& ReferenceFrame, const ECoordinateSystem FromSystem, const ECoordinateSystem ToSystem,
	const FVector& Position, FVector& ConvertedPosition)
{
	if (!ReferenceFrame.IsInitialized())
	{
		return false;
	}
	return DuRizerudore::DispatchPositionConversion(FromSystem, ToSystem, ReferenceFrame, Position, ConvertedPosition);
}

bool UDuRizerudoreBlueprintLibrary::GetGeoidHeight(const FCoordinateReferenceFrame& ReferenceFrame, const ECoordinateSystem PositionSystem, const FVector& Position,
	double& GeoidHeightM)
{
	GeoidHeightM = 0.0;
	if (!ReferenceFrame.IsInitialized() || !PassesGeoidTest(ReferenceFrame))
	{
		return false;
	}
	FVector Geodetic;
	if (!DuRizerudore::DispatchPositionConversion(PositionSystem, ECoordinateSystem::Geodetic, ReferenceFrame, Position, Geodetic))
	{
		return false;
	}
	GeoidHeightM = ReferenceFrame.GetConversion()->GetGeoidHeight(Geodetic);
	return true;
}

bool UDuRizerudoreBlueprintLibrary::GetHeightAboveEllipsoid(const FCoordinateReferenceFrame& ReferenceFrame, const FVector& GeodeticCoordinateAtMeanSeaLevel,
	double& HeightAboveEllipsoidM)
{
	HeightAboveEllipsoidM = 0.0;
	if (!ReferenceFrame.IsInitialized() || !PassesGeoidTest(ReferenceFrame))
	{
		return false;
	}
	HeightAboveEllipsoidM = ReferenceFrame.GetConversion()->GetHeightAboveEllipsoid(GeodeticCoordinateAtMeanSeaLevel);
	return true;
}

bool UDuRizerudoreBlueprintLibrary::GetHeightAboveMeanSeaLevel(const FCoordinateReferenceFrame& ReferenceFrame, const ECoordinateSystem PositionSystem,
	const FVector& Position, double& HeightAboveMeanSeaLevelM)
{
	HeightAboveMeanSeaLevelM = 0.0;
	if (!ReferenceFrame.IsInitialized() || !PassesGeoidTest(ReferenceFrame))
	{
		return false;
	}
	FVector Geodetic;
	if (!DuRizerudore::DispatchPositionConversion(PositionSystem, ECoordinateSystem::Geodetic, ReferenceFrame, Position, Geodetic))
	{
		return false;
	}
	HeightAboveMeanSeaLevelM = ReferenceFrame.GetConversion()->GetHeightAboveMeanSeaLevel(Geodetic);
	return true;
}
