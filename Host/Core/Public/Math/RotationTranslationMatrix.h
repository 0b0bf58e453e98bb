// A rotation given by a rotator, then a translation: rows are the rotated axes and the origin.
#pragma once

#include "Math/Matrix.h"
#include "Math/Rotator.h"

namespace UE::Math
{
	template <typename T>
	struct TRotationTranslationMatrix : public TMatrix<T>
	{
		/** Straight from the sines and cosines of the three angles; the same rotation as Rot.Quaternion(). */
		TRotationTranslationMatrix(const TRotator<T>& Rot, const TVector<T>& Origin)
		{
			T SP;
			T SY;
			T SR;
			T CP;
			T CY;
			T CR;
			FMath::SinCos(&SP, &CP, FMath::DegreesToRadians(Rot.Pitch));
			FMath::SinCos(&SY, &CY, FMath::DegreesToRadians(Rot.Yaw));
			FMath::SinCos(&SR, &CR, FMath::DegreesToRadians(Rot.Roll));
			T(&M)[4][4] = this->M;
			M[0][0] = CP * CY;
			M[0][1] = CP * SY;
			M[0][2] = SP;
			M[0][3] = T(0);
			M[1][0] = SR * SP * CY - CR * SY;
			M[1][1] = SR * SP * SY + CR * CY;
			M[1][2] = -SR * CP;
			M[1][3] = T(0);
			M[2][0] = -(CR * SP * CY + SR * SY);
			M[2][1] = CY * SR - CR * SP * SY;
			M[2][2] = CR * CP;
			M[2][3] = T(0);
			M[3][0] = Origin.X;
			M[3][1] = Origin.Y;
			M[3][2] = Origin.Z;
			M[3][3] = T(1);
		}

		static TMatrix<T> Make(const TRotator<T>& Rot, const TVector<T>& Origin) { return TRotationTranslationMatrix(Rot, Origin); }
	};
}

using FRotationTranslationMatrix = UE::Math::TRotationTranslationMatrix<double>;
