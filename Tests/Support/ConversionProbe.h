// Test-only reads of the protected state of an instance and a frame. A derived class may name the
// protected members, and a pointer to member so formed applies to any object of the base, so the
// production headers keep no door open for tests.
#pragma once

#include "DuRizerudoreConversion.h"

struct FInstanceProbe : FCoordinateConversionInstance
{
	static const auto& GravityModel(const FCoordinateConversionInstance& Instance) { return Instance.*&FInstanceProbe::GravityModelInstance; }
	static const auto& NormalGravity(const FCoordinateConversionInstance& Instance) { return Instance.*&FInstanceProbe::NormalGravityInstance; }
	static const auto& Geocentric(const FCoordinateConversionInstance& Instance) { return Instance.*&FInstanceProbe::GeocentricInstance; }
	static const auto& Geoid(const FCoordinateConversionInstance& Instance) { return Instance.*&FInstanceProbe::GeoidModelInstance; }
	static FVector GravityAtGeodetic(const FCoordinateConversionInstance& Instance, const FVector& GeodeticPosition)
	{
		return (Instance.*&FInstanceProbe::GetGeocentricGravityAtGeodetic)(GeodeticPosition);
	}
};

struct FFrameProbe : FCoordinateReferenceFrame
{
	static const auto& Projector(const FCoordinateReferenceFrame& Frame) { return Frame.*&FFrameProbe::LocalCartesian; }
	static int32 Zone(const FCoordinateReferenceFrame& Frame) { return Frame.*&FFrameProbe::UtmZone; }
	static bool IsNorthern(const FCoordinateReferenceFrame& Frame) { return Frame.*&FFrameProbe::bUtmNorthernHemisphere; }
	static double OriginEasting(const FCoordinateReferenceFrame& Frame) { return Frame.*&FFrameProbe::UtmOriginEasting; }
	static double OriginNorthing(const FCoordinateReferenceFrame& Frame) { return Frame.*&FFrameProbe::UtmOriginNorthing; }
};
