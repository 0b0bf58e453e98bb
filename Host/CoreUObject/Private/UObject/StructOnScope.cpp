#include "UObject/StructOnScope.h"

#include <new>

FStructOnScope::FStructOnScope(const UStruct* InScriptStruct)
	: ScriptStruct(InScriptStruct)
{
	if (ScriptStruct == nullptr)
	{
		return;
	}
	const std::size_t Size = static_cast<std::size_t>(ScriptStruct->GetStructureSize() > 0 ? ScriptStruct->GetStructureSize() : 1);
	SampleStructMemory = static_cast<uint8*>(::operator new(Size, static_cast<std::align_val_t>(ScriptStruct->GetMinAlignment())));
	ScriptStruct->InitializeStruct(SampleStructMemory);
}

FStructOnScope::~FStructOnScope()
{
	Reset();
}

void FStructOnScope::Reset()
{
	if (ScriptStruct != nullptr && SampleStructMemory != nullptr)
	{
		ScriptStruct->DestroyStruct(SampleStructMemory);
		::operator delete(SampleStructMemory, static_cast<std::align_val_t>(ScriptStruct->GetMinAlignment()));
	}
	SampleStructMemory = nullptr;
	ScriptStruct = nullptr;
}
