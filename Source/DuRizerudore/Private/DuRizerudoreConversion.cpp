// The conversion instance: building the geodesy objects and the selected models, the
// geodetic/geocentric mappings and the height and gravity queries.
#include "DuRizerudoreConversion.h"

#include "DuRizerudoreConversionInternal.h"
#include "DuRizerudoreLog.h"
#include "DuRizerudoreModelFiles.h"
#include "DuRizerudoreModelLoading.h"

#include "Misc/AssertionMacros.h"
#include "Misc/Optional.h"
#include "Misc/Paths.h"

THIRD_PARTY_INCLUDES_START
#include <GeographicLib/Geocentric.hpp>
#include <GeographicLib/Geodesic.hpp>
#include <GeographicLib/Geoid.hpp>
#include <GeographicLib/GravityModel.hpp>
#include <GeographicLib/NormalGravity.hpp>
#include <GeographicLib/Rhumb.hpp>
THIRD_PARTY_INCLUDES_END

#include <cmath>
#include <limits>

namespace DuRizerudore
{
	namespace
	{
		/** Degree and order at which a spherical-harmonic gravity model is read; -1 means all of it. */
		struct FGravityTruncation
		{
			int32 MaxDegree;
			int32 MaxOrder;
		};

		/** The truncation (degree, order) of a gravity model, or unset when the setup asks for an impossible one. */
		TOptional<FGravityTruncation> SelectGravityDegreeAndOrder(const FCoordinateConversionSetup& Setup)
		{
			switch (Setup.GravityAccuracy)
			{
			case ECoordinateGravityAccuracy::Truncated8:
				return FGravityTruncation{8, 8};
			case ECoordinateGravityAccuracy::Truncated16:
				return FGravityTruncation{16, 16};
			case ECoordinateGravityAccuracy::Truncated32:
				return FGravityTruncation{32, 32};
			default:
				break;
			}

			// Full accuracy: the setup's own limits, where negative means "not set".
			const int32 MaxDegree = Setup.GravityMaxDegree;
			const int32 MaxOrder = Setup.GravityMaxOrder;
			if (MaxDegree < 0 && MaxOrder < 0)
			{
				return FGravityTruncation{-1, -1};
			}
			if (MaxDegree < 0)
			{
				UE_LOG(LogDuRizerudoreConversion, Error, TEXT("GravityMaxDegree must be set when GravityMaxOrder is set."));
				return NullOpt;
			}
			if (MaxOrder < 0)
			{
				return FGravityTruncation{MaxDegree, MaxDegree};
			}
			if (MaxOrder > MaxDegree)
			{
				UE_LOG(LogDuRizerudoreConversion, Error, TEXT("GravityMaxOrder (%d) cannot exceed GravityMaxDegree (%d)."), MaxOrder, MaxDegree);
				return NullOpt;
			}
			return FGravityTruncation{MaxDegree, MaxOrder};
		}

		/** The geoid grid answers only for latitudes it covers and finite longitudes; elsewhere the height is NaN. */
		bool IsQueryableGeodeticPosition(const double LatitudeDeg, const double LongitudeDeg)
		{
			return std::isfinite(LatitudeDeg) && std::isfinite(LongitudeDeg) && std::abs(LatitudeDeg) <= 90.0;
		}
	}

	FQuat BuildEnuToGeocentricRotation(const double LatitudeDeg, const double LongitudeDeg)
	{
		// East-north-up is the geocentric frame turned about X by the colatitude, then about Z by
		// the longitude plus a quarter turn.
		const double AngleAboutZ = (LongitudeDeg + 90.0) * DegreesToRadians;
		const double AngleAboutX = (90.0 - LatitudeDeg) * DegreesToRadians;
		const FQuat AboutZ(FVector(0.0, 0.0, 1.0), AngleAboutZ);
		const FQuat AboutX(FVector(1.0, 0.0, 0.0), AngleAboutX);
		FQuat Rotation = AboutZ * AboutX;
		Rotation.Normalize();
		return Rotation;
	}
}

FCoordinateConversionInstance::FCoordinateConversionInstance(const FCoordinateConversionSetup& Setup)
{
	using namespace DuRizerudore;

	if (Setup.DatumModel != EEarthDatumModel::WGS84)
	{
		return;
	}

	// This GeographicLib's Geodesic is the series solution; the exact one is a class of its own.
	GeodesicInstance = MakeShared<GeographicLib::Geodesic, ESPMode::ThreadSafe>(Wgs84EquatorialRadiusM, Wgs84Flattening);
	RhumbInstance = MakeShared<GeographicLib::Rhumb, ESPMode::ThreadSafe>(Wgs84EquatorialRadiusM, Wgs84Flattening, false);
	GeocentricInstance = MakeShared<GeographicLib::Geocentric, ESPMode::ThreadSafe>(Wgs84EquatorialRadiusM, Wgs84Flattening);
	NormalGravityInstance = MakeShared<GeographicLib::NormalGravity, ESPMode::ThreadSafe>(GeographicLib::NormalGravity::WGS84());

	// Resolved for every WGS84 setup, so that a plugin that cannot be found is always reported.
	const FString DataDirectory = FPaths::Combine(ResolveGeographicLibDataRoot(), TEXT("data"));

	if (Setup.GravityModel == EEarthGravityModel::None)
	{
		bGravityModelReady = true;
	}
	else
	{
		const FString GravityDirectory = FPaths::Combine(DataDirectory, TEXT("gravity"));
		// Without model data installed the instance is quietly unusable; only a broken installation is reported.
		if (FPaths::DirectoryExists(GravityDirectory))
		{
			const TOptional<FGravityTruncation> DegreeAndOrder = SelectGravityDegreeAndOrder(Setup);
			if (DegreeAndOrder.IsSet())
			{
				bGravityModelReady = LoadGravityModel(Setup.GravityModel, GravityDirectory, DegreeAndOrder->MaxDegree, DegreeAndOrder->MaxOrder, GravityModelInstance);
			}
		}
	}

	if (Setup.GeoidModel == EEarthGravityModel::None)
	{
		bGeoidModelReady = true;
	}
	else
	{
		const FString GeoidDirectory = FPaths::Combine(DataDirectory, TEXT("geoids"));
		if (FPaths::DirectoryExists(GeoidDirectory))
		{
			bGeoidModelReady = LoadGeoidModel(Setup.GeoidModel, GeoidDirectory, Setup.GeoidInterpolation, GeoidModelInstance);
		}
	}
}

// Out of line, where the GeographicLib classes the shared pointers release are complete.
FCoordinateConversionInstance::~FCoordinateConversionInstance() = default;

bool FCoordinateConversionInstance::SupportsGeoidQueries() const
{
	return GeoidModelInstance.IsValid();
}

double FCoordinateConversionInstance::GetGeoidHeight(const FVector& GeodeticPosition) const
{
	if (!GeoidModelInstance.IsValid() || !DuRizerudore::IsQueryableGeodeticPosition(GeodeticPosition.X, GeodeticPosition.Y))
	{
		return std::numeric_limits<double>::quiet_NaN();
	}
	return (*GeoidModelInstance)(GeodeticPosition.X, GeodeticPosition.Y);
}

double FCoordinateConversionInstance::GetHeightAboveEllipsoid(const FVector& GeodeticPositionAtMeanSeaLevel) const
{
	return GetGeoidHeight(GeodeticPositionAtMeanSeaLevel) + GeodeticPositionAtMeanSeaLevel.Z;
}

double FCoordinateConversionInstance::GetHeightAboveMeanSeaLevel(const FVector& GeodeticPosition) const
{
	return GeodeticPosition.Z - GetGeoidHeight(GeodeticPosition);
}

double FCoordinateConversionInstance::ResolveHeightAboveEllipsoid(const double HeightM, const double LatitudeDeg, const double LongitudeDeg,
	const ECoordinateAltitudeReference AltitudeReference) const
{
	if (AltitudeReference == ECoordinateAltitudeReference::Ellipsoid)
	{
		return HeightM;
	}
	if (!ensureMsgf(GeoidModelInstance.IsValid(), TEXT("Geoid model is not available.")))
	{
		return HeightM;
	}
	return GetGeoidHeight(FVector(LatitudeDeg, LongitudeDeg, 0.0)) + HeightM;
}

FVector FCoordinateConversionInstance::GeodeticToWorldPosition(const FVector& GeodeticPosition) const
{
	FVector WorldPosition(0.0, 0.0, 0.0);
	GeocentricInstance->Forward(GeodeticPosition.X, GeodeticPosition.Y, GeodeticPosition.Z, WorldPosition.X, WorldPosition.Y, WorldPosition.Z);
	return WorldPosition;
}

FVector FCoordinateConversionInstance::WorldPositionToGeodetic(const FVector& WorldPosition) const
{
	FVector GeodeticPosition(0.0, 0.0, 0.0);
	GeocentricInstance->Reverse(WorldPosition.X, WorldPosition.Y, WorldPosition.Z, GeodeticPosition.X, GeodeticPosition.Y, GeodeticPosition.Z);
	return GeodeticPosition;
}

FVector FCoordinateConversionInstance::GetGeocentricGravityAtGeocentric(const FVector& WorldPosition) const
{
	FVector Gravity(0.0, 0.0, 0.0);
	if (GravityModelInstance.IsValid())
	{
		// W includes the centrifugal term of the Earth's rotation; the potential itself is not needed.
		GravityModelInstance->W(WorldPosition.X, WorldPosition.Y, WorldPosition.Z, Gravity.X, Gravity.Y, Gravity.Z);
	}
	else if (NormalGravityInstance.IsValid())
	{
		NormalGravityInstance->U(WorldPosition.X, WorldPosition.Y, WorldPosition.Z, Gravity.X, Gravity.Y, Gravity.Z);
	}
	return Gravity;
}

FVector FCoordinateConversionInstance::GetGeocentricGravityAtGeodetic(const FVector& GeodeticPosition) const
{
	const FQuat EnuToGeocentric = DuRizerudore::BuildEnuToGeocentricRotation(GeodeticPosition.X, GeodeticPosition.Y);
	FVector GravityEnu(0.0, 0.0, 0.0);
	if (GravityModelInstance.IsValid())
	{
		GravityModelInstance->Gravity(GeodeticPosition.X, GeodeticPosition.Y, GeodeticPosition.Z, GravityEnu.X, GravityEnu.Y, GravityEnu.Z);
	}
	else if (NormalGravityInstance.IsValid())
	{
		// Normal gravity lies in the meridian plane: it has no east component.
		NormalGravityInstance->Gravity(GeodeticPosition.X, GeodeticPosition.Z, GravityEnu.Y, GravityEnu.Z);
	}
	return EnuToGeocentric.RotateVector(GravityEnu);
}
