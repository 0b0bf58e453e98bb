// Host-only: records the log lines written while it is alive, so that tests can check messages.
#pragma once

#include "CoreTypes.h"
#include "Logging/LogVerbosity.h"
#include "Misc/OutputDevice.h"

#include <mutex>
#include <string>
#include <vector>

struct FHostLogLine
{
	std::wstring Category;
	ELogVerbosity::Type Verbosity;
	std::wstring Message;
};

class FHostLogCapture : public FOutputDevice
{
public:
	FHostLogCapture();
	virtual ~FHostLogCapture() override;

	FHostLogCapture(const FHostLogCapture&) = delete;
	FHostLogCapture& operator=(const FHostLogCapture&) = delete;

	virtual void Serialize(const TCHAR* Message, ELogVerbosity::Type Verbosity, const TCHAR* Category) override;

	/** A copy of the lines recorded so far. */
	std::vector<FHostLogLine> GetLines() const;

	/** The messages recorded in one category, in order. */
	std::vector<std::wstring> GetMessages(const TCHAR* Category) const;

	/** How many recorded lines of the category contain the text. */
	int32 Count(const TCHAR* Category, const TCHAR* Text) const;

	/** Failed ensures recorded so far. */
	int32 CountEnsures() const;

	void Clear();

private:
	mutable std::mutex Mutex;
	std::vector<FHostLogLine> Lines;
};
