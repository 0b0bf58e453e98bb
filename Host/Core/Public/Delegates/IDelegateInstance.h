// FDelegateHandle: identifies one binding in a delegate, so that exactly that binding can be removed.
#pragma once

#include "CoreTypes.h"

#include <atomic>

class FDelegateHandle
{
public:
	enum EGenerateNewHandleType
	{
		GenerateNewHandle
	};

	/** An unset handle, which identifies no binding. */
	FDelegateHandle() = default;

	/** A handle never handed out before in this process. */
	explicit FDelegateHandle(EGenerateNewHandleType) : ID(GenerateNewID()) {}

	bool IsValid() const { return ID != 0; }
	void Reset() { ID = 0; }

	bool operator==(const FDelegateHandle& Other) const { return ID == Other.ID; }
	bool operator!=(const FDelegateHandle& Other) const { return ID != Other.ID; }

	friend uint32 GetTypeHash(const FDelegateHandle& Handle) { return static_cast<uint32>(Handle.ID ^ (Handle.ID >> 32)); }

private:
	static uint64 GenerateNewID()
	{
		static std::atomic<uint64> NextID{1};
		return NextID.fetch_add(1, std::memory_order_relaxed);
	}

	uint64 ID = 0;
};
