// What the header tool's generated sources include, and the parameter records they describe reflected
// types with: each record carries the flags and metadata the annotations give, and the functions that
// reflect the types it refers to.
#pragma once

#include "CoreMinimal.h"
#include "UObject/Class.h"
#include "UObject/Object.h"
#include "UObject/ObjectMacros.h"
#include "UObject/Script.h"
#include "UObject/ScriptMacros.h"
#include "UObject/Stack.h"
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
		/** A TArray; the record before it in a property list is its element (Inner). */
		Array,
		/** A dynamic multicast delegate held in the object (FMulticastInlineDelegateProperty). */
		InlineMulticastDelegate,
	};

	struct FMetaDataPairParam
	{
		const char* NameUTF8;
		const char* ValueUTF8;
	};

	/** One reflected member or function parameter: what the annotation said and where the value lives. */
	struct FPropertyParams
	{
		const char* NameUTF8;
		EPropertyGenFlags Flags;
		EPropertyFlags PropertyFlags;
		/** Offset inside the owner (an object, a structure value or a parameter block), in bytes. */
		int32 Offset;
		int32 ElementSize;
		const char* CPPTypeUTF8;
		/** StaticStruct of a structure's type; null for other kinds. */
		UScriptStruct* (*ScriptStructFunc)();
		/** StaticEnum of an enumeration (Enum, or Byte for TEnumAsByte); null otherwise. */
		UEnum* (*EnumFunc)();
		/** StaticClass of an object pointer's class; null for other kinds. */
		UClass* (*ClassFunc)();
		/** Makes an array's C++ operations (new TCppArrayOps<ElementType>); null for other kinds. */
		FArrayProperty::ICppArrayOps* (*ArrayOpsFunc)();
		/** The signature function of a delegate (Z_Construct_UDelegateFunction_...); null for other kinds. */
		UFunction* (*SignatureFunctionFunc)();
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
		/** Makes the structure's C++ operations (new TCppStructOps<T>), or null. */
		UScriptStruct::ICppStructOps* (*StructOpsFunc)();
		const FPropertyParams* const* PropertyArray;
		int32 NumProperties;
		const FMetaDataPairParam* MetaDataArray;
		int32 NumMetaData;
	};

	/** One entry of an enumeration, with its registered name ("ECoordinateSystem::Local_ENU" or "WGS84"). */
	struct FEnumeratorParam
	{
		const char* NameUTF8;
		int64 Value;
	};

	struct FEnumParams
	{
		const char* PackageNameUTF8;
		const char* NameUTF8;
		const char* CppTypeUTF8;
		const FEnumeratorParam* EnumeratorParams;
		int32 NumEnumerators;
		UEnum::ECppForm CppForm;
		/** Type metadata under its key, entry metadata under "<EntryName>.<Key>". */
		const FMetaDataPairParam* MetaDataArray;
		int32 NumMetaData;
	};

	/** A reflected function; its parameters are laid out as the members of a structure in declaration order. */
	struct FFunctionParams
	{
		/** StaticClass of the declaring class; null for a delegate's signature, which belongs to the package. */
		UClass* (*OuterFunc)();
		const char* NameUTF8;
		/** The parameters, the return value ("ReturnValue") last. */
		const FPropertyParams* const* PropertyArray;
		int32 NumProperties;
		EFunctionFlags FunctionFlags;
		/** Size and alignment of the parameter block, in bytes. */
		uint16 StructureSize;
		uint16 StructureAlignment;
		const FMetaDataPairParam* MetaDataArray;
		int32 NumMetaData;
	};

	struct FClassFunctionLinkInfo
	{
		UFunction* (*CreateFuncPtr)();
		const char* FuncNameUTF8;
	};

	struct FClassParams
	{
		const FPropertyParams* const* PropertyArray;
		int32 NumProperties;
		const FClassFunctionLinkInfo* FunctionLinkArray;
		int32 NumFunctions;
		const FNameNativePtrPair* NativeFunctions;
		int32 NumNativeFunctions;
		/** The configuration section the annotation names, or null to keep the super class's. */
		const char* ClassConfigNameUTF8;
		/** Flags the annotation adds to the class's own. */
		EClassFlags ClassFlags;
		/** The class metadata, inherited categories already merged in. */
		const FMetaDataPairParam* MetaDataArray;
		int32 NumMetaData;
	};

	/** Builds a reflected structure and its properties into OutStruct. */
	void ConstructUScriptStruct(UScriptStruct*& OutStruct, const FStructParams& Params);

	/** Builds a reflected enumeration into OutEnum. */
	void ConstructUEnum(UEnum*& OutEnum, const FEnumParams& Params);

	/** Builds a reflected function with its parameters, binds its thunk and adds it to its class. */
	void ConstructUFunction(UFunction*& OutFunction, const FFunctionParams& Params);

	/**
	 * Fills in the class object GetPrivateStaticClassBody made: its native thunks, configuration section,
	 * flags, metadata, properties and functions.
	 */
	void ConstructUClass(UClass* Class, const FClassParams& Params);
}
