// The check that a virtual notification reached UObject's own version: a subclass that overrides it
// must call Super, as the engine demands.
#pragma once

#include "UObject/Object.h"

#include <algorithm>
#include <vector>

namespace UE::CoreUObject::Private
{
	/** The objects whose notification is under way and has not reached UObject's version yet. */
	class FRoutingCheck
	{
	public:
		void Expect(const UObject* Object) { Pending.push_back(Object); }
		void Reached(const UObject* Object) { std::erase(Pending, Object); }
		bool WasReached(const UObject* Object) const { return std::find(Pending.begin(), Pending.end(), Object) == Pending.end(); }

	private:
		std::vector<const UObject*> Pending;
	};

	FRoutingCheck& PostInitPropertiesRouting();
	FRoutingCheck& PostLoadRouting();
	FRoutingCheck& BeginDestroyRouting();
	FRoutingCheck& FinishDestroyRouting();
}
