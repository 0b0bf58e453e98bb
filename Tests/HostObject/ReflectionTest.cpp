// What the header tool registers: classes with their super classes and constructors, structures, and
// properties that reach the right bytes of an object.

#include "HostObjectTestTypes.h"

#include "Engine/World.h"
#include "HostPropertyAccess.h"
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
