#include "HostScriptAccess.h"

#include "UObject/StructOnScope.h"

namespace
{
	const FName NAME_BlueprintGetter(TEXT("BlueprintGetter"));
	const FName NAME_BlueprintSetter(TEXT("BlueprintSetter"));
	const FName NAME_WorldContext(TEXT("WorldContext"));

	/** The reflected member of the object's class (or a super class), or null. */
	FProperty* FindScriptProperty(const UObject* Object, const FName PropertyName)
	{
		return Object != nullptr ? FindFProperty<FProperty>(Object->GetClass(), PropertyName) : nullptr;
	}

	/** True when a parameter holds a value of the property's type, so one can be copied into the other. */
	bool HoldsSameValue(const FProperty* Parameter, const FProperty* Property)
	{
		if (Parameter == nullptr || Parameter->GetClass() != Property->GetClass() || Parameter->GetSize() != Property->GetSize())
		{
			return false;
		}
		if (const FStructProperty* const StructProperty = CastField<FStructProperty>(Property))
		{
			return static_cast<const FStructProperty*>(Parameter)->Struct == StructProperty->Struct;
		}
		if (const FEnumProperty* const EnumProperty = CastField<FEnumProperty>(Property))
		{
			return static_cast<const FEnumProperty*>(Parameter)->GetEnum() == EnumProperty->GetEnum();
		}
		if (const FObjectPropertyBase* const ObjectProperty = CastField<FObjectPropertyBase>(Property))
		{
			return static_cast<const FObjectPropertyBase*>(Parameter)->PropertyClass == ObjectProperty->PropertyClass;
		}
		if (const FNumericProperty* const NumericProperty = CastField<FNumericProperty>(Property))
		{
			return static_cast<const FNumericProperty*>(Parameter)->GetIntPropertyEnum() == NumericProperty->GetIntPropertyEnum();
		}
		return true;
	}

	/**
	 * The accessor the metadata key names for the property, if it is usable as one: a getter has only its
	 * return value, a setter exactly one parameter and no return value, each of the property's kind. Null
	 * when the function is missing or has another signature.
	 */
	UFunction* FindAccessor(const UObject* Object, const FProperty* Property, const FName Key, FProperty*& OutValueParameter)
	{
		UFunction* const Function = Object->FindFunction(FName(*Property->GetMetaData(Key)));
		if (Function == nullptr)
		{
			return nullptr;
		}
		int32 NumParameters = 0;
		FProperty* ValueParameter = nullptr;
		for (TFieldIterator<FProperty> It(Function); It; ++It)
		{
			if (It->HasAnyPropertyFlags(CPF_Parm))
			{
				++NumParameters;
				ValueParameter = *It;
			}
		}
		const bool bWantsReturn = Key == NAME_BlueprintGetter;
		if (NumParameters != 1 || ValueParameter->HasAnyPropertyFlags(CPF_ReturnParm) != bWantsReturn || !HoldsSameValue(ValueParameter, Property))
		{
			return nullptr;
		}
		OutValueParameter = ValueParameter;
		return Function;
	}
}

bool UE::Host::CanScriptRead(const FProperty* Property)
{
	return Property != nullptr && Property->HasAnyPropertyFlags(CPF_BlueprintVisible);
}

bool UE::Host::CanScriptWrite(const FProperty* Property)
{
	return CanScriptRead(Property) && !Property->HasAnyPropertyFlags(CPF_BlueprintReadOnly);
}

bool UE::Host::ScriptGetProperty(UObject* Object, const FName PropertyName, void* OutValue)
{
	const FProperty* const Property = FindScriptProperty(Object, PropertyName);
	if (OutValue == nullptr || !CanScriptRead(Property))
	{
		return false;
	}
	if (!Property->HasMetaData(NAME_BlueprintGetter))
	{
		Property->CopyCompleteValue(OutValue, Property->ContainerPtrToValuePtr<void>(Object));
		return true;
	}
	FProperty* ReturnValue = nullptr;
	UFunction* const Getter = FindAccessor(Object, Property, NAME_BlueprintGetter, ReturnValue);
	if (Getter == nullptr)
	{
		return false;
	}
	FStructOnScope Parms(Getter);
	Object->ProcessEvent(Getter, Parms.GetStructMemory());
	Property->CopyCompleteValue(OutValue, ReturnValue->ContainerPtrToValuePtr<void>(Parms.GetStructMemory()));
	return true;
}

bool UE::Host::ScriptSetProperty(UObject* Object, const FName PropertyName, const void* NewValue)
{
	const FProperty* const Property = FindScriptProperty(Object, PropertyName);
	if (NewValue == nullptr || !CanScriptWrite(Property))
	{
		return false;
	}
	if (!Property->HasMetaData(NAME_BlueprintSetter))
	{
		Property->CopyCompleteValue(Property->ContainerPtrToValuePtr<void>(Object), NewValue);
		return true;
	}
	FProperty* Argument = nullptr;
	UFunction* const Setter = FindAccessor(Object, Property, NAME_BlueprintSetter, Argument);
	if (Setter == nullptr)
	{
		return false;
	}
	FStructOnScope Parms(Setter);
	Argument->CopyCompleteValue(Argument->ContainerPtrToValuePtr<void>(Parms.GetStructMemory()), NewValue);
	Object->ProcessEvent(Setter, Parms.GetStructMemory());
	return true;
}

bool UE::Host::IsScriptOutputParameter(const FProperty* Parameter)
{
	if (Parameter == nullptr || !Parameter->HasAnyPropertyFlags(CPF_Parm))
	{
		return false;
	}
	return Parameter->HasAnyPropertyFlags(CPF_ReturnParm) || (Parameter->HasAnyPropertyFlags(CPF_OutParm) && !Parameter->HasAnyPropertyFlags(CPF_ReferenceParm));
}

TArray<UE::Host::FScriptPin> UE::Host::GetScriptPins(const UFunction* Function)
{
	TArray<FScriptPin> Pins;
	if (Function == nullptr)
	{
		return Pins;
	}
	const FName WorldContextName = Function->HasMetaData(NAME_WorldContext) ? FName(*Function->GetMetaData(NAME_WorldContext)) : NAME_None;
	for (TFieldIterator<FProperty> It(Function); It; ++It)
	{
		if (It->HasAnyPropertyFlags(CPF_Parm) && (WorldContextName == NAME_None || It->GetFName() != WorldContextName))
		{
			Pins.Add(FScriptPin{*It, IsScriptOutputParameter(*It)});
		}
	}
	return Pins;
}

bool UE::Host::CallFunctionFromScript(UObject* Caller, UObject* Target, UFunction* Function, void* Parms)
{
	if (Function == nullptr || Parms == nullptr || !Function->HasAnyFunctionFlags(FUNC_BlueprintCallable))
	{
		return false;
	}
	UClass* const OwnerClass = Function->GetOwnerClass();
	if (OwnerClass == nullptr)
	{
		return false;
	}
	if (Target == nullptr && Function->HasAnyFunctionFlags(FUNC_Static))
	{
		Target = OwnerClass->GetDefaultObject();
	}
	// A script calling through a dead reference gets "Accessed None" and no call.
	if (!IsValid(Target) || !Target->IsA(OwnerClass))
	{
		return false;
	}
	if (Function->HasMetaData(NAME_WorldContext))
	{
		const FObjectProperty* const WorldContext = CastField<FObjectProperty>(FindFProperty<FProperty>(Function, FName(*Function->GetMetaData(NAME_WorldContext))));
		// The hidden pin is fed from the calling graph's own object; without one there is nothing to feed it.
		if (WorldContext == nullptr || Caller == nullptr)
		{
			return false;
		}
		WorldContext->SetObjectPropertyValue(WorldContext->ContainerPtrToValuePtr<void>(Parms), Caller);
	}
	Target->ProcessEvent(Function, Parms);
	return true;
}
