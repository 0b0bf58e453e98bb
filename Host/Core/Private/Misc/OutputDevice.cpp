#include "Misc/OutputDevice.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "Containers/StringConv.h"

void FOutputDeviceStdErr::Serialize(const TCHAR* Message, const ELogVerbosity::Type Verbosity, const TCHAR* Category)
{
	std::wstring Line;
	if (Category != nullptr && *Category != 0)
	{
		Line += Category;
		Line += L": ";
	}
	if ((Verbosity & ELogVerbosity::VerbosityMask) != ELogVerbosity::Log)
	{
		Line += ToString(Verbosity);
		Line += L": ";
	}
	Line += Message != nullptr ? Message : L"";
	Line += L"\n";
	// One write per line, in UTF-8, so that lines from several threads do not interleave.
	const FTCHARToUTF8 Utf8(Line.c_str());
	std::fwrite(Utf8.Get(), 1, static_cast<std::size_t>(Utf8.Length()), stderr);
	std::fflush(stderr);
}

FOutputDeviceRedirector::FOutputDeviceRedirector()
{
	OutputDevices.push_back(&StdErr);
}

FOutputDeviceRedirector* FOutputDeviceRedirector::Get()
{
	static FOutputDeviceRedirector Singleton;
	return &Singleton;
}

void FOutputDeviceRedirector::AddOutputDevice(FOutputDevice* OutputDevice)
{
	const std::lock_guard<std::recursive_mutex> Lock(Mutex);
	if (OutputDevice != nullptr && std::find(OutputDevices.begin(), OutputDevices.end(), OutputDevice) == OutputDevices.end())
	{
		OutputDevices.push_back(OutputDevice);
	}
}

void FOutputDeviceRedirector::RemoveOutputDevice(FOutputDevice* OutputDevice)
{
	const std::lock_guard<std::recursive_mutex> Lock(Mutex);
	OutputDevices.erase(std::remove(OutputDevices.begin(), OutputDevices.end(), OutputDevice), OutputDevices.end());
}

bool FOutputDeviceRedirector::IsRedirectingTo(FOutputDevice* OutputDevice) const
{
	const std::lock_guard<std::recursive_mutex> Lock(Mutex);
	return std::find(OutputDevices.begin(), OutputDevices.end(), OutputDevice) != OutputDevices.end();
}

void FOutputDeviceRedirector::Serialize(const TCHAR* Message, const ELogVerbosity::Type Verbosity, const TCHAR* Category)
{
	const std::lock_guard<std::recursive_mutex> Lock(Mutex);
	for (FOutputDevice* OutputDevice : OutputDevices)
	{
		OutputDevice->Serialize(Message, Verbosity, Category);
	}
}
