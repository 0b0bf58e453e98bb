#include "ReferenceFrameTestSupport.h"

#include "TestPluginDirectory.h"

#include <gtest/gtest.h>

namespace DuRizerudoreTest
{
	TSharedPtr<FCoordinateConversionInstance> MakeModelFreeInstance()
	{
		UseRepositoryPlugin();
		FCoordinateConversionSetup Setup;
		Setup.GravityModel = EEarthGravityModel::None;
		Setup.GeoidModel = EEarthGravityModel::None;
		return MakeShared<FCoordinateConversionInstance>(Setup);
	}

	FCoordinateReferenceFrame MakeFrame(const ECoordinateLocalFrameType Type, const double LatitudeDeg, const double LongitudeDeg, const double HeightM)
	{
		return FCoordinateReferenceFrame(MakeModelFreeInstance(),
			FCoordinateReferenceSetup(FGeodeticCoordinate(LatitudeDeg, LongitudeDeg, HeightM), ECoordinateAltitudeReference::Ellipsoid, Type));
	}

	FProjPipeline::FProjPipeline(const std::string& Definition)
	{
		Context = proj_context_create();
		Transformation = proj_create(Context, Definition.c_str());
	}

	FProjPipeline::~FProjPipeline()
	{
		proj_destroy(Transformation);
		proj_context_destroy(Context);
	}

	FVector FProjPipeline::Forward(const FVector& Input) const
	{
		const PJ_COORD Output = proj_trans(Transformation, PJ_FWD, proj_coord(Input.X, Input.Y, Input.Z, 0));
		return FVector(Output.xyz.x, Output.xyz.y, Output.xyz.z);
	}

	FVector FProjPipeline::Inverse(const FVector& Input) const
	{
		const PJ_COORD Output = proj_trans(Transformation, PJ_INV, proj_coord(Input.X, Input.Y, Input.Z, 0));
		return FVector(Output.xyz.x, Output.xyz.y, Output.xyz.z);
	}
}
