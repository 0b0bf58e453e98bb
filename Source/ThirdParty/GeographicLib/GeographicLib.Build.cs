using System.IO;
using UnrealBuildTool;

/**
 * GeographicLib as the engine's kind of third-party module: headers and a static library that
 * scripts/build-geographiclib builds from GeographicLib's source for each platform's toolchain and installs
 * below this folder. Linking it statically into the plugin's module puts every allocation of GeographicLib's
 * containers under the module's own allocator, and leaves no shared library to load, stage or find at run time.
 */
public class GeographicLib : ModuleRules
{
	public GeographicLib(ReadOnlyTargetRules Target) : base(Target)
	{
		Type = ModuleType.External;

		PublicSystemIncludePaths.Add(Path.Combine(ModuleDirectory, "include"));
		// A static library: no import or export decoration on any platform (Config.h says the same).
		PublicDefinitions.Add("GEOGRAPHICLIB_SHARED_LIB=0");

		string LibraryDirectory = Path.Combine(ModuleDirectory, "lib", Target.Platform.ToString());
		if (Target.Platform == UnrealTargetPlatform.Win64)
		{
			// Release, /MD, _ITERATOR_DEBUG_LEVEL=0, no whole-program optimisation: the engine's own settings.
			PublicAdditionalLibraries.Add(Path.Combine(LibraryDirectory, "GeographicLib.lib"));
		}
		else if (Target.Platform == UnrealTargetPlatform.Linux || Target.Platform == UnrealTargetPlatform.Mac)
		{
			// Position-independent; on Linux built against libc++, the standard library the engine links.
			PublicAdditionalLibraries.Add(Path.Combine(LibraryDirectory, "libGeographicLib.a"));
		}
	}
}
