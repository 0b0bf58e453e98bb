// The static functions through which visual scripts build reference frames and convert positions.
#pragma once

#include "CoreMinimal.h"
#include "DuRizerudoreConversion.h"
#include "Kismet/BlueprintFunctionLibrary.h"

#include "DuRizerudoreBlueprintLibrary.generated.h"

/**
 * Every function returns true on success and delivers its results through out-parameters. After false:
 * MakeReferenceFrame leaves a default frame, the conversions and the heading/pitch functions leave their
 * outputs untouched, the height queries set their output to 0 and GetGravity to the zero vector. Positions in a UTM frame that the UTM/UPS projection cannot take (a
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

	/** A free vector with the frame's origin rotation; never scaled, not even for Local_UE. */
	UFUNCTION(BlueprintCallable, Category = "DuRizerudore|Conversion")
	static bool ConvertVector(const FCoordinateReferenceFrame& ReferenceFrame, ECoordinateSystem FromSystem, ECoordinateSystem ToSystem, const FVector& Vector, FVector& ConvertedVector);

	UFUNCTION(BlueprintCallable, Category = "DuRizerudore|Conversion", meta = (ToolTip = "Converts a vector using an explicit position whose coordinate system can differ from the vector system."))
	static bool ConvertVectorAtPosition(const FCoordinateReferenceFrame& ReferenceFrame, ECoordinateSystem FromSystem, ECoordinateSystem ToSystem, const FVector& Vector,
		ECoordinateSystem PositionSystem, const FVector& Position, FVector& ConvertedVector);

	UFUNCTION(BlueprintCallable, Category = "DuRizerudore|Conversion")
	static bool ConvertQuaternion(const FCoordinateReferenceFrame& ReferenceFrame, ECoordinateSystem FromSystem, ECoordinateSystem ToSystem, const FQuat& Rotation, FQuat& ConvertedRotation);

	/** Goes through a quaternion even between equal systems, so the result is the engine's canonical rotator. */
	UFUNCTION(BlueprintCallable, Category = "DuRizerudore|Conversion")
	static bool ConvertRotator(const FCoordinateReferenceFrame& ReferenceFrame, ECoordinateSystem FromSystem, ECoordinateSystem ToSystem, const FRotator& Rotation, FRotator& ConvertedRotation);

	UFUNCTION(BlueprintCallable, Category = "DuRizerudore|Heading")
	static bool HeadingPitchDegFromVector(const FCoordinateReferenceFrame& ReferenceFrame, ECoordinateSystem VectorSystem, const FVector& Vector, ECoordinateSystem PositionSystem,
		const FVector& Position, FVector2D& HeadingPitchDeg);

	UFUNCTION(BlueprintCallable, Category = "DuRizerudore|Heading")
	static bool VectorFromHeadingPitchDeg(const FCoordinateReferenceFrame& ReferenceFrame, ECoordinateSystem VectorSystem, const FVector2D& HeadingPitchDeg,
		ECoordinateSystem PositionSystem, const FVector& Position, FVector& Vector);

	/** Gravity in m/s^2 in every vector system; local systems use the axes at the queried point. Zero after false. */
	UFUNCTION(BlueprintCallable, Category = "DuRizerudore|Earth", meta = (ToolTip = "Resolves gravity at the query point. Local outputs are expressed in the tangent frame at the queried point, not at the reference origin."))
	static bool GetGravity(const FCoordinateReferenceFrame& ReferenceFrame, ECoordinateSystem PositionSystem, const FVector& Position, ECoordinateSystem VectorSystem, FVector& Gravity);

	UFUNCTION(BlueprintCallable, Category = "DuRizerudore|Earth", meta = (ToolTip = "Resolves geoid separation at the queried position."))
	static bool GetGeoidHeight(const FCoordinateReferenceFrame& ReferenceFrame, ECoordinateSystem PositionSystem, const FVector& Position, double& GeoidHeightM);

	UFUNCTION(BlueprintCallable, Category = "DuRizerudore|Earth", meta = (ToolTip = "Resolves ellipsoid height from a geodetic coordinate whose Z component is height above mean sea level."))
	static bool GetHeightAboveEllipsoid(const FCoordinateReferenceFrame& ReferenceFrame, const FVector& GeodeticCoordinateAtMeanSeaLevel, double& HeightAboveEllipsoidM);

	UFUNCTION(BlueprintCallable, Category = "DuRizerudore|Earth", meta = (ToolTip = "Resolves mean sea level height for a physical point described in any supported position frame."))
	static bool GetHeightAboveMeanSeaLevel(const FCoordinateReferenceFrame& ReferenceFrame, ECoordinateSystem PositionSystem, const FVector& Position, double& HeightAboveMeanSeaLevelM);
};
