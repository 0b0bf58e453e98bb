#include "Misc/AssertionMacros.h"

#include "Containers/StringConv.h"
#include "Misc/OutputDevice.h"
#include "Misc/VarargsHelper.h"

#include <cstdarg>
#include <cstdlib>
#include <string>

namespace
{
	std::wstring DescribeFailure(const TCHAR* Kind, const char* Expression, const char* File, const int32 Line)
	{
		return UE::Host::Format(TEXT("%s: %s [File:%s] [Line: %d]"), Kind, UTF8_TO_TCHAR(Expression), UTF8_TO_TCHAR(File), Line);
	}
}

void FDebug::EnsureFailed(const char* Expression, const char* File, const int32 Line, const TCHAR* Message)
{
	const std::wstring Header = DescribeFailure(TEXT("Ensure condition failed"), Expression, File, Line);
	const std::wstring Text = (Message != nullptr && *Message != 0) ? Header + L"\n" + Message : Header;
	GLog->Serialize(Text.c_str(), ELogVerbosity::Error, TEXT("LogOutputDevice"));
}

bool FDebug::OptionallyLogFormattedEnsureMessageReturningFalse(const char* Expression, const char* File, const int32 Line, const TCHAR* Format, ...)
{
	va_list Args;
	va_start(Args, Format);
	const std::wstring Message = UE::Host::FormatV(Format, Args);
	va_end(Args);
	EnsureFailed(Expression, File, Line, Message.c_str());
	return false;
}

void FDebug::AssertFailed(const char* Expression, const char* File, const int32 Line, const TCHAR* Format, ...)
{
	va_list Args;
	va_start(Args, Format);
	const std::wstring Message = UE::Host::FormatV(Format, Args);
	va_end(Args);
	const std::wstring Header = DescribeFailure(TEXT("Assertion failed"), Expression, File, Line);
	const std::wstring Text = Message.empty() ? Header : Header + L"\n" + Message;
	GLog->Serialize(Text.c_str(), ELogVerbosity::Fatal, TEXT("LogOutputDevice"));
	std::abort();
}
