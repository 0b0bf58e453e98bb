#include "NumberIo.h"

#include <fmt/compile.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <iterator>
#include <system_error>

#include <unistd.h>

namespace DuRizerudoreCli
{
	namespace
	{
		constexpr std::size_t ReadChunkBytes = 64 * 1024;
		constexpr std::size_t FlushThresholdBytes = 64 * 1024;

		bool IsWhitespace(const char Character)
		{
			return Character == ' ' || Character == '\t' || Character == '\r' || Character == '\v' || Character == '\f';
		}

		bool IsSeparator(const char Character)
		{
			return IsWhitespace(Character) || Character == ',';
		}

		/** A token as it may appear in an error line: bounded in length, control bytes made visible. */
		std::string Quote(const std::string_view Token)
		{
			constexpr std::size_t MaxShown = 32;
			std::string Shown = "'";
			for (const char Character : Token.substr(0, MaxShown))
			{
				const auto Byte = static_cast<unsigned char>(Character);
				Shown += (Byte < 0x20 || Byte == 0x7f) ? '?' : Character;
			}
			Shown += Token.size() > MaxShown ? "...'" : "'";
			return Shown;
		}

		/** One number; a leading '+' is accepted as data files commonly carry it, std::from_chars does not. */
		bool ParseNumber(std::string_view Token, double& OutValue, std::string& OutReason)
		{
			const std::string_view Original = Token;
			if (Token.size() > 1 && Token[0] == '+' && Token[1] != '-' && Token[1] != '+')
			{
				Token.remove_prefix(1);
			}
			const char* const First = Token.data();
			const char* const Last = Token.data() + Token.size();
			const auto [Pointer, Code] = std::from_chars(First, Last, OutValue, std::chars_format::general);
			if (Code == std::errc::result_out_of_range)
			{
				OutReason = "number out of range: " + Quote(Original);
				return false;
			}
			if (Code != std::errc() || Pointer != Last)
			{
				OutReason = "not a number: " + Quote(Original);
				return false;
			}
			return true;
		}
	}

	bool IsBlankLine(const std::string_view Line)
	{
		return std::all_of(Line.begin(), Line.end(), IsWhitespace);
	}

	bool ParseNumbers(const std::string_view Line, const std::span<double> Out, std::string& OutReason)
	{
		std::size_t Count = 0;
		std::size_t Position = 0;
		while (true)
		{
			while (Position < Line.size() && IsSeparator(Line[Position]))
			{
				++Position;
			}
			if (Position == Line.size())
			{
				break;
			}
			std::size_t TokenEnd = Position;
			while (TokenEnd < Line.size() && !IsSeparator(Line[TokenEnd]))
			{
				++TokenEnd;
			}
			const std::string_view Token = Line.substr(Position, TokenEnd - Position);
			Position = TokenEnd;
			double Value = 0.0;
			if (!ParseNumber(Token, Value, OutReason))
			{
				return false;
			}
			// Keep counting past the expected amount so the reason can say how many there were.
			if (Count < Out.size())
			{
				Out[Count] = Value;
			}
			++Count;
		}
		if (Count != Out.size())
		{
			OutReason = fmt::format("expected {} number{}, found {}", Out.size(), Out.size() == 1 ? "" : "s", Count);
			return false;
		}
		return true;
	}

	FLineReader::FLineReader(const int InFileDescriptor, const std::size_t InMaxLineBytes)
		: FileDescriptor(InFileDescriptor)
		, MaxLineBytes(InMaxLineBytes)
		, Buffer(InMaxLineBytes + ReadChunkBytes)
	{
	}

	bool FLineReader::Fill()
	{
		if (bAtEnd)
		{
			return false;
		}
		if (Begin > 0)
		{
			std::memmove(Buffer.data(), Buffer.data() + Begin, End - Begin);
			End -= Begin;
			Begin = 0;
		}
		if (BeforeRead)
		{
			BeforeRead();
		}
		while (true)
		{
			const ssize_t Count = ::read(FileDescriptor, Buffer.data() + End, Buffer.size() - End);
			if (Count > 0)
			{
				End += static_cast<std::size_t>(Count);
				return true;
			}
			if (Count < 0 && errno == EINTR)
			{
				continue;
			}
			Error = Count < 0 ? errno : 0;
			bAtEnd = true;
			return false;
		}
	}

	FLineReader::EResult FLineReader::Next(std::string_view& OutLine)
	{
		std::size_t Searched = Begin;
		while (true)
		{
			const char* const Newline = static_cast<const char*>(std::memchr(Buffer.data() + Searched, '\n', End - Searched));
			if (Newline != nullptr)
			{
				const std::size_t LineEnd = static_cast<std::size_t>(Newline - Buffer.data());
				OutLine = std::string_view(Buffer.data() + Begin, LineEnd - Begin);
				Begin = LineEnd + 1;
				return EResult::Line;
			}
			Searched = End;
			if (End - Begin > MaxLineBytes)
			{
				// Drop the line up to its newline without holding it.
				while (true)
				{
					Begin = End = 0;
					if (!Fill())
					{
						return EResult::TooLong;
					}
					const char* const Rest = static_cast<const char*>(std::memchr(Buffer.data(), '\n', End));
					if (Rest != nullptr)
					{
						Begin = static_cast<std::size_t>(Rest - Buffer.data()) + 1;
						return EResult::TooLong;
					}
				}
			}
			const std::size_t Kept = End - Begin;
			if (!Fill())
			{
				if (Kept == 0)
				{
					return EResult::End;
				}
				// A last line without a newline.
				OutLine = std::string_view(Buffer.data() + Begin, End - Begin);
				Begin = End;
				return EResult::Line;
			}
			// Fill moved the kept part to the front; none of it holds a newline.
			Searched = Kept;
		}
	}

	void FLineWriter::WriteNumbers(const std::span<const double> Numbers)
	{
		auto Out = fmt::appender(Pending);
		for (std::size_t Index = 0; Index < Numbers.size(); ++Index)
		{
			if (Index > 0)
			{
				Pending.push_back(' ');
			}
			// Compiled: the format string is not parsed again for every number; the text is the same.
			Out = fmt::format_to(Out, FMT_COMPILE("{}"), Numbers[Index]);
		}
		Pending.push_back('\n');
		FlushIfFull();
	}

	void FLineWriter::WriteError(const std::string_view Reason)
	{
		fmt::format_to(fmt::appender(Pending), "ERROR: {}\n", Reason);
		FlushIfFull();
	}

	void FLineWriter::FlushIfFull()
	{
		if (Pending.size() >= FlushThresholdBytes)
		{
			Flush();
		}
	}

	bool FLineWriter::Flush()
	{
		std::size_t Written = 0;
		while (Error == 0 && Written < Pending.size())
		{
			const ssize_t Count = ::write(FileDescriptor, Pending.data() + Written, Pending.size() - Written);
			if (Count >= 0)
			{
				Written += static_cast<std::size_t>(Count);
			}
			else if (errno != EINTR)
			{
				Error = errno;
			}
		}
		Pending.clear();
		return Error == 0;
	}
}
