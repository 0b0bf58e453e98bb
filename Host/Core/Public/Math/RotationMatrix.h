// Rotation matrices from rotators, quaternions, and from axis directions.
#pragma once

#include "Math/QuatRotationTranslationMatrix.h"
#include "Math/RotationTranslationMatrix.h"
#include "Math/Rotator.h"

namespace UE::Math
{
	template <typename T>
	struct TRotationMatrix : public TRotationTranslationMatrix<T>
	{
		explicit TRotationMatrix(const TRotator<T>& Rot) : TRotationTranslationMatrix<T>(Rot, TVector<T>::ZeroVector) {}

		static TMatrix<T> Make(const TRotator<T>& Rot) { return TRotationMatrix(Rot); }
		static TMatrix<T> Make(const TQuat<T>& Rot) { return TQuatRotationMatrix<T>(Rot); }

		// The single-axis builders keep the frame as level as they can: the helper axis is world up, or world X
		// when the given axis is itself (nearly) vertical. The two-axis builders keep the first axis exactly
		// and the second as close as a right angle allows.

		static TMatrix<T> MakeFromX(const TVector<T>& XAxis)
		{
			const TVector<T> NewX = XAxis.GetSafeNormal();
			const TVector<T> UpVector = HelperAxis(NewX);
			const TVector<T> NewY = (UpVector ^ NewX).GetSafeNormal();
			const TVector<T> NewZ = NewX ^ NewY;
			return TMatrix<T>(NewX, NewY, NewZ, TVector<T>::ZeroVector);
		}

		static TMatrix<T> MakeFromY(const TVector<T>& YAxis)
		{
			const TVector<T> NewY = YAxis.GetSafeNormal();
			const TVector<T> UpVector = HelperAxis(NewY);
			const TVector<T> NewX = (NewY ^ UpVector).GetSafeNormal();
			const TVector<T> NewZ = NewX ^ NewY;
			return TMatrix<T>(NewX, NewY, NewZ, TVector<T>::ZeroVector);
		}

		static TMatrix<T> MakeFromZ(const TVector<T>& ZAxis)
		{
			const TVector<T> NewZ = ZAxis.GetSafeNormal();
			const TVector<T> UpVector = HelperAxis(NewZ);
			const TVector<T> NewX = (UpVector ^ NewZ).GetSafeNormal();
			const TVector<T> NewY = NewZ ^ NewX;
			return TMatrix<T>(NewX, NewY, NewZ, TVector<T>::ZeroVector);
		}

		static TMatrix<T> MakeFromXY(const TVector<T>& XAxis, const TVector<T>& YAxis)
		{
			const TVector<T> NewX = XAxis.GetSafeNormal();
			const TVector<T> Norm = SecondAxis(NewX, YAxis);
			const TVector<T> NewZ = (NewX ^ Norm).GetSafeNormal();
			const TVector<T> NewY = NewZ ^ NewX;
			return TMatrix<T>(NewX, NewY, NewZ, TVector<T>::ZeroVector);
		}

		static TMatrix<T> MakeFromXZ(const TVector<T>& XAxis, const TVector<T>& ZAxis)
		{
			const TVector<T> NewX = XAxis.GetSafeNormal();
			const TVector<T> Norm = SecondAxis(NewX, ZAxis);
			const TVector<T> NewY = (Norm ^ NewX).GetSafeNormal();
			const TVector<T> NewZ = NewX ^ NewY;
			return TMatrix<T>(NewX, NewY, NewZ, TVector<T>::ZeroVector);
		}

		static TMatrix<T> MakeFromYX(const TVector<T>& YAxis, const TVector<T>& XAxis)
		{
			const TVector<T> NewY = YAxis.GetSafeNormal();
			const TVector<T> Norm = SecondAxis(NewY, XAxis);
			const TVector<T> NewZ = (Norm ^ NewY).GetSafeNormal();
			const TVector<T> NewX = NewY ^ NewZ;
			return TMatrix<T>(NewX, NewY, NewZ, TVector<T>::ZeroVector);
		}

		static TMatrix<T> MakeFromYZ(const TVector<T>& YAxis, const TVector<T>& ZAxis)
		{
			const TVector<T> NewY = YAxis.GetSafeNormal();
			const TVector<T> Norm = SecondAxis(NewY, ZAxis);
			const TVector<T> NewX = (NewY ^ Norm).GetSafeNormal();
			const TVector<T> NewZ = NewX ^ NewY;
			return TMatrix<T>(NewX, NewY, NewZ, TVector<T>::ZeroVector);
		}

		static TMatrix<T> MakeFromZX(const TVector<T>& ZAxis, const TVector<T>& XAxis)
		{
			const TVector<T> NewZ = ZAxis.GetSafeNormal();
			const TVector<T> Norm = SecondAxis(NewZ, XAxis);
			const TVector<T> NewY = (NewZ ^ Norm).GetSafeNormal();
			const TVector<T> NewX = NewY ^ NewZ;
			return TMatrix<T>(NewX, NewY, NewZ, TVector<T>::ZeroVector);
		}

		static TMatrix<T> MakeFromZY(const TVector<T>& ZAxis, const TVector<T>& YAxis)
		{
			const TVector<T> NewZ = ZAxis.GetSafeNormal();
			const TVector<T> Norm = SecondAxis(NewZ, YAxis);
			const TVector<T> NewX = (Norm ^ NewZ).GetSafeNormal();
			const TVector<T> NewY = NewZ ^ NewX;
			return TMatrix<T>(NewX, NewY, NewZ, TVector<T>::ZeroVector);
		}

	private:
		static TVector<T> HelperAxis(const TVector<T>& Axis)
		{
			return FMath::Abs(Axis.Z) < (T(1) - UE_KINDA_SMALL_NUMBER) ? TVector<T>(0, 0, 1) : TVector<T>(1, 0, 0);
		}

		/** The second axis' direction, or a helper axis when it is (anti)parallel to the first. */
		static TVector<T> SecondAxis(const TVector<T>& NewFirst, const TVector<T>& Second)
		{
			const TVector<T> Norm = Second.GetSafeNormal();
			return FMath::IsNearlyEqual(FMath::Abs(NewFirst | Norm), T(1)) ? HelperAxis(NewFirst) : Norm;
		}
	};
}

using FRotationMatrix = UE::Math::TRotationMatrix<double>;
