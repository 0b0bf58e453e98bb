// A short tour of the Earth model through the function library, as a game module would take it: a frame
// on the default models, then for a few named places the geocentric position, geoid height and gravity.
// Third-party headers come before the engine's, whose check() macro they would otherwise meet.
#include <fmt/format.h>

#include "DuRizerudoreBlueprintLibrary.h"
#include "DuRizerudoreModelFiles.h"

#include "HostPluginRegistration.h"
#include "Misc/Paths.h"

#include <cstdio>

namespace
{
	struct FNamedPlace
	{
		const char* Name;
		double LatitudeDeg;
		double LongitudeDeg;
		double HeightM;
	};

	constexpr FNamedPlace Places[] = {
		{"Null Island", 0.0, 0.0, 0.0},
		{"Greenwich Observatory", 51.4769, -0.0005, 46.0},
		{"Mount Everest summit", 27.9881, 86.9250, 8848.86},
		{"Dead Sea shore", 31.5590, 35.4732, -430.0},
		{"Sydney Opera House", -33.8568, 151.2153, 25.0},
		{"South Pole station", -90.0, 0.0, 2835.0},
	};
}

int main(int ArgumentCount, char** Arguments)
{
	if (const TOptional<int32> ExitStatus = UE::Host::RegisterPluginFromCommandLine(ArgumentCount, Arguments,
			"Usage: durizerudore-earth-model-tour [--plugin-dir DIR]\n"
				"Prints the geocentric position, geoid height and gravity of a few named places with the default\n"
				"Earth model (EGM84 gravity truncated to degree 16, EGM84 30' geoid)."))
	{
		return *ExitStatus;
	}

	// The frame's origin does not matter: every query here is geodetic in, geocentric out.
	FCoordinateReferenceFrame Frame;
	if (!UDuRizerudoreBlueprintLibrary::MakeReferenceFrame(FCoordinateConversionSetup(), FCoordinateReferenceSetup(), Frame))
	{
		const FString DataDirectory = FPaths::Combine(DuRizerudore::ResolveGeographicLibDataRoot(), TEXT("data"));
		fmt::print(stderr,
			"The default Earth model could not be built: the EGM84 gravity model (gravity/egm84.egm, egm84.egm.cof) and\n"
			"geoid grid (geoids/egm84-30.pgm) are expected below {}.\n"
			"Install them with scripts/install-data (or scripts/setup, which also builds everything).\n",
			TCHAR_TO_UTF8(*DataDirectory));
		return 1;
	}

	fmt::print("{:<24} {:>10} {:>10} {:>9} | {:>15} {:>15} {:>15} | {:>8} | {:>9} {:>9} {:>9}\n", "place", "lat", "lon", "h", "ECEF X (m)",
		"ECEF Y (m)", "ECEF Z (m)", "N (m)", "gX", "gY", "gZ");
	for (const FNamedPlace& Place : Places)
	{
		const FVector Geodetic(Place.LatitudeDeg, Place.LongitudeDeg, Place.HeightM);
		FVector World(0.0, 0.0, 0.0);
		FVector Gravity(0.0, 0.0, 0.0);
		double GeoidHeightM = 0.0;
		UDuRizerudoreBlueprintLibrary::ConvertPosition(Frame, ECoordinateSystem::Geodetic, ECoordinateSystem::Geocentric, Geodetic, World);
		UDuRizerudoreBlueprintLibrary::GetGravity(Frame, ECoordinateSystem::Geodetic, Geodetic, ECoordinateSystem::Geocentric, Gravity);
		UDuRizerudoreBlueprintLibrary::GetGeoidHeight(Frame, ECoordinateSystem::Geodetic, Geodetic, GeoidHeightM);
		fmt::print("{:<24} {:>10.4f} {:>10.4f} {:>9.2f} | {:>15.3f} {:>15.3f} {:>15.3f} | {:>8.3f} | {:>9.5f} {:>9.5f} {:>9.5f}\n", Place.Name,
			Place.LatitudeDeg, Place.LongitudeDeg, Place.HeightM, World.X, World.Y, World.Z, GeoidHeightM, Gravity.X, Gravity.Y,
			Gravity.Z);
	}
	return 0;
}
