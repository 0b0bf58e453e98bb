// The details panel of the plugin's actor, component and setups: which categories and rows the editor
// shows, what the classes hide, and how edit conditions read.
#include "DuRizerudoreAnchorComponent.h"
#include "ScopedMetaData.h"
#include "WorldTestSupport.h"

#include "HostDetailsPanel.h"
#include "HostPropertyAccess.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <utility>

using namespace DuRizerudoreTest;

namespace
{
	using FPanel = TArray<std::pair<FString, TArray<FString>>>;

	/** The panel as category names with their row names; every row is expected editable. */
	FPanel DescribePanel(const UStruct* Type, const void* Container)
	{
		FPanel Panel;
		for (const UE::Host::FDetailsCategory& Category : UE::Host::GetDetailsPanel(Type, Container))
		{
			TArray<FString> Rows;
			for (const UE::Host::FDetailsRow& Row : Category.Rows)
			{
				Rows.Add(Row.Property->GetName());
				EXPECT_TRUE(Row.bEditable) << *Row.Property->GetName();
			}
			Panel.Add({Category.Name, Rows});
		}
		return Panel;
	}

	FString PanelText(const FPanel& Panel)
	{
		FString Text;
		for (const auto& [Category, Rows] : Panel)
		{
			Text += Category + TEXT(": ") + FString::Join(Rows, TEXT(", ")) + TEXT("; ");
		}
		return Text;
	}

	const TArray<FString> SystemRows{TEXT("bAuthority"), TEXT("Setup"), TEXT("LocalReferenceFrame"), TEXT("ReferenceSetup")};
}

TEST(DetailsPanel, EachObjectShowsExactlyItsAnnotatedCategoriesAndRows)
{
	FTestWorld World;
	ADuRizerudoreSystem* const System = LoadCoordinateSystem(World.Get(), FCoordinateSystemSettings());
	const FAnchoredActor Placed = SpawnAnchoredActor(World.Get(), FTransform::Identity);
	// The engine's actor settings prove the hidden categories exist; the template also shows the defaults-only one.
	const struct
	{
		const TCHAR* Name;
		const UObject* Object;
		FPanel Expected;
	} Cases[] = {
		{TEXT("coordinate system"), System, {{TEXT("DuRizerudore"), SystemRows}}},
		{TEXT("coordinate system defaults"), ADuRizerudoreSystem::StaticClass()->GetDefaultObject(), {{TEXT("DuRizerudore"), SystemRows}}},
		{TEXT("plain actor"), Placed.Actor, {{TEXT("Actor"), {TEXT("InitialLifeSpan")}}, {TEXT("Input"), {TEXT("InputPriority")}}}},
		{TEXT("plain actor defaults"), AActor::StaticClass()->GetDefaultObject(),
			{{TEXT("Actor"), {TEXT("InitialLifeSpan")}}, {TEXT("Input"), {TEXT("InputPriority")}}, {TEXT("Replication"), {TEXT("NetPriority")}}}},
		{TEXT("anchor"), Placed.Anchor,
			{{TEXT("DuRizerudore|ECEF"), {TEXT("EcefPosition"), TEXT("EcefXAxis"), TEXT("EcefYAxis"), TEXT("EcefZAxis")}},
				{TEXT("DuRizerudore|Geodetic"), {TEXT("GeodeticPosition"), TEXT("GeodeticRotation")}}}},
	};
	for (const auto& Case : Cases)
	{
		EXPECT_EQ(PanelText(DescribePanel(Case.Object->GetClass(), Case.Object)).ToStdWString(), PanelText(Case.Expected).ToStdWString()) << *FString(Case.Name);
	}
}

TEST(DetailsPanel, ReferenceSetupIsShownOnlyWithALocalReferenceFrame)
{
	FTestWorld World;
	ADuRizerudoreSystem* const System = LoadCoordinateSystem(World.Get(), FCoordinateSystemSettings());
	for (const bool bLocalReferenceFrame : {true, false})
	{
		ASSERT_TRUE(UE::Host::SetPropertyValue(System, TEXT("LocalReferenceFrame"), bLocalReferenceFrame));
		TArray<FString> Expected = SystemRows;
		if (!bLocalReferenceFrame)
		{
			Expected.Remove(TEXT("ReferenceSetup"));
		}
		EXPECT_EQ(PanelText(DescribePanel(System->GetClass(), System)).ToStdWString(), PanelText({{TEXT("DuRizerudore"), Expected}}).ToStdWString()) << bLocalReferenceFrame;
	}
}

TEST(DetailsPanel, GravityDegreeAndOrderAreShownOnlyAtFullAccuracy)
{
	const UEnum* const Accuracy = StaticEnum<ECoordinateGravityAccuracy>();
	// Every declared accuracy, the generated _MAX entry left out.
	for (int32 Index = 0; Index + 1 < Accuracy->NumEnums(); ++Index)
	{
		FCoordinateConversionSetup Setup;
		Setup.GravityAccuracy = static_cast<ECoordinateGravityAccuracy>(Accuracy->GetValueByIndex(Index));
		TArray<FString> Expected{TEXT("DatumModel"), TEXT("GravityModel"), TEXT("GeoidModel"), TEXT("GravityAccuracy")};
		if (Setup.GravityAccuracy == ECoordinateGravityAccuracy::Full)
		{
			Expected.Append({TEXT("GravityMaxDegree"), TEXT("GravityMaxOrder")});
		}
		Expected.Add(TEXT("GeoidInterpolation"));
		EXPECT_EQ(PanelText(DescribePanel(FCoordinateConversionSetup::StaticStruct(), &Setup)).ToStdWString(), PanelText({{TEXT("DuRizerudore|Setup"), Expected}}).ToStdWString())
			<< *Accuracy->GetNameStringByIndex(Index);
	}
}

TEST(DetailsPanel, CategoriesAreHiddenWithTheirSubcategoriesUnlessShown)
{
	const struct
	{
		UClass* Class;
		const TCHAR* Category;
		bool bHidden;
	} Cases[] = {
		{ADuRizerudoreSystem::StaticClass(), TEXT("Actor"), true},
		{ADuRizerudoreSystem::StaticClass(), TEXT("replication"), true},
		{ADuRizerudoreSystem::StaticClass(), TEXT("Input"), true},
		{ADuRizerudoreSystem::StaticClass(), TEXT("Input|Other"), true},
		{ADuRizerudoreSystem::StaticClass(), TEXT("Input|MouseInput"), false},
		{ADuRizerudoreSystem::StaticClass(), TEXT("Input|TouchInput"), false},
		{ADuRizerudoreSystem::StaticClass(), TEXT("Input|MouseInput|Click"), true},
		{ADuRizerudoreSystem::StaticClass(), TEXT("Physics|Collision"), true},
		{ADuRizerudoreSystem::StaticClass(), TEXT("WorldPartition"), true},
		{ADuRizerudoreSystem::StaticClass(), TEXT("DuRizerudore"), false},
		{ADuRizerudoreSystem::StaticClass(), TEXT("DuRizerudore|Frame"), false},
		{ADuRizerudoreSystem::StaticClass(), TEXT("Actors"), false},
		{UDuRizerudoreAnchorComponent::StaticClass(), TEXT("Actor"), false},
		{nullptr, TEXT("Actor"), false},
	};
	for (const auto& Case : Cases)
	{
		EXPECT_EQ(UE::Host::IsCategoryHiddenFromClass(Case.Class, Case.Category), Case.bHidden) << *FString(Case.Category);
	}
}

TEST(DetailsPanel, EditConditionsOfEveryFormAndTheUnreadableOnes)
{
	FTestWorld World;
	FCoordinateSystemSettings Settings;
	Settings.bAuthority = false;
	Settings.LocalReferenceFrame = true;
	ADuRizerudoreSystem* const System = LoadCoordinateSystem(World.Get(), Settings);
	// Only read by the conditions, never built: no model files are needed.
	FCoordinateConversionSetup Setup;
	Setup.GravityAccuracy = ECoordinateGravityAccuracy::Truncated16;
	Setup.GravityModel = EEarthGravityModel::EGM96;
	Setup.GeoidModel = EEarthGravityModel::None;
	FProperty* const ActorProperty = FindFProperty<FProperty>(ADuRizerudoreSystem::StaticClass(), TEXT("ReferenceSetup"));
	FProperty* const SetupProperty = FindFProperty<FProperty>(FCoordinateConversionSetup::StaticStruct(), TEXT("GravityMaxDegree"));
	ASSERT_NE(ActorProperty, nullptr);
	ASSERT_NE(SetupProperty, nullptr);
	const struct
	{
		FProperty* Property;
		const void* Container;
		const TCHAR* Condition;
		bool bReadable;
		bool bMet;
	} Cases[] = {
		{ActorProperty, System, TEXT("LocalReferenceFrame"), true, true},
		{ActorProperty, System, TEXT("  LocalReferenceFrame "), true, true},
		{ActorProperty, System, TEXT("bAuthority"), true, false},
		{ActorProperty, System, TEXT("!bAuthority"), true, true},
		{ActorProperty, System, TEXT("! LocalReferenceFrame"), true, false},
		{SetupProperty, &Setup, TEXT("GravityAccuracy == ECoordinateGravityAccuracy::Truncated16"), true, true},
		{SetupProperty, &Setup, TEXT("GravityAccuracy==ECoordinateGravityAccuracy::Full"), true, false},
		{SetupProperty, &Setup, TEXT("GravityAccuracy != ECoordinateGravityAccuracy::Truncated16"), true, false},
		{SetupProperty, &Setup, TEXT("GravityAccuracy != ECoordinateGravityAccuracy::Full"), true, true},
		{SetupProperty, &Setup, TEXT("GravityModel == EEarthGravityModel::EGM96"), true, true},
		{SetupProperty, &Setup, TEXT("GeoidModel == EEarthGravityModel::EGM96"), true, false},
		{ActorProperty, System, TEXT(""), false, false},
		{ActorProperty, System, TEXT("NoSuchProperty"), false, false},
		{ActorProperty, System, TEXT("Setup"), false, false},
		{ActorProperty, System, TEXT("!!bAuthority"), false, false},
		{ActorProperty, System, TEXT("bAuthority && LocalReferenceFrame"), false, false},
		{ActorProperty, System, TEXT("bAuthority == true"), false, false},
		{SetupProperty, &Setup, TEXT("GravityAccuracy = ECoordinateGravityAccuracy::Full"), false, false},
		{SetupProperty, &Setup, TEXT("GravityAccuracy == Full"), false, false},
		{SetupProperty, &Setup, TEXT("GravityAccuracy == 0"), false, false},
		{SetupProperty, &Setup, TEXT("GravityAccuracy == ECoordinateGravityAccuracy::Exact"), false, false},
		{SetupProperty, &Setup, TEXT("GravityAccuracy == EEarthGravityModel::Truncated16"), false, false},
		{SetupProperty, &Setup, TEXT("GravityMaxOrder == ECoordinateGravityAccuracy::Full"), false, false},
		{SetupProperty, &Setup, TEXT("NoSuchProperty != ECoordinateGravityAccuracy::Full"), false, false},
	};
	for (const auto& Case : Cases)
	{
		const FScopedMetaData Condition(Case.Property, TEXT("EditCondition"), Case.Condition);
		// An unreadable condition must leave the output alone, whatever it held.
		for (const bool bInitial : {false, true})
		{
			bool bMet = bInitial;
			EXPECT_EQ(UE::Host::EvaluateEditCondition(Case.Property, Case.Container, bMet), Case.bReadable) << *FString(Case.Condition);
			EXPECT_EQ(bMet, Case.bReadable ? Case.bMet : bInitial) << *FString(Case.Condition);
		}
	}
	bool bMet = false;
	EXPECT_TRUE(UE::Host::EvaluateEditCondition(FindFProperty<FProperty>(ADuRizerudoreSystem::StaticClass(), TEXT("Setup")), System, bMet));
	EXPECT_TRUE(bMet) << "a property without a condition is editable";
	EXPECT_FALSE(UE::Host::EvaluateEditCondition(nullptr, System, bMet));
	EXPECT_FALSE(UE::Host::EvaluateEditCondition(ActorProperty, nullptr, bMet));
}
