// Converts the Royal Observatory at Greenwich from geodetic to geocentric coordinates through the plugin's
// function library, as a program outside the engine does with the installed package. Prints X Y Z in metres.
#include "DuRizerudoreBlueprintLibrary.h"
#include "DuRizerudoreConversion.h"

#include <cstdio>

int main()
{
	// Without a gravity or geoid model nothing is read from the plugin directory.
	FCoordinateConversionSetup ConversionSetup;
	ConversionSetup.GravityModel = EEarthGravityModel::None;
	ConversionSetup.GeoidModel = EEarthGravityModel::None;
	const FGeodeticCoordinate Greenwich(51.4779, -0.0015, 46.0);
	const FCoordinateReferenceSetup ReferenceSetup(Greenwich, ECoordinateAltitudeReference::Ellipsoid, ECoordinateLocalFrameType::Cartesian);

	FCoordinateReferenceFrame ReferenceFrame;
	if (!UDuRizerudoreBlueprintLibrary::MakeReferenceFrame(ConversionSetup, ReferenceSetup, ReferenceFrame))
	{
		std::fputs("durizerudore-package-consumer: the reference frame could not be built\n", stderr);
		return 1;
	}

	FVector Geocentric(0.0, 0.0, 0.0);
	if (!UDuRizerudoreBlueprintLibrary::ConvertPosition(ReferenceFrame, ECoordinateSystem::Geodetic, ECoordinateSystem::Geocentric, Greenwich.ToVector(), Geocentric))
	{
		std::fputs("durizerudore-package-consumer: the position could not be converted\n", stderr);
		return 1;
	}
	std::printf("%.3f %.3f %.3f\n", Geocentric.X, Geocentric.Y, Geocentric.Z);
	return 0;
}
