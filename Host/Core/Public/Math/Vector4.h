// TVector4: a four-component vector, what a matrix gives when it transforms a point or a direction.
#pragma once

#include "CoreTypes.h"
#include "Math/MathFwd.h"
#include "Math/Vector.h"

#include <limits>

namespace UE::Math
{
	template <typename T>
	struct TVector4
	{
		T X;
		T Y;
		T Z;
		T W;

		/** Unset components are NaN, so that reading one that was never written shows. */
		constexpr TVector4()
			: X(std::numeric_limits<T>::quiet_NaN()), Y(std::numeric_limits<T>::quiet_NaN()), Z(std::numeric_limits<T>::quiet_NaN()), W(std::numeric_limits<T>::quiet_NaN())
		{
		}
		constexpr TVector4(T InX, T InY, T InZ, T InW) : X(InX), Y(InY), Z(InZ), W(InW) {}
		/** A point (W = 1) or, with InW = 0, a direction. */
		constexpr TVector4(const TVector<T>& InVector, T InW = 1) : X(InVector.X), Y(InVector.Y), Z(InVector.Z), W(InW) {}
	};

	template <typename T>
	constexpr TVector<T>::TVector(const TVector4<T>& V) : X(V.X), Y(V.Y), Z(V.Z)
	{
	}
}
