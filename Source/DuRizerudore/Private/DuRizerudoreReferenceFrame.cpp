// The reference frame: a shared conversion instance with one local frame (tangent plane or UTM/UPS
// grid), the mapping of positions into and out of that local frame, and the local-frame rotations.
#include "DuRizerudoreConversion.h"

#include "DuRizerudoreConversionInternal.h"
#include "DuRizerudoreLog.h"

#include <GeographicLib/Geocentric.hpp>
#include <GeographicLib/LocalCartesian.hpp>
#include <GeographicLib/UTMUPS.hpp>

#include <cmath>
#include <exception>
#include <limits>
#include <stdexcept>

namespace
{
	/**
	 * GeographicLib's UTM/UPS projection throws for most input it cannot project, but lets NaN through as NaN;
	 * both count as refused here.
	 */
	void RequireFinite(const double A, const double B)
	{
		if (!std::isfinite(A) || !std::isfinite(B))
		{
			throw std::domain_error("the UTM/UPS projection needs finite coordinates");
		}
	}

	/** A point projected into the frame's forced zone. */
	struct FGridPoint
	{
		double Easting = 0.0;
		double Northing = 0.0;
		double ConvergenceDeg = 0.0;
	};

	/**
	 * Projects a position into the given zone (0 for UPS), whatever zone it would naturally fall in; the
	 * hemisphere, and so the false northing, follows the position's own latitude. False when refused.
	 */
	bool TryProjectIntoZone(const double LatitudeDeg, const double LongitudeDeg, const int32 Zone, FGridPoint& OutPoint)
	{
		try
		{
			RequireFinite(LatitudeDeg, LongitudeDeg);
			int OutZone = 0;
			bool bNorthernHemisphere = true;
			double Scale = 0.0;
			GeographicLib::UTMUPS::Forward(LatitudeDeg, LongitudeDeg, OutZone, bNorthernHemisphere, OutPoint.Easting, OutPoint.Northing, OutPoint.ConvergenceDeg, Scale, Zone, false);
			return true;
		}
		catch (const std::exception&)
		{
			return false;
		}
	}

	FVector MakeNaNVector()
	{
		const double NaN = std::numeric_limits<double>::quiet_NaN();
		return FVector(NaN, NaN, NaN);
	}
}

namespace DuRizerudore
{
	FQuat BuildEnuToGeocentricRotationAtGeocentric(const FCoordinateConversionInstance& Instance, const FVector& WorldPosition)
	{
		const FVector Geodetic = FCoordinateConversionKernelAccess::WorldPositionToGeodetic(Instance, WorldPosition);
		return BuildEnuToGeocentricRotation(Geodetic.X, Geodetic.Y);
	}
}

FCoordinateReferenceFrame::FCoordinateReferenceFrame() = default;

FCoordinateReferenceFrame::FCoordinateReferenceFrame(const TSharedPtr<FCoordinateConversionInstance, ESPMode::ThreadSafe>& InConversion)
	: Conversion(InConversion)
{
}

FCoordinateReferenceFrame::FCoordinateReferenceFrame(const TSharedRef<FCoordinateConversionInstance, ESPMode::ThreadSafe>& InConversion)
	: Conversion(InConversion)
{
}

FCoordinateReferenceFrame::FCoordinateReferenceFrame(const TSharedPtr<FCoordinateConversionInstance, ESPMode::ThreadSafe>& InConversion, const FCoordinateReferenceSetup& Setup)
	: Conversion(InConversion)
{
	SetLocalFrameOrigin(Setup.LocalFrameOrigin, Setup.LocalFrameAltitudeReference, Setup.LocalFrameType);
}

FCoordinateReferenceFrame::FCoordinateReferenceFrame(const TSharedRef<FCoordinateConversionInstance, ESPMode::ThreadSafe>& InConversion, const FCoordinateReferenceSetup& Setup)
	: Conversion(InConversion)
{
	SetLocalFrameOrigin(Setup.LocalFrameOrigin, Setup.LocalFrameAltitudeReference, Setup.LocalFrameType);
}

FCoordinateReferenceFrame::FCoordinateReferenceFrame(const FCoordinateReferenceFrame& Other) = default;

FCoordinateReferenceFrame::FCoordinateReferenceFrame(FCoordinateReferenceFrame&& Other)
	: Conversion(MoveTemp(Other.Conversion))
	, LocalCartesian(MoveTemp(Other.LocalCartesian))
	, LocalFrameOrigin(Other.LocalFrameOrigin)
	, LocalEnuToGeocentricRotation(Other.LocalEnuToGeocentricRotation)
	, bHasLocalFrame(Other.bHasLocalFrame)
	, LocalFrameType(Other.LocalFrameType)
	, UtmZone(Other.UtmZone)
	, bUtmNorthernHemisphere(Other.bUtmNorthernHemisphere)
	, UtmOriginEasting(Other.UtmOriginEasting)
	, UtmOriginNorthing(Other.UtmOriginNorthing)
	, UtmOriginScale(Other.UtmOriginScale)
{
}

// The shared pointers add the new reference before they release the old one, so self-assignment is safe.
FCoordinateReferenceFrame& FCoordinateReferenceFrame::operator=(const FCoordinateReferenceFrame& Other) = default;

FCoordinateReferenceFrame& FCoordinateReferenceFrame::operator=(FCoordinateReferenceFrame&& Other)
{
	if (this != &Other)
	{
		Conversion = MoveTemp(Other.Conversion);
		LocalCartesian = MoveTemp(Other.LocalCartesian);
		LocalFrameOrigin = Other.LocalFrameOrigin;
		LocalEnuToGeocentricRotation = Other.LocalEnuToGeocentricRotation;
		bHasLocalFrame = Other.bHasLocalFrame;
		LocalFrameType = Other.LocalFrameType;
		UtmZone = Other.UtmZone;
		bUtmNorthernHemisphere = Other.bUtmNorthernHemisphere;
		UtmOriginEasting = Other.UtmOriginEasting;
		UtmOriginNorthing = Other.UtmOriginNorthing;
		UtmOriginScale = Other.UtmOriginScale;
	}
	return *this;
}

FCoordinateReferenceFrame::~FCoordinateReferenceFrame()
{
	LocalCartesian.Reset();
	Conversion.Reset();
}

bool FCoordinateReferenceFrame::IsInitialized() const
{
	return Conversion.IsValid() && Conversion->IsInitialized();
}

bool FCoordinateReferenceFrame::HasLocalFrame() const
{
	return bHasLocalFrame;
}

bool FCoordinateReferenceFrame::UsesPositionDependentLocalFrame() const
{
	return bHasLocalFrame && LocalFrameType == ECoordinateLocalFrameType::UTM;
}

ECoordinateLocalFrameType FCoordinateReferenceFrame::GetLocalFrameType() const
{
	return LocalFrameType;
}

FGeodeticCoordinate FCoordinateReferenceFrame::GetLocalFrameOrigin() const
{
	return LocalFrameOrigin;
}

const FCoordinateConversionInstance* FCoordinateReferenceFrame::GetConversion() const
{
	return Conversion.Get();
}

TSharedPtr<FCoordinateConversionInstance, ESPMode::ThreadSafe> FCoordinateReferenceFrame::GetConversionPtr() const
{
	return Conversion;
}

void FCoordinateReferenceFrame::SetLocalFrameOrigin(const FGeodeticCoordinate& Origin, const ECoordinateAltitudeReference AltitudeReference, const ECoordinateLocalFrameType Type)
{
	if (!ensureMsgf(Conversion.IsValid() && Conversion->IsInitialized(),
			TEXT("FCoordinateReferenceFrame requires an initialized conversion instance before setting a local frame origin.")))
	{
		return;
	}

	bHasLocalFrame = false;
	LocalCartesian.Reset();
	LocalFrameType = Type;
	LocalFrameOrigin = Origin;
	LocalFrameOrigin.HeightM = Conversion->ResolveHeightAboveEllipsoid(Origin.HeightM, Origin.LatitudeDeg, Origin.LongitudeDeg, AltitudeReference);

	if (LocalFrameType == ECoordinateLocalFrameType::UTM)
	{
		try
		{
			double Convergence = 0.0;
			RequireFinite(LocalFrameOrigin.LatitudeDeg, LocalFrameOrigin.LongitudeDeg);
			GeographicLib::UTMUPS::Forward(LocalFrameOrigin.LatitudeDeg, LocalFrameOrigin.LongitudeDeg, UtmZone, bUtmNorthernHemisphere, UtmOriginEasting,
				UtmOriginNorthing, Convergence, UtmOriginScale, GeographicLib::UTMUPS::STANDARD, false);
		}
		catch (const std::exception& Exception)
		{
			UE_LOG(LogDuRizerudoreConversion, Error, TEXT("Cannot project the UTM/UPS local frame origin (%.17g, %.17g): %s"), LocalFrameOrigin.LatitudeDeg,
				LocalFrameOrigin.LongitudeDeg, UTF8_TO_TCHAR(Exception.what()));
			return;
		}
		LocalEnuToGeocentricRotation = BuildLocalEnuToGeocentricRotationAtGeodetic(LocalFrameOrigin.ToVector());
	}
	else
	{
		const TSharedPtr<GeographicLib::Geocentric, ESPMode::ThreadSafe>& Geocentric = FCoordinateConversionKernelAccess::GetGeocentric(*Conversion);
		LocalCartesian = MakeShared<GeographicLib::LocalCartesian, ESPMode::ThreadSafe>(*Geocentric);
		LocalCartesian->Reset(LocalFrameOrigin.LatitudeDeg, LocalFrameOrigin.LongitudeDeg, LocalFrameOrigin.HeightM);
		LocalEnuToGeocentricRotation = DuRizerudore::BuildEnuToGeocentricRotation(LocalFrameOrigin.LatitudeDeg, LocalFrameOrigin.LongitudeDeg);
	}
	bHasLocalFrame = true;
}

bool FCoordinateReferenceFrame::TryGeodeticPositionToLocalEnu(const FVector& GeodeticPosition, FVector& OutLocalEnuPosition) const
{
	if (!bHasLocalFrame)
	{
		return false;
	}
	if (LocalFrameType != ECoordinateLocalFrameType::UTM)
	{
		if (!LocalCartesian.IsValid())
		{
			return false;
		}
		LocalCartesian->Forward(GeodeticPosition.X, GeodeticPosition.Y, GeodeticPosition.Z, OutLocalEnuPosition.X, OutLocalEnuPosition.Y, OutLocalEnuPosition.Z);
		return true;
	}
	FGridPoint Point;
	if (!TryProjectIntoZone(GeodeticPosition.X, GeodeticPosition.Y, UtmZone, Point))
	{
		return false;
	}
	OutLocalEnuPosition = FVector(Point.Easting - UtmOriginEasting, Point.Northing - UtmOriginNorthing, GeodeticPosition.Z - LocalFrameOrigin.HeightM);
	return true;
}

bool FCoordinateReferenceFrame::TryLocalEnuPositionToGeodetic(const FVector& LocalEnuPosition, FVector& OutGeodeticPosition) const
{
	if (!bHasLocalFrame)
	{
		return false;
	}
	if (LocalFrameType != ECoordinateLocalFrameType::UTM)
	{
		if (!LocalCartesian.IsValid())
		{
			return false;
		}
		LocalCartesian->Reverse(LocalEnuPosition.X, LocalEnuPosition.Y, LocalEnuPosition.Z, OutGeodeticPosition.X, OutGeodeticPosition.Y, OutGeodeticPosition.Z);
		return true;
	}
	try
	{
		double Latitude = 0.0;
		double Longitude = 0.0;
		double Convergence = 0.0;
		double Scale = 0.0;
		RequireFinite(LocalEnuPosition.X, LocalEnuPosition.Y);
		GeographicLib::UTMUPS::Reverse(UtmZone, bUtmNorthernHemisphere, UtmOriginEasting + LocalEnuPosition.X, UtmOriginNorthing + LocalEnuPosition.Y, Latitude,
			Longitude, Convergence, Scale, false);
		OutGeodeticPosition = FVector(Latitude, Longitude, LocalFrameOrigin.HeightM + LocalEnuPosition.Z);
		return true;
	}
	catch (const std::exception&)
	{
		return false;
	}
}

bool FCoordinateReferenceFrame::TryGetGridConvergenceDegAtGeodetic(const FVector& GeodeticPosition, double& OutConvergenceDeg) const
{
	if (LocalFrameType != ECoordinateLocalFrameType::UTM)
	{
		OutConvergenceDeg = 0.0;
		return true;
	}
	FGridPoint Point;
	if (!TryProjectIntoZone(GeodeticPosition.X, GeodeticPosition.Y, UtmZone, Point))
	{
		return false;
	}
	OutConvergenceDeg = Point.ConvergenceDeg;
	return true;
}

FVector FCoordinateReferenceFrame::GeodeticPositionToLocalEnu(const FVector& GeodeticPosition) const
{
	FVector LocalEnu = MakeNaNVector();
	TryGeodeticPositionToLocalEnu(GeodeticPosition, LocalEnu);
	return LocalEnu;
}

FVector FCoordinateReferenceFrame::LocalEnuPositionToGeodetic(const FVector& LocalEnuPosition) const
{
	FVector Geodetic = MakeNaNVector();
	TryLocalEnuPositionToGeodetic(LocalEnuPosition, Geodetic);
	return Geodetic;
}

double FCoordinateReferenceFrame::GetGridConvergenceDegAtGeodetic(const FVector& GeodeticPosition) const
{
	double ConvergenceDeg = std::numeric_limits<double>::quiet_NaN();
	TryGetGridConvergenceDegAtGeodetic(GeodeticPosition, ConvergenceDeg);
	return ConvergenceDeg;
}

FQuat FCoordinateReferenceFrame::BuildLocalEnuToPointEnuRotationAtGeodetic(const FVector& GeodeticPosition) const
{
	const double Gamma = GetGridConvergenceDegAtGeodetic(GeodeticPosition) * DuRizerudore::DegreesToRadians;
	const double C = std::cos(Gamma);
	const double S = std::sin(Gamma);
	// Rows are the images of local east, north and up: grid north lies at bearing gamma east of true north.
	FMatrix Rotation = FMatrix::Identity;
	Rotation.M[0][0] = C;
	Rotation.M[0][1] = -S;
	Rotation.M[1][0] = S;
	Rotation.M[1][1] = C;
	FQuat Result = Rotation.ToQuat();
	Result.Normalize();
	return Result;
}

FQuat FCoordinateReferenceFrame::BuildLocalEnuToGeocentricRotationAtGeodetic(const FVector& GeodeticPosition) const
{
	const FQuat LocalToPoint = BuildLocalEnuToPointEnuRotationAtGeodetic(GeodeticPosition);
	const FQuat PointToGeocentric = DuRizerudore::BuildEnuToGeocentricRotation(GeodeticPosition.X, GeodeticPosition.Y);
	FQuat Result = PointToGeocentric * LocalToPoint;
	Result.Normalize();
	return Result;
}

FVector FCoordinateReferenceFrame::LocalEnuToPointEnuAtGeodetic(const FVector& LocalEnuVector, const FVector& GeodeticPosition) const
{
	if (LocalFrameType != ECoordinateLocalFrameType::UTM)
	{
		return LocalEnuVector;
	}
	const double Gamma = GetGridConvergenceDegAtGeodetic(GeodeticPosition) * DuRizerudore::DegreesToRadians;
	const double C = std::cos(Gamma);
	const double S = std::sin(Gamma);
	return FVector(LocalEnuVector.X * C + LocalEnuVector.Y * S, LocalEnuVector.Y * C - LocalEnuVector.X * S, LocalEnuVector.Z);
}

FVector FCoordinateReferenceFrame::PointEnuToLocalEnuAtGeodetic(const FVector& PointEnuVector, const FVector& GeodeticPosition) const
{
	if (LocalFrameType != ECoordinateLocalFrameType::UTM)
	{
		return PointEnuVector;
	}
	const double Gamma = GetGridConvergenceDegAtGeodetic(GeodeticPosition) * DuRizerudore::DegreesToRadians;
	const double C = std::cos(Gamma);
	const double S = std::sin(Gamma);
	return FVector(PointEnuVector.X * C - PointEnuVector.Y * S, PointEnuVector.X * S + PointEnuVector.Y * C, PointEnuVector.Z);
}
