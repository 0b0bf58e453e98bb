#include "DuRizerudoreBlueprintLibrary.h"

#include "DuRizerudoreConversionInternal.h"
#include "DuRizerudoreHeadingPitch.h"
#include "DuRizerudorePositionConversion.h"
#include "DuRizerudoreRotationConversion.h"
#include "DuRizerudoreSystem.h"
#include "DuRizerudoreVectorConversion.h"

namespace
{
	/**
	 * A height query at a position of any system: the frame test, the geoid test and the position brought to
	 * geodetic come first. The answer is 0 after false.
	 */
	bool AnswerHeightQuery(const FCoordinateReferenceFrame& ReferenceFrame, const ECoordinateSystem PositionSystem, const FVector& Position,
		double (FCoordinateConversionInstance::*Query)(const FVector&) const, double& OutHeightM)
	{
		OutHeightM = 0.0;
		FVector Geodetic = FVector::ZeroVector;
		if (!ReferenceFrame.IsInitialized() || !ReferenceFrame.GetConversion()->SupportsGeoidQueries()
			|| !DuRizerudore::DispatchPositionConversion(PositionSystem, ECoordinateSystem::Geodetic, ReferenceFrame, Position, Geodetic))
		{
			return false;
		}
		OutHeightM = (ReferenceFrame.GetConversion()->*Query)(Geodetic);
		return true;
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

bool UDuRizerudoreBlueprintLibrary::MakeReferenceFrameFromCoordinateSystem(ADuRizerudoreSystem* CoordinateSystem, const FCoordinateReferenceSetup& ReferenceSetup,
	FCoordinateReferenceFrame& OutReferenceFrame)
{
	OutReferenceFrame = FCoordinateReferenceFrame();
	if (!IsValid(CoordinateSystem))
	{
		return false;
	}
	const TSharedPtr<FCoordinateConversionInstance, ESPMode::ThreadSafe> Conversion = CoordinateSystem->GetInstancePtr();
	if (!Conversion.IsValid() || !Conversion->IsInitialized())
	{
		return false;
	}
	FCoordinateReferenceFrame Frame(Conversion);
	Frame.SetLocalFrameOrigin(ReferenceSetup.LocalFrameOrigin, ReferenceSetup.LocalFrameAltitudeReference, ReferenceSetup.LocalFrameType);
	OutReferenceFrame = MoveTemp(Frame);
	return OutReferenceFrame.IsInitialized();
}

bool UDuRizerudoreBlueprintLibrary::GetReferenceFrameFromCoordinateSystem(ADuRizerudoreSystem* CoordinateSystem, FCoordinateReferenceFrame& OutReferenceFrame)
{
	OutReferenceFrame = FCoordinateReferenceFrame();
	if (!IsValid(CoordinateSystem))
	{
		return false;
	}
	const FCoordinateReferenceFramePtr Frame = CoordinateSystem->GetReferenceFramePtr();
	if (!Frame.IsValid() || !Frame->IsInitialized())
	{
		return false;
	}
	OutReferenceFrame = *Frame;
	return true;
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
	return AnswerHeightQuery(ReferenceFrame, PositionSystem, Position, &FCoordinateConversionInstance::GetGeoidHeight, GeoidHeightM);
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
	return AnswerHeightQuery(ReferenceFrame, PositionSystem, Position, &FCoordinateConversionInstance::GetHeightAboveMeanSeaLevel, HeightAboveMeanSeaLevelM);
}

bool UDuRizerudoreBlueprintLibrary::ConvertVector(const FCoordinateReferenceFrame& ReferenceFrame, const ECoordinateSystem FromSystem, const ECoordinateSystem ToSystem,
	const FVector& Vector, FVector& ConvertedVector)
{
	return ReferenceFrame.IsInitialized() && DuRizerudore::DispatchVectorConversion(FromSystem, ToSystem, ReferenceFrame, Vector, ConvertedVector);
}

bool UDuRizerudoreBlueprintLibrary::ConvertVectorAtPosition(const FCoordinateReferenceFrame& ReferenceFrame, const ECoordinateSystem FromSystem,
	const ECoordinateSystem ToSystem, const FVector& Vector, const ECoordinateSystem PositionSystem, const FVector& Position, FVector& ConvertedVector)
{
	return ReferenceFrame.IsInitialized()
		&& DuRizerudore::DispatchVectorAtPositionConversion(PositionSystem, FromSystem, ToSystem, ReferenceFrame, Position, Vector, ConvertedVector);
}

bool UDuRizerudoreBlueprintLibrary::ConvertQuaternion(const FCoordinateReferenceFrame& ReferenceFrame, const ECoordinateSystem FromSystem, const ECoordinateSystem ToSystem,
	const FQuat& Rotation, FQuat& ConvertedRotation)
{
	return ReferenceFrame.IsInitialized() && DuRizerudore::DispatchRotationConversion(FromSystem, ToSystem, ReferenceFrame, Rotation, ConvertedRotation);
}

bool UDuRizerudoreBlueprintLibrary::ConvertRotator(const FCoordinateReferenceFrame& ReferenceFrame, const ECoordinateSystem FromSystem, const ECoordinateSystem ToSystem,
	const FRotator& Rotation, FRotator& ConvertedRotation)
{
	const FQuat Quaternion = Rotation.Quaternion();
	if (!ReferenceFrame.IsInitialized())
	{
		return false;
	}
	FQuat Converted = FQuat::Identity;
	if (!DuRizerudore::DispatchRotationConversion(FromSystem, ToSystem, ReferenceFrame, Quaternion, Converted))
	{
		return false;
	}
	ConvertedRotation = Converted.Rotator();
	return true;
}

bool UDuRizerudoreBlueprintLibrary::HeadingPitchDegFromVector(const FCoordinateReferenceFrame& ReferenceFrame, const ECoordinateSystem VectorSystem, const FVector& Vector,
	const ECoordinateSystem PositionSystem, const FVector& Position, FVector2D& HeadingPitchDeg)
{
	return ReferenceFrame.IsInitialized() && DuRizerudore::DispatchHeadingPitchFromVector(VectorSystem, PositionSystem, ReferenceFrame, Vector, Position, HeadingPitchDeg);
}

bool UDuRizerudoreBlueprintLibrary::VectorFromHeadingPitchDeg(const FCoordinateReferenceFrame& ReferenceFrame, const ECoordinateSystem VectorSystem,
	const FVector2D& HeadingPitchDeg, const ECoordinateSystem PositionSystem, const FVector& Position, FVector& Vector)
{
	return ReferenceFrame.IsInitialized() && DuRizerudore::DispatchVectorFromHeadingPitch(VectorSystem, PositionSystem, ReferenceFrame, HeadingPitchDeg, Position, Vector);
}

bool UDuRizerudoreBlueprintLibrary::GetGravity(const FCoordinateReferenceFrame& ReferenceFrame, const ECoordinateSystem PositionSystem, const FVector& Position,
	const ECoordinateSystem VectorSystem, FVector& Gravity)
{
	Gravity = FVector::ZeroVector;
	if (!ReferenceFrame.IsInitialized())
	{
		return false;
	}
	FVector World = FVector::ZeroVector;
	if (!DuRizerudore::DispatchPositionConversion(PositionSystem, ECoordinateSystem::Geocentric, ReferenceFrame, Position, World))
	{
		return false;
	}
	const FVector GeocentricGravity = FCoordinateConversionKernelAccess::GetGeocentricGravityAtGeocentric(*ReferenceFrame.GetConversion(), World);
	switch (VectorSystem)
	{
	case ECoordinateSystem::Geocentric:
		Gravity = GeocentricGravity;
		return true;
	case ECoordinateSystem::Local_ENU:
	case ECoordinateSystem::Local_NED:
	case ECoordinateSystem::Local_UE:
	{
		// In the axes at the queried point, not at the frame's origin.
		FVector Local = FVector::ZeroVector;
		if (!DuRizerudore::DispatchVectorAtPositionConversion(ECoordinateSystem::Geocentric, ECoordinateSystem::Geocentric, VectorSystem, ReferenceFrame, World, GeocentricGravity, Local))
		{
			return false;
		}
		Gravity = Local;
		return true;
	}
	default:
		return false;
	}
}
