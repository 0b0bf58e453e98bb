// UE::Math::TTransform: rotation, translation and 3D scale. A point is scaled, then rotated, then
// translated; A * B applies A first, then B, as matrices do.
#pragma once

#include "CoreTypes.h"
#include "Math/MathFwd.h"
#include "Math/Matrix.h"
#include "Math/Quat.h"
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
		TTransform(const TQuat<T>& InRotation, const TVector<T>& InTranslation, const TVector<T>& InScale3D = TVector<T>(1, 1, 1))
			: Rotation(InRotation), Translation(InTranslation), Scale3D(InScale3D)
		{
		}
		TTransform(const TRotator<T>& InRotation, const TVector<T>& InTranslation, const TVector<T>& InScale3D = TVector<T>(1, 1, 1))
			: Rotation(InRotation.Quaternion()), Translation(InTranslation), Scale3D(InScale3D)
		{
		}
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
		TVector<T> GetLocation() const { return Translation; }
		const TVector<T>& GetScale3D() const { return Scale3D; }
		void SetRotation(const TQuat<T>& NewRotation) { Rotation = NewRotation; }
		void SetTranslation(const TVector<T>& NewTranslation) { Translation = NewTranslation; }
		void SetLocation(const TVector<T>& NewLocation) { Translation = NewLocation; }
		void SetScale3D(const TVector<T>& NewScale3D) { Scale3D = NewScale3D; }
		TRotator<T> Rotator() const { return Rotation.Rotator(); }

		TMatrix<T> ToMatrixWithScale() const
		{
			return TMatrix<T>(Rotation.RotateVector(TVector<T>(Scale3D.X, 0, 0)), Rotation.RotateVector(TVector<T>(0, Scale3D.Y, 0)),
				Rotation.RotateVector(TVector<T>(0, 0, Scale3D.Z)), Translation);
		}
		TMatrix<T> ToMatrixNoScale() const
		{
			return TMatrix<T>(Rotation.RotateVector(TVector<T>(1, 0, 0)), Rotation.RotateVector(TVector<T>(0, 1, 0)), Rotation.RotateVector(TVector<T>(0, 0, 1)), Translation);
		}

		TVector<T> TransformPosition(const TVector<T>& V) const { return Rotation.RotateVector(Scale3D * V) + Translation; }
		TVector<T> TransformPositionNoScale(const TVector<T>& V) const { return Rotation.RotateVector(V) + Translation; }
		TVector<T> TransformVector(const TVector<T>& V) const { return Rotation.RotateVector(Scale3D * V); }
		TVector<T> TransformVectorNoScale(const TVector<T>& V) const { return Rotation.RotateVector(V); }
		TVector<T> InverseTransformPosition(const TVector<T>& V) const { return Rotation.UnrotateVector(V - Translation) * SafeScaleReciprocal(Scale3D); }
		TVector<T> InverseTransformPositionNoScale(const TVector<T>& V) const { return Rotation.UnrotateVector(V - Translation); }
		TVector<T> InverseTransformVector(const TVector<T>& V) const { return Rotation.UnrotateVector(V) * SafeScaleReciprocal(Scale3D); }
		TVector<T> InverseTransformVectorNoScale(const TVector<T>& V) const { return Rotation.UnrotateVector(V); }
		TQuat<T> TransformRotation(const TQuat<T>& Q) const { return Rotation * Q; }
		TQuat<T> InverseTransformRotation(const TQuat<T>& Q) const { return Rotation.Inverse() * Q; }

		TVector<T> GetUnitAxis(EAxis::Type Axis) const { return TransformVectorNoScale(AxisVector(Axis)); }
		TVector<T> GetScaledAxis(EAxis::Type Axis) const { return TransformVector(AxisVector(Axis)); }

		TTransform Inverse() const
		{
			if (HasNegativeScale())
			{
				return TTransform(ToMatrixWithScale().Inverse());
			}
			const TQuat<T> InverseRotation = Rotation.Inverse();
			const TVector<T> InverseScale = SafeScaleReciprocal(Scale3D);
			const TVector<T> InverseTranslation = InverseRotation.RotateVector(InverseScale * -Translation);
			return TTransform(InverseRotation, InverseTranslation, InverseScale);
		}

		/** This transform first, then Other. */
		TTransform operator*(const TTransform& Other) const
		{
			if (HasNegativeScale() || Other.HasNegativeScale())
			{
				// Mirroring does not compose component-wise; the matrices do.
				return TTransform(ToMatrixWithScale() * Other.ToMatrixWithScale());
			}
			TTransform Result;
			Result.Rotation = Other.Rotation * Rotation;
			Result.Scale3D = Scale3D * Other.Scale3D;
			Result.Translation = Other.Rotation.RotateVector(Other.Scale3D * Translation) + Other.Translation;
			return Result;
		}

		bool Equals(const TTransform& Other, T Tolerance = UE_KINDA_SMALL_NUMBER) const
		{
			return Rotation.Equals(Other.Rotation, Tolerance) && Translation.Equals(Other.Translation, Tolerance) && Scale3D.Equals(Other.Scale3D, Tolerance);
		}
		bool ContainsNaN() const { return Rotation.ContainsNaN() || Translation.ContainsNaN() || Scale3D.ContainsNaN(); }
		bool IsValid() const { return !ContainsNaN() && Rotation.IsNormalized(); }

	private:
		bool HasNegativeScale() const { return Scale3D.X < T(0) || Scale3D.Y < T(0) || Scale3D.Z < T(0); }

		static TVector<T> AxisVector(EAxis::Type Axis)
		{
			return Axis == EAxis::X ? TVector<T>(1, 0, 0) : (Axis == EAxis::Y ? TVector<T>(0, 1, 0) : TVector<T>(0, 0, 1));
		}

		static TVector<T> SafeScaleReciprocal(const TVector<T>& InScale, T Tolerance = UE_SMALL_NUMBER)
		{
			const auto Reciprocal = [Tolerance](T Value) { return FMath::Abs(Value) <= Tolerance ? T(0) : T(1) / Value; };
			return TVector<T>(Reciprocal(InScale.X), Reciprocal(InScale.Y), Reciprocal(InScale.Z));
		}

		TQuat<T> Rotation;
		TVector<T> Translation;
		TVector<T> Scale3D;
	};

	template <typename T>
	inline const TTransform<T> TTransform<T>::Identity(TQuat<T>(0, 0, 0, 1), TVector<T>(0, 0, 0), TVector<T>(1, 1, 1));
}
