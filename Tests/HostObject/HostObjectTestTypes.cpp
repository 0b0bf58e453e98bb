#include "HostObjectTestTypes.h"

#include "UObject/UnrealType.h"

TArray<FString>& TestJournal()
{
	static TArray<FString> Journal;
	return Journal;
}

namespace
{
	void Record(const UObject* Object, const TCHAR* Notification)
	{
		TestJournal().Add(Object->GetName() + TEXT(".") + Notification);
	}
}

int32 FTestTally::Live = 0;

int32 UTestObject::DoubleTallies(TArray<FTestTally> Tallies, TArray<FTestTally>& Doubled) const
{
	int32 Sum = 0;
	Doubled = Tallies;
	for (FTestTally& Tally : Doubled)
	{
		Sum += Tally.Value;
		Tally.Value *= 2;
	}
	return Sum;
}

UTestComponent::UTestComponent(const FObjectInitializer& ObjectInitializer)
	: UActorComponent(ObjectInitializer)
{
}

void UTestComponent::OnRegister()
{
	Super::OnRegister();
	Record(this, TEXT("OnRegister"));
}

void UTestComponent::OnUnregister()
{
	Record(this, TEXT("OnUnregister"));
	Super::OnUnregister();
}

void UTestComponent::PostEditChangeProperty(FPropertyChangedEvent& PropertyChangedEvent)
{
	Record(this, *(TEXT("PostEditChangeProperty ") + PropertyChangedEvent.GetMemberPropertyName().ToString() + TEXT(" ") + PropertyChangedEvent.GetPropertyName().ToString()));
	Super::PostEditChangeProperty(PropertyChangedEvent);
}

void UTestComponent::BeginDestroy()
{
	Record(this, TEXT("BeginDestroy"));
	Super::BeginDestroy();
}

ATestActor::ATestActor()
{
	ConstructionFlags = GetFlags();
	SetRootComponent(CreateDefaultSubobject<USceneComponent>(TEXT("Root")));
	CreateDefaultSubobject<UTestComponent>(TEXT("Part"));
}

void ATestActor::PostActorCreated()
{
	Super::PostActorCreated();
	Record(this, TEXT("PostActorCreated"));
}

void ATestActor::PostLoad()
{
	Super::PostLoad();
	Record(this, *FString::Printf(TEXT("PostLoad Count=%d"), Count));
}

ATestRootlessActor::ATestRootlessActor(const FObjectInitializer& ObjectInitializer)
	: AActor(ObjectInitializer)
{
	ObjectInitializer.CreateDefaultSubobject<UTestComponent>(this, TEXT("Part"));
}

void ATestRootlessActor::PostActorCreated()
{
	Super::PostActorCreated();
	Record(this, TEXT("PostActorCreated"));
}
