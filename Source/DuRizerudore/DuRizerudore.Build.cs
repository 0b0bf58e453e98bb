using System.IO;
using UnrealBuildTool;

public class DuRizerudore : ModuleRules
{
	public DuRizerudore(ReadOnlyTargetRules Target) : base(Target)
	{
		PCHUsage = PCHUsageMode.UseExplicitOrSharedPCHs;

		// GeographicLib reports bad model files and out-of-range projections by throwing.
		bEnableExceptions = true;

		// Every refusal of NaN and infinities tests for them; fast floating-point semantics would let the
		// compiler assume they never occur and drop those tests.
		FPSemantics = FPSemanticsMode.Precise;

		PublicDependencyModuleNames.AddRange(new string[] { "Core", "CoreUObject", "Engine", "Projects" });

		// GeographicLib, linked statically (Source/ThirdParty/GeographicLib). Private: the public headers only
		// forward-declare its types, so modules that depend on this one inherit neither its include path nor its
		// definitions.
		PrivateDependencyModuleNames.Add("GeographicLib");
		PrivateDefinitions.Add("DURIZERUDORE_GEOGRAPHICLIB_LINKED_STATICALLY=1");

		// The model files are read at run time from below the plugin directory, as plain files on every platform.
		RuntimeDependencies.Add(Path.Combine(PluginDirectory, "Binaries", "GeographicLib", "data", "..."), StagedFileType.NonUFS);
	}
}
