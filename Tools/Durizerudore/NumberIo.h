// Line-oriented number input and output of the command-line tool. Engine-free, and it includes fmt,
// so it comes before any engine header in every file that uses it.
#pragma once

#include <fmt/format.h>

#include <cstddef>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace DuRizerudoreCli
{
	/**
	 * Text from the user as it may appear in a message, between single quotes: at most 32 bytes of it shown (then
	 * "..."), always valid UTF-8, with control bytes (escape sequences included) and bytes that are not part of a
	 * well-formed UTF-8 sequence written as \xNN, so nothing the user typed reaches a terminal raw.
	 */
	std::string QuoteForMessage(std::string_view Text);

	/** All of Text, escaped as QuoteForMessage does, without quotes: for messages of other libraries that echo what the user typed. */
	std::string EscapeForMessage(std::string_view Text);

	/** True for a line holding nothing but whitespace (such lines produce no output). */
	bool IsBlankLine(std::string_view Line);

	/**
	 * Reads exactly Out.size() finite numbers separated by white space or by commas (one comma between two
	 * numbers, white space around it allowed). On failure (a token that is not a finite number, an empty field
	 * between commas, a wrong count) returns false and a short reason meant for an "ERROR: " line, valid UTF-8
	 * whatever the input; Out then holds nothing useful.
	 */
	bool ParseNumbers(std::string_view Line, std::span<double> Out, std::string& OutReason);

	/** Reads standard input (or any descriptor) line by line through one fixed buffer. */
	class FLineReader
	{
	public:
		enum class EResult
		{
			Line,
			TooLong,
			End
		};

		/**
		 * Lines longer than MaxLineBytes (their bytes before the newline) are skipped whole and reported as TooLong
		 * (or, when they hold nothing but white space, skipped silently), so memory stays bounded. The limit is the
		 * line's alone: where the line falls in the stream does not change the answer.
		 */
		explicit FLineReader(int FileDescriptor, std::size_t MaxLineBytes = 64 * 1024);

		/** Called before every read that may block, so that results already computed reach the reader first. */
		void SetBeforeRead(std::function<void()> Callback) { BeforeRead = std::move(Callback); }

		/** The next line without its newline (nor, on the first line, a UTF-8 byte-order mark); the view stays valid until the next call. */
		EResult Next(std::string_view& OutLine);

		/** The errno of a failed read, 0 when reading ended at end of input. */
		int GetError() const { return Error; }

	private:
		/** Appends what the next read returns; false at end of input or on an error. */
		bool Fill();

		EResult ReadLine(std::string_view& OutLine);

		/** Discards the rest of an overlong line up to its newline; true when all of the line was white space. */
		bool DropRestOfLine();

		int FileDescriptor;
		std::size_t MaxLineBytes;
		std::vector<char> Buffer;
		std::size_t Begin = 0;
		std::size_t End = 0;
		bool bAtEnd = false;
		bool bPastFirstLine = false;
		int Error = 0;
		std::function<void()> BeforeRead;
	};

	/** Collects output lines in one reused buffer and writes it out in large blocks. */
	class FLineWriter
	{
	public:
		explicit FLineWriter(int FileDescriptor) : FileDescriptor(FileDescriptor) {}

		/** One line of numbers in the shortest form that reads back to the same double, separated by spaces. */
		void WriteNumbers(std::span<const double> Numbers);

		/** One "ERROR: <reason>" line. */
		void WriteError(std::string_view Reason);

		/** Writes out everything buffered; false (and GetError) once any write failed. */
		bool Flush();

		bool IsGood() const { return Error == 0; }
		int GetError() const { return Error; }

	private:
		void FlushIfFull();

		int FileDescriptor;
		fmt::memory_buffer Pending;
		int Error = 0;
	};
}
