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

	/** The false northing of a southern UTM grid: the equator's northing there. */
	constexpr double UtmSouthernFalseNorthingM = 1e7;

	/** The largest height of a frame origin, in metres either side of the ellipsoid: well beyond geostationary orbit. */
	constexpr double MaxOriginHeightM = 1e7;

	/**
	 * Projects a position into the frame's grid: the given zone (0 for UPS), whatever zone it would naturally
	 * fall in, and the frame's hemisphere. A UTM grid is one continuous grid across the equator: a point in the
	 * other hemisphere has its northing moved by the false northing, so that grid north runs on without a jump.
	 * A UPS grid is centred on its own pole, and a point in the other polar hemisphere has no place in it.
	 * False when refused.
	 */
	bool TryProjectIntoZone(const double LatitudeDeg, const double LongitudeDeg, const int32 Zone, const bool bFrameNorthernHemisphere, FGridPoint& OutPoint)
	{
		try
		{
			RequireFinite(LatitudeDeg, LongitudeDeg);
			int OutZone = 0;
			bool bNorthernHemisphere = true;
			double Scale = 0.0;
			GeographicLib::UTMUPS::Forward(LatitudeDeg, LongitudeDeg, OutZone, bNorthernHemisphere, OutPoint.Easting, OutPoint.Northing, OutPoint.ConvergenceDeg, Scale, Zone, false);
			if (bNorthernHemisphere != bFrameNorthernHemisphere)
			{
				if (Zone == GeographicLib::UTMUPS::UPS)
				{
					return false;
				}
				OutPoint.Northing += bFrameNorthernHemisphere ? -UtmSouthernFalseNorthingM : UtmSouthernFalseNorthingM;
			}
			return true;
		}
		catch (const std::exception&)
		{
			return false;
		}
	}

	/**
	 * The reverse of TryProjectIntoZone for a grid point of the frame's zone and hemisphere; false when refused.
	 * GeographicLib's northern UTM grid already takes negative northings down to the southern grid's lowest
	 * row, and its southern grid northings above the false northing up to the northern grid's highest, so
	 * reversing in the frame's own hemisphere is continuous across the equator as it stands.
	 */
	bool TryUnprojectFromZone(const int32 Zone, const bool bFrameNorthernHemisphere, const double Easting, const double Northing, double& OutLatitudeDeg,
		double& OutLongitudeDeg)
	{
		try
		{
			RequireFinite(Easting, Northing);
			double ConvergenceDeg = 0.0;
			double Scale = 0.0;
			GeographicLib::UTMUPS::Reverse(Zone, bFrameNorthernHemisphere, Easting, Northing, OutLatitudeDeg, OutLongitudeDeg, ConvergenceDeg, Scale, false);
			return true;
		}
		catch (const std::exception&)
		{
			return false;
		}
	}

	/** A frame origin is a place on or near the Earth: finite, its latitude within the poles, its height within MaxOriginHeightM. */
	bool IsPossibleOrigin(const FGeodeticCoordinate& Origin)
	{
		return std::isfinite(Origin.LatitudeDeg) && std::isfinite(Origin.LongitudeDeg) && std::isfinite(Origin.HeightM) && std::abs(Origin.LatitudeDeg) <= 90.0
			&& std::abs(Origin.HeightM) <= MaxOriginHeightM;
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
	if (!IsPossibleOrigin(Origin))
	{
		UE_LOG(LogDuRizerudoreConversion, Error,
			TEXT("Cannot build a local frame at the origin (%.17g, %.17g, %.17g): the latitude must lie within [-90, 90] degrees, the height within 1e7 metres of the ellipsoid, and every value must be finite."),
			Origin.LatitudeDeg, Origin.LongitudeDeg, Origin.HeightM);
		return;
	}
	LocalFrameOrigin.HeightM = Conversion->ResolveHeightAboveEllipsoid(Origin.HeightM, Origin.LatitudeDeg, Origin.LongitudeDeg, AltitudeReference);
	if (!std::isfinite(LocalFrameOrigin.HeightM))
	{
		UE_LOG(LogDuRizerudoreConversion, Error, TEXT("Cannot build a local frame at the origin (%.17g, %.17g, %.17g): its height above the ellipsoid is not finite."),
			Origin.LatitudeDeg, Origin.LongitudeDeg, Origin.HeightM);
		return;
	}

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
	if (!TryProjectIntoZone(GeodeticPosition.X, GeodeticPosition.Y, UtmZone, bUtmNorthernHemisphere, Point))
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
	if (!TryProjectIntoZone(GeodeticPosition.X, GeodeticPosition.Y, UtmZone, bUtmNorthernHemisphere, Point))
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
