// Rotation (and translation) matrices built from a quaternion: rows are the rotated axes.
#pragma once

#include "Math/Matrix.h"
#include "Math/Quat.h"

namespace UE::Math
{
	template <typename T>
	struct TQuatRotationTranslationMatrix : public TMatrix<T>
	{
		TQuatRotationTranslationMatrix(const TQuat<T>& Q, const TVector<T>& Origin)
			: TMatrix<T>(Q.RotateVector(TVector<T>(1, 0, 0)), Q.RotateVector(TVector<T>(0, 1, 0)), Q.RotateVector(TVector<T>(0, 0, 1)), Origin)
		{
		}

		static TMatrix<T> Make(const TQuat<T>& Q, const TVector<T>& Origin) { return TQuatRotationTranslationMatrix(Q, Origin); }
	};

	template <typename T>
	struct TQuatRotationMatrix : public TQuatRotationTranslationMatrix<T>
	{
		explicit TQuatRotationMatrix(const TQuat<T>& Q) : TQuatRotationTranslationMatrix<T>(Q, TVector<T>::ZeroVector) {}

		static TMatrix<T> Make(const TQuat<T>& Q) { return TQuatRotationMatrix(Q); }
	};
}

using FQuatRotationTranslationMatrix = UE::Math::TQuatRotationTranslationMatrix<double>;
using FQuatRotationMatrix = UE::Math::TQuatRotationMatrix<double>;
