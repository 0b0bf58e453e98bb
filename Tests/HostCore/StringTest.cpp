#include "CoreMinimal.h"
#include "Misc/Paths.h"

#include <gtest/gtest.h>


TEST(String, Utf8RoundTripsEveryPlaneAndRepairsBadInput)
{
	const TCHAR* Text = TEXT("a\u00e9\u20ac\U0001F30D/geoids");
	const FTCHARToUTF8 Utf8(Text);
	EXPECT_STREQ(Utf8.Get(), "a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x8C\x8D/geoids");
	EXPECT_EQ(Utf8.Length(), 1 + 2 + 3 + 4 + 7);
	EXPECT_STREQ(UTF8_TO_TCHAR(Utf8.Get()), Text);
	EXPECT_STREQ(UTF8_TO_TCHAR(TCHAR_TO_UTF8(Text)), Text);

	// Truncated sequences, stray continuation bytes, overlong forms and surrogates become U+FFFD.
	EXPECT_STREQ(UTF8_TO_TCHAR("x\xE2\x82"), TEXT("x\uFFFD"));
	EXPECT_STREQ(UTF8_TO_TCHAR("\x80y"), TEXT("\uFFFDy"));
	EXPECT_STREQ(UTF8_TO_TCHAR("\xC0\xAF"), TEXT("\uFFFD"));
	EXPECT_STREQ(UTF8_TO_TCHAR("\xED\xA0\x80"), TEXT("\uFFFD"));
	EXPECT_STREQ(TCHAR_TO_UTF8(TEXT("")), "");
}

TEST(String, OperationsFollowTheEngine)
{
	const FString Path(TEXT("Binaries/GeographicLib"));
	EXPECT_EQ(Path.Len(), 22);
	EXPECT_TRUE(Path.StartsWith(TEXT("binaries")));
	EXPECT_FALSE(Path.StartsWith(TEXT("binaries"), ESearchCase::CaseSensitive));
	EXPECT_TRUE(Path.EndsWith(TEXT("Lib")));
	EXPECT_EQ(Path.Find(TEXT("/")), 8);
	EXPECT_EQ(Path.Left(8), FString(TEXT("Binaries")));
	EXPECT_EQ(Path.Mid(9), FString(TEXT("GeographicLib")));
	EXPECT_EQ(Path.Right(3), FString(TEXT("Lib")));
	EXPECT_TRUE(FString(TEXT("ABC")) == FString(TEXT("abc")));
	EXPECT_FALSE(FString(TEXT("ABC")).Equals(TEXT("abc")));
	EXPECT_EQ(FString(TEXT("a\\b\\c")).Replace(TEXT("\\"), TEXT("/")), FString(TEXT("a/b/c")));


	EXPECT_EQ(FString::Printf(TEXT("%s=%d"), TEXT("degree"), 16), FString(TEXT("degree=16")));
	EXPECT_EQ(FString(TEXT("x")) + TEXT("y") + FString(TEXT("z")), FString(TEXT("xyz")));
	EXPECT_EQ(FString(TEXT("d\u00e9j\u00e0")), FString("d\xC3\xA9j\xC3\xA0"));
}

TEST(Paths, CombineAppendsPartsAsTheEngineDoes)
{
	struct FCase
	{
		FString First;
		FString Second;
		const TCHAR* Expected;
	};
	const FCase Cases[] = {
		{TEXT("/plugin"), TEXT("Binaries"), TEXT("/plugin/Binaries")},
		{FString(), TEXT("data"), TEXT("data")},
		{FString(), FString(), TEXT("")},
		{TEXT("a/"), TEXT("b"), TEXT("a/b")},
		{TEXT("a\\"), TEXT("b"), TEXT("a\\b")},
		{TEXT("a"), TEXT("/b"), TEXT("a/b")},
		{TEXT("a/"), TEXT("/b"), TEXT("a//b")},
		{TEXT("a"), FString(), TEXT("a/")},
		{TEXT("a/"), FString(), TEXT("a/")},
	};
	for (const FCase& Case : Cases)
	{
		EXPECT_EQ(FPaths::Combine(Case.First, *Case.Second).ToStdWString(), std::wstring(Case.Expected)) << *Case.First << L" + " << *Case.Second;
	}
	// An empty middle part leaves one separator, not two.
	EXPECT_EQ(FPaths::Combine(TEXT("a"), TEXT(""), TEXT("b")).ToStdWString(), L"a/b");
	EXPECT_EQ(FPaths::Combine(TEXT("/plugin"), FString(TEXT("Binaries")), TEXT("GeographicLib")).ToStdWString(), L"/plugin/Binaries/GeographicLib");
}
