#include "Logging/LogMacros.h"

#include "Misc/OutputDevice.h"
#include "Misc/VarargsHelper.h"

#include <cstdarg>
#include <cstdlib>

const TCHAR* ToString(const ELogVerbosity::Type Verbosity)
{
	switch (Verbosity & ELogVerbosity::VerbosityMask)
	{
	case ELogVerbosity::NoLogging:
		return TEXT("NoLogging");
	case ELogVerbosity::Fatal:
		return TEXT("Fatal");
	case ELogVerbosity::Error:
		return TEXT("Error");
	case ELogVerbosity::Warning:
		return TEXT("Warning");
	case ELogVerbosity::Display:
		return TEXT("Display");
	case ELogVerbosity::Log:
		return TEXT("Log");
	case ELogVerbosity::Verbose:
		return TEXT("Verbose");
	case ELogVerbosity::VeryVerbose:
		return TEXT("VeryVerbose");
	default:
		return TEXT("UknownVerbosity");
	}
}

void FMsg::Logf(const char* File, const int32 Line, const TCHAR* Category, const ELogVerbosity::Type Verbosity, const TCHAR* Format, ...)
{
	va_list Args;
	va_start(Args, Format);
	const std::wstring Message = UE::Host::FormatV(Format, Args);
	va_end(Args);

	GLog->Serialize(Message.c_str(), Verbosity, Category);
	if ((Verbosity & ELogVerbosity::VerbosityMask) == ELogVerbosity::Fatal)
	{
		std::abort();
	}
}
