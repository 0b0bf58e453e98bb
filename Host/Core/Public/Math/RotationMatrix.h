// Rotation matrices from rotators, and from axis directions.
#pragma once

#include "Math/QuatRotationTranslationMatrix.h"
#include "Math/Rotator.h"

namespace UE::Math
{
	template <typename T>
	struct TRotationMatrix : public TMatrix<T>
	{
		explicit TRotationMatrix(const TRotator<T>& Rot) : TMatrix<T>(TQuatRotationMatrix<T>(Rot.Quaternion())) {}

		static TMatrix<T> Make(const TRotator<T>& Rot) { return TRotationMatrix(Rot); }
		static TMatrix<T> Make(const TQuat<T>& Rot) { return TQuatRotationMatrix<T>(Rot); }

		/** A rotation whose X axis points along XAxis, keeping Z as close to world up as possible. */
		static TMatrix<T> MakeFromX(const TVector<T>& XAxis)
		{
			const TVector<T> NewX = XAxis.GetSafeNormal();
			const TVector<T> UpVector = FMath::Abs(NewX.Z) < T(1) - UE_KINDA_SMALL_NUMBER ? TVector<T>(0, 0, 1) : TVector<T>(1, 0, 0);
			const TVector<T> NewY = (UpVector ^ NewX).GetSafeNormal();
			const TVector<T> NewZ = NewX ^ NewY;
			return TMatrix<T>(NewX, NewY, NewZ, TVector<T>::ZeroVector);
		}

		/** A rotation whose Z axis points along ZAxis. */
		static TMatrix<T> MakeFromZ(const TVector<T>& ZAxis)
		{
			const TVector<T> NewZ = ZAxis.GetSafeNormal();
			const TVector<T> UpVector = FMath::Abs(NewZ.Z) < T(1) - UE_KINDA_SMALL_NUMBER ? TVector<T>(0, 0, 1) : TVector<T>(1, 0, 0);
			const TVector<T> NewX = (UpVector ^ NewZ).GetSafeNormal();
			const TVector<T> NewY = NewZ ^ NewX;
			return TMatrix<T>(NewX, NewY, NewZ, TVector<T>::ZeroVector);
		}

		/** X along XAxis exactly, Z as close to ZAxis as the right angle allows. */
		static TMatrix<T> MakeFromXZ(const TVector<T>& XAxis, const TVector<T>& ZAxis)
		{
			const TVector<T> NewX = XAxis.GetSafeNormal();
			TVector<T> Norm = ZAxis.GetSafeNormal();
			if (FMath::IsNearlyEqual(FMath::Abs(NewX | Norm), T(1)))
			{
				Norm = FMath::Abs(NewX.Z) < (T(1) - UE_KINDA_SMALL_NUMBER) ? TVector<T>(0, 0, 1) : TVector<T>(1, 0, 0);
			}
			const TVector<T> NewY = (Norm ^ NewX).GetSafeNormal();
			const TVector<T> NewZ = NewX ^ NewY;
			return TMatrix<T>(NewX, NewY, NewZ, TVector<T>::ZeroVector);
		}

		/** Z along ZAxis exactly, X as close to XAxis as the right angle allows. */
		static TMatrix<T> MakeFromZX(const TVector<T>& ZAxis, const TVector<T>& XAxis)
		{
			const TVector<T> NewZ = ZAxis.GetSafeNormal();
			TVector<T> Norm = XAxis.GetSafeNormal();
			if (FMath::IsNearlyEqual(FMath::Abs(NewZ | Norm), T(1)))
			{
				Norm = FMath::Abs(NewZ.Z) < (T(1) - UE_KINDA_SMALL_NUMBER) ? TVector<T>(0, 0, 1) : TVector<T>(1, 0, 0);
			}
			const TVector<T> NewY = (NewZ ^ Norm).GetSafeNormal();
			const TVector<T> NewX = NewY ^ NewZ;
			return TMatrix<T>(NewX, NewY, NewZ, TVector<T>::ZeroVector);
		}
	};
}

using FRotationMatrix = UE::Math::TRotationMatrix<double>;
