// Shared pieces of the reference-frame tests: frames on a model-free instance, PROJ as an oracle.
#pragma once

#include "DuRizerudoreConversionInternal.h"
#include "DuRizerudorePositionConversion.h"
#include "VectorExpectations.h"

#include <proj.h>

#include <string>

namespace DuRizerudoreTest
{
	/** An initialized instance without gravity model or geoid (no data files needed). */
	TSharedPtr<FCoordinateConversionInstance> MakeModelFreeInstance();

	FCoordinateReferenceFrame MakeFrame(ECoordinateLocalFrameType Type, double LatitudeDeg, double LongitudeDeg, double HeightM);

	/** A PROJ transformation from a PROJ string, applied to (x, y, z). */
	class FProjPipeline
	{
	public:
		explicit FProjPipeline(const std::string& Definition);
		~FProjPipeline();
		FProjPipeline(const FProjPipeline&) = delete;
		FProjPipeline& operator=(const FProjPipeline&) = delete;

		bool IsValid() const { return Transformation != nullptr; }
		FVector Forward(const FVector& Input) const;
		FVector Inverse(const FVector& Input) const;
		PJ* Get() const { return Transformation; }

	private:
		PJ_CONTEXT* Context = nullptr;
		PJ* Transformation = nullptr;
	};
}
