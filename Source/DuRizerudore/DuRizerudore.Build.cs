using System.IO;
using UnrealBuildTool;

public class DuRizerudore : ModuleRules
{
	public DuRizerudore(ReadOnlyTargetRules Target) : base(Target)
	{
		PCHUsage = PCHUsageMode.UseExplicitOrSharedPCHs;

		// GeographicLib reports bad model files and out-of-range projections by throwing.
		bEnableExceptions = true;

		PublicDependencyModuleNames.AddRange(new string[] { "Core", "CoreUObject", "Engine", "Projects" });

		string GeographicLibRoot = Path.Combine(PluginDirectory, "Binaries", "GeographicLib");
		PublicIncludePaths.Add(Path.Combine(GeographicLibRoot, "include"));

		// GeographicLib is a shared library below Binaries/GeographicLib/<Platform>/; the module loads it from
		// there at start-up (TqProjModule.cpp names the same files).
		if (Target.Platform == UnrealTargetPlatform.Win64)
		{
			string Win64Dir = Path.Combine(GeographicLibRoot, "Win64");
			AddSharedGeographicLib(Path.Combine(Win64Dir, "GeographicLib.lib"), Path.Combine(Win64Dir, "GeographicLib.dll"));
			// Bound at first use, after start-up has loaded the plugin's copy by its full path.
			PublicDelayLoadDLLs.Add("GeographicLib.dll");
		}
		else if (Target.Platform == UnrealTargetPlatform.Linux)
		{
			string LinuxLibrary = Path.Combine(GeographicLibRoot, "Linux", "libGeographicLib.so");
			AddSharedGeographicLib(LinuxLibrary, LinuxLibrary);
			PublicRuntimeLibraryPaths.Add(Path.Combine(GeographicLibRoot, "Linux"));
		}
		else if (Target.Platform == UnrealTargetPlatform.Mac)
		{
			string MacLibrary = Path.Combine(GeographicLibRoot, "Mac", "libGeographicLib.dylib");
			AddSharedGeographicLib(MacLibrary, MacLibrary);
		}

		// The model files are read at run time from below the plugin directory, as plain files on every platform.
		RuntimeDependencies.Add(Path.Combine(GeographicLibRoot, "data", "..."), StagedFileType.NonUFS);
	}

	/** Links GeographicLib's shared library and stages it with the game as a plain file. */
	private void AddSharedGeographicLib(string LinkLibrary, string RuntimeLibrary)
	{
		PublicDefinitions.Add("GEOGRAPHICLIB_SHARED_LIB=1");
		PublicAdditionalLibraries.Add(LinkLibrary);
		RuntimeDependencies.Add(RuntimeLibrary, StagedFileType.NonUFS);
	}
}
