#include "TemporaryDirectory.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <stdexcept>

namespace DuRizerudoreTest
{
	FTemporaryDirectory::FTemporaryDirectory()
	{
		std::string Template = (std::filesystem::temp_directory_path() / "durizerudore-test-XXXXXX").string();
		if (::mkdtemp(Template.data()) == nullptr)
		{
			throw std::runtime_error(std::string("mkdtemp failed: ") + std::strerror(errno));
		}
		Path = Template;
	}

	FTemporaryDirectory::~FTemporaryDirectory()
	{
		std::error_code Ignored;
		std::filesystem::remove_all(Path, Ignored);
	}
}
