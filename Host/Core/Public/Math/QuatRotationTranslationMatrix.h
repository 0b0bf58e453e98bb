// Rotation (and translation) matrices built from a quaternion: rows are the rotated axes.
#pragma once

#include "Math/Matrix.h"
#include "Math/Quat.h"

namespace UE::Math
{
	template <typename T>
	struct TQuatRotationTranslationMatrix : public TMatrix<T>
	{
		/** The closed form of a unit quaternion's rotation, then a translation to Origin. */
		TQuatRotationTranslationMatrix(const TQuat<T>& Q, const TVector<T>& Origin)
		{
			const T X2 = Q.X + Q.X;
			const T Y2 = Q.Y + Q.Y;
			const T Z2 = Q.Z + Q.Z;
			const T XX = Q.X * X2;
			const T XY = Q.X * Y2;
			const T XZ = Q.X * Z2;
			const T YY = Q.Y * Y2;
			const T YZ = Q.Y * Z2;
			const T ZZ = Q.Z * Z2;
			const T WX = Q.W * X2;
			const T WY = Q.W * Y2;
			const T WZ = Q.W * Z2;
			T(&M)[4][4] = this->M;
			M[0][0] = T(1) - (YY + ZZ);
			M[0][1] = XY + WZ;
			M[0][2] = XZ - WY;
			M[0][3] = T(0);
			M[1][0] = XY - WZ;
			M[1][1] = T(1) - (XX + ZZ);
			M[1][2] = YZ + WX;
			M[1][3] = T(0);
			M[2][0] = XZ + WY;
			M[2][1] = YZ - WX;
			M[2][2] = T(1) - (XX + YY);
			M[2][3] = T(0);
			M[3][0] = Origin.X;
			M[3][1] = Origin.Y;
			M[3][2] = Origin.Z;
			M[3][3] = T(1);
		}

		static TMatrix<T> Make(const TQuat<T>& Q, const TVector<T>& Origin) { return TQuatRotationTranslationMatrix(Q, Origin); }
	};
}

using FQuatRotationTranslationMatrix = UE::Math::TQuatRotationTranslationMatrix<double>;
