// A scratch directory for tests that write files or run programs: created fresh below the system's
// temporary directory and removed with everything in it when the object goes.
#pragma once

#include <filesystem>
#include <string>

namespace DuRizerudoreTest
{
	class FTemporaryDirectory
	{
	public:
		FTemporaryDirectory();
		~FTemporaryDirectory();
		FTemporaryDirectory(const FTemporaryDirectory&) = delete;
		FTemporaryDirectory& operator=(const FTemporaryDirectory&) = delete;

		const std::filesystem::path& GetPath() const { return Path; }
		std::filesystem::path operator/(const std::string& Name) const { return Path / Name; }

	private:
		std::filesystem::path Path;
	};
}
