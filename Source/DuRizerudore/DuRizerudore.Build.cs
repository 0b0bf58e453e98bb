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
		PublicDefinitions.Add("GEOGRAPHICLIB_SHARED_LIB=1");

		if (Target.Platform == UnrealTargetPlatform.Win64)
		{
			string Win64Dir = Path.Combine(GeographicLibRoot, "Win64");
			PublicAdditionalLibraries.Add(Path.Combine(Win64Dir, "GeographicLib.lib"));
			PublicDelayLoadDLLs.Add("GeographicLib.dll");
			RuntimeDependencies.Add(Path.Combine(Win64Dir, "GeographicLib.dll"));

			// The model files are read at run time from below the plugin directory.
			RuntimeDependencies.Add(Path.Combine(GeographicLibRoot, "data", "..."));
		}
	}
}
