// Multicast delegates: weak bindings to objects, removal by handle, and changes during a broadcast.

#include "HostObjectTestTypes.h"

#include "Delegates/Delegate.h"
#include "UObject/SparseDelegate.h"
#include "UObject/UObjectGlobals.h"

#include <gtest/gtest.h>

DECLARE_MULTICAST_DELEGATE_OneParam(FTestSignal, int32);
DECLARE_DYNAMIC_MULTICAST_SPARSE_DELEGATE_TwoParams(FTestDynamicSignal, UTestObject, DynamicSignal, int32, Value, bool, bNegate);

namespace
{
	void Collect(UObject* Object)
	{
		Object->MarkAsGarbage();
		CollectGarbage(GARBAGE_COLLECTION_KEEPFLAGS);
	}
}

TEST(DelegateTest, HandlersBoundToAnObjectAreSkippedOnceItIsGone)
{
	FTestSignal Signal;
	UTestObject* const Listener = NewObject<UTestObject>();
	int32 WeakLambdaCalls = 0;
	int32 LambdaCalls = 0;
	Signal.AddUObject(Listener, &UTestObject::Handle);
	Signal.AddUObject(static_cast<const UTestObject*>(Listener), &UTestObject::HandleConst);
	Signal.AddWeakLambda(Listener, [&WeakLambdaCalls](int32) { ++WeakLambdaCalls; });
	Signal.AddLambda([&LambdaCalls](int32) { ++LambdaCalls; });

	Signal.Broadcast(7);
	EXPECT_EQ(Listener->Received, TArray<int32>({7}));
	EXPECT_EQ(Listener->ConstCalls, 1);
	EXPECT_EQ(WeakLambdaCalls, 1);

	// Garbage already counts as gone, before the memory is released.
	Listener->MarkAsGarbage();
	Signal.Broadcast(8);
	EXPECT_EQ(Listener->Received, TArray<int32>({7}));
	EXPECT_EQ(Listener->ConstCalls, 1);
	EXPECT_EQ(WeakLambdaCalls, 1);

	CollectGarbage(GARBAGE_COLLECTION_KEEPFLAGS);
	Signal.Broadcast(9);
	EXPECT_EQ(WeakLambdaCalls, 1);
	EXPECT_EQ(LambdaCalls, 3);
}

TEST(DelegateTest, RemovalByHandleAndByObject)
{
	FTestSignal Signal;
	UTestObject* const Listener = NewObject<UTestObject>();
	const FDelegateHandle First = Signal.AddUObject(Listener, &UTestObject::Handle);
	const FDelegateHandle Second = Signal.AddUObject(Listener, &UTestObject::Handle);
	Signal.AddWeakLambda(Listener, [](int32) {});
	EXPECT_TRUE(First.IsValid());
	EXPECT_NE(First, Second);

	EXPECT_TRUE(Signal.Remove(First));
	EXPECT_FALSE(Signal.Remove(First));
	EXPECT_FALSE(Signal.Remove(FDelegateHandle()));
	Signal.Broadcast(1);
	EXPECT_EQ(Listener->Received.Num(), 1);

	EXPECT_EQ(Signal.RemoveAll(Listener), 2);
	EXPECT_FALSE(Signal.IsBound());
	Signal.Broadcast(2);
	EXPECT_EQ(Listener->Received.Num(), 1);
	Collect(Listener);
}

TEST(DelegateTest, ABroadcastSurvivesHandlersRemovingAndAddingHandlers)
{
	FTestSignal Signal;
	TArray<FString> Calls;
	FDelegateHandle Self;
	FDelegateHandle Victim;
	// Handlers run from the last added to the first: Remover runs before Victim.
	Victim = Signal.AddLambda([&Calls](int32) { Calls.Add(TEXT("Victim")); });
	Self = Signal.AddLambda([&](int32)
	{
		Calls.Add(TEXT("Remover"));
		// The lambda running now is destroyed by this removal unless the broadcast keeps it alive.
		EXPECT_TRUE(Signal.Remove(Self));
		EXPECT_TRUE(Signal.Remove(Victim));
		Signal.AddLambda([&Calls](int32) { Calls.Add(TEXT("Late")); });
		Calls.Add(TEXT("Remover still running"));
	});

	Signal.Broadcast(1);
	EXPECT_EQ(Calls, TArray<FString>({TEXT("Remover"), TEXT("Remover still running")}));
	Signal.Broadcast(2);
	EXPECT_EQ(Calls, TArray<FString>({TEXT("Remover"), TEXT("Remover still running"), TEXT("Late")}));
}

TEST(DelegateTest, EachHandlerIsCalledOnItsOwnObjectWhileListenersComeAndGo)
{
	// Many listeners, as many anchors bind one event: bindings are swept in batches as the list grows and when a
	// broadcast meets a dead one, and no sweep may drop a live binding or call a handler on another's object.
	FTestSignal Signal;
	TArray<UTestObject*> Listeners;
	TArray<FDelegateHandle> Handles;
	for (int32 Index = 0; Index < 64; ++Index)
	{
		UTestObject* const Listener = NewObject<UTestObject>();
		Listeners.Add(Listener);
		Handles.Add(Signal.AddUObject(Listener, &UTestObject::Handle));
		// Every fifth listener dies while the list grows, so that additions meet dead bindings to sweep.
		if (Index % 5 == 4)
		{
			Listener->MarkAsGarbage();
		}
	}
	// Every seventh binding, where its listener lives, is removed by its handle.
	const auto IsDead = [](const int32 Index) { return Index % 5 == 4; };
	const auto IsRemoved = [&IsDead](const int32 Index) { return Index % 7 == 6 && !IsDead(Index); };
	for (int32 Index = 0; Index < Listeners.Num(); ++Index)
	{
		if (IsRemoved(Index))
		{
			EXPECT_TRUE(Signal.Remove(Handles[Index]));
		}
	}
	const auto IsCalled = [&](const int32 Index) { return !IsDead(Index) && !IsRemoved(Index); };

	Signal.Broadcast(1);
	// After the broadcast has swept the dead bindings, more listeners join and one more dies.
	for (int32 Index = 0; Index < 8; ++Index)
	{
		UTestObject* const Listener = NewObject<UTestObject>();
		Listeners.Add(Listener);
		Signal.AddUObject(Listener, &UTestObject::Handle);
	}
	Listeners[0]->MarkAsGarbage();
	Signal.Broadcast(2);

	for (int32 Index = 0; Index < Listeners.Num(); ++Index)
	{
		TArray<int32> Expected;
		if (Index < 64 && IsCalled(Index))
		{
			Expected.Add(1);
		}
		if (Index >= 64 || (Index != 0 && IsCalled(Index)))
		{
			Expected.Add(2);
		}
		EXPECT_EQ(Listeners[Index]->Received, Expected) << "listener " << Index;
	}
	for (UTestObject* const Listener : Listeners)
	{
		Listener->MarkAsGarbage();
	}
	// Once their memory is gone, a broadcast reaches none of them (the address sanitizer stage watches this).
	CollectGarbage(GARBAGE_COLLECTION_KEEPFLAGS);
	Signal.Broadcast(3);
}

TEST(DelegateTest, DynamicDelegatesCallUFunctionsByNameThroughProcessEvent)
{
	FTestDynamicSignal Signal;
	UTestObject* const Listener = NewObject<UTestObject>();
	EXPECT_FALSE(Signal.IsBound());
	Signal.AddDynamic(Listener, &UTestObject::HandleDynamic);
	EXPECT_TRUE(Signal.IsAlreadyBound(Listener, &UTestObject::HandleDynamic));
	Signal.AddUniqueDynamic(Listener, &UTestObject::HandleDynamic);
	// Both arguments reach the function, in order, through its parameter block.
	Signal.Broadcast(5, false);
	Signal.Broadcast(6, true);
	EXPECT_EQ(Listener->Received, TArray<int32>({5, -6}));

	Signal.RemoveDynamic(Listener, &UTestObject::HandleDynamic);
	EXPECT_FALSE(Signal.IsBound());
	Signal.Broadcast(7, false);
	EXPECT_EQ(Listener->Received, TArray<int32>({5, -6}));

	// A binding of an object that is gone is skipped.
	Signal.AddDynamic(Listener, &UTestObject::HandleDynamic);
	Collect(Listener);
	EXPECT_FALSE(Signal.IsBound());
	Signal.Broadcast(8, false);
}
