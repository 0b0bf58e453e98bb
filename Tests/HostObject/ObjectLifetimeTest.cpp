// Names, weak references and garbage collection: what stays reachable after an object goes.

#include "HostObjectTestTypes.h"

#include "UObject/Package.h"
#include "UObject/UObjectGlobals.h"
#include "UObject/WeakObjectPtr.h"

#include <gtest/gtest.h>

TEST(NameTest, ComparesWithoutCaseAndKeepsTheCasingItWasMadeWith)
{
	const FName Lower(TEXT("geodeticposition"));
	const FName Mixed(TEXT("GeodeticPosition"));
	EXPECT_EQ(Lower, Mixed);
	EXPECT_EQ(GetTypeHash(Lower), GetTypeHash(Mixed));
	EXPECT_NE(Mixed, FName(TEXT("GeodeticRotation")));
	EXPECT_EQ(Mixed.ToString(), FString(TEXT("GeodeticPosition")));
	EXPECT_TRUE(Mixed.ToString().Equals(TEXT("GeodeticPosition"), ESearchCase::CaseSensitive));
	EXPECT_TRUE(Lower.ToString().Equals(TEXT("geodeticposition"), ESearchCase::CaseSensitive));
	EXPECT_TRUE(FName(TEXT("")).IsNone());
	EXPECT_EQ(FName(TEXT("NONE")), NAME_None);
}

TEST(WeakObjectPtrTest, ResolvesToNothingOnceGarbageAndAfterItsSlotIsReused)
{
	UTestObject* const Object = NewObject<UTestObject>();
	const TWeakObjectPtr<UTestObject> Weak(Object);
	const TWeakObjectPtr<UTestObject> Never;
	ASSERT_EQ(Weak.Get(), Object);
	EXPECT_TRUE(IsValid(Object));
	EXPECT_FALSE(Weak.IsStale());
	EXPECT_FALSE(Never.IsStale());

	Object->MarkAsGarbage();
	EXPECT_FALSE(IsValid(Object));
	EXPECT_EQ(Weak.Get(), nullptr);
	EXPECT_FALSE(Weak.IsValid());
	EXPECT_TRUE(Weak.IsStale());
	EXPECT_EQ(Weak.Get(true), Object);

	const uint32 Slot = Object->GetUniqueID();
	CollectGarbage(GARBAGE_COLLECTION_KEEPFLAGS);
	EXPECT_EQ(Weak.Get(true), nullptr);

	// The next object takes the freed slot (and possibly the memory); the weak pointer must not see it.
	UTestObject* const Successor = NewObject<UTestObject>();
	EXPECT_EQ(Successor->GetUniqueID(), Slot);
	EXPECT_EQ(Weak.Get(true), nullptr);
	EXPECT_TRUE(Weak.IsStale());
	EXPECT_FALSE(Weak == TWeakObjectPtr<UTestObject>(Successor));
	Successor->MarkAsGarbage();
	CollectGarbage(GARBAGE_COLLECTION_KEEPFLAGS);
}

TEST(GarbageCollectionTest, TakesTheObjectsInsideAGarbageObjectAndSparesTheRest)
{
	UTestObject* const Outer = NewObject<UTestObject>();
	const TWeakObjectPtr<UTestObject> Inner(NewObject<UTestObject>(Outer));
	const TWeakObjectPtr<UTestObject> InnerOfInner(NewObject<UTestObject>(Inner.Get()));
	const TWeakObjectPtr<UTestObject> Bystander(NewObject<UTestObject>());
	Outer->MarkAsGarbage();
	CollectGarbage(GARBAGE_COLLECTION_KEEPFLAGS);
	EXPECT_TRUE(Inner.IsStale());
	EXPECT_TRUE(InnerOfInner.IsStale());
	ASSERT_TRUE(Bystander.IsValid());
	Bystander->MarkAsGarbage();
	CollectGarbage(GARBAGE_COLLECTION_KEEPFLAGS);
}

TEST(ObjectConstructionTest, TheConstructorAlreadySeesItsClassOuterAndFlags)
{
	UPackage* const Package = GetTransientPackage();
	UTestObject* const Object = NewObject<UTestObject>(Package, UTestObject::StaticClass(), FName(TEXT("Named")), RF_Transient);
	EXPECT_EQ(Object->GetClass(), UTestObject::StaticClass());
	EXPECT_EQ(Object->GetOuter(), Package);
	EXPECT_EQ(Object->GetFName(), FName(TEXT("Named")));
	EXPECT_TRUE(Object->HasAnyFlags(RF_Transient));
	Object->MarkAsGarbage();
	CollectGarbage(GARBAGE_COLLECTION_KEEPFLAGS);

	const ATestActor* const Default = GetDefault<ATestActor>();
	EXPECT_TRUE(Default->HasAllFlags(RF_ClassDefaultObject | RF_ArchetypeObject));
	EXPECT_TRUE(Default->ConstructionFlags & RF_ClassDefaultObject);
	EXPECT_TRUE(Default->IsTemplate());
	EXPECT_TRUE(Default->GetRootComponent()->IsTemplate());
	EXPECT_EQ(Default, ATestActor::StaticClass()->GetDefaultObject());
}

TEST(GarbageCollectionDeathTest, ABeginDestroyThatSkipsTheBaseVersionStops)
{
	EXPECT_DEATH(
		{
			NewObject<UTestForgetfulObject>()->MarkAsGarbage();
			CollectGarbage(GARBAGE_COLLECTION_KEEPFLAGS);
		},
		"failed to route BeginDestroy");
}
