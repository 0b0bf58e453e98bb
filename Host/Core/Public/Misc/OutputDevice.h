// Where log lines go: output devices and the global redirector that fans every line out to them.
#pragma once

#include "CoreTypes.h"
#include "Logging/LogVerbosity.h"

#include <mutex>
#include <vector>

class FOutputDevice
{
public:
	virtual ~FOutputDevice() = default;

	/** Receives one finished log line (without a trailing newline). */
	virtual void Serialize(const TCHAR* Message, ELogVerbosity::Type Verbosity, const TCHAR* Category) = 0;
};

/** Writes "Category: Verbosity: Message" lines to standard error, as a console log does. */
class FOutputDeviceStdErr : public FOutputDevice
{
public:
	virtual void Serialize(const TCHAR* Message, ELogVerbosity::Type Verbosity, const TCHAR* Category) override;
};

/** Sends each line to every registered device; standard error is registered from the start. */
class FOutputDeviceRedirector : public FOutputDevice
{
public:
	FOutputDeviceRedirector();

	static FOutputDeviceRedirector* Get();

	void AddOutputDevice(FOutputDevice* OutputDevice);
	void RemoveOutputDevice(FOutputDevice* OutputDevice);
	bool IsRedirectingTo(FOutputDevice* OutputDevice) const;

	virtual void Serialize(const TCHAR* Message, ELogVerbosity::Type Verbosity, const TCHAR* Category) override;

private:
	mutable std::recursive_mutex Mutex;
	std::vector<FOutputDevice*> OutputDevices;
	FOutputDeviceStdErr StdErr;
};

#define GLog (FOutputDeviceRedirector::Get())
