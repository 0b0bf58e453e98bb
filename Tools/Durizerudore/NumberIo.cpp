#include "NumberIo.h"

#include <fast_float/fast_float.h>
#include <fmt/compile.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdlib>
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

		/** Length of the well-formed UTF-8 sequence at the start of Text (no overlongs, surrogates or code points past U+10FFFF), 0 if there is none. */
		std::size_t MeasureUtf8Sequence(const std::string_view Text)
		{
			const auto Byte = [Text](const std::size_t Index) { return static_cast<unsigned char>(Text[Index]); };
			const unsigned char Lead = Byte(0);
			std::size_t Length = 0;
			unsigned char SecondMin = 0x80;
			unsigned char SecondMax = 0xBF;
			if (Lead < 0x80)
			{
				return 1;
			}
			if (Lead >= 0xC2 && Lead <= 0xDF)
			{
				Length = 2;
			}
			else if (Lead >= 0xE0 && Lead <= 0xEF)
			{
				Length = 3;
				SecondMin = Lead == 0xE0 ? 0xA0 : 0x80;
				SecondMax = Lead == 0xED ? 0x9F : 0xBF;
			}
			else if (Lead >= 0xF0 && Lead <= 0xF4)
			{
				Length = 4;
				SecondMin = Lead == 0xF0 ? 0x90 : 0x80;
				SecondMax = Lead == 0xF4 ? 0x8F : 0xBF;
			}
			if (Length == 0 || Text.size() < Length || Byte(1) < SecondMin || Byte(1) > SecondMax)
			{
				return 0;
			}
			for (std::size_t Index = 2; Index < Length; ++Index)
			{
				if (Byte(Index) < 0x80 || Byte(Index) > 0xBF)
				{
					return 0;
				}
			}
			return Length;
		}

		/**
		 * Appends Text to Out from its start until MaxShown bytes are read (a UTF-8 sequence begun is finished), with
		 * control bytes and bytes outside well-formed UTF-8 written as \xNN; returns how many bytes were read.
		 */
		std::size_t AppendEscaped(std::string& Out, const std::string_view Text, const std::size_t MaxShown)
		{
			std::size_t Position = 0;
			while (Position < Text.size() && Position < MaxShown)
			{
				const auto Byte = static_cast<unsigned char>(Text[Position]);
				const std::size_t Length = MeasureUtf8Sequence(Text.substr(Position));
				// U+0080 to U+009F are controls too: some terminals read U+009B as the start of an escape sequence.
				const bool bC1Control = Length == 2 && Byte == 0xC2 && static_cast<unsigned char>(Text[Position + 1]) < 0xA0;
				if (Length == 0 || Byte < 0x20 || Byte == 0x7f || bC1Control)
				{
					Out += fmt::format("\\x{:02x}", Byte);
					++Position;
					continue;
				}
				Out += Text.substr(Position, Length);
				Position += Length;
			}
			return Position;
		}

		/**
		 * One number, read as C's strtod reads it in the C locale, but by fast_float: every standard library's
		 * std::from_chars does not yet read floating point, and strtod depends on the process's locale. A leading
		 * '+' is accepted, as data files commonly carry it. A magnitude too small for a double reads as 0 (or the
		 * nearest subnormal), as strtod reads it; one too large to hold is refused.
		 */
		bool ParseNumber(std::string_view Token, double& OutValue, std::string& OutReason)
		{
			const std::string_view Original = Token;
			if (Token.size() > 1 && Token[0] == '+' && Token[1] != '-' && Token[1] != '+')
			{
				Token.remove_prefix(1);
			}
			const char* const First = Token.data();
			const char* const Last = Token.data() + Token.size();
			const fast_float::from_chars_result Result = fast_float::from_chars(First, Last, OutValue, fast_float::chars_format::general);
			if (Result.ec != std::errc() || Result.ptr != Last)
			{
				OutReason = "not a number: " + QuoteForMessage(Original);
				return false;
			}
			if (!std::isfinite(OutValue))
			{
				// "nan" and "inf" are read as such, and have no answer in any command; a number beyond the largest
				// double is read as an infinity.
				const char Lead = Token[Token[0] == '-' ? 1 : 0];
				const bool bSpelledOut = Lead == 'n' || Lead == 'N' || Lead == 'i' || Lead == 'I';
				OutReason = (bSpelledOut ? "not a finite number: " : "number out of range: ") + QuoteForMessage(Original);
				return false;
			}
			return true;
		}
	}

	std::string QuoteForMessage(const std::string_view Text)
	{
		constexpr std::size_t MaxShown = 32;
		std::string Shown = "'";
		const std::size_t Read = AppendEscaped(Shown, Text, MaxShown);
		Shown += Read < Text.size() ? "...'" : "'";
		return Shown;
	}

	std::string EscapeForMessage(const std::string_view Text)
	{
		std::string Shown;
		AppendEscaped(Shown, Text, Text.size());
		return Shown;
	}

	bool IsBlankLine(const std::string_view Line)
	{
		return std::all_of(Line.begin(), Line.end(), IsWhitespace);
	}

	bool ParseNumbers(const std::string_view Line, const std::span<double> Out, std::string& OutReason)
	{
		const auto SkipWhitespace = [Line](std::size_t Position) {
			while (Position < Line.size() && IsWhitespace(Line[Position]))
			{
				++Position;
			}
			return Position;
		};
		// Fields are separated by white space, or by one comma with white space around it; a comma with nothing
		// before or after it marks an empty field, which would shift every later number into the wrong column.
		std::size_t Count = 0;
		std::size_t Position = SkipWhitespace(0);
		while (Position < Line.size())
		{
			if (Line[Position] == ',')
			{
				OutReason = fmt::format("empty field {}", Count + 1);
				return false;
			}
			std::size_t TokenEnd = Position;
			while (TokenEnd < Line.size() && !IsSeparator(Line[TokenEnd]))
			{
				++TokenEnd;
			}
			double Value = 0.0;
			if (!ParseNumber(Line.substr(Position, TokenEnd - Position), Value, OutReason))
			{
				return false;
			}
			// Keep counting past the expected amount so the reason can say how many there were.
			if (Count < Out.size())
			{
				Out[Count] = Value;
			}
			++Count;
			Position = SkipWhitespace(TokenEnd);
			if (Position < Line.size() && Line[Position] == ',')
			{
				Position = SkipWhitespace(Position + 1);
				if (Position == Line.size())
				{
					OutReason = fmt::format("empty field {}", Count + 1);
					return false;
				}
			}
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
		const EResult Result = ReadLine(OutLine);
		// Editors on some systems start UTF-8 text with a byte-order mark; it is not part of the first number.
		constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";
		if (!bPastFirstLine && Result == EResult::Line && OutLine.starts_with(ByteOrderMark))
		{
			OutLine.remove_prefix(ByteOrderMark.size());
		}
		bPastFirstLine = true;
		return Result;
	}

	bool FLineReader::DropRestOfLine()
	{
		bool bBlank = IsBlankLine(std::string_view(Buffer.data() + Begin, End - Begin));
		while (true)
		{
			Begin = End = 0;
			if (!Fill())
			{
				return bBlank;
			}
			const char* const Newline = static_cast<const char*>(std::memchr(Buffer.data(), '\n', End));
			const std::size_t DroppedEnd = Newline != nullptr ? static_cast<std::size_t>(Newline - Buffer.data()) : End;
			bBlank = bBlank && IsBlankLine(std::string_view(Buffer.data(), DroppedEnd));
			if (Newline != nullptr)
			{
				Begin = DroppedEnd + 1;
				return bBlank;
			}
		}
	}

	FLineReader::EResult FLineReader::ReadLine(std::string_view& OutLine)
	{
		std::size_t Searched = Begin;
		while (true)
		{
			const char* const Newline = static_cast<const char*>(std::memchr(Buffer.data() + Searched, '\n', End - Searched));
			if (Newline != nullptr)
			{
				const std::size_t LineEnd = static_cast<std::size_t>(Newline - Buffer.data());
				const std::string_view Found(Buffer.data() + Begin, LineEnd - Begin);
				Begin = LineEnd + 1;
				// The buffer holds more than one line's limit, so a whole overlong line can sit in it; its length,
				// not where it falls, decides.
				if (Found.size() <= MaxLineBytes)
				{
					OutLine = Found;
					return EResult::Line;
				}
				if (!IsBlankLine(Found))
				{
					return EResult::TooLong;
				}
				// A skipped line is still a line: a byte-order mark after it is no longer at the start of the input.
				bPastFirstLine = true;
				Searched = Begin;
				continue;
			}
			Searched = End;
			if (End - Begin > MaxLineBytes)
			{
				// A blank line is skipped at any length, as a short one is; anything else is reported.
				if (!DropRestOfLine())
				{
					return EResult::TooLong;
				}
				bPastFirstLine = true;
				Searched = Begin;
				continue;
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
