"""Packages the plugin into a scratch folder and checks what a user installs: the files the build rules name
for this platform, a descriptor the engine can read, nothing from the development tree, short paths, and a
GeographicLib built against libc++, the engine's standard library on Linux."""
import json
import os
import re
import subprocess
import sys
import tempfile
import unittest

ROOT = sys.argv.pop(1) if len(sys.argv) > 1 else os.getcwd()
SCRIPT = os.path.join(ROOT, "scripts", "package-plugin")
# The longest path below the plugin folder that keeps a project under the usual Windows path limit.
MAX_RELATIVE_PATH = 170


def package(output, *extra):
    return subprocess.run([SCRIPT, "--output", output, *extra], capture_output=True, text=True)


class PackagedPlugin(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.scratch = tempfile.TemporaryDirectory()
        cls.plugin = os.path.join(cls.scratch.name, "DuRizerudore")
        result = package(cls.plugin, "--engine-version", "5.4")
        if result.returncode != 0:
            raise AssertionError(f"package-plugin failed: {result.stderr}")
        cls.files = []
        for folder, _, names in os.walk(cls.plugin):
            for name in names:
                cls.files.append(os.path.relpath(os.path.join(folder, name), cls.plugin))

    @classmethod
    def tearDownClass(cls):
        cls.scratch.cleanup()

    def read(self, relative):
        with open(os.path.join(self.plugin, relative), encoding="utf-8") as f:
            return f.read()

    def test_descriptor_parses_and_names_the_module(self):
        descriptor = json.loads(self.read("DuRizerudore.uplugin"))
        self.assertEqual([module["Name"] for module in descriptor["Modules"]], ["DuRizerudore"])
        self.assertEqual(descriptor["EngineVersion"], "5.4.0")

    def test_only_what_a_user_installs(self):
        self.assertEqual(sorted(os.listdir(self.plugin)), ["Binaries", "DuRizerudore.uplugin", "NOTICES.md", "README.md", "Source"])
        self.assertEqual(sorted(os.listdir(os.path.join(self.plugin, "Source"))), ["DuRizerudore", "ThirdParty"])
        excluded = ("Host", "Tests", "Tools", "Benchmarks", "Fuzz", "Examples", "scripts", "build", "Harness")
        for relative in self.files:
            self.assertNotIn(relative.split(os.sep)[0], excluded, relative)
            self.assertFalse(relative.endswith((".dll", ".so", ".dylib")), relative)

    def test_every_file_the_build_rules_name_for_linux_exists(self):
        rules = {
            "Source/DuRizerudore/DuRizerudore.Build.cs": "",
            "Source/ThirdParty/GeographicLib/GeographicLib.Build.cs": "Source/ThirdParty/GeographicLib",
        }
        for rule, module_directory in rules.items():
            text = self.read(rule)
            for shared in re.findall(r'"([^"]+\.(?:dll|so|dylib))"', text):
                self.fail(f"{rule} names a shared library: {shared}")
            for static in re.findall(r'"([^"]+\.a)"', text):
                self.assertIn(os.path.join(module_directory, "lib", "Linux", static), self.files)
            if "PublicSystemIncludePaths" in text:
                self.assertIn(os.path.join(module_directory, "include", "GeographicLib", "Geocentric.hpp"), self.files)
            for dependency in re.findall(r'PrivateDependencyModuleNames\.Add\("([^"]+)"\)', text):
                self.assertIn(os.path.join("Source", "ThirdParty", dependency, f"{dependency}.Build.cs"), self.files)
        # The model data the module's runtime dependencies stage.
        for model in ("gravity/egm84.egm", "gravity/egm84.egm.cof", "geoids/egm84-30.pgm"):
            self.assertIn(os.path.join("Binaries", "GeographicLib", "data", model), self.files)
        self.assertIn(os.path.join("Source", "ThirdParty", "GeographicLib", "LICENSE.txt"), self.files)

    def test_paths_stay_short(self):
        longest = max(self.files, key=len)
        self.assertLessEqual(len(longest), MAX_RELATIVE_PATH, longest)

    def test_geographiclib_uses_libcxx(self):
        library = os.path.join(self.plugin, "Source", "ThirdParty", "GeographicLib", "lib", "Linux", "libGeographicLib.a")
        symbols = subprocess.run(["nm", "-C", library], capture_output=True, text=True, check=True).stdout
        self.assertIn("std::__1::", symbols)
        self.assertNotIn("std::__cxx11::", symbols)

    def test_a_folder_in_use_is_refused_without_force(self):
        with tempfile.TemporaryDirectory() as folder:
            with open(os.path.join(folder, "keep.txt"), "w") as f:
                f.write("mine")
            refused = package(folder)
            self.assertEqual(refused.returncode, 2)
            self.assertIn("not empty", refused.stderr)
            self.assertTrue(os.path.exists(os.path.join(folder, "keep.txt")))
            self.assertEqual(package(folder, "--force").returncode, 0)
            self.assertFalse(os.path.exists(os.path.join(folder, "keep.txt")))
            self.assertEqual(package(folder, "--engine-version", "six").returncode, 2)


if __name__ == "__main__":
    unittest.main()
