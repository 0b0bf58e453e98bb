// UE::Math::TTransform: rotation, translation and 3D scale. A point is scaled, then rotated, then
// translated; A * B applies A first, then B, as matrices do.
#pragma once

#include "CoreTypes.h"
#include "Math/MathFwd.h"
#include "Math/Matrix.h"
#include "Math/Quat.h"
#include "Math/QuatRotationTranslationMatrix.h"
#include "Math/Rotator.h"
#include "Math/Vector.h"

namespace UE::Math
{
	template <typename T>
	struct TTransform
	{
		using FReal = T;

		static const TTransform Identity;

		TTransform() : Rotation(TQuat<T>::Identity), Translation(0, 0, 0), Scale3D(1, 1, 1) {}
		explicit TTransform(const TVector<T>& InTranslation) : Rotation(TQuat<T>::Identity), Translation(InTranslation), Scale3D(1, 1, 1) {}
		explicit TTransform(const TQuat<T>& InRotation) : Rotation(InRotation), Translation(0, 0, 0), Scale3D(1, 1, 1) {}
		explicit TTransform(const TRotator<T>& InRotation) : Rotation(InRotation.Quaternion()), Translation(0, 0, 0), Scale3D(1, 1, 1) {}
		TTransform(const TQuat<T>& InRotation, const TVector<T>& InTranslation, const TVector<T>& InScale3D = TVector<T>(1, 1, 1))
			: Rotation(InRotation), Translation(InTranslation), Scale3D(InScale3D)
		{
		}
		TTransform(const TRotator<T>& InRotation, const TVector<T>& InTranslation, const TVector<T>& InScale3D = TVector<T>(1, 1, 1))
			: Rotation(InRotation.Quaternion()), Translation(InTranslation), Scale3D(InScale3D)
		{
		}
		explicit TTransform(const TMatrix<T>& InMatrix) { SetFromMatrix(InMatrix); }
		/** From the images of the axes and the translation, as the rows of a matrix. */
		TTransform(const TVector<T>& InX, const TVector<T>& InY, const TVector<T>& InZ, const TVector<T>& InTranslation) { SetFromMatrix(TMatrix<T>(InX, InY, InZ, InTranslation)); }

		void SetIdentity() { *this = Identity; }
		void SetComponents(const TQuat<T>& InRotation, const TVector<T>& InTranslation, const TVector<T>& InScale3D)
		{
			Rotation = InRotation;
			Translation = InTranslation;
			Scale3D = InScale3D;
		}

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
		TVector<T> GetLocation() const { return Translation; }
		const TVector<T>& GetScale3D() const { return Scale3D; }
		void SetRotation(const TQuat<T>& NewRotation) { Rotation = NewRotation; }
		void SetTranslation(const TVector<T>& NewTranslation) { Translation = NewTranslation; }
		void SetLocation(const TVector<T>& NewLocation) { Translation = NewLocation; }
		void SetScale3D(const TVector<T>& NewScale3D) { Scale3D = NewScale3D; }
		TRotator<T> Rotator() const { return Rotation.Rotator(); }

		/** Rows: the rotated axes times the scale, then the translation. */
		TMatrix<T> ToMatrixWithScale() const
		{
			TMatrix<T> Result = TQuatRotationTranslationMatrix<T>(Rotation, Translation);
			for (int32 Column = 0; Column < 3; ++Column)
			{
				Result.M[0][Column] *= Scale3D.X;
				Result.M[1][Column] *= Scale3D.Y;
				Result.M[2][Column] *= Scale3D.Z;
			}
			return Result;
		}
		TMatrix<T> ToMatrixNoScale() const { return TQuatRotationTranslationMatrix<T>(Rotation, Translation); }

		TVector<T> TransformPosition(const TVector<T>& V) const { return Rotation.RotateVector(Scale3D * V) + Translation; }
		TVector<T> TransformPositionNoScale(const TVector<T>& V) const { return Rotation.RotateVector(V) + Translation; }
		TVector<T> TransformVector(const TVector<T>& V) const { return Rotation.RotateVector(Scale3D * V); }
		TVector<T> TransformVectorNoScale(const TVector<T>& V) const { return Rotation.RotateVector(V); }
		TVector<T> InverseTransformPosition(const TVector<T>& V) const { return Rotation.UnrotateVector(V - Translation) * GetSafeScaleReciprocal(Scale3D); }
		TVector<T> InverseTransformPositionNoScale(const TVector<T>& V) const { return Rotation.UnrotateVector(V - Translation); }
		TVector<T> InverseTransformVector(const TVector<T>& V) const { return Rotation.UnrotateVector(V) * GetSafeScaleReciprocal(Scale3D); }
		TVector<T> InverseTransformVectorNoScale(const TVector<T>& V) const { return Rotation.UnrotateVector(V); }
		TQuat<T> TransformRotation(const TQuat<T>& Q) const { return Rotation * Q; }
		TQuat<T> InverseTransformRotation(const TQuat<T>& Q) const { return Rotation.Inverse() * Q; }

		TVector<T> GetUnitAxis(EAxis::Type Axis) const { return TransformVectorNoScale(AxisVector(Axis)); }
		TVector<T> GetScaledAxis(EAxis::Type Axis) const { return TransformVector(AxisVector(Axis)); }

		/**
		 * The inverse as a transform. Scale comes first in a transform, so this is exact only for uniform scale;
		 * InverseTransformPosition inverts exactly.
		 */
		TTransform Inverse() const
		{
			const TQuat<T> InverseRotation = Rotation.Inverse();
			const TVector<T> InverseScale = GetSafeScaleReciprocal(Scale3D);
			const TVector<T> InverseTranslation = InverseRotation.RotateVector(InverseScale * -Translation);
			return TTransform(InverseRotation, InverseTranslation, InverseScale);
		}

		/** This transform first, then Other. Exact when Other's scale is uniform. */
		TTransform operator*(const TTransform& Other) const
		{
			TTransform Result;
			Multiply(&Result, this, &Other);
			return Result;
		}
		TTransform& operator*=(const TTransform& Other) { return *this = *this * Other; }
		TTransform operator*(const TQuat<T>& Other) const { return *this * TTransform(Other); }

		/** A first, then B. */
		static void Multiply(TTransform* OutTransform, const TTransform* A, const TTransform* B)
		{
			if (A->HasNegativeScale() || B->HasNegativeScale())
			{
				// Mirroring does not compose component-wise; the matrices do.
				*OutTransform = FromMatrixWithDesiredScale(A->ToMatrixWithScale(), B->ToMatrixWithScale(), A->Scale3D * B->Scale3D);
				return;
			}
			OutTransform->Rotation = B->Rotation * A->Rotation;
			OutTransform->Scale3D = A->Scale3D * B->Scale3D;
			OutTransform->Translation = B->Rotation.RotateVector(B->Scale3D * A->Translation) + B->Translation;
		}

		/** This transform relative to Other: the R with R * Other == *this. */
		TTransform GetRelativeTransform(const TTransform& Other) const
		{
			if (HasNegativeScale() || Other.HasNegativeScale())
			{
				return FromMatrixWithDesiredScale(ToMatrixWithScale(), Other.ToMatrixWithScale().Inverse(), Scale3D * GetSafeScaleReciprocal(Other.Scale3D));
			}
			const TVector<T> SafeRecipScale3D = GetSafeScaleReciprocal(Other.Scale3D, UE_SMALL_NUMBER);
			if (!Other.Rotation.IsNormalized())
			{
				return Identity;
			}
			const TQuat<T> InverseRotation = Other.Rotation.Inverse();
			TTransform Result;
			Result.Scale3D = Scale3D * SafeRecipScale3D;
			Result.Rotation = InverseRotation * Rotation;
			Result.Translation = InverseRotation.RotateVector(Translation - Other.Translation) * SafeRecipScale3D;
			return Result;
		}

		static TVector<T> GetSafeScaleReciprocal(const TVector<T>& InScale, T Tolerance = UE_SMALL_NUMBER)
		{
			const auto Reciprocal = [Tolerance](T Value) { return FMath::Abs(Value) <= Tolerance ? T(0) : T(1) / Value; };
			return TVector<T>(Reciprocal(InScale.X), Reciprocal(InScale.Y), Reciprocal(InScale.Z));
		}

		T GetDeterminant() const { return Scale3D.X * Scale3D.Y * Scale3D.Z; }
		T GetMaximumAxisScale() const { return Scale3D.GetAbsMax(); }
		bool RotationEquals(const TTransform& Other, T Tolerance = UE_KINDA_SMALL_NUMBER) const { return Rotation.Equals(Other.Rotation, Tolerance); }
		bool TranslationEquals(const TTransform& Other, T Tolerance = UE_KINDA_SMALL_NUMBER) const { return Translation.Equals(Other.Translation, Tolerance); }
		bool Scale3DEquals(const TTransform& Other, T Tolerance = UE_KINDA_SMALL_NUMBER) const { return Scale3D.Equals(Other.Scale3D, Tolerance); }

		bool Equals(const TTransform& Other, T Tolerance = UE_KINDA_SMALL_NUMBER) const
		{
			return Rotation.Equals(Other.Rotation, Tolerance) && Translation.Equals(Other.Translation, Tolerance) && Scale3D.Equals(Other.Scale3D, Tolerance);
		}
		bool ContainsNaN() const { return Rotation.ContainsNaN() || Translation.ContainsNaN() || Scale3D.ContainsNaN(); }
		bool IsValid() const { return !ContainsNaN() && Rotation.IsNormalized(); }

	private:
		bool HasNegativeScale() const { return Scale3D.X < T(0) || Scale3D.Y < T(0) || Scale3D.Z < T(0); }

		/** The rotation and translation of AMatrix * BMatrix, with DesiredScale (whose signs mirror the axes). */
		static TTransform FromMatrixWithDesiredScale(const TMatrix<T>& AMatrix, const TMatrix<T>& BMatrix, const TVector<T>& DesiredScale)
		{
			TMatrix<T> M = AMatrix * BMatrix;
			M.RemoveScaling();
			const TVector<T> SignedScale = DesiredScale.GetSignVector();
			M.SetAxis(0, M.GetScaledAxis(EAxis::X) * SignedScale.X);
			M.SetAxis(1, M.GetScaledAxis(EAxis::Y) * SignedScale.Y);
			M.SetAxis(2, M.GetScaledAxis(EAxis::Z) * SignedScale.Z);
			TQuat<T> OutRotation(M);
			OutRotation.Normalize();
			return TTransform(OutRotation, M.GetOrigin(), DesiredScale);
		}

		static TVector<T> AxisVector(EAxis::Type Axis)
		{
			return Axis == EAxis::X ? TVector<T>(1, 0, 0) : (Axis == EAxis::Y ? TVector<T>(0, 1, 0) : TVector<T>(0, 0, 1));
		}

		TQuat<T> Rotation;
		TVector<T> Translation;
		TVector<T> Scale3D;
	};

	template <typename T>
	inline const TTransform<T> TTransform<T>::Identity(TQuat<T>(0, 0, 0, 1), TVector<T>(0, 0, 0), TVector<T>(1, 1, 1));
}
