// Small reflected classes for the object-model tests, run through the header tool like the plugin's own.
// Each notification they receive is written to a shared journal, so that tests can check the order.
#pragma once

#include "CoreMinimal.h"
#include "Components/SceneComponent.h"
#include "GameFramework/Actor.h"
#include "UObject/Object.h"
#include "HostObjectTestTypes.generated.h"

/** The notifications received so far, as "Name.Notification". */
TArray<FString>& TestJournal();

USTRUCT()
struct FTestPoint
{
	GENERATED_BODY()

	UPROPERTY(EditAnywhere, meta = (ClampMin = "0", Units = "cm"))
	double X = 0.0;

	UPROPERTY(EditAnywhere)
	double Y = 0.0;
};

/** An element that counts its live instances, so that tests see every array element constructed and destroyed. */
USTRUCT()
struct FTestTally
{
	GENERATED_BODY()

	FTestTally() { ++Live; }
	FTestTally(const FTestTally& Other) : Value(Other.Value) { ++Live; }
	FTestTally& operator=(const FTestTally& Other) = default;
	~FTestTally() { --Live; }

	UPROPERTY()
	int32 Value = 0;

	static int32 Live;
};

UCLASS()
class UTestObject : public UObject
{
	GENERATED_BODY()

public:
	UTestObject() = default;

	void Handle(int32 Value) { Received.Add(Value); }

	/** For dynamic delegates, which call UFUNCTIONs by name. */
	UFUNCTION()
	void HandleDynamic(int32 Value, bool bNegate) { Received.Add(bNegate ? -Value : Value); }
	void HandleConst(int32 Value) const { ++ConstCalls; }

	/** Tallies doubled into Doubled; returns their sum. Tallies comes by value, as a copy the thunk makes. */
	UFUNCTION()
	int32 DoubleTallies(TArray<FTestTally> Tallies, TArray<FTestTally>& Doubled) const;

	TArray<int32> Received;
	mutable int32 ConstCalls = 0;
};

/** Overrides BeginDestroy without calling Super, which the object system must refuse. */
UCLASS()
class UTestForgetfulObject : public UObject
{
	GENERATED_BODY()

public:
	virtual void BeginDestroy() override {}
};

UCLASS()
class UTestComponent : public UActorComponent
{
	GENERATED_BODY()

public:
	UTestComponent(const FObjectInitializer& ObjectInitializer);

	FTestPoint GetPoint() const { return Point; }

	virtual void PostEditChangeProperty(FPropertyChangedEvent& PropertyChangedEvent) override;
	virtual void BeginDestroy() override;

protected:
	virtual void OnRegister() override;
	virtual void OnUnregister() override;

	UPROPERTY(EditAnywhere, Category = "Test")
	FTestPoint Point;
};

UCLASS()
class ATestActor : public AActor
{
	GENERATED_BODY()

public:
	ATestActor();

	int32 GetCount() const { return Count; }

	/** The flags the constructor saw. */
	EObjectFlags ConstructionFlags = RF_NoFlags;

	virtual void PostActorCreated() override;
	virtual void PostLoad() override;

protected:
	UPROPERTY(EditAnywhere, BlueprintReadOnly, Category = "Test")
	int32 Count = 1;
};

UCLASS()
class ATestDerivedActor : public ATestActor
{
	GENERATED_BODY()

public:
	ATestDerivedActor() = default;

private:
	UPROPERTY()
	FVector Offset;
};

UCLASS()
class ATestRootlessActor : public AActor
{
	GENERATED_BODY()

public:
	ATestRootlessActor(const FObjectInitializer& ObjectInitializer);

	virtual void PostActorCreated() override;
};
