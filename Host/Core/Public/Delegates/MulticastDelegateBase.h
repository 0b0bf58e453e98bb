// TMulticastDelegate: a list of handlers called together by Broadcast.
//
// Handlers bound to an engine object (AddUObject, AddWeakLambda) hold it weakly: once the object is
// garbage or gone they are skipped, and dropped from the list when a broadcast meets them or when the
// list grows past a threshold, as the engine does. The list may change while it is being broadcast: a
// handler removed during a broadcast is not called afterwards (also when it removes itself), and a handler
// added during a broadcast is first called by the next one. Handlers are called from the most recently
// added to the first, as the engine does; callers must not rely on order. A broadcast resolves each weak
// binding once, as the engine's ExecuteIfSafe does.
#pragma once

#include "CoreTypes.h"
#include "Delegates/IDelegateInstance.h"
#include "Templates/Function.h"
#include "Templates/UnrealTemplate.h"
#include "UObject/WeakObjectPtrTemplates.h"

#include <algorithm>
#include <memory>
#include <type_traits>
#include <vector>

class UObject;

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
		return AddInvocation(nullptr, nullptr, [Functor = Forward<FunctorType>(InFunctor)](UObject*, ParamTypes... Params) mutable { Functor(Forward<ParamTypes>(Params)...); });
	}

	/** Binds a function object that is called only while InUserObject (an engine object) is alive. */
	template <typename UserClass, typename FunctorType>
	FDelegateHandle AddWeakLambda(UserClass* InUserObject, FunctorType&& InFunctor)
	{
		TWeakObjectPtr<UserClass> WeakObject(InUserObject);
		return AddInvocation(InUserObject, [WeakObject]() { return ToObject(WeakObject.Get()); },
			[Functor = Forward<FunctorType>(InFunctor)](UObject*, ParamTypes... Params) mutable { Functor(Forward<ParamTypes>(Params)...); });
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
				RemoveUnbound();
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
		RemoveUnbound();
		return Removed;
	}

	void Clear()
	{
		for (const std::shared_ptr<FInvocation>& Invocation : InvocationList)
		{
			Invocation->bUnbound = true;
		}
		RemoveUnbound();
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
		// Bindings added while broadcasting lie beyond this index and wait for the next broadcast. An entry stays
		// in the list (and alive, also when its handler removes it) until the outermost broadcast ends.
		for (int32 Index = static_cast<int32>(InvocationList.size()) - 1; Index >= 0; --Index)
		{
			const FInvocation& Invocation = *InvocationList[static_cast<std::size_t>(Index)];
			if (Invocation.bUnbound)
			{
				bNeedsCompaction = true;
				continue;
			}
			// A weak binding is resolved once, and its handler is given the object it resolved to.
			UObject* Object = nullptr;
			if (Invocation.ResolveObject)
			{
				Object = Invocation.ResolveObject();
				if (Object == nullptr)
				{
					bNeedsCompaction = true;
					continue;
				}
			}
			Invocation.Call(Object, Params...);
		}
		if (--BroadcastDepth == 0 && bNeedsCompaction)
		{
			Compact();
		}
	}

private:
	struct FInvocation
	{
		FDelegateHandle Handle;
		const void* UserObject = nullptr;
		// For a binding to an engine object: the object while it is alive, else null. Empty for a plain function object.
		TFunction<UObject*()> ResolveObject;
		// The handler, given the object ResolveObject gave (null for a plain function object).
		TFunction<void(UObject*, ParamTypes...)> Call;
		bool bUnbound = false;

		bool IsSafeToExecute() const { return !ResolveObject || ResolveObject() != nullptr; }
	};

	template <typename UserClass, typename MethodType>
	FDelegateHandle AddWeakMethod(UserClass* InUserObject, MethodType InFunc)
	{
		TWeakObjectPtr<UserClass> WeakObject(InUserObject);
		return AddInvocation(
			InUserObject,
			[WeakObject]() { return ToObject(WeakObject.Get()); },
			[InFunc](UObject* Object, ParamTypes... Params) { (static_cast<UserClass*>(Object)->*InFunc)(Forward<ParamTypes>(Params)...); });
	}

	/** The bound object as the handler's argument; a const binding gets its object back as const from Call. */
	template <typename UserClass>
	static UObject* ToObject(UserClass* Object)
	{
		return const_cast<UObject*>(static_cast<const UObject*>(Object));
	}

	FDelegateHandle AddInvocation(const void* UserObject, TFunction<UObject*()> ResolveObject, TFunction<void(UObject*, ParamTypes...)> Call)
	{
		// As the engine: dead bindings are swept when the list has grown past a threshold that decays with each
		// addition, so that adding many handlers costs each a constant amount on average.
		if (--CompactionThreshold <= static_cast<int32>(InvocationList.size()))
		{
			Compact();
		}
		std::shared_ptr<FInvocation> Invocation = std::make_shared<FInvocation>();
		Invocation->Handle = FDelegateHandle(FDelegateHandle::GenerateNewHandle);
		Invocation->UserObject = UserObject;
		Invocation->ResolveObject = MoveTemp(ResolveObject);
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
				AddInvocation(Invocation->UserObject, Invocation->ResolveObject, Invocation->Call);
			}
		}
	}

	/** Drops the entries just unbound; a broadcast under way leaves them to its end. */
	void RemoveUnbound() const
	{
		if (BroadcastDepth > 0)
		{
			bNeedsCompaction = true;
			return;
		}
		std::erase_if(InvocationList, [](const std::shared_ptr<FInvocation>& Invocation) { return Invocation->bUnbound; });
	}

	/** Drops unbound and dead bindings, unless a broadcast is walking the list. */
	void Compact() const
	{
		if (BroadcastDepth > 0)
		{
			bNeedsCompaction = true;
			return;
		}
		std::erase_if(InvocationList, [](const std::shared_ptr<FInvocation>& Invocation) { return Invocation->bUnbound || !Invocation->IsSafeToExecute(); });
		bNeedsCompaction = false;
		CompactionThreshold = std::max<int32>(2, 2 * static_cast<int32>(InvocationList.size()));
	}

	mutable std::vector<std::shared_ptr<FInvocation>> InvocationList;
	mutable int32 BroadcastDepth = 0;
	// Set when a broadcast met, or a removal during a broadcast left, an entry to drop.
	mutable bool bNeedsCompaction = false;
	mutable int32 CompactionThreshold = 2;
};
