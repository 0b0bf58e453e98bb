// UE::Math::TTransform: rotation, translation and 3D scale. A point is scaled, then rotated, then
// translated.
#pragma once

#include "CoreTypes.h"
#include "Math/MathFwd.h"
#include "Math/Matrix.h"
#include "Math/Quat.h"
#include "Math/QuatRotationTranslationMatrix.h"
#include "Math/Vector.h"
#include "Misc/AssertionMacros.h"

namespace UE::Math
{
	template <typename T>
	struct TTransform
	{
		using FReal = T;

		static const TTransform Identity;

		/** The identity, unlike the other math types' default constructors. */
		TTransform() : Rotation(TQuat<T>::Identity), Translation(0, 0, 0), Scale3D(1, 1, 1) {}
		TTransform(const TQuat<T>& InRotation, const TVector<T>& InTranslation, const TVector<T>& InScale3D = TVector<T>(1, 1, 1))
			: Rotation(InRotation), Translation(InTranslation), Scale3D(InScale3D)
		{
		}
		explicit TTransform(const TVector<T>& InTranslation) : Rotation(TQuat<T>::Identity), Translation(InTranslation), Scale3D(1, 1, 1) {}
		explicit TTransform(const TMatrix<T>& InMatrix) { SetFromMatrix(InMatrix); }

		/**
		 * Scale from the lengths of the axis rows (a zero row gives 0), the X scale negated when the matrix
		 * mirrors, rotation from the normalised rows, translation from row 3.
		 */
		void SetFromMatrix(const TMatrix<T>& InMatrix)
		{
			TMatrix<T> M = InMatrix;
			Scale3D = M.ExtractScaling();
			if (InMatrix.Determinant() < T(0))
			{
				Scale3D.X = -Scale3D.X;
				M.SetAxis(0, -M.GetScaledAxis(EAxis::X));
			}
			Rotation = TQuat<T>(M);
			Rotation.Normalize();
			Translation = InMatrix.GetOrigin();
		}

		const TQuat<T>& GetRotation() const { return Rotation; }
		const TVector<T>& GetTranslation() const { return Translation; }
		const TVector<T>& GetScale3D() const { return Scale3D; }
		TVector<T> GetLocation() const { return Translation; }
		TRotator<T> Rotator() const { return Rotation.Rotator(); }
		bool ContainsNaN() const { return Translation.ContainsNaN() || Rotation.ContainsNaN() || Scale3D.ContainsNaN(); }
		void SetRotation(const TQuat<T>& NewRotation) { Rotation = NewRotation; }
		void SetTranslation(const TVector<T>& NewTranslation) { Translation = NewTranslation; }
		void SetScale3D(const TVector<T>& NewScale3D) { Scale3D = NewScale3D; }

		/** The rotation is a unit quaternion, to the engine's tolerance. */
		bool IsRotationNormalized() const { return FMath::Abs(T(1) - Rotation.SizeSquared()) <= UE_THRESH_QUAT_NORMALIZED; }

		/** Rows: the rotated axes times the scale, then the translation. The rotation must be normalised. */
		TMatrix<T> ToMatrixWithScale() const
		{
			TMatrix<T> Result = ToMatrixNoScale();
			for (int32 Column = 0; Column < 3; ++Column)
			{
				Result.M[0][Column] *= Scale3D.X;
				Result.M[1][Column] *= Scale3D.Y;
				Result.M[2][Column] *= Scale3D.Z;
			}
			return Result;
		}
		TMatrix<T> ToMatrixNoScale() const
		{
			check(IsRotationNormalized());
			return TQuatRotationTranslationMatrix<T>(Rotation, Translation);
		}

		bool Equals(const TTransform& Other, T Tolerance = UE_KINDA_SMALL_NUMBER) const
		{
			return Rotation.Equals(Other.Rotation, Tolerance) && Translation.Equals(Other.Translation, Tolerance) && Scale3D.Equals(Other.Scale3D, Tolerance);
		}

	private:
		TQuat<T> Rotation;
		TVector<T> Translation;
		TVector<T> Scale3D;
	};

	template <typename T>
	inline const TTransform<T> TTransform<T>::Identity(TQuat<T>(0, 0, 0, 1), TVector<T>(0, 0, 0), TVector<T>(1, 1, 1));
}
