#include "DuRizerudoreBlueprintLibrary.h"

#include "DuRizerudorePositionConversion.h"

namespace
{
	/** The frame test, the geoid test and the position brought to geodetic: what every height query needs first. */
	bool TryGeodeticForHeightQuery(const FCoordinateReferenceFrame& ReferenceFrame, const ECoordinateSystem PositionSystem, const FVector& Position, FVector& OutGeodetic)
	{
		return ReferenceFrame.IsInitialized() && ReferenceFrame.GetConversion()->SupportsGeoidQueries()
			&& DuRizerudore::DispatchPositionConversion(PositionSystem, ECoordinateSystem::Geodetic, ReferenceFrame, Position, OutGeodetic);
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
	FVector Geodetic;
	if (!TryGeodeticForHeightQuery(ReferenceFrame, PositionSystem, Position, Geodetic))
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
	if (!ReferenceFrame.IsInitialized() || !ReferenceFrame.GetConversion()->SupportsGeoidQueries())
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
	FVector Geodetic;
	if (!TryGeodeticForHeightQuery(ReferenceFrame, PositionSystem, Position, Geodetic))
	{
		return false;
	}
	HeightAboveMeanSeaLevelM = ReferenceFrame.GetConversion()->GetHeightAboveMeanSeaLevel(Geodetic);
	return true;
}
