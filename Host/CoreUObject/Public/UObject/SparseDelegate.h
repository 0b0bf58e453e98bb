// Dynamic multicast delegates, of the kind the engine declares with DECLARE_DYNAMIC_MULTICAST_SPARSE_DELEGATE_*:
// bound by object and function name to a UFUNCTION (AddDynamic, RemoveDynamic), and called through the
// object's ProcessEvent with a parameter block laid out by the function's reflection data, as a visual script
// calls it. Binding a function that is not a UFUNCTION fails at the first broadcast, as in the engine.
#pragma once

#include "CoreMinimal.h"
#include "UObject/Class.h"
#include "UObject/Object.h"
#include "UObject/StructOnScope.h"
#include "UObject/UnrealType.h"
#include "UObject/WeakObjectPtr.h"

#include <utility>
#include <vector>

namespace UE::Delegates::Private
{
	/** The member function's own name from the text of "&UClass::Function", as the engine's binding macros take it. */
	inline FName GetTrimmedMemberFunctionName(const TCHAR* InMacroFunctionName)
	{
		const TCHAR* Name = InMacroFunctionName;
		for (const TCHAR* Character = InMacroFunctionName; *Character != TEXT('\0'); ++Character)
		{
			if (*Character == TEXT(':') || *Character == TEXT('&') || *Character == TEXT(' '))
			{
				Name = Character + 1;
			}
		}
		return FName(Name);
	}
}

#define STATIC_FUNCTION_FNAME(str) UE::Delegates::Private::GetTrimmedMemberFunctionName(str)

/** Binds a UFUNCTION of UserObject; the function's name is taken from the member-function pointer's text. */
#define AddDynamic(UserObject, FuncName) __Internal_AddDynamic(UserObject, FuncName, STATIC_FUNCTION_FNAME(TEXT(#FuncName)))
#define AddUniqueDynamic(UserObject, FuncName) __Internal_AddUniqueDynamic(UserObject, FuncName, STATIC_FUNCTION_FNAME(TEXT(#FuncName)))
#define RemoveDynamic(UserObject, FuncName) __Internal_RemoveDynamic(UserObject, FuncName, STATIC_FUNCTION_FNAME(TEXT(#FuncName)))
#define IsAlreadyBound(UserObject, FuncName) __Internal_IsAlreadyBound(UserObject, FuncName, STATIC_FUNCTION_FNAME(TEXT(#FuncName)))

/**
 * The bindings of a dynamic multicast delegate of any signature, as a reflected member holds them (an
 * FMulticastInlineDelegateProperty's value): pairs of a weakly held object and a function name.
 */
class FMulticastScriptDelegate
{
public:
	/** True while a binding's object lives. */
	bool IsBound() const
	{
		for (const FBinding& Binding : Bindings)
		{
			if (Binding.Object.IsValid())
			{
				return true;
			}
		}
		return false;
	}

	void Clear() { Bindings.clear(); }

	bool operator==(const FMulticastScriptDelegate& Other) const { return Bindings == Other.Bindings; }

protected:
	struct FBinding
	{
		TWeakObjectPtr<UObject> Object;
		FName FunctionName;

		bool operator==(const FBinding& Other) const { return Object == Other.Object && FunctionName == Other.FunctionName; }
	};

	std::vector<FBinding> Bindings;
};

/** A dynamic multicast delegate taking ParamTypes. */
template <typename... ParamTypes>
class TBaseDynamicMulticastDelegate : public FMulticastScriptDelegate
{
public:
	template <class UserClass>
	void __Internal_AddDynamic(UserClass* InUserObject, void (UserClass::*)(ParamTypes...), const FName InFunctionName)
	{
		check(InUserObject != nullptr);
		Bindings.push_back(FBinding{TWeakObjectPtr<UObject>(InUserObject), InFunctionName});
	}

	template <class UserClass>
	void __Internal_AddUniqueDynamic(UserClass* InUserObject, void (UserClass::*InMethodPtr)(ParamTypes...), const FName InFunctionName)
	{
		if (!__Internal_IsAlreadyBound(InUserObject, InMethodPtr, InFunctionName))
		{
			__Internal_AddDynamic(InUserObject, InMethodPtr, InFunctionName);
		}
	}

	template <class UserClass>
	void __Internal_RemoveDynamic(UserClass* InUserObject, void (UserClass::*)(ParamTypes...), const FName InFunctionName)
	{
		for (auto It = Bindings.begin(); It != Bindings.end(); ++It)
		{
			if (It->Object.Get() == InUserObject && It->FunctionName == InFunctionName)
			{
				Bindings.erase(It);
				return;
			}
		}
	}

	template <class UserClass>
	bool __Internal_IsAlreadyBound(UserClass* InUserObject, void (UserClass::*)(ParamTypes...), const FName InFunctionName) const
	{
		for (const FBinding& Binding : Bindings)
		{
			if (Binding.Object.Get() == InUserObject && Binding.FunctionName == InFunctionName)
			{
				return true;
			}
		}
		return false;
	}

	/**
	 * Calls every binding whose object lives, in the order they were added, on a copy of the list: a handler may
	 * add or remove bindings. Each call fills a parameter block of the bound function and goes through ProcessEvent.
	 */
	void Broadcast(ParamTypes... Params) const
	{
		const std::vector<FBinding> Snapshot = Bindings;
		for (const FBinding& Binding : Snapshot)
		{
			UObject* const Object = Binding.Object.Get();
			if (Object == nullptr)
			{
				continue;
			}
			UFunction* const Function = Object->FindFunction(Binding.FunctionName);
			checkf(Function != nullptr, TEXT("ProcessDelegate: Unable to find function '%s' in object '%s'"), *Binding.FunctionName.ToString(), *Object->GetName());
			FStructOnScope ParameterBlock(Function);
			TFieldIterator<FProperty> Parameter(Function);
			(WriteParameter(Parameter, ParameterBlock.GetStructMemory(), Params), ...);
			Object->ProcessEvent(Function, ParameterBlock.GetStructMemory());
		}
	}

private:
	/** Copies one argument into the next parameter of the block; the function's signature must match the delegate's. */
	template <typename ValueType>
	static void WriteParameter(TFieldIterator<FProperty>& Parameter, uint8* Block, const ValueType& Value)
	{
		check(Parameter && Parameter->HasAnyPropertyFlags(CPF_Parm) && Parameter->GetSize() == static_cast<int32>(sizeof(ValueType)));
		Parameter->CopySingleValue(Parameter->template ContainerPtrToValuePtr<void>(Block), &Value);
		++Parameter;
	}
};

#define DECLARE_DYNAMIC_MULTICAST_SPARSE_DELEGATE_OneParam(SparseDelegateClass, OwningClass, DelegateName, Param1Type, Param1Name) \
	struct SparseDelegateClass : public TBaseDynamicMulticastDelegate<Param1Type> \
	{ \
	};
#define DECLARE_DYNAMIC_MULTICAST_SPARSE_DELEGATE_TwoParams(SparseDelegateClass, OwningClass, DelegateName, Param1Type, Param1Name, Param2Type, Param2Name) \
	struct SparseDelegateClass : public TBaseDynamicMulticastDelegate<Param1Type, Param2Type> \
	{ \
	};
