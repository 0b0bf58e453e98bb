// The reference frame: a shared conversion instance with one local frame (tangent plane or UTM/UPS
// grid), the mapping of positions into and out of that local frame, and the local-frame rotations.
#include "DuRizerudoreConversion.h"

#include "DuRizerudoreConversionInternal.h"
#include "DuRizerudoreLocalSystems.h"
#include "DuRizerudoreLog.h"

#include "Containers/StringConv.h"
#include "Math/Matrix.h"
#include "Misc/AssertionMacros.h"

THIRD_PARTY_INCLUDES_START
#include <GeographicLib/Geocentric.hpp>
#include <GeographicLib/LocalCartesian.hpp>
#include <GeographicLib/UTMUPS.hpp>
THIRD_PARTY_INCLUDES_END

#include <cmath>
#include <exception>
#include <limits>
#include <stdexcept>
#include <vector>

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

	/** The reverse of TryProjectIntoZone for a grid point of the zone and hemisphere; false when refused. */
	bool TryUnprojectFromZone(const int32 Zone, const bool bNorthernHemisphere, const double Easting, const double Northing, double& OutLatitudeDeg,
		double& OutLongitudeDeg)
	{
		try
		{
			RequireFinite(Easting, Northing);
			double ConvergenceDeg = 0.0;
			double Scale = 0.0;
			GeographicLib::UTMUPS::Reverse(Zone, bNorthernHemisphere, Easting, Northing, OutLatitudeDeg, OutLongitudeDeg, ConvergenceDeg, Scale, false);
			return true;
		}
		catch (const std::exception&)
		{
			return false;
		}
	}
}

namespace DuRizerudore
{
	FVector TurnBetweenGridAndTrueAxes(const FVector& Vector, const double ConvergenceDeg, const EGridTurn Turn)
	{
		// Grid north lies at bearing gamma east of true north.
		const double Gamma = ConvergenceDeg * DegreesToRadians;
		const double C = std::cos(Gamma);
		const double S = std::sin(Gamma);
		return Turn == EGridTurn::GridToTrue ? FVector(Vector.X * C + Vector.Y * S, Vector.Y * C - Vector.X * S, Vector.Z)
											 : FVector(Vector.X * C - Vector.Y * S, Vector.X * S + Vector.Y * C, Vector.Z);
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

// Out of line, where GeographicLib's LocalCartesian is complete. A moved-from frame holds null pointers and so is
// uninitialized; the shared pointers add the new reference before they release the old one, so self-assignment is safe.
FCoordinateReferenceFrame::FCoordinateReferenceFrame(const FCoordinateReferenceFrame& Other) = default;
FCoordinateReferenceFrame::FCoordinateReferenceFrame(FCoordinateReferenceFrame&& Other) = default;
FCoordinateReferenceFrame& FCoordinateReferenceFrame::operator=(const FCoordinateReferenceFrame& Other) = default;
FCoordinateReferenceFrame& FCoordinateReferenceFrame::operator=(FCoordinateReferenceFrame&& Other) = default;
FCoordinateReferenceFrame::~FCoordinateReferenceFrame() = default;

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
		// The same origin and rotation the projector computes for itself, so that the direct geocentric paths
		// differ from the projector's only by the geodetic round trip they skip.
		std::vector<double> EnuToGeocentric(9);
		Geocentric->Forward(LocalFrameOrigin.LatitudeDeg, LocalFrameOrigin.LongitudeDeg, LocalFrameOrigin.HeightM, LocalFrameOriginGeocentric.X,
			LocalFrameOriginGeocentric.Y, LocalFrameOriginGeocentric.Z, EnuToGeocentric);
		for (int32 Axis = 0; Axis < 3; ++Axis)
		{
			// GeographicLib's matrix is row-major with the images of the axes in its columns.
			LocalEnuToGeocentricMatrix.SetAxis(Axis, FVector(EnuToGeocentric[Axis], EnuToGeocentric[3 + Axis], EnuToGeocentric[6 + Axis]));
		}
		LocalEnuToGeocentricRotation = DuRizerudore::BuildEnuToGeocentricRotation(LocalFrameOrigin.LatitudeDeg, LocalFrameOrigin.LongitudeDeg);
	}
	bHasLocalFrame = true;
}

bool FCoordinateReferenceFrame::TryGeodeticPositionToLocalEnu(const FVector& GeodeticPosition, FVector& OutLocalEnuPosition) const
{
	// The tangent plane is the common case and cannot fail: straight to the projector, which a frame holds only
	// while it has a tangent-plane local frame.
	if (const GeographicLib::LocalCartesian* Projector = LocalCartesian.Get())
	{
		Projector->Forward(GeodeticPosition.X, GeodeticPosition.Y, GeodeticPosition.Z, OutLocalEnuPosition.X, OutLocalEnuPosition.Y, OutLocalEnuPosition.Z);
		return true;
	}
	if (!UsesPositionDependentLocalFrame())
	{
		return false;
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
	if (LocalCartesian.IsValid())
	{
		LocalCartesian->Reverse(LocalEnuPosition.X, LocalEnuPosition.Y, LocalEnuPosition.Z, OutGeodeticPosition.X, OutGeodeticPosition.Y, OutGeodeticPosition.Z);
		return true;
	}
	double LatitudeDeg = 0.0;
	double LongitudeDeg = 0.0;
	if (!UsesPositionDependentLocalFrame()
		|| !TryUnprojectFromZone(UtmZone, bUtmNorthernHemisphere, UtmOriginEasting + LocalEnuPosition.X, UtmOriginNorthing + LocalEnuPosition.Y, LatitudeDeg, LongitudeDeg))
	{
		return false;
	}
	OutGeodeticPosition = FVector(LatitudeDeg, LongitudeDeg, LocalFrameOrigin.HeightM + LocalEnuPosition.Z);
	return true;
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
	FVector LocalEnu = DuRizerudore::MakeNaNVector();
	TryGeodeticPositionToLocalEnu(GeodeticPosition, LocalEnu);
	return LocalEnu;
}

FVector FCoordinateReferenceFrame::LocalEnuPositionToGeodetic(const FVector& LocalEnuPosition) const
{
	FVector Geodetic = DuRizerudore::MakeNaNVector();
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
	// Rows are the images of local east, north and up.
	const double ConvergenceDeg = GetGridConvergenceDegAtGeodetic(GeodeticPosition);
	const FVector East = DuRizerudore::TurnBetweenGridAndTrueAxes(FVector(1.0, 0.0, 0.0), ConvergenceDeg, DuRizerudore::EGridTurn::GridToTrue);
	const FVector North = DuRizerudore::TurnBetweenGridAndTrueAxes(FVector(0.0, 1.0, 0.0), ConvergenceDeg, DuRizerudore::EGridTurn::GridToTrue);
	FQuat Result = FMatrix(East, North, FVector(0.0, 0.0, 1.0), FVector(0.0, 0.0, 0.0)).ToQuat();
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
	return DuRizerudore::TurnBetweenGridAndTrueAxes(LocalEnuVector, GetGridConvergenceDegAtGeodetic(GeodeticPosition), DuRizerudore::EGridTurn::GridToTrue);
}

FVector FCoordinateReferenceFrame::PointEnuToLocalEnuAtGeodetic(const FVector& PointEnuVector, const FVector& GeodeticPosition) const
{
	if (LocalFrameType != ECoordinateLocalFrameType::UTM)
	{
		return PointEnuVector;
	}
	return DuRizerudore::TurnBetweenGridAndTrueAxes(PointEnuVector, GetGridConvergenceDegAtGeodetic(GeodeticPosition), DuRizerudore::EGridTurn::TrueToGrid);
}
