// The static functions through which visual scripts build reference frames and convert positions.
#pragma once

#include "CoreMinimal.h"
#include "DuRizerudoreConversion.h"
#include "Kismet/BlueprintFunctionLibrary.h"

#include "DuRizerudoreBlueprintLibrary.generated.h"

/**
 * Every function returns true on success and delivers its results through out-parameters. After false:
 * MakeReferenceFrame leaves a default frame, ConvertPosition leaves its output untouched, and the height
 * queries set their output to 0. Positions in a UTM frame that the UTM/UPS projection cannot take (a
 * latitude outside [-90, 90], a point too far from the origin's zone) give false as well.
 */
UCLASS(meta = (ToolTip = "Blueprint helpers for building runtime reference frames and dispatching conversions from runtime enums."))
class DURIZERUDORE_API UDuRizerudoreBlueprintLibrary : public UBlueprintFunctionLibrary
{
	GENERATED_BODY()

public:
	/** True when the frame holds an initialized conversion instance. */
	UFUNCTION(BlueprintPure, Category = "DuRizerudore|Frame")
	static bool IsReferenceFrameValid(const FCoordinateReferenceFrame& ReferenceFrame);

	/** Builds fresh models from ConversionSetup (never shared with another frame) and the local frame of ReferenceSetup. */
	UFUNCTION(BlueprintCallable, Category = "DuRizerudore|Frame", meta = (ToolTip = "Builds a reusable runtime reference frame from the supplied conversion and local-frame setup."))
	static bool MakeReferenceFrame(const FCoordinateConversionSetup& ConversionSetup, const FCoordinateReferenceSetup& ReferenceSetup, FCoordinateReferenceFrame& OutReferenceFrame);

	UFUNCTION(BlueprintCallable, Category = "DuRizerudore|Conversion")
	static bool ConvertPosition(const FCoordinateReferenceFrame& ReferenceFrame, ECoordinateSystem FromSystem, ECoordinateSystem ToSystem, const FVector& Position, FVector& ConvertedPosition);

	UFUNCTION(BlueprintCallable, Category = "DuRizerudore|Earth", meta = (ToolTip = "Resolves geoid separation at the queried position."))
	static bool GetGeoidHeight(const FCoordinateReferenceFrame& ReferenceFrame, ECoordinateSystem PositionSystem, const FVector& Position, double& GeoidHeightM);

	UFUNCTION(BlueprintCallable, Category = "DuRizerudore|Earth", meta = (ToolTip = "Resolves ellipsoid height from a geodetic coordinate whose Z component is height above mean sea level."))
	static bool GetHeightAboveEllipsoid(const FCoordinateReferenceFrame& ReferenceFrame, const FVector& GeodeticCoordinateAtMeanSeaLevel, double& HeightAboveEllipsoidM);

	UFUNCTION(BlueprintCallable, Category = "DuRizerudore|Earth", meta = (ToolTip = "Resolves mean sea level height for a physical point described in any supported position frame."))
	static bool GetHeightAboveMeanSeaLevel(const FCoordinateReferenceFrame& ReferenceFrame, ECoordinateSystem PositionSystem, const FVector& Position, double& HeightAboveMeanSeaLevelM);
};
