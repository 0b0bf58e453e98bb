#include "Logging/HostLogCapture.h"

FHostLogCapture::FHostLogCapture()
{
	GLog->AddOutputDevice(this);
}

FHostLogCapture::~FHostLogCapture()
{
	GLog->RemoveOutputDevice(this);
}

void FHostLogCapture::Serialize(const TCHAR* Message, const ELogVerbosity::Type Verbosity, const TCHAR* Category)
{
	const std::lock_guard<std::mutex> Lock(Mutex);
	Lines.push_back(FHostLogLine{Category != nullptr ? Category : L"", Verbosity, Message != nullptr ? Message : L""});
}

std::vector<FHostLogLine> FHostLogCapture::GetLines() const
{
	const std::lock_guard<std::mutex> Lock(Mutex);
	return Lines;
}

std::vector<std::wstring> FHostLogCapture::GetMessages(const TCHAR* Category) const
{
	const std::lock_guard<std::mutex> Lock(Mutex);
	std::vector<std::wstring> Messages;
	for (const FHostLogLine& Line : Lines)
	{
		if (Line.Category == Category)
		{
			Messages.push_back(Line.Message);
		}
	}
	return Messages;
}

int32 FHostLogCapture::Count(const TCHAR* Category, const TCHAR* Text) const
{
	const std::lock_guard<std::mutex> Lock(Mutex);
	int32 Result = 0;
	for (const FHostLogLine& Line : Lines)
	{
		if (Line.Category == Category && Line.Message.find(Text) != std::wstring::npos)
		{
			++Result;
		}
	}
	return Result;
}

int32 FHostLogCapture::CountEnsures() const
{
	return Count(TEXT("LogOutputDevice"), TEXT("Ensure condition failed: "));
}

void FHostLogCapture::Clear()
{
	const std::lock_guard<std::mutex> Lock(Mutex);
	Lines.clear();
}
