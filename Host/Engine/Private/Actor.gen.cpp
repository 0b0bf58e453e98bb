// The engine's reflection records of AActor, written by hand in the form the header tool generates for
// annotated classes (the stand-in's engine headers are not run through it): the reflected settings
// declared in "GameFramework/Actor.h", with the engine's flags, categories and tooltips.
#include "GameFramework/Actor.h"

#include "UObject/GeneratedCppIncludes.h"

struct Z_Construct_UClass_AActor_Statics
{
	static const UECodeGen_Private::FMetaDataPairParam NewProp_InitialLifeSpan_MetaData[];
	static const UECodeGen_Private::FPropertyParams NewProp_InitialLifeSpan;
	static const UECodeGen_Private::FMetaDataPairParam NewProp_InputPriority_MetaData[];
	static const UECodeGen_Private::FPropertyParams NewProp_InputPriority;
	static const UECodeGen_Private::FMetaDataPairParam NewProp_NetPriority_MetaData[];
	static const UECodeGen_Private::FPropertyParams NewProp_NetPriority;
	static const UECodeGen_Private::FPropertyParams* const PropPointers[];
	static const UECodeGen_Private::FMetaDataPairParam Class_MetaData[];
	static const UECodeGen_Private::FClassParams ClassParams;
};

const UECodeGen_Private::FMetaDataPairParam Z_Construct_UClass_AActor_Statics::NewProp_InitialLifeSpan_MetaData[] = {
	{"Category", "Actor"},
	{"Comment", "/** How long this Actor lives before dying, 0=forever. Note this is the INITIAL value and should not be modified once play has begun. */"},
	{"ModuleRelativePath", "Classes/GameFramework/Actor.h"},
	{"ToolTip", "How long this Actor lives before dying, 0=forever. Note this is the INITIAL value and should not be modified once play has begun."}};
const UECodeGen_Private::FPropertyParams Z_Construct_UClass_AActor_Statics::NewProp_InitialLifeSpan = {"InitialLifeSpan", UECodeGen_Private::EPropertyGenFlags::Float,
	EPropertyFlags(CPF_Edit | CPF_BlueprintVisible | CPF_BlueprintReadOnly | CPF_NativeAccessSpecifierPublic), STRUCT_OFFSET(AActor, InitialLifeSpan),
	sizeof(AActor::InitialLifeSpan), "float", nullptr, nullptr, nullptr, nullptr, nullptr, NewProp_InitialLifeSpan_MetaData, 4};

const UECodeGen_Private::FMetaDataPairParam Z_Construct_UClass_AActor_Statics::NewProp_InputPriority_MetaData[] = {
	{"Category", "Input"},
	{"Comment", "/** The priority of this input component when pushed in to the stack. */"},
	{"ModuleRelativePath", "Classes/GameFramework/Actor.h"},
	{"ToolTip", "The priority of this input component when pushed in to the stack."}};
const UECodeGen_Private::FPropertyParams Z_Construct_UClass_AActor_Statics::NewProp_InputPriority = {"InputPriority", UECodeGen_Private::EPropertyGenFlags::Int,
	EPropertyFlags(CPF_Edit | CPF_NativeAccessSpecifierPublic), STRUCT_OFFSET(AActor, InputPriority),
	sizeof(AActor::InputPriority), "int32", nullptr, nullptr, nullptr, nullptr, nullptr, NewProp_InputPriority_MetaData, 4};

const UECodeGen_Private::FMetaDataPairParam Z_Construct_UClass_AActor_Statics::NewProp_NetPriority_MetaData[] = {
	{"Category", "Replication"},
	{"Comment", "/** Priority for this actor when checking for replication in a low bandwidth or saturated situation, higher priority means it is more likely to replicate */"},
	{"ModuleRelativePath", "Classes/GameFramework/Actor.h"},
	{"ToolTip", "Priority for this actor when checking for replication in a low bandwidth or saturated situation, higher priority means it is more likely to replicate"}};
const UECodeGen_Private::FPropertyParams Z_Construct_UClass_AActor_Statics::NewProp_NetPriority = {"NetPriority", UECodeGen_Private::EPropertyGenFlags::Float,
	EPropertyFlags(CPF_Edit | CPF_DisableEditOnInstance | CPF_BlueprintVisible | CPF_NativeAccessSpecifierPublic), STRUCT_OFFSET(AActor, NetPriority),
	sizeof(AActor::NetPriority), "float", nullptr, nullptr, nullptr, nullptr, nullptr, NewProp_NetPriority_MetaData, 4};

const UECodeGen_Private::FPropertyParams* const Z_Construct_UClass_AActor_Statics::PropPointers[] = {
	&NewProp_InitialLifeSpan,
	&NewProp_InputPriority,
	&NewProp_NetPriority};

const UECodeGen_Private::FMetaDataPairParam Z_Construct_UClass_AActor_Statics::Class_MetaData[] = {
	{"BlueprintType", "true"},
	{"IncludePath", "GameFramework/Actor.h"},
	{"IsBlueprintBase", "true"},
	{"ModuleRelativePath", "Classes/GameFramework/Actor.h"},
	{"ShortTooltip", "An Actor is an object that can be placed or spawned in the world."}};

const UECodeGen_Private::FClassParams Z_Construct_UClass_AActor_Statics::ClassParams = {PropPointers, 3, nullptr, 0, nullptr, 0, "Engine",
	EClassFlags(CLASS_Native | CLASS_Config | CLASS_MinimalAPI), Class_MetaData, 5};

UClass* AActor::GetPrivateStaticClass()
{
	static UClass* PrivateStaticClass = nullptr;
	if (PrivateStaticClass == nullptr)
	{
		GetPrivateStaticClassBody(StaticPackage(), TEXT("Actor"), PrivateStaticClass, sizeof(AActor), alignof(AActor),
			StaticClassFlags, StaticClassCastFlags(), InternalConstructor<AActor>, &AActor::Super::StaticClass);
		UECodeGen_Private::ConstructUClass(PrivateStaticClass, Z_Construct_UClass_AActor_Statics::ClassParams);
	}
	return PrivateStaticClass;
}
