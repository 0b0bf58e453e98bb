// A pure scale along the axes.
#pragma once

#include "Math/Matrix.h"

namespace UE::Math
{
	template <typename T>
	struct TScaleMatrix : public TMatrix<T>
	{
		explicit TScaleMatrix(T Scale) : TScaleMatrix(TVector<T>(Scale)) {}
		explicit TScaleMatrix(const TVector<T>& Scale)
			: TMatrix<T>(TVector<T>(Scale.X, 0, 0), TVector<T>(0, Scale.Y, 0), TVector<T>(0, 0, Scale.Z), TVector<T>::ZeroVector)
		{
		}

		static TMatrix<T> Make(T Scale) { return TScaleMatrix(Scale); }
		static TMatrix<T> Make(const TVector<T>& Scale) { return TScaleMatrix(Scale); }
	};
}

using FScaleMatrix = UE::Math::TScaleMatrix<double>;
