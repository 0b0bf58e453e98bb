#include "CommandLineRunner.h"

#include <gtest/gtest.h>

#include <sstream>

namespace DuRizerudoreCommandLineTest
{
	namespace fs = std::filesystem;

	FProcessResult RunTool(const std::vector<std::string>& Arguments, const std::string_view Input, const fs::path& PluginDirectory)
	{
		std::vector<std::string> Argv{DURIZERUDORE_TOOL};
		Argv.insert(Argv.end(), Arguments.begin(), Arguments.end());
		if (!PluginDirectory.empty())
		{
			Argv.push_back("--plugin-dir");
			Argv.push_back(PluginDirectory.string());
		}
		return RunProcess(Argv, Input);
	}

	FProcessResult RunTool(const std::vector<std::string>& Arguments, const std::string_view Input)
	{
		return RunTool(Arguments, Input, GetRepositoryRoot());
	}

	fs::path GetRepositoryRoot()
	{
		return fs::path(DURIZERUDORE_REPOSITORY_ROOT);
	}

	std::vector<std::string> SplitLines(const std::string_view Text)
	{
		std::vector<std::string> Lines;
		std::size_t Begin = 0;
		while (Begin < Text.size())
		{
			const std::size_t End = Text.find('\n', Begin);
			if (End == std::string_view::npos)
			{
				Lines.emplace_back(Text.substr(Begin));
				break;
			}
			Lines.emplace_back(Text.substr(Begin, End - Begin));
			Begin = End + 1;
		}
		return Lines;
	}

	std::vector<double> ParseNumbers(const std::string_view Line)
	{
		std::istringstream Stream{std::string(Line)};
		std::vector<double> Numbers;
		for (double Value = 0.0; Stream >> Value;)
		{
			Numbers.push_back(Value);
		}
		if (!Stream.eof())
		{
			ADD_FAILURE() << "not a number in '" << Line << "'";
		}
		return Numbers;
	}
}
