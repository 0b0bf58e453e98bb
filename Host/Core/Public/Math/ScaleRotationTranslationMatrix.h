// Scale, then a rotation given by a rotator, then a translation.
#pragma once

#include "Math/Matrix.h"
#include "Math/Rotator.h"

namespace UE::Math
{
	template <typename T>
	struct TScaleRotationTranslationMatrix : public TMatrix<T>
	{
		TScaleRotationTranslationMatrix(const TVector<T>& Scale, const TRotator<T>& Rot, const TVector<T>& Origin)
		{
			T SP;
			T SY;
			T SR;
			T CP;
			T CY;
			T CR;
			GetSinCos(SP, CP, Rot.Pitch);
			GetSinCos(SY, CY, Rot.Yaw);
			GetSinCos(SR, CR, Rot.Roll);
			T(&M)[4][4] = this->M;
			M[0][0] = (CP * CY) * Scale.X;
			M[0][1] = (CP * SY) * Scale.X;
			M[0][2] = SP * Scale.X;
			M[0][3] = T(0);
			M[1][0] = (SR * SP * CY - CR * SY) * Scale.Y;
			M[1][1] = (SR * SP * SY + CR * CY) * Scale.Y;
			M[1][2] = (-SR * CP) * Scale.Y;
			M[1][3] = T(0);
			M[2][0] = (-(CR * SP * CY + SR * SY)) * Scale.Z;
			M[2][1] = (CY * SR - CR * SP * SY) * Scale.Z;
			M[2][2] = (CR * CP) * Scale.Z;
			M[2][3] = T(0);
			M[3][0] = Origin.X;
			M[3][1] = Origin.Y;
			M[3][2] = Origin.Z;
			M[3][3] = T(1);
		}

	private:
		// Whole quarter turns are exact, so axis-aligned rotators give exact zeros and ones.
		static void GetSinCos(T& S, T& C, T Degrees)
		{
			if (Degrees == T(0))
			{
				S = T(0);
				C = T(1);
			}
			else if (Degrees == T(90))
			{
				S = T(1);
				C = T(0);
			}
			else if (Degrees == T(180))
			{
				S = T(0);
				C = T(-1);
			}
			else if (Degrees == T(270))
			{
				S = T(-1);
				C = T(0);
			}
			else
			{
				FMath::SinCos(&S, &C, FMath::DegreesToRadians(Degrees));
			}
		}
	};
}

using FScaleRotationTranslationMatrix = UE::Math::TScaleRotationTranslationMatrix<double>;
