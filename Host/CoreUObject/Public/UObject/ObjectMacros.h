// Object flags, class flags, the reflection annotations and the macros that give a class its place in
// the object system. The annotations are empty to the compiler; the header tool reads them, and
// GENERATED_BODY expands to what the generated header defines for that line.
#pragma once

#include "CoreTypes.h"
#include "Misc/EnumClassFlags.h"

#define NO_API

/** Flags of an object, kept on the object itself. */
enum EObjectFlags
{
	RF_NoFlags = 0x00000000,
	RF_Public = 0x00000001,
	RF_Standalone = 0x00000002,
	RF_MarkAsNative = 0x00000004,
	RF_Transactional = 0x00000008,
	RF_ClassDefaultObject = 0x00000010,
	RF_ArchetypeObject = 0x00000020,
	RF_Transient = 0x00000040,
	RF_MarkAsRootSet = 0x00000080,
	RF_TagGarbageTemp = 0x00000100,
	RF_NeedInitialization = 0x00000200,
	RF_NeedLoad = 0x00000400,
	RF_KeepForCooker = 0x00000800,
	RF_NeedPostLoad = 0x00001000,
	RF_NeedPostLoadSubobjects = 0x00002000,
	RF_NewerVersionExists = 0x00004000,
	RF_BeginDestroyed = 0x00008000,
	RF_FinishDestroyed = 0x00010000,
	RF_BeingRegenerated = 0x00020000,
	RF_DefaultSubObject = 0x00040000,
	RF_WasLoaded = 0x00080000,
	RF_TextExportTransient = 0x00100000,
	RF_LoadCompleted = 0x00200000,
	RF_InheritableComponentTemplate = 0x00400000,
	RF_DuplicateTransient = 0x00800000,
	RF_StrongRefOnFrame = 0x01000000,
	RF_NonPIEDuplicateTransient = 0x02000000,
	RF_WillBeLoaded = 0x08000000,
	RF_HasExternalPackage = 0x10000000,
};
ENUM_CLASS_FLAGS(EObjectFlags)

#define RF_AllFlags ((EObjectFlags)0xffffffff)
/** Flags that default subobjects take over from their outer. */
#define RF_PropagateToSubObjects ((EObjectFlags)(RF_Public | RF_ArchetypeObject | RF_Transactional | RF_Transient))
/** Flags of an object that was loaded rather than created. */
#define RF_Load ((EObjectFlags)(RF_Public | RF_Standalone | RF_Transactional | RF_ClassDefaultObject | RF_ArchetypeObject | RF_DefaultSubObject | RF_TextExportTransient | RF_InheritableComponentTemplate | RF_DuplicateTransient | RF_NonPIEDuplicateTransient))

/** Flags of an object kept in the global object array rather than on the object. */
enum class EInternalObjectFlags : int32
{
	None = 0,
	Garbage = 1 << 21,
	Unreachable = 1 << 28,
	RootSet = 1 << 30,
};
ENUM_CLASS_FLAGS(EInternalObjectFlags)

enum EClassFlags
{
	CLASS_None = 0x00000000u,
	CLASS_Abstract = 0x00000001u,
	CLASS_DefaultConfig = 0x00000002u,
	CLASS_Config = 0x00000004u,
	CLASS_Transient = 0x00000008u,
	CLASS_Native = 0x00000080u,
	CLASS_NotPlaceable = 0x00000200u,
	CLASS_EditInlineNew = 0x00001000u,
	CLASS_CollapseCategories = 0x00002000u,
	CLASS_Interface = 0x00004000u,
	CLASS_Constructed = 0x00020000u,
	CLASS_RequiredAPI = 0x00100000u,
	CLASS_MinimalAPI = 0x00080000u,
	CLASS_Intrinsic = 0x10000000u,
};
ENUM_CLASS_FLAGS(EClassFlags)

enum EClassCastFlags : uint64
{
	CASTCLASS_None = 0x0000000000000000,
};
ENUM_CLASS_FLAGS(EClassCastFlags)

/** Marks the object system's own constructors and placement operators. */
enum EInternal
{
	EC_InternalUseOnlyConstructor
};

/** Selects the constructors that build the object system's own objects before it is up. */
enum EStaticConstructor
{
	EC_StaticConstructor
};

#define UCLASS(...)
#define USTRUCT(...)
#define UENUM(...)
#define UPROPERTY(...)
#define UFUNCTION(...)
#define UPARAM(...)
#define UMETA(...)
#define UINTERFACE(...)
#define UDELEGATE(...)

#define BODY_MACRO_COMBINE_INNER(A, B, C, D) A##B##C##D
#define BODY_MACRO_COMBINE(A, B, C, D) BODY_MACRO_COMBINE_INNER(A, B, C, D)

#define GENERATED_BODY(...) BODY_MACRO_COMBINE(CURRENT_FILE_ID, _, __LINE__, _GENERATED_BODY)
#define GENERATED_USTRUCT_BODY(...) GENERATED_BODY()
#define GENERATED_UCLASS_BODY(...) GENERATED_BODY()

class UClass;
class UEnum;
class UObject;
class FObjectInitializer;

namespace EIncludeSuperFlag
{
	enum Type
	{
		ExcludeSuper,
		IncludeSuper
	};
}

/** The reflected enumeration of an enum type; the header tool defines one per annotated enumeration. */
template <typename T>
UEnum* StaticEnum();

/**
 * Declares a class's place in the object system: StaticClass(), the Super and ThisClass typedefs and the
 * placement operator through which the object system constructs it. GetPrivateStaticClass is defined by
 * IMPLEMENT_CLASS_NO_AUTO_REGISTRATION (the stand-in's own classes) or by the generated code.
 */
#define DECLARE_CLASS(TClass, TSuperClass, TStaticFlags, TStaticCastFlags, TPackage, TRequiredAPI) \
private: \
	TClass& operator=(TClass&&); \
	TClass& operator=(const TClass&); \
	TRequiredAPI static UClass* GetPrivateStaticClass(); \
\
public: \
	static constexpr EClassFlags StaticClassFlags = EClassFlags(TStaticFlags); \
	typedef TSuperClass Super; \
	typedef TClass ThisClass; \
	inline static UClass* StaticClass() { return GetPrivateStaticClass(); } \
	inline static const TCHAR* StaticPackage() { return TPackage; } \
	inline static EClassCastFlags StaticClassCastFlags() { return TStaticCastFlags; } \
	inline void* operator new(const size_t InSize, EInternal* InMem) { return (void*)InMem; } \
	inline void operator delete(void* InMem) { ::operator delete(InMem); }

/** How the object system constructs a class whose constructor takes no arguments. */
#define DEFINE_DEFAULT_CONSTRUCTOR_CALL(TClass) \
	static void __DefaultConstructor(const FObjectInitializer& X) { new ((EInternal*)X.GetObj()) TClass; }

/** How the object system constructs a class whose constructor takes the object initializer. */
#define DEFINE_DEFAULT_OBJECT_INITIALIZER_CONSTRUCTOR_CALL(TClass) \
	static void __DefaultConstructor(const FObjectInitializer& X) { new ((EInternal*)X.GetObj()) TClass(X); }

/** The class object of TClass, built on first use. */
#define IMPLEMENT_CLASS_NO_AUTO_REGISTRATION(TClass) \
	UClass* TClass::GetPrivateStaticClass() \
	{ \
		static UClass* PrivateStaticClass = nullptr; \
		if (PrivateStaticClass == nullptr) \
		{ \
			GetPrivateStaticClassBody( \
				StaticPackage(), \
				&TEXT(#TClass)[1], \
				PrivateStaticClass, \
				sizeof(TClass), \
				alignof(TClass), \
				TClass::StaticClassFlags, \
				TClass::StaticClassCastFlags(), \
				InternalConstructor<TClass>, \
				&TClass::Super::StaticClass); \
		} \
		return PrivateStaticClass; \
	}
