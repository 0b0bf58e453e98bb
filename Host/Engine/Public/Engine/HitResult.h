// FHitResult: the result of a sweep. The stand-in never sweeps, so a hit result is always "no hit".
#pragma once

#include "CoreMinimal.h"

struct FHitResult
{
	bool bBlockingHit = false;
	bool bStartPenetrating = false;
	float Time = 1.0f;
	FVector Location = FVector::ZeroVector;
	FVector ImpactPoint = FVector::ZeroVector;
	FVector Normal = FVector::ZeroVector;
	FVector ImpactNormal = FVector::ZeroVector;

	void Reset() { *this = FHitResult(); }
};
