// Annotation metadata of a reflected property changed for one scope, for tests that need a condition or an
// accessor the plugin's annotations do not contain.
#pragma once

#include "UObject/UnrealType.h"

namespace DuRizerudoreTest
{
	/** Sets the property's metadata value under the key; the annotated value comes back at the end of the scope. */
	class FScopedMetaData
	{
	public:
		FScopedMetaData(FProperty* InProperty, const TCHAR* InKey, const TCHAR* Value)
			: Property(InProperty)
			, Key(InKey)
			, Original(InProperty->GetMetaData(Key))
		{
			Property->SetMetaData(Key, FString(Value));
		}

		~FScopedMetaData() { Property->SetMetaData(Key, FString(Original)); }

		FScopedMetaData(const FScopedMetaData&) = delete;
		FScopedMetaData& operator=(const FScopedMetaData&) = delete;

	private:
		FProperty* Property;
		FName Key;
		FString Original;
	};
}
