#include "DuRizerudoreBlueprintLibrary.h"

#include "DuRizerudoreBatchConversion.h"
#include "DuRizerudoreConversionInternal.h"
#include "DuRizerudoreHeadingPitch.h"
#include "DuRizerudoreLocalSystems.h"
#include "DuRizerudorePositionConversion.h"
#include "DuRizerudoreRotationConversion.h"
#include "DuRizerudoreSystem.h"
#include "DuRizerudoreVectorConversion.h"

namespace
{
	using DuRizerudore::IsAnswerablePosition;

	/**
	 * A height query at a position of any system: the frame test, the geoid test and the position brought to
	 * geodetic come first. The answer is 0 after false.
	 */
	bool AnswerHeightQuery(const FCoordinateReferenceFrame& ReferenceFrame, const ECoordinateSystem PositionSystem, const FVector& Position,
		double (FCoordinateConversionInstance::*Query)(const FVector&) const, double& OutHeightM)
	{
		OutHeightM = 0.0;
		FVector Geodetic = FVector::ZeroVector;
		if (!ReferenceFrame.IsInitialized() || !ReferenceFrame.GetConversion()->SupportsGeoidQueries() || !IsAnswerablePosition(PositionSystem, Position)
			|| !DuRizerudore::DispatchPositionConversion(PositionSystem, ECoordinateSystem::Geodetic, ReferenceFrame, Position, Geodetic))
		{
			return false;
		}
		const double HeightM = (ReferenceFrame.GetConversion()->*Query)(Geodetic);
		if (!FMath::IsFinite(HeightM))
		{
			return false;
		}
		OutHeightM = HeightM;
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
	FCoordinateReferenceFrame Frame(Conversion, ReferenceSetup);
	if (!Frame.HasLocalFrame())
	{
		return false;
	}
	OutReferenceFrame = MoveTemp(Frame);
	return true;
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
	FCoordinateReferenceFrame Frame(Conversion, ReferenceSetup);
	if (!Frame.HasLocalFrame())
	{
		return false;
	}
	OutReferenceFrame = MoveTemp(Frame);
	return true;
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
	// The tangent plane's ECEF paths inline, into a result of their own that stays in registers: a result the
	// dispatcher also writes through a reference must live in memory, and reading it back whole after writing
	// it component by component stalls the store buffer on every call. Their results need the only test: each
	// result component weighs every input component, so an input that is not finite gives a result that is not.
	FVector TangentPlaneResult(0.0, 0.0, 0.0);
	if (DuRizerudore::TryConvertPositionInTangentPlane(FromSystem, ToSystem, ReferenceFrame, Position, TangentPlaneResult))
	{
		if (TangentPlaneResult.ContainsNaN())
		{
			return false;
		}
		ConvertedPosition = TangentPlaneResult;
		return true;
	}
	if (!IsAnswerablePosition(FromSystem, Position))
	{
		return false;
	}
	FVector Converted = FVector::ZeroVector;
	if (!DuRizerudore::DispatchPositionConversion(FromSystem, ToSystem, ReferenceFrame, Position, Converted) || Converted.ContainsNaN())
	{
		return false;
	}
	ConvertedPosition = Converted;
	return true;
}

bool UDuRizerudoreBlueprintLibrary::ConvertPositions(const FCoordinateReferenceFrame& ReferenceFrame, const ECoordinateSystem FromSystem, const ECoordinateSystem ToSystem,
	const TArray<FVector>& Positions, TArray<FVector>& ConvertedPositions)
{
	if (!ReferenceFrame.IsInitialized() || !DuRizerudore::IsKnownCoordinateSystem(FromSystem) || !DuRizerudore::IsKnownCoordinateSystem(ToSystem))
	{
		return false;
	}
	// Into a fresh array, so that ConvertedPositions may be Positions itself.
	TArray<FVector> Converted;
	Converted.SetNum(Positions.Num());
	const int32 ConvertedCount = DuRizerudore::ConvertPositions(ReferenceFrame, FromSystem, ToSystem, Positions, Converted);
	ConvertedPositions = MoveTemp(Converted);
	return ConvertedCount == Positions.Num();
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
	if (!ReferenceFrame.IsInitialized() || !ReferenceFrame.GetConversion()->SupportsGeoidQueries()
		|| !IsAnswerablePosition(ECoordinateSystem::Geodetic, GeodeticCoordinateAtMeanSeaLevel))
	{
		return false;
	}
	const double HeightM = ReferenceFrame.GetConversion()->GetHeightAboveEllipsoid(GeodeticCoordinateAtMeanSeaLevel);
	if (!FMath::IsFinite(HeightM))
	{
		return false;
	}
	HeightAboveEllipsoidM = HeightM;
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
	FVector Converted = FVector::ZeroVector;
	if (!ReferenceFrame.IsInitialized() || Vector.ContainsNaN() || !DuRizerudore::DispatchVectorConversion(FromSystem, ToSystem, ReferenceFrame, Vector, Converted)
		|| Converted.ContainsNaN())
	{
		return false;
	}
	ConvertedVector = Converted;
	return true;
}

bool UDuRizerudoreBlueprintLibrary::ConvertVectorAtPosition(const FCoordinateReferenceFrame& ReferenceFrame, const ECoordinateSystem FromSystem,
	const ECoordinateSystem ToSystem, const FVector& Vector, const ECoordinateSystem PositionSystem, const FVector& Position, FVector& ConvertedVector)
{
	FVector Converted = FVector::ZeroVector;
	if (!ReferenceFrame.IsInitialized() || Vector.ContainsNaN() || !IsAnswerablePosition(PositionSystem, Position)
		|| !DuRizerudore::DispatchVectorAtPositionConversion(PositionSystem, FromSystem, ToSystem, ReferenceFrame, Position, Vector, Converted) || Converted.ContainsNaN())
	{
		return false;
	}
	ConvertedVector = Converted;
	return true;
}

bool UDuRizerudoreBlueprintLibrary::ConvertQuaternion(const FCoordinateReferenceFrame& ReferenceFrame, const ECoordinateSystem FromSystem, const ECoordinateSystem ToSystem,
	const FQuat& Rotation, FQuat& ConvertedRotation)
{
	FQuat Converted = FQuat::Identity;
	if (!ReferenceFrame.IsInitialized() || Rotation.ContainsNaN() || !DuRizerudore::DispatchRotationConversion(FromSystem, ToSystem, ReferenceFrame, Rotation, Converted)
		|| Converted.ContainsNaN())
	{
		return false;
	}
	ConvertedRotation = Converted;
	return true;
}

bool UDuRizerudoreBlueprintLibrary::ConvertRotator(const FCoordinateReferenceFrame& ReferenceFrame, const ECoordinateSystem FromSystem, const ECoordinateSystem ToSystem,
	const FRotator& Rotation, FRotator& ConvertedRotation)
{
	if (!ReferenceFrame.IsInitialized() || Rotation.ContainsNaN())
	{
		return false;
	}
	FQuat Converted = FQuat::Identity;
	if (!DuRizerudore::DispatchRotationConversion(FromSystem, ToSystem, ReferenceFrame, Rotation.Quaternion(), Converted))
	{
		return false;
	}
	const FRotator Result = Converted.Rotator();
	if (Result.ContainsNaN())
	{
		return false;
	}
	ConvertedRotation = Result;
	return true;
}

bool UDuRizerudoreBlueprintLibrary::HeadingPitchDegFromVector(const FCoordinateReferenceFrame& ReferenceFrame, const ECoordinateSystem VectorSystem, const FVector& Vector,
	const ECoordinateSystem PositionSystem, const FVector& Position, FVector2D& HeadingPitchDeg)
{
	FVector2D Converted = FVector2D::ZeroVector;
	if (!ReferenceFrame.IsInitialized() || Vector.ContainsNaN() || !IsAnswerablePosition(PositionSystem, Position)
		|| !DuRizerudore::DispatchHeadingPitchFromVector(VectorSystem, PositionSystem, ReferenceFrame, Vector, Position, Converted) || Converted.ContainsNaN())
	{
		return false;
	}
	HeadingPitchDeg = Converted;
	return true;
}

bool UDuRizerudoreBlueprintLibrary::VectorFromHeadingPitchDeg(const FCoordinateReferenceFrame& ReferenceFrame, const ECoordinateSystem VectorSystem,
	const FVector2D& HeadingPitchDeg, const ECoordinateSystem PositionSystem, const FVector& Position, FVector& Vector)
{
	FVector Converted = FVector::ZeroVector;
	if (!ReferenceFrame.IsInitialized() || HeadingPitchDeg.ContainsNaN() || !IsAnswerablePosition(PositionSystem, Position)
		|| !DuRizerudore::DispatchVectorFromHeadingPitch(VectorSystem, PositionSystem, ReferenceFrame, HeadingPitchDeg, Position, Converted) || Converted.ContainsNaN())
	{
		return false;
	}
	Vector = Converted;
	return true;
}

bool UDuRizerudoreBlueprintLibrary::GetGravity(const FCoordinateReferenceFrame& ReferenceFrame, const ECoordinateSystem PositionSystem, const FVector& Position,
	const ECoordinateSystem VectorSystem, FVector& Gravity)
{
	Gravity = FVector::ZeroVector;
	FVector World = FVector::ZeroVector;
	if (!ReferenceFrame.IsInitialized() || !IsAnswerablePosition(PositionSystem, Position)
		|| !DuRizerudore::DispatchPositionConversion(PositionSystem, ECoordinateSystem::Geocentric, ReferenceFrame, Position, World))
	{
		return false;
	}
	const FVector GeocentricGravity = FCoordinateConversionKernelAccess::GetGeocentricGravityAtGeocentric(*ReferenceFrame.GetConversion(), World);
	FVector Result = GeocentricGravity;
	switch (VectorSystem)
	{
	case ECoordinateSystem::Geocentric:
		break;
	case ECoordinateSystem::Local_ENU:
	case ECoordinateSystem::Local_NED:
	case ECoordinateSystem::Local_UE:
		// In the axes at the queried point, not at the frame's origin.
		if (!DuRizerudore::DispatchVectorAtPositionConversion(ECoordinateSystem::Geocentric, ECoordinateSystem::Geocentric, VectorSystem, ReferenceFrame, World, GeocentricGravity, Result))
		{
			return false;
		}
		break;
	default:
		return false;
	}
	if (Result.ContainsNaN())
	{
		return false;
	}
	Gravity = Result;
	return true;
}
