// A uniformly distributed random rotation, for invariants checked over many orientations.
#pragma once

#include "Math/Quat.h"

#include <random>

namespace DuRizerudoreTest
{
	/** A unit quaternion drawn uniformly over the rotations (a normalised four-dimensional Gaussian). */
	inline FQuat RandomRotation(std::mt19937_64& Random)
	{
		std::normal_distribution<double> Gaussian;
		FQuat Rotation(Gaussian(Random), Gaussian(Random), Gaussian(Random), Gaussian(Random));
		Rotation.Normalize();
		return Rotation;
	}
}
