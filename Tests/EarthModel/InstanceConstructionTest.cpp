#include "DuRizerudoreConversionInternal.h"

#include "Logging/HostLogCapture.h"
#include "TestPluginDirectory.h"
#include "TinyModelFiles.h"

#include <GeographicLib/Geoid.hpp>
#include <GeographicLib/GravityModel.hpp>

#include <gtest/gtest.h>

#include <string>

using DuRizerudoreTest::FTemporaryPlugin;

namespace
{
	using FAccess = FCoordinateConversionKernelAccess;

	FCoordinateConversionSetup MakeSetup(const EEarthGravityModel GravityModel, const EEarthGravityModel GeoidModel,
		const ECoordinateGravityAccuracy Accuracy = ECoordinateGravityAccuracy::Truncated16, const int32 MaxDegree = -1, const int32 MaxOrder = -1)
	{
		FCoordinateConversionSetup Setup;
		Setup.GravityModel = GravityModel;
		Setup.GeoidModel = GeoidModel;
		Setup.GravityAccuracy = Accuracy;
		Setup.GravityMaxDegree = MaxDegree;
		Setup.GravityMaxOrder = MaxOrder;
		return Setup;
	}

	/** A temporary plugin holding a tiny EGM84 gravity model of degree 40 and a coarse EGM84 geoid grid. */
	struct FTinyModelPlugin : FTemporaryPlugin
	{
		FTinyModelPlugin()
		{
			CreateModelDirectories();
			DuRizerudoreTest::WriteTinyGravityModel(GetGravityDirectory(), "egm84", 40);
			DuRizerudoreTest::WriteCoarseGeoid(GetGeoidDirectory(), "egm84-30", 10.0, [](double Lat, double Lon) { return Lat / 10.0 + Lon / 100.0; });
		}
	};

	std::vector<std::wstring> ConversionMessages(const FHostLogCapture& Capture)
	{
		return Capture.GetMessages(TEXT("LogDuRizerudoreConversion"));
	}
}

TEST(InstanceConstruction, DefaultAndModelFreeSetups)
{
	const FTinyModelPlugin Plugin;
	FHostLogCapture Capture;

	const FCoordinateConversionInstance Default{FCoordinateConversionSetup()};
	EXPECT_TRUE(Default.IsInitialized());
	EXPECT_TRUE(Default.SupportsGeoidQueries());
	ASSERT_TRUE(FAccess::GetGravityModel(Default).IsValid());
	// The default truncation is degree and order 16.
	EXPECT_EQ(FAccess::GetGravityModel(Default)->Degree(), 16);
	EXPECT_EQ(FAccess::GetGravityModel(Default)->Order(), 16);

	const FCoordinateConversionInstance NoModels(MakeSetup(EEarthGravityModel::None, EEarthGravityModel::None));
	EXPECT_TRUE(NoModels.IsInitialized());
	EXPECT_FALSE(NoModels.SupportsGeoidQueries());
	EXPECT_FALSE(FAccess::GetGravityModel(NoModels).IsValid());
	EXPECT_TRUE(FAccess::GetNormalGravity(NoModels).IsValid());
	EXPECT_TRUE(ConversionMessages(Capture).empty());

	const FCoordinateConversionInstance Empty;
	EXPECT_FALSE(Empty.IsInitialized());
	EXPECT_FALSE(Empty.SupportsGeoidQueries());
}

TEST(InstanceConstruction, OnlyTheWgs84DatumBuildsAndNothingIsLogged)
{
	DuRizerudoreTest::UseNoPlugin();
	FHostLogCapture Capture;
	FCoordinateConversionSetup Setup = MakeSetup(EEarthGravityModel::None, EEarthGravityModel::None);
	Setup.DatumModel = TEnumAsByte<EEarthDatumModel>(static_cast<uint8>(1));
	const FCoordinateConversionInstance Instance(Setup);
	EXPECT_FALSE(Instance.IsInitialized());
	EXPECT_FALSE(FAccess::GetGeocentric(Instance).IsValid());
	EXPECT_FALSE(FAccess::GetNormalGravity(Instance).IsValid());
	// The datum is refused before the plugin directory is even looked for.
	EXPECT_TRUE(ConversionMessages(Capture).empty());
}

TEST(InstanceConstruction, UnknownPluginIsReportedForEveryWgs84Setup)
{
	DuRizerudoreTest::UseNoPlugin();
	FHostLogCapture Capture;
	const FCoordinateConversionInstance NoModels(MakeSetup(EEarthGravityModel::None, EEarthGravityModel::None));
	EXPECT_TRUE(NoModels.IsInitialized());
	EXPECT_EQ(ConversionMessages(Capture), (std::vector<std::wstring>{L"Failed to resolve the DuRizerudore plugin directory."}));

	// Models are then looked for below the working directory's "data"; here there is none, silently.
	Capture.Clear();
	const FCoordinateConversionInstance WithModels{FCoordinateConversionSetup()};
	EXPECT_FALSE(WithModels.IsInitialized());
	EXPECT_EQ(ConversionMessages(Capture), (std::vector<std::wstring>{L"Failed to resolve the DuRizerudore plugin directory."}));
}

TEST(InstanceConstruction, DegreeAndOrderRules)
{
	const FTinyModelPlugin Plugin;
	struct FCase
	{
		ECoordinateGravityAccuracy Accuracy;
		int32 MaxDegree;
		int32 MaxOrder;
		bool bLoads;
		int ExpectedDegree;
		int ExpectedOrder;
		const wchar_t* Message;
	};
	const FCase Cases[] = {
		{ECoordinateGravityAccuracy::Full, -1, -1, true, 40, 40, nullptr},
		{ECoordinateGravityAccuracy::Full, -1, 5, false, 0, 0, L"GravityMaxDegree must be set when GravityMaxOrder is set."},
		{ECoordinateGravityAccuracy::Full, -7, 0, false, 0, 0, L"GravityMaxDegree must be set when GravityMaxOrder is set."},
		{ECoordinateGravityAccuracy::Full, 10, 12, false, 0, 0, L"GravityMaxOrder (12) cannot exceed GravityMaxDegree (10)."},
		{ECoordinateGravityAccuracy::Full, 10, -1, true, 10, 10, nullptr},
		{ECoordinateGravityAccuracy::Full, 10, 3, true, 10, 3, nullptr},
		{ECoordinateGravityAccuracy::Full, 0, 0, true, 0, 0, nullptr},
		// The truncated accuracies ignore the setup's degree and order, even impossible ones.
		{ECoordinateGravityAccuracy::Truncated8, -1, 5, true, 8, 8, nullptr},
		{ECoordinateGravityAccuracy::Truncated16, -1, 5, true, 16, 16, nullptr},
		{ECoordinateGravityAccuracy::Truncated32, -1, 5, true, 32, 32, nullptr},
	};
	for (const FCase& Case : Cases)
	{
		SCOPED_TRACE(testing::Message() << "degree " << Case.MaxDegree << ", order " << Case.MaxOrder);
		FHostLogCapture Capture;
		const FCoordinateConversionInstance Instance(MakeSetup(EEarthGravityModel::EGM84, EEarthGravityModel::EGM84, Case.Accuracy, Case.MaxDegree, Case.MaxOrder));
		EXPECT_EQ(Instance.IsInitialized(), Case.bLoads);
		// The gravity part never keeps the geoid from loading.
		EXPECT_TRUE(Instance.SupportsGeoidQueries());
		const TSharedPtr<GeographicLib::GravityModel, ESPMode::ThreadSafe>& Gravity = FAccess::GetGravityModel(Instance);
		EXPECT_EQ(Gravity.IsValid(), Case.bLoads);
		if (Gravity.IsValid())
		{
			EXPECT_EQ(Gravity->Degree(), Case.ExpectedDegree);
			EXPECT_EQ(Gravity->Order(), Case.ExpectedOrder);
		}
		const std::vector<std::wstring> Messages = ConversionMessages(Capture);
		if (Case.Message != nullptr)
		{
			EXPECT_EQ(Messages, (std::vector<std::wstring>{Case.Message}));
			EXPECT_EQ(Capture.GetLines()[0].Verbosity, ELogVerbosity::Error);
		}
		else
		{
			EXPECT_TRUE(Messages.empty());
		}
	}
}

TEST(InstanceConstruction, MissingDirectoriesAreSilentAndIndependent)
{
	FTemporaryPlugin Plugin;
	FHostLogCapture Capture;

	// Neither directory: nothing loads, nothing is said, not even about the invalid degree and order.
	const FCoordinateConversionInstance Nothing(MakeSetup(EEarthGravityModel::EGM84, EEarthGravityModel::EGM84, ECoordinateGravityAccuracy::Full, -1, 5));
	EXPECT_FALSE(Nothing.IsInitialized());
	EXPECT_FALSE(Nothing.SupportsGeoidQueries());
	EXPECT_TRUE(ConversionMessages(Capture).empty());

	// Only the geoid directory: the geoid loads, the instance stays unusable.
	Plugin.CreateModelDirectories(false, true);
	DuRizerudoreTest::WriteCoarseGeoid(Plugin.GetGeoidDirectory(), "egm96-15", 10.0, [](double, double) { return 5.0; });
	const FCoordinateConversionInstance GeoidOnly(MakeSetup(EEarthGravityModel::EGM84, EEarthGravityModel::EGM96));
	EXPECT_FALSE(GeoidOnly.IsInitialized());
	EXPECT_TRUE(GeoidOnly.SupportsGeoidQueries());
	EXPECT_NEAR(GeoidOnly.GetGeoidHeight(FVector(12.0, 34.0, 0.0)), 5.0, 1.5e-3);
	EXPECT_TRUE(ConversionMessages(Capture).empty());

	// Without a gravity model selected, the geoid alone makes a usable instance.
	const FCoordinateConversionInstance GeoidOnlyUsable(MakeSetup(EEarthGravityModel::None, EEarthGravityModel::EGM96));
	EXPECT_TRUE(GeoidOnlyUsable.IsInitialized());
}

TEST(InstanceConstruction, CopiesShareTheModelsAndMovesLeaveNullPointers)
{
	const FTinyModelPlugin Plugin;
	FCoordinateConversionInstance Original{FCoordinateConversionSetup()};
	ASSERT_TRUE(Original.IsInitialized());

	const FCoordinateConversionInstance Copy(Original);
	EXPECT_TRUE(Copy.IsInitialized());
	EXPECT_TRUE(Copy.SupportsGeoidQueries());
	EXPECT_EQ(FAccess::GetGeocentric(Copy).Get(), FAccess::GetGeocentric(Original).Get());
	EXPECT_EQ(FAccess::GetGravityModel(Copy).Get(), FAccess::GetGravityModel(Original).Get());
	EXPECT_EQ(FAccess::GetGeoid(Copy).Get(), FAccess::GetGeoid(Original).Get());
	EXPECT_EQ(FAccess::GetGeoid(Original).GetSharedReferenceCount(), 2);

	FCoordinateConversionInstance Assigned;
	Assigned = Copy;
	EXPECT_EQ(FAccess::GetNormalGravity(Assigned).Get(), FAccess::GetNormalGravity(Original).Get());

	FCoordinateConversionInstance Moved(MoveTemp(Original));
	EXPECT_TRUE(Moved.IsInitialized());
	EXPECT_FALSE(Original.IsInitialized());
	EXPECT_FALSE(Original.SupportsGeoidQueries());
	EXPECT_FALSE(FAccess::GetGeocentric(Original).IsValid());
	EXPECT_FALSE(FAccess::GetGravityModel(Original).IsValid());

	FCoordinateConversionInstance MoveAssigned;
	MoveAssigned = MoveTemp(Moved);
	EXPECT_TRUE(MoveAssigned.IsInitialized());
	EXPECT_FALSE(Moved.IsInitialized());
	EXPECT_EQ(FAccess::GetGeoid(MoveAssigned).Get(), FAccess::GetGeoid(Copy).Get());
}
