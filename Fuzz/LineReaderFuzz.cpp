// The command-line tool's input side on arbitrary bytes: the line reader, with a line limit small enough to
// reach its overlong-line paths, and the number parser on every line it returns. The lines must be exactly
// the input's lines, in order (a byte-order mark dropped from the first, overlong lines reported or, when
// blank, skipped); a parse that succeeds must fill every number with a finite value, and one that fails must
// give a one-line reason in valid UTF-8.
#include "FuzzCheck.h"

#include "NumberIo.h"

#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include <iconv.h>
#include <sys/mman.h>
#include <unistd.h>

namespace
{
	constexpr std::size_t MaxLineBytes = 40;
	constexpr std::uint64_t UnwrittenBits = 0x7FF4'0000'DEAD'BEEFull;
	constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";

	/** glibc's decoder as the independent judge of UTF-8 (it refuses overlong forms and surrogates). */
	bool IsValidUtf8(const std::string_view Text)
	{
		static const iconv_t Decoder = iconv_open("UTF-32LE", "UTF-8");
		DURIZERUDORE_FUZZ_CHECK(Decoder != reinterpret_cast<iconv_t>(-1), "iconv knows UTF-8");
		iconv(Decoder, nullptr, nullptr, nullptr, nullptr);
		std::string Input(Text);
		std::vector<char> Output(4 * Text.size() + 4);
		char* In = Input.data();
		std::size_t InLeft = Input.size();
		char* Out = Output.data();
		std::size_t OutLeft = Output.size();
		return iconv(Decoder, &In, &InLeft, &Out, &OutLeft) != static_cast<std::size_t>(-1) && InLeft == 0;
	}

	bool IsBlank(const std::string_view Line)
	{
		return Line.find_first_not_of(" \t\r\v\f") == std::string_view::npos;
	}

	/** The input's lines as a plain split at '\n' sees them; a trailing newline ends the last line. */
	std::vector<std::string_view> SplitLines(const std::string_view Input)
	{
		std::vector<std::string_view> Lines;
		std::size_t Begin = 0;
		while (Begin < Input.size())
		{
			const std::size_t End = std::min(Input.find('\n', Begin), Input.size());
			Lines.push_back(Input.substr(Begin, End - Begin));
			Begin = End + 1;
		}
		return Lines;
	}

	void CheckParse(const std::string_view Line)
	{
		for (const std::size_t Count : {std::size_t(1), std::size_t(3), std::size_t(7)})
		{
			std::array<double, 7> Numbers;
			Numbers.fill(std::bit_cast<double>(UnwrittenBits));
			std::string Reason;
			if (DuRizerudoreCli::ParseNumbers(Line, std::span<double>(Numbers.data(), Count), Reason))
			{
				for (std::size_t Index = 0; Index < Count; ++Index)
				{
					DURIZERUDORE_FUZZ_CHECK(std::isfinite(Numbers[Index]), "a parsed number is finite and written");
				}
				continue;
			}
			DURIZERUDORE_FUZZ_CHECK(!Reason.empty(), "a failed parse says why");
			DURIZERUDORE_FUZZ_CHECK(IsValidUtf8(Reason), "the reason is valid UTF-8");
			for (const char Character : Reason)
			{
				DURIZERUDORE_FUZZ_CHECK(static_cast<unsigned char>(Character) >= 0x20 && Character != 0x7f, "the reason has no control bytes");
			}
		}
	}
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Bytes, const std::size_t Size)
{
	const std::string_view Input(reinterpret_cast<const char*>(Bytes), Size);
	// The reader takes a descriptor, as the tool's standard input is one.
	const int File = memfd_create("line-reader-fuzz", 0);
	DURIZERUDORE_FUZZ_CHECK(File >= 0, "memfd_create");
	DURIZERUDORE_FUZZ_CHECK(::write(File, Input.data(), Input.size()) == static_cast<ssize_t>(Input.size()), "write the input");
	DURIZERUDORE_FUZZ_CHECK(::lseek(File, 0, SEEK_SET) == 0, "rewind the input");

	const std::vector<std::string_view> Expected = SplitLines(Input);
	const auto IsSkippable = [](const std::string_view Want) { return Want.size() > MaxLineBytes && IsBlank(Want); };
	std::size_t Next = 0;
	DuRizerudoreCli::FLineReader Reader(File, MaxLineBytes);
	std::string_view Line;
	for (DuRizerudoreCli::FLineReader::EResult Result = Reader.Next(Line); Result != DuRizerudoreCli::FLineReader::EResult::End; Result = Reader.Next(Line))
	{
		while (true)
		{
			DURIZERUDORE_FUZZ_CHECK(Next < Expected.size(), "no line beyond the input's");
			std::string_view Want = Expected[Next];
			if (Next == 0 && Result == DuRizerudoreCli::FLineReader::EResult::Line && Want.starts_with(ByteOrderMark))
			{
				Want.remove_prefix(ByteOrderMark.size());
			}
			++Next;
			if (Result == DuRizerudoreCli::FLineReader::EResult::Line ? Line == Want : Want.size() > MaxLineBytes && !IsBlank(Want))
			{
				break;
			}
			// A line that does not match may only be an overlong blank one, which the reader skips without a word.
			DURIZERUDORE_FUZZ_CHECK(IsSkippable(Expected[Next - 1]), "the reader gives the input's lines in order");
		}
		if (Result == DuRizerudoreCli::FLineReader::EResult::Line)
		{
			DURIZERUDORE_FUZZ_CHECK(Expected[Next - 1].size() <= MaxLineBytes, "a line over the limit is never given, wherever it falls");
			CheckParse(Line);
		}
	}
	while (Next < Expected.size() && IsSkippable(Expected[Next]))
	{
		++Next;
	}
	DURIZERUDORE_FUZZ_CHECK(Next == Expected.size(), "every line of the input is read");
	DURIZERUDORE_FUZZ_CHECK(Reader.GetError() == 0, "no read error");
	::close(File);
	return 0;
}
