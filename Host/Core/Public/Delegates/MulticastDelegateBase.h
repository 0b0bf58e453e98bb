// TMulticastDelegate: a list of handlers called together by Broadcast.
//
// Handlers bound to an engine object (AddUObject, AddWeakLambda) hold it weakly: once the object is
// garbage or gone they are skipped, and dropped from the list at the next chance. The list may change
// while it is being broadcast: a handler removed during a broadcast is not called afterwards (also when it
// removes itself), and a handler added during a broadcast is first called by the next one. Handlers are
// called from the most recently added to the first, as the engine does; callers must not rely on order.
#pragma once

#include "CoreTypes.h"
#include "Delegates/IDelegateInstance.h"
#include "Templates/Function.h"
#include "Templates/UnrealTemplate.h"
#include "UObject/WeakObjectPtrTemplates.h"

#include <memory>
#include <type_traits>
#include <vector>

struct FDefaultDelegateUserPolicy
{
};

template <typename DelegateSignature, typename UserPolicy = FDefaultDelegateUserPolicy>
class TMulticastDelegate;

template <typename... ParamTypes, typename UserPolicy>
class TMulticastDelegate<void(ParamTypes...), UserPolicy>
{
	template <typename UserClass>
	using TMethodPtr = void (UserClass::*)(ParamTypes...);
	template <typename UserClass>
	using TConstMethodPtr = void (UserClass::*)(ParamTypes...) const;

public:
	TMulticastDelegate() = default;
	~TMulticastDelegate() = default;

	/** Copies the other's live bindings; the copies get handles of their own. */
	TMulticastDelegate(const TMulticastDelegate& Other) { CopyFrom(Other); }
	TMulticastDelegate& operator=(const TMulticastDelegate& Other)
	{
		if (this != &Other)
		{
			Clear();
			CopyFrom(Other);
		}
		return *this;
	}

	/** Binds a function object; it stays bound until removed. */
	template <typename FunctorType>
	FDelegateHandle AddLambda(FunctorType&& InFunctor)
	{
		return AddInvocation(nullptr, nullptr, TFunction<void(ParamTypes...)>(Forward<FunctorType>(InFunctor)));
	}

	/** Binds a function object that is called only while InUserObject (an engine object) is alive. */
	template <typename UserClass, typename FunctorType>
	FDelegateHandle AddWeakLambda(UserClass* InUserObject, FunctorType&& InFunctor)
	{
		TWeakObjectPtr<UserClass> WeakObject(InUserObject);
		return AddInvocation(InUserObject, [WeakObject]() { return WeakObject.IsValid(); }, TFunction<void(ParamTypes...)>(Forward<FunctorType>(InFunctor)));
	}

	/** Binds a member function of an engine object, held weakly: skipped once the object is gone. */
	template <typename UserClass>
	FDelegateHandle AddUObject(UserClass* InUserObject, typename std::type_identity_t<TMethodPtr<UserClass>> InFunc)
	{
		return AddWeakMethod(InUserObject, InFunc);
	}

	template <typename UserClass>
	FDelegateHandle AddUObject(const UserClass* InUserObject, typename std::type_identity_t<TConstMethodPtr<UserClass>> InFunc)
	{
		return AddWeakMethod(InUserObject, InFunc);
	}

	/** Removes the one binding the handle identifies; returns whether there was such a binding. */
	bool Remove(FDelegateHandle Handle)
	{
		if (!Handle.IsValid())
		{
			return false;
		}
		for (const std::shared_ptr<FInvocation>& Invocation : InvocationList)
		{
			if (!Invocation->bUnbound && Invocation->Handle == Handle)
			{
				Invocation->bUnbound = true;
				Compact();
				return true;
			}
		}
		return false;
	}

	/** Removes every binding to the object; returns how many were removed. */
	int32 RemoveAll(const void* InUserObject)
	{
		int32 Removed = 0;
		for (const std::shared_ptr<FInvocation>& Invocation : InvocationList)
		{
			if (!Invocation->bUnbound && InUserObject != nullptr && Invocation->UserObject == InUserObject)
			{
				Invocation->bUnbound = true;
				++Removed;
			}
		}
		Compact();
		return Removed;
	}

	void Clear()
	{
		for (const std::shared_ptr<FInvocation>& Invocation : InvocationList)
		{
			Invocation->bUnbound = true;
		}
		Compact();
	}

	/** True while any binding is in the list (a weak binding whose object is gone may still count). */
	bool IsBound() const
	{
		for (const std::shared_ptr<FInvocation>& Invocation : InvocationList)
		{
			if (!Invocation->bUnbound)
			{
				return true;
			}
		}
		return false;
	}

	bool IsBoundToObject(const void* InUserObject) const
	{
		for (const std::shared_ptr<FInvocation>& Invocation : InvocationList)
		{
			if (!Invocation->bUnbound && InUserObject != nullptr && Invocation->UserObject == InUserObject)
			{
				return true;
			}
		}
		return false;
	}

	/** Calls every live handler with its own copies of the arguments. */
	void Broadcast(ParamTypes... Params) const
	{
		++BroadcastDepth;
		// Bindings added while broadcasting lie beyond this index and wait for the next broadcast.
		for (int32 Index = static_cast<int32>(InvocationList.size()) - 1; Index >= 0; --Index)
		{
			// The local reference keeps the handler alive even if it removes itself.
			const std::shared_ptr<FInvocation> Invocation = InvocationList[static_cast<std::size_t>(Index)];
			if (!Invocation->bUnbound && Invocation->IsSafeToExecute())
			{
				Invocation->Call(Params...);
			}
		}
		if (--BroadcastDepth == 0)
		{
			Compact();
		}
	}

private:
	struct FInvocation
	{
		FDelegateHandle Handle;
		const void* UserObject = nullptr;
		TFunction<bool()> IsAlive;
		TFunction<void(ParamTypes...)> Call;
		bool bUnbound = false;

		bool IsSafeToExecute() const { return !IsAlive || IsAlive(); }
	};

	template <typename UserClass, typename MethodType>
	FDelegateHandle AddWeakMethod(UserClass* InUserObject, MethodType InFunc)
	{
		TWeakObjectPtr<UserClass> WeakObject(InUserObject);
		return AddInvocation(
			InUserObject,
			[WeakObject]() { return WeakObject.IsValid(); },
			[WeakObject, InFunc](ParamTypes... Params)
			{
				if (UserClass* const Object = WeakObject.Get())
				{
					(Object->*InFunc)(Forward<ParamTypes>(Params)...);
				}
			});
	}

	FDelegateHandle AddInvocation(const void* UserObject, TFunction<bool()> IsAlive, TFunction<void(ParamTypes...)> Call)
	{
		Compact();
		std::shared_ptr<FInvocation> Invocation = std::make_shared<FInvocation>();
		Invocation->Handle = FDelegateHandle(FDelegateHandle::GenerateNewHandle);
		Invocation->UserObject = UserObject;
		Invocation->IsAlive = MoveTemp(IsAlive);
		Invocation->Call = MoveTemp(Call);
		InvocationList.push_back(Invocation);
		return Invocation->Handle;
	}

	void CopyFrom(const TMulticastDelegate& Other)
	{
		for (const std::shared_ptr<FInvocation>& Invocation : Other.InvocationList)
		{
			if (!Invocation->bUnbound)
			{
				AddInvocation(Invocation->UserObject, Invocation->IsAlive, Invocation->Call);
			}
		}
	}

	/** Drops unbound and dead bindings, unless a broadcast is walking the list. */
	void Compact() const
	{
		if (BroadcastDepth == 0)
		{
			std::erase_if(InvocationList, [](const std::shared_ptr<FInvocation>& Invocation) { return Invocation->bUnbound || !Invocation->IsSafeToExecute(); });
		}
	}

	mutable std::vector<std::shared_ptr<FInvocation>> InvocationList;
	mutable int32 BroadcastDepth = 0;
};
