// What the header tool's generated sources include, and the parameter records they describe reflected
// types with. The records keep every annotation specifier and metadata pair as written, so that later
// reflection features read them from here.
#pragma once

#include "CoreMinimal.h"
#include "UObject/Class.h"
#include "UObject/Object.h"
#include "UObject/ObjectMacros.h"
#include "UObject/UnrealType.h"

#if defined(__GNUC__)
// offsetof of members of classes that are not standard-layout is exact for single, non-virtual
// inheritance, which is all reflected classes use.
#pragma GCC diagnostic ignored "-Winvalid-offsetof"
#endif
#define STRUCT_OFFSET(Struct, Member) offsetof(Struct, Member)

namespace UECodeGen_Private
{
	enum class EPropertyGenFlags : uint8
	{
		Byte,
		Int,
		Int64,
		Float,
		Double,
		Bool,
		Str,
		Name,
		Enum,
		Struct,
		Object,
		WeakObject,
	};

	struct FMetaDataPairParam
	{
		const char* NameUTF8;
		const char* ValueUTF8;
	};

	/** One reflected member: what the annotation said and where the member lives. */
	struct FPropertyParams
	{
		const char* NameUTF8;
		EPropertyGenFlags Flags;
		EPropertyFlags PropertyFlags;
		int32 Offset;
		int32 ElementSize;
		const char* CPPTypeUTF8;
		/** StaticStruct of a structure member's type; null for other kinds. */
		UScriptStruct* (*ScriptStructFunc)();
		const char* const* Specifiers;
		int32 NumSpecifiers;
		const FMetaDataPairParam* MetaDataArray;
		int32 NumMetaData;
	};

	struct FStructParams
	{
		const char* PackageNameUTF8;
		const char* NameUTF8;
		/** StaticStruct of the super structure, or null. */
		UScriptStruct* (*SuperFunc)();
		int32 SizeOf;
		int32 AlignOf;
		const FPropertyParams* const* PropertyArray;
		int32 NumProperties;
		const char* const* Specifiers;
		int32 NumSpecifiers;
		const FMetaDataPairParam* MetaDataArray;
		int32 NumMetaData;
	};

	struct FClassParams
	{
		const FPropertyParams* const* PropertyArray;
		int32 NumProperties;
		const char* const* Specifiers;
		int32 NumSpecifiers;
		const FMetaDataPairParam* MetaDataArray;
		int32 NumMetaData;
	};

	/** Builds a reflected structure and its properties into OutStruct. */
	void ConstructUScriptStruct(UScriptStruct*& OutStruct, const FStructParams& Params);

	/** Adds the class's reflected properties to its class object, which GetPrivateStaticClassBody made. */
	void ConstructUClass(UClass* Class, const FClassParams& Params);
}
