// durizerudore COMMAND [options] < input > output
// durizerudore describe [TYPE]
//
// A thin front over the plugin's function library: every non-empty input line is one call, every
// call one output line, in order, so what it prints is what a visual script would get. describe
// prints the reflected surface a designer and a visual script meet instead.
#include <CLI/CLI.hpp>
#include <fmt/format.h>

#include "NumberIo.h"

#include "Commands.h"
#include "Describe.h"
#include "FrameBuilder.h"
#include "Options.h"
#include "ReflectedTypes.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>
#include <string_view>
#include <thread>
#include <utility>
#include <vector>

#include <unistd.h>

namespace
{
	using namespace DuRizerudoreCli;

	constexpr int ExitSuccess = 0;
	constexpr int ExitLineFailed = 1;
	constexpr int ExitUsage = 2;

	constexpr const char* Footer = R"(Input and output:
  One input per line on standard input; numbers separated by spaces, tabs or commas, in any mix.
  One output line per input line on standard output, in the same order; numbers in the shortest
  form that reads back to the same double, separated by single spaces. Blank lines are skipped.
  A line that cannot be read or converted prints "ERROR: <reason>" in its place: a line longer than
  64 KiB, a number that is not finite or too large for a double (one too small for a double reads as
  0), an empty field between commas, a geodetic latitude outside [-90, 90], a result that is not
  finite. A UTF-8 byte-order mark at the start of the input is skipped.
  Positions: Geodetic is latitude, longitude (degrees), height (metres); Geocentric is ECEF metres;
  Local_ENU and Local_NED are metres in the local frame; Local_UE is north, east, up in centimetres.
  System names are Local_ENU, Local_NED, Local_UE, Geocentric, Geodetic, in any letter case; so are
  all other option values.

Exit status:
  0  every line was converted (describe: the description was printed)
  1  some line printed ERROR, or reading or writing failed
  2  usage error, or the reference frame could not be built (nothing is read or printed))";

	constexpr const char* DescribeName = "describe";

	constexpr const char* DescribeSummary =
		"Prints the plugin's reflected surface as the editor and visual scripts meet it; reads no input\n"
		"  without TYPE: every reflected type (enumerations, structures, classes), one line each: name, kind, tooltip\n"
		"  with TYPE: an enumeration's entries (name = value, display name, tooltip); a structure's or class's\n"
		"    metadata, its properties by category (type, editor and script access, edit condition, tooltip)\n"
		"    and its functions (kind, category, parameters in order as in, out or implicit, result, tooltip)";

	constexpr const char* DescribeFooter = R"(TYPE is a reflected type's C++ name, with or without its prefix letter, in any letter case:
  ECoordinateSystem, coordinatesystem, FCoordinateReferenceSetup, ADuRizerudoreSystem,
  DuRizerudoreAnchorComponent, UDuRizerudoreBlueprintLibrary, ... (describe without TYPE lists them).
  An unknown TYPE, or any other option, is a usage error (exit status 2, nothing printed).)";

	int Fail(const std::string& Message)
	{
		fmt::print(stderr, "durizerudore: {}\n", Message);
		return ExitUsage;
	}

	/** How many numbers the command prints for each input under these options. */
	std::size_t GetOutputCount(const FCommand& Command, const FCommandOptions& Options)
	{
		return Command.OutputCountFor != nullptr ? Command.OutputCountFor(Options) : Command.OutputCount;
	}

	/** What one input line becomes: nothing (a blank line), an error reason, or numbers. */
	struct FLineOutcome
	{
		bool bBlank = false;
		std::string Error;
		std::array<double, MaxNumbersPerLine> Numbers{};
	};

	/** Converts one line; the same whichever thread runs it. */
	void ConvertLine(const FCommand& Command, const FCommandContext& Context, const FCommandOptions& Options, const std::string_view Line, const bool bTooLong,
		FLineOutcome& Outcome)
	{
		Outcome.bBlank = false;
		Outcome.Error.clear();
		if (bTooLong)
		{
			Outcome.Error = "line too long";
			return;
		}
		if (IsBlankLine(Line))
		{
			Outcome.bBlank = true;
			return;
		}
		std::array<double, MaxNumbersPerLine> InBuffer{};
		const std::span<double> In(InBuffer.data(), Command.InputCount);
		const std::span<double> Out(Outcome.Numbers.data(), GetOutputCount(Command, Options));
		if (!ParseNumbers(Line, In, Outcome.Error))
		{
			return;
		}
		if (const char* Failure = Command.Run(Context, Options, In, Out))
		{
			Outcome.Error = Failure;
			return;
		}
		// The library refuses answers that are not finite; this keeps the promise for every command all the same.
		if (!std::all_of(Out.begin(), Out.end(), [](const double Value) { return std::isfinite(Value); }))
		{
			Outcome.Error = "result is not finite";
		}
	}

	/** Writes one outcome; true if it was an error. */
	bool WriteOutcome(FLineWriter& Writer, const FCommand& Command, const FCommandOptions& Options, const FLineOutcome& Outcome)
	{
		if (Outcome.bBlank)
		{
			return false;
		}
		if (!Outcome.Error.empty())
		{
			Writer.WriteError(Outcome.Error);
			return true;
		}
		Writer.WriteNumbers(std::span<const double>(Outcome.Numbers.data(), GetOutputCount(Command, Options)));
		return false;
	}

	/**
	 * Lines read ahead and converted by several threads at once, then written in input order. A block is
	 * converted when it is full and whenever the reader is about to wait for more input, so an interactive
	 * user still sees each answer at once.
	 */
	class FParallelLineBlock
	{
	public:
		static constexpr std::size_t LinesPerBlock = 8192;

		FParallelLineBlock(const FCommand& InCommand, const FCommandContext& InContext, const FCommandOptions& InOptions, const int InThreads)
			: Command(InCommand)
			, Context(InContext)
			, Options(InOptions)
			, Threads(InThreads)
			, Outcomes(LinesPerBlock)
		{
			Lines.reserve(LinesPerBlock);
		}

		/** Keeps a line (copied: the reader's buffer moves on); converts and writes the block once full. */
		bool Add(const std::string_view Line, const bool bTooLong, FLineWriter& Writer)
		{
			Lines.emplace_back(bTooLong ? std::string() : std::string(Line), bTooLong);
			return Lines.size() == LinesPerBlock ? ConvertAndWrite(Writer) : false;
		}

		/** Converts the lines kept so far and writes their outcomes in order; true if any was an error. */
		bool ConvertAndWrite(FLineWriter& Writer)
		{
			const std::size_t Count = Lines.size();
			const std::size_t Workers = std::min<std::size_t>(static_cast<std::size_t>(Threads), (Count + 255) / 256);
			const auto ConvertSlice = [this, Count, Workers](const std::size_t Worker) {
				for (std::size_t Index = Count * Worker / Workers; Index < Count * (Worker + 1) / Workers; ++Index)
				{
					ConvertLine(Command, Context, Options, Lines[Index].first, Lines[Index].second, Outcomes[Index]);
				}
			};
			std::vector<std::thread> Helpers;
			for (std::size_t Worker = 1; Worker < Workers; ++Worker)
			{
				Helpers.emplace_back(ConvertSlice, Worker);
			}
			if (Workers > 0)
			{
				ConvertSlice(0);
			}
			for (std::thread& Helper : Helpers)
			{
				Helper.join();
			}
			bool bAnyFailed = false;
			for (std::size_t Index = 0; Index < Count; ++Index)
			{
				bAnyFailed = WriteOutcome(Writer, Command, Options, Outcomes[Index]) || bAnyFailed;
			}
			Lines.clear();
			return bAnyFailed;
		}

	private:
		const FCommand& Command;
		const FCommandContext& Context;
		const FCommandOptions& Options;
		const int Threads;
		std::vector<std::pair<std::string, bool>> Lines;
		std::vector<FLineOutcome> Outcomes;
	};

	/** Flushes what is left and gives the exit status of a stream: a write or read error, a failed line, or success. */
	int FinishStream(FLineReader& Reader, FLineWriter& Writer, const bool bAnyLineFailed)
	{
		if (!Writer.Flush())
		{
			fmt::print(stderr, "durizerudore: cannot write to standard output: {}\n", std::strerror(Writer.GetError()));
			return ExitLineFailed;
		}
		if (Reader.GetError() != 0)
		{
			fmt::print(stderr, "durizerudore: cannot read standard input: {}\n", std::strerror(Reader.GetError()));
			return ExitLineFailed;
		}
		return bAnyLineFailed ? ExitLineFailed : ExitSuccess;
	}

	/** Converts standard input to standard output group by group (groups end at blank lines) with a command that reads groups. */
	int StreamGroups(const FCommand& Command, const FCommandContext& Context, const FCommandOptions& Options)
	{
		FLineReader Reader(STDIN_FILENO);
		FLineWriter Writer(STDOUT_FILENO);
		// Results go out before the tool waits for more input, so an interactive user sees each answer.
		Reader.SetBeforeRead([&Writer] { Writer.Flush(); });

		std::array<double, MaxNumbersPerLine> InBuffer{};
		std::array<double, MaxNumbersPerLine> OutBuffer{};
		const std::span<double> In(InBuffer.data(), Command.InputCount);
		const std::span<double> Out(OutBuffer.data(), GetOutputCount(Command, Options));
		std::string Reason;
		bool bAnyLineFailed = false;
		// A command that reads groups: the lines of the current group, and the first reason it cannot be answered.
		std::vector<FVector> Group;
		std::string GroupFailure;
		bool bGroupOpen = false;
		const auto FinishGroup = [&] {
			if (!bGroupOpen)
			{
				return;
			}
			const char* Failure = GroupFailure.empty() ? Command.RunGroup(Context, Group, Out) : GroupFailure.c_str();
			if (Failure == nullptr && !std::all_of(Out.begin(), Out.end(), [](const double Value) { return std::isfinite(Value); }))
			{
				Failure = "result is not finite";
			}
			if (Failure != nullptr)
			{
				Writer.WriteError(Failure);
				bAnyLineFailed = true;
			}
			else
			{
				Writer.WriteNumbers(Out);
			}
			Group.clear();
			GroupFailure.clear();
			bGroupOpen = false;
		};
		std::string_view Line;
		for (FLineReader::EResult Result = Reader.Next(Line); Result != FLineReader::EResult::End && Writer.IsGood(); Result = Reader.Next(Line))
		{
			{
				// A blank line ends a group; a line that cannot be read fails its group, which still ends only at a blank line.
				if (Result != FLineReader::EResult::TooLong && IsBlankLine(Line))
				{
					FinishGroup();
				}
				else if (Result == FLineReader::EResult::TooLong)
				{
					bGroupOpen = true;
					GroupFailure = GroupFailure.empty() ? fmt::format("line {} of the group: line too long", Group.size() + 1) : GroupFailure;
					Group.emplace_back(0.0, 0.0, 0.0);
				}
				else
				{
					bGroupOpen = true;
					if (!ParseNumbers(Line, In, Reason) && GroupFailure.empty())
					{
						GroupFailure = fmt::format("line {} of the group: {}", Group.size() + 1, Reason);
					}
					Group.emplace_back(In[0], Command.InputCount > 1 ? In[1] : 0.0, Command.InputCount > 2 ? In[2] : 0.0);
				}
			}
		}
		if (Writer.IsGood())
		{
			FinishGroup();
		}
		return FinishStream(Reader, Writer, bAnyLineFailed);
	}

	/** Converts standard input to standard output line by line with one command, on Threads threads. */
	int Stream(const FCommand& Command, const FCommandContext& Context, const FCommandOptions& Options, const int Threads)
	{
		if (Command.RunGroup != nullptr)
		{
			return StreamGroups(Command, Context, Options);
		}
		FLineReader Reader(STDIN_FILENO);
		FLineWriter Writer(STDOUT_FILENO);
		bool bAnyLineFailed = false;
		std::string_view Line;
		if (Threads > 1)
		{
			FParallelLineBlock Block(Command, Context, Options, Threads);
			// Results go out before the tool waits for more input, so an interactive user sees each answer.
			Reader.SetBeforeRead([&] {
				bAnyLineFailed = Block.ConvertAndWrite(Writer) || bAnyLineFailed;
				Writer.Flush();
			});
			for (FLineReader::EResult Result = Reader.Next(Line); Result != FLineReader::EResult::End && Writer.IsGood(); Result = Reader.Next(Line))
			{
				bAnyLineFailed = Block.Add(Line, Result == FLineReader::EResult::TooLong, Writer) || bAnyLineFailed;
			}
			bAnyLineFailed = Block.ConvertAndWrite(Writer) || bAnyLineFailed;
		}
		else
		{
			Reader.SetBeforeRead([&Writer] { Writer.Flush(); });
			FLineOutcome Outcome;
			for (FLineReader::EResult Result = Reader.Next(Line); Result != FLineReader::EResult::End && Writer.IsGood(); Result = Reader.Next(Line))
			{
				ConvertLine(Command, Context, Options, Line, Result == FLineReader::EResult::TooLong, Outcome);
				bAnyLineFailed = WriteOutcome(Writer, Command, Options, Outcome) || bAnyLineFailed;
			}
		}
		return FinishStream(Reader, Writer, bAnyLineFailed);
	}

	std::string ListCommandNames()
	{
		std::vector<std::string> Names;
		for (const FCommand& Command : GetCommands())
		{
			Names.emplace_back(Command.Name);
		}
		Names.emplace_back(DescribeName);
		return fmt::format("{}", fmt::join(Names, ", "));
	}

	/** The describe command: the reflected surface needs no frame, so it runs before any is built. */
	int Describe(const CLI::App& App, const CLI::App& Command, const std::string& TypeName)
	{
		// Frame and model options change nothing here; accepting them would suggest they do.
		for (const CLI::Option* Option : App.get_options())
		{
			if (Option->count() > 0)
			{
				return Fail(fmt::format("describe takes no options ({} given; see --help)", Option->get_name()));
			}
		}
		std::string Text;
		if (Command.count("TYPE") == 0)
		{
			Text = DescribeReflectedTypes();
		}
		else if (const UField* Type = FindReflectedType(TypeName))
		{
			Text = DescribeReflectedType(*Type);
		}
		else
		{
			return Fail(fmt::format("unknown type {} (types: {}; the prefix letter is optional)", QuoteForMessage(TypeName), ListReflectedTypeNames()));
		}
		if (std::fwrite(Text.data(), 1, Text.size(), stdout) != Text.size() || std::fflush(stdout) != 0)
		{
			fmt::print(stderr, "durizerudore: cannot write to standard output: {}\n", std::strerror(errno));
			return ExitLineFailed;
		}
		return ExitSuccess;
	}
}

int main(int ArgumentCount, char** Arguments)
{
	FToolOptions Options;
	FCommandOptions CommandOptions;

	CLI::App App("Converts positions, vectors and orientations and queries heights and gravity with the DuRizerudore plugin, one input line at a time.", "durizerudore");
	App.set_help_flag();
	// One --help that describes every command and option; after a command it describes that command.
	App.set_help_all_flag("-h,--help", "Print this help and exit");
	App.require_subcommand(1, 1);
	// Shared options may come after the command name.
	App.fallthrough();
	App.footer(Footer);
	App.get_formatter()->label("SUBCOMMAND", "COMMAND");
	App.get_formatter()->label("Subcommands", "Commands");
	App.get_formatter()->column_width(34);
	AddSharedOptions(App, Options);

	std::vector<std::pair<CLI::App*, const FCommand*>> Subcommands;
	for (const FCommand& Command : GetCommands())
	{
		CLI::App* Subcommand =
			App.add_subcommand(Command.Name, fmt::format("{}\n  input line: {}\n  output line: {}", Command.Summary, Command.InputDescription, Command.OutputDescription));
		Command.AddOptions(*Subcommand, CommandOptions);
		Subcommand->footer(fmt::format("The options every command shares are listed by durizerudore --help.\n\n{}", Footer));
		Subcommands.emplace_back(Subcommand, &Command);
	}

	std::string DescribedTypeName;
	CLI::App* DescribeCommand = App.add_subcommand(DescribeName, DescribeSummary);
	DescribeCommand
		->add_option("TYPE", DescribedTypeName,
			"The type to describe: its C++ name, prefix letter optional, any letter case (all types when left out)")
		->type_name("");
	DescribeCommand->footer(DescribeFooter);

	try
	{
		App.parse(ArgumentCount, Arguments);
	}
	catch (const CLI::CallForAllHelp&)
	{
		std::cout << App.help("", CLI::AppFormatMode::All) << std::flush;
		return ExitSuccess;
	}
	catch (const CLI::ParseError& Error)
	{
		if (App.get_subcommands().empty() && ArgumentCount > 1 && Arguments[1][0] != '-')
		{
			return Fail(fmt::format("unknown command {} (commands: {}; see --help)", QuoteForMessage(Arguments[1]), ListCommandNames()));
		}
		if (App.get_subcommands().empty())
		{
			return Fail(fmt::format("no command given (commands: {}; see --help)", ListCommandNames()));
		}
		// CLI11 repeats option values as they were typed.
		return Fail(fmt::format("{} (see --help)", EscapeForMessage(Error.what())));
	}

	if (DescribeCommand->parsed())
	{
		return Describe(App, *DescribeCommand, DescribedTypeName);
	}

	const FCommand* Selected = nullptr;
	for (const auto& [Subcommand, Command] : Subcommands)
	{
		if (Subcommand->parsed())
		{
			Selected = Command;
		}
	}
	if (Selected == nullptr)
	{
		return Fail(fmt::format("no command given (commands: {}; see --help)", ListCommandNames()));
	}

	if (const std::string Problem = CheckSharedOptions(Options); !Problem.empty())
	{
		return Fail(Problem);
	}
	if (const std::string Problem = RegisterPlugin(Options); !Problem.empty())
	{
		return Fail(Problem);
	}
	FCoordinateReferenceFrame Frame;
	if (const std::string Problem = BuildReferenceFrame(Options, Frame); !Problem.empty())
	{
		return Fail(Problem);
	}
	if (const std::string Note = DescribeIgnoredTruncation(Options); !Note.empty())
	{
		fmt::print(stderr, "durizerudore: {}\n", Note);
	}
	FCommandContext Context{Frame};
	if (Selected->bNeedsCoordinateSystem)
	{
		if (const std::string Problem = BuildCoordinateSystem(Options, Context.CoordinateSystem); !Problem.empty())
		{
			return Fail(Problem);
		}
	}
	// Only position converts lines on several threads: the pose commands use engine objects, which belong to one thread.
	const bool bConvertsInParallel = std::string_view(Selected->Name) == "position";
	const int Threads = !bConvertsInParallel ? 1 : CommandOptions.Threads > 0 ? CommandOptions.Threads : static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
	const int ExitCode = Stream(*Selected, Context, CommandOptions, Threads);
	if (Context.CoordinateSystem != nullptr)
	{
		DestroyCoordinateSystemWorld(*Context.CoordinateSystem);
	}
	return ExitCode;
}
