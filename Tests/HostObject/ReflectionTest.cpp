// What the header tool registers: classes with their super classes and constructors, structures, and
// properties that reach the right bytes of an object.

#include "HostObjectTestTypes.h"

#include "Engine/World.h"
#include "HostPropertyAccess.h"
#include "UObject/Package.h"
#include "UObject/StructOnScope.h"
#include "UObject/UnrealType.h"

#include <gtest/gtest.h>

TEST(ReflectionTest, ClassesCarryTheirNameSuperClassAndKind)
{
	UClass* const Derived = ATestDerivedActor::StaticClass();
	EXPECT_EQ(Derived->GetName(), FString(TEXT("TestDerivedActor")));
	EXPECT_EQ(Derived->GetSuperClass(), ATestActor::StaticClass());
	EXPECT_EQ(ATestActor::StaticClass()->GetSuperClass(), AActor::StaticClass());
	EXPECT_TRUE(Derived->IsChildOf<AActor>());
	EXPECT_TRUE(Derived->IsChildOf(UObject::StaticClass()));
	EXPECT_FALSE(ATestActor::StaticClass()->IsChildOf(Derived));
	EXPECT_FALSE(Derived->IsChildOf(nullptr));
	EXPECT_EQ(Derived->GetClass(), UClass::StaticClass());
	EXPECT_EQ(FTestPoint::StaticStruct()->GetName(), FString(TEXT("TestPoint")));
	EXPECT_EQ(UObject::StaticClass()->GetSuperClass(), nullptr);
}

TEST(ReflectionTest, PropertiesAreFoundThroughSuperClassesAndReachTheirMembers)
{
	UWorld* const World = UWorld::CreateWorld(EWorldType::Game, false);
	ATestDerivedActor* const Actor = World->SpawnActor<ATestDerivedActor>();

	TArray<FString> Names;
	for (TFieldIterator<FProperty> It(ATestDerivedActor::StaticClass()); It; ++It)
	{
		Names.Add(It->GetName());
	}
	// The test classes' own properties, then the engine actor's.
	EXPECT_EQ(Names, TArray<FString>({TEXT("Offset"), TEXT("Count"), TEXT("InitialLifeSpan"), TEXT("InputPriority"), TEXT("NetPriority")}));

	FProperty* const Count = FindFProperty<FProperty>(ATestDerivedActor::StaticClass(), TEXT("count"));
	ASSERT_NE(Count, nullptr);
	EXPECT_NE(CastField<FIntProperty>(Count), nullptr);
	EXPECT_EQ(CastField<FStructProperty>(Count), nullptr);
	EXPECT_EQ(Count->GetOwnerClass(), ATestActor::StaticClass());
	EXPECT_EQ(Count->GetCPPType(), FString(TEXT("int32")));
	EXPECT_TRUE(Count->HasAnyPropertyFlags(CPF_NativeAccessSpecifierProtected));
	*Count->ContainerPtrToValuePtr<int32>(Actor) = 42;
	EXPECT_EQ(Actor->GetCount(), 42);
	EXPECT_EQ(FindFProperty<FStructProperty>(ATestDerivedActor::StaticClass(), TEXT("Count")), nullptr);

	const FStructProperty* const Offset = FindFProperty<FStructProperty>(ATestDerivedActor::StaticClass(), TEXT("Offset"));
	ASSERT_NE(Offset, nullptr);
	EXPECT_EQ(Offset->Struct, TBaseStructure<FVector>::Get());
	EXPECT_TRUE(Offset->HasAnyPropertyFlags(CPF_NativeAccessSpecifierPrivate));

	World->DestroyWorld(false);
	CollectGarbage(GARBAGE_COLLECTION_KEEPFLAGS);
}

TEST(ReflectionTest, StructureMembersLeadToTheirFieldsAndKeepTheirMetadata)
{
	UWorld* const World = UWorld::CreateWorld(EWorldType::Game, false);
	UTestComponent* const Component = World->SpawnActor<ATestActor>()->FindComponentByClass<UTestComponent>();

	const FStructProperty* const Point = FindFProperty<FStructProperty>(UTestComponent::StaticClass(), TEXT("Point"));
	ASSERT_NE(Point, nullptr);
	ASSERT_EQ(Point->Struct, FTestPoint::StaticStruct());
	EXPECT_EQ(Point->GetMetaData(TEXT("Category")), FString(TEXT("Test")));
	const FProperty* const X = FindFProperty<FProperty>(Point->Struct, TEXT("X"));
	ASSERT_NE(X, nullptr);
	EXPECT_EQ(X->GetMetaData(TEXT("ClampMin")), FString(TEXT("0")));
	EXPECT_EQ(X->GetMetaData(TEXT("Units")), FString(TEXT("cm")));
	EXPECT_FALSE(X->HasMetaData(TEXT("ToolTip")));

	ASSERT_TRUE(UE::Host::SetPropertyValue(Component, TEXT("Point.Y"), 2.5));
	EXPECT_EQ(Component->GetPoint().Y, 2.5);
	EXPECT_EQ(UE::Host::FindPropertyValue<double>(Component, TEXT("Point")), nullptr);
	EXPECT_EQ(UE::Host::FindPropertyValue<double>(Component, TEXT("Point.Z")), nullptr);
	EXPECT_EQ(UE::Host::FindPropertyValue<double>(Component, TEXT("Point.X.Y")), nullptr);
	EXPECT_EQ(UE::Host::FindPropertyValue<double>(nullptr, TEXT("Point.X")), nullptr);

	World->DestroyWorld(false);
	CollectGarbage(GARBAGE_COLLECTION_KEEPFLAGS);
}

TEST(ReflectionTest, ArrayParametersConstructCopyCompareAndDestroyEachElementOnce)
{
	UFunction* const Function = UTestObject::StaticClass()->FindFunctionByName(TEXT("DoubleTallies"));
	ASSERT_NE(Function, nullptr);
	const FArrayProperty* const In = FindFProperty<FArrayProperty>(Function, TEXT("Tallies"));
	const FArrayProperty* const Out = FindFProperty<FArrayProperty>(Function, TEXT("Doubled"));
	ASSERT_TRUE(In != nullptr && Out != nullptr && In->Inner != nullptr);
	EXPECT_EQ(In->GetCPPType(), TEXT("TArray<FTestTally>"));
	const FStructProperty* const Element = CastField<FStructProperty>(In->Inner);
	ASSERT_NE(Element, nullptr);
	EXPECT_EQ(Element->Struct, FTestTally::StaticStruct());

	const int32 LiveBefore = FTestTally::Live;
	{
		FStructOnScope Block(Function);
		void* const InArray = In->ContainerPtrToValuePtr<void>(Block.GetStructMemory());
		void* const OutArray = Out->ContainerPtrToValuePtr<void>(Block.GetStructMemory());
		EXPECT_TRUE(In->Identical(InArray, nullptr)) << "a new array is empty";
		FScriptArrayHelper Input(In, InArray);
		EXPECT_EQ(Input.AddValues(3), 0);
		for (int32 Index = 0; Index < Input.Num(); ++Index)
		{
			reinterpret_cast<FTestTally*>(Input.GetRawPtr(Index))->Value = Index + 1;
		}
		UTestObject* const Object = NewObject<UTestObject>(GetTransientPackage());
		Object->ProcessEvent(Function, Block.GetStructMemory());
		EXPECT_EQ(*FindFProperty<FIntProperty>(Function, TEXT("ReturnValue"))->ContainerPtrToValuePtr<int32>(Block.GetStructMemory()), 6);
		FScriptArrayHelper Output(Out, OutArray);
		ASSERT_EQ(Output.Num(), 3);
		EXPECT_EQ(reinterpret_cast<FTestTally*>(Output.GetRawPtr(2))->Value, 6);
		// The thunk's by-value copy is gone; the block holds its own six.
		EXPECT_EQ(FTestTally::Live - LiveBefore, 6);
		EXPECT_FALSE(In->Identical(InArray, OutArray));
		In->CopyCompleteValue(InArray, OutArray);
		EXPECT_TRUE(In->Identical(InArray, OutArray));
		EXPECT_EQ(FTestTally::Live - LiveBefore, 6);
		reinterpret_cast<FTestTally*>(Input.GetRawPtr(2))->Value = 0;
		EXPECT_FALSE(In->Identical(InArray, OutArray)) << "the last elements differ";
		Output.EmptyValues();
		EXPECT_EQ(FTestTally::Live - LiveBefore, 3);
	}
	EXPECT_EQ(FTestTally::Live, LiveBefore) << "destroying the block destroys each array's elements";
}
