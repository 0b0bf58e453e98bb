#include "CoreTypes.h"
#include "Logging/HostLogCapture.h"
#include "Logging/LogMacros.h"

#include <gtest/gtest.h>

DECLARE_LOG_CATEGORY_EXTERN(LogHostTest, Log, All);
DEFINE_LOG_CATEGORY(LogHostTest);
DEFINE_LOG_CATEGORY_STATIC(LogHostTestQuiet, Warning, Warning);

TEST(Logging, FormatsWithTheEnginePrintfRules)
{
	FHostLogCapture Capture;
	const TCHAR* Name = TEXT("egm84");
	UE_LOG(LogHostTest, Error, TEXT("Failed to load '%s' from '%s': %s (%d, %5.2f, 100%%)"), Name, TEXT("/d\u00e9j\u00e0"), TEXT("no file"), -7, 3.14159);
	UE_LOG(LogHostTest, Error, TEXT("%-6s|%c|%x|%lld"), TEXT("ab"), TEXT('z'), 255, static_cast<long long>(1) << 40);
	UE_LOG(LogHostTest, Error, TEXT("no arguments"));

	const std::vector<std::wstring> Messages = Capture.GetMessages(TEXT("LogHostTest"));
	ASSERT_EQ(Messages.size(), 3u);
	EXPECT_EQ(Messages[0], L"Failed to load 'egm84' from '/d\u00e9j\u00e0': no file (-7,  3.14, 100%)");
	EXPECT_EQ(Messages[1], L"ab    |z|ff|1099511627776");
	EXPECT_EQ(Messages[2], L"no arguments");
	EXPECT_EQ(Capture.GetLines()[0].Verbosity, ELogVerbosity::Error);
}

TEST(Logging, VerbosityFiltersMessagesAndLongMessagesSurvive)
{
	FHostLogCapture Capture;
	EXPECT_EQ(LogHostTest.GetVerbosity(), ELogVerbosity::Log);
	UE_LOG(LogHostTest, Verbose, TEXT("hidden"));
	UE_LOG(LogHostTest, Log, TEXT("shown"));
	UE_LOG(LogHostTestQuiet, Log, TEXT("below warning"));
	UE_LOG(LogHostTestQuiet, Warning, TEXT("warning"));

	// The run-time verbosity can be lowered but never raised above the compile-time ceiling.
	LogHostTestQuiet.SetVerbosity(ELogVerbosity::VeryVerbose);
	EXPECT_EQ(LogHostTestQuiet.GetVerbosity(), ELogVerbosity::Warning);

	const std::wstring Long(5000, L'x');
	UE_LOG(LogHostTest, Error, TEXT("%s"), Long.c_str());

	EXPECT_EQ(Capture.GetMessages(TEXT("LogHostTest")), (std::vector<std::wstring>{L"shown", Long}));
	EXPECT_EQ(Capture.GetMessages(TEXT("LogHostTestQuiet")), (std::vector<std::wstring>{L"warning"}));
}
