// UE::Math::TMatrix: 4x4, row-major, acting on row vectors: a point p maps to p * M. Rows 0 to 2 are
// the images of the X, Y and Z axes, row 3 the translation; A * B transforms by A first, then B.
#pragma once

#include "CoreTypes.h"
#include "Math/Axis.h"
#include "Math/MathFwd.h"
#include "Math/UnrealMathUtility.h"
#include "Math/Vector.h"

namespace UE::Math
{
	template <typename T>
	struct TMatrix
	{
		using FReal = T;

		alignas(16) T M[4][4];

		static const TMatrix Identity;

		/** All zero (the engine leaves it uninitialised). */
		constexpr TMatrix() : M{} {}

		/** Rows X, Y, Z and W, with the last column (0, 0, 0, 1). */
		TMatrix(const TVector<T>& InX, const TVector<T>& InY, const TVector<T>& InZ, const TVector<T>& InW)
			: M{{InX.X, InX.Y, InX.Z, T(0)}, {InY.X, InY.Y, InY.Z, T(0)}, {InZ.X, InZ.Y, InZ.Z, T(0)}, {InW.X, InW.Y, InW.Z, T(1)}}
		{
		}

		void SetIdentity() { *this = Identity; }

		TMatrix operator*(const TMatrix& Other) const
		{
			TMatrix Result;
			for (int32 Row = 0; Row < 4; ++Row)
			{
				for (int32 Column = 0; Column < 4; ++Column)
				{
					Result.M[Row][Column] = M[Row][0] * Other.M[0][Column] + M[Row][1] * Other.M[1][Column] + M[Row][2] * Other.M[2][Column] + M[Row][3] * Other.M[3][Column];
				}
			}
			return Result;
		}
		TMatrix& operator*=(const TMatrix& Other) { return *this = *this * Other; }
		TMatrix& operator+=(const TMatrix& Other) { return *this = *this + Other; }
		TMatrix& operator*=(T Scale) { return *this = *this * Scale; }
		TMatrix operator+(const TMatrix& Other) const
		{
			TMatrix Result;
			for (int32 Row = 0; Row < 4; ++Row)
			{
				for (int32 Column = 0; Column < 4; ++Column)
				{
					Result.M[Row][Column] = M[Row][Column] + Other.M[Row][Column];
				}
			}
			return Result;
		}
		TMatrix operator*(T Scale) const
		{
			TMatrix Result;
			for (int32 Row = 0; Row < 4; ++Row)
			{
				for (int32 Column = 0; Column < 4; ++Column)
				{
					Result.M[Row][Column] = M[Row][Column] * Scale;
				}
			}
			return Result;
		}
		bool operator==(const TMatrix& Other) const
		{
			for (int32 Row = 0; Row < 4; ++Row)
			{
				for (int32 Column = 0; Column < 4; ++Column)
				{
					if (M[Row][Column] != Other.M[Row][Column])
					{
						return false;
					}
				}
			}
			return true;
		}
		bool operator!=(const TMatrix& Other) const { return !(*this == Other); }
		bool Equals(const TMatrix& Other, T Tolerance = UE_KINDA_SMALL_NUMBER) const
		{
			for (int32 Row = 0; Row < 4; ++Row)
			{
				for (int32 Column = 0; Column < 4; ++Column)
				{
					if (FMath::Abs(M[Row][Column] - Other.M[Row][Column]) > Tolerance)
					{
						return false;
					}
				}
			}
			return true;
		}

		/** A point: rotated, scaled and translated. */
		TVector<T> TransformPosition(const TVector<T>& V) const
		{
			return TVector<T>(V.X * M[0][0] + V.Y * M[1][0] + V.Z * M[2][0] + M[3][0], V.X * M[0][1] + V.Y * M[1][1] + V.Z * M[2][1] + M[3][1],
				V.X * M[0][2] + V.Y * M[1][2] + V.Z * M[2][2] + M[3][2]);
		}

		/** A direction: rotated and scaled, not translated. */
		TVector<T> TransformVector(const TVector<T>& V) const
		{
			return TVector<T>(V.X * M[0][0] + V.Y * M[1][0] + V.Z * M[2][0], V.X * M[0][1] + V.Y * M[1][1] + V.Z * M[2][1], V.X * M[0][2] + V.Y * M[1][2] + V.Z * M[2][2]);
		}

		TMatrix GetTransposed() const
		{
			TMatrix Result;
			for (int32 Row = 0; Row < 4; ++Row)
			{
				for (int32 Column = 0; Column < 4; ++Column)
				{
					Result.M[Row][Column] = M[Column][Row];
				}
			}
			return Result;
		}

		T Determinant() const
		{
			return M[0][0] * (M[1][1] * (M[2][2] * M[3][3] - M[2][3] * M[3][2]) - M[2][1] * (M[1][2] * M[3][3] - M[1][3] * M[3][2]) + M[3][1] * (M[1][2] * M[2][3] - M[1][3] * M[2][2]))
				- M[1][0] * (M[0][1] * (M[2][2] * M[3][3] - M[2][3] * M[3][2]) - M[2][1] * (M[0][2] * M[3][3] - M[0][3] * M[3][2]) + M[3][1] * (M[0][2] * M[2][3] - M[0][3] * M[2][2]))
				+ M[2][0] * (M[0][1] * (M[1][2] * M[3][3] - M[1][3] * M[3][2]) - M[1][1] * (M[0][2] * M[3][3] - M[0][3] * M[3][2]) + M[3][1] * (M[0][2] * M[1][3] - M[0][3] * M[1][2]))
				- M[3][0] * (M[0][1] * (M[1][2] * M[2][3] - M[1][3] * M[2][2]) - M[1][1] * (M[0][2] * M[2][3] - M[0][3] * M[2][2]) + M[2][1] * (M[0][2] * M[1][3] - M[0][3] * M[1][2]));
		}

		/** The determinant of the upper 3x3 block. */
		T RotDeterminant() const
		{
			return M[0][0] * (M[1][1] * M[2][2] - M[1][2] * M[2][1]) - M[1][0] * (M[0][1] * M[2][2] - M[0][2] * M[2][1]) + M[2][0] * (M[0][1] * M[1][2] - M[0][2] * M[1][1]);
		}

		/** The general inverse; a matrix without axes, or a singular one, gives the identity. */
		TMatrix Inverse() const
		{
			if (GetScaledAxis(EAxis::X).IsNearlyZero(UE_SMALL_NUMBER) && GetScaledAxis(EAxis::Y).IsNearlyZero(UE_SMALL_NUMBER)
				&& GetScaledAxis(EAxis::Z).IsNearlyZero(UE_SMALL_NUMBER))
			{
				return Identity;
			}
			TMatrix Result;
			FMath::MatrixInverse(Result.M, M);
			return Result;
		}
		/** The inverse without the check for a matrix without axes. */
		TMatrix InverseFast() const
		{
			TMatrix Result;
			FMath::MatrixInverse(Result.M, M);
			return Result;
		}

		TVector<T> InverseTransformPosition(const TVector<T>& V) const { return InverseFast().TransformPosition(V); }
		TVector<T> InverseTransformVector(const TVector<T>& V) const { return InverseFast().TransformVector(V); }

		TVector<T> GetScaledAxis(EAxis::Type Axis) const
		{
			switch (Axis)
			{
			case EAxis::X:
				return TVector<T>(M[0][0], M[0][1], M[0][2]);
			case EAxis::Y:
				return TVector<T>(M[1][0], M[1][1], M[1][2]);
			case EAxis::Z:
				return TVector<T>(M[2][0], M[2][1], M[2][2]);
			default:
				return TVector<T>::ZeroVector;
			}
		}
		TVector<T> GetUnitAxis(EAxis::Type Axis) const { return GetScaledAxis(Axis).GetSafeNormal(); }

		void GetScaledAxes(TVector<T>& X, TVector<T>& Y, TVector<T>& Z) const
		{
			X = GetScaledAxis(EAxis::X);
			Y = GetScaledAxis(EAxis::Y);
			Z = GetScaledAxis(EAxis::Z);
		}
		void GetUnitAxes(TVector<T>& X, TVector<T>& Y, TVector<T>& Z) const
		{
			X = GetUnitAxis(EAxis::X);
			Y = GetUnitAxis(EAxis::Y);
			Z = GetUnitAxis(EAxis::Z);
		}

		/** Row Index (0 to 2 are the axes, 3 the origin). */
		void SetAxis(int32 Index, const TVector<T>& Axis)
		{
			M[Index][0] = Axis.X;
			M[Index][1] = Axis.Y;
			M[Index][2] = Axis.Z;
		}
		void SetAxes(const TVector<T>* Axis0 = nullptr, const TVector<T>* Axis1 = nullptr, const TVector<T>* Axis2 = nullptr, const TVector<T>* Origin = nullptr)
		{
			const TVector<T>* Rows[4] = {Axis0, Axis1, Axis2, Origin};
			for (int32 Row = 0; Row < 4; ++Row)
			{
				if (Rows[Row] != nullptr)
				{
					SetAxis(Row, *Rows[Row]);
				}
			}
		}
		/** Column i (0 to 2) of the upper three rows. */
		TVector<T> GetColumn(int32 i) const { return TVector<T>(M[0][i], M[1][i], M[2][i]); }
		TVector<T> GetOrigin() const { return TVector<T>(M[3][0], M[3][1], M[3][2]); }
		void SetOrigin(const TVector<T>& Origin)
		{
			M[3][0] = Origin.X;
			M[3][1] = Origin.Y;
			M[3][2] = Origin.Z;
		}

		/**
		 * Divides each axis row by its length and returns the lengths. A row whose squared length is at most
		 * the tolerance gets scale 0 and is left as it is.
		 */
		TVector<T> ExtractScaling(T Tolerance = UE_SMALL_NUMBER)
		{
			TVector<T> Scale(0, 0, 0);
			for (int32 Row = 0; Row < 3; ++Row)
			{
				const T SquareSum = M[Row][0] * M[Row][0] + M[Row][1] * M[Row][1] + M[Row][2] * M[Row][2];
				if (SquareSum > Tolerance)
				{
					const T RowScale = FMath::Sqrt(SquareSum);
					Scale[Row] = RowScale;
					const T InverseScale = T(1) / RowScale;
					M[Row][0] *= InverseScale;
					M[Row][1] *= InverseScale;
					M[Row][2] *= InverseScale;
				}
			}
			return Scale;
		}
		TVector<T> GetScaleVector(T Tolerance = UE_SMALL_NUMBER) const
		{
			TMatrix Copy(*this);
			return Copy.ExtractScaling(Tolerance);
		}
		/** Brings each axis row to unit length; rows at or below the tolerance stay as they are. */
		void RemoveScaling(T Tolerance = UE_SMALL_NUMBER)
		{
			for (int32 Row = 0; Row < 3; ++Row)
			{
				const T SquareSum = M[Row][0] * M[Row][0] + M[Row][1] * M[Row][1] + M[Row][2] * M[Row][2];
				const T Scale = SquareSum - Tolerance >= T(0) ? FMath::InvSqrt(SquareSum) : T(1);
				M[Row][0] *= Scale;
				M[Row][1] *= Scale;
				M[Row][2] *= Scale;
			}
		}
		TMatrix GetMatrixWithoutScale(T Tolerance = UE_SMALL_NUMBER) const
		{
			TMatrix Result(*this);
			Result.RemoveScaling(Tolerance);
			return Result;
		}
		/** The largest axis scale. */
		T GetMaximumAxisScale() const
		{
			const T MaxRowScaleSquared = FMath::Max(GetScaledAxis(EAxis::X).SizeSquared(), FMath::Max(GetScaledAxis(EAxis::Y).SizeSquared(), GetScaledAxis(EAxis::Z).SizeSquared()));
			return FMath::Sqrt(MaxRowScaleSquared);
		}
		/** Scales the axis rows (not the origin) uniformly. */
		TMatrix ApplyScale(T Scale) const
		{
			TMatrix Result(*this);
			for (int32 Row = 0; Row < 3; ++Row)
			{
				for (int32 Column = 0; Column < 3; ++Column)
				{
					Result.M[Row][Column] *= Scale;
				}
			}
			return Result;
		}

		TMatrix RemoveTranslation() const
		{
			TMatrix Result(*this);
			Result.M[3][0] = T(0);
			Result.M[3][1] = T(0);
			Result.M[3][2] = T(0);
			return Result;
		}
		/** This matrix, then a translation. */
		TMatrix ConcatTranslation(const TVector<T>& Translation) const
		{
			TMatrix Result(*this);
			Result.M[3][0] += Translation.X;
			Result.M[3][1] += Translation.Y;
			Result.M[3][2] += Translation.Z;
			return Result;
		}
		void ScaleTranslation(const TVector<T>& Scale3D)
		{
			M[3][0] *= Scale3D.X;
			M[3][1] *= Scale3D.Y;
			M[3][2] *= Scale3D.Z;
		}

		TQuat<T> ToQuat() const;
		TRotator<T> Rotator() const;

		bool ContainsNaN() const
		{
			for (int32 Row = 0; Row < 4; ++Row)
			{
				for (int32 Column = 0; Column < 4; ++Column)
				{
					if (!FMath::IsFinite(M[Row][Column]))
					{
						return true;
					}
				}
			}
			return false;
		}
	};

	template <typename T>
	inline const TMatrix<T> TMatrix<T>::Identity(TVector<T>(1, 0, 0), TVector<T>(0, 1, 0), TVector<T>(0, 0, 1), TVector<T>(0, 0, 0));
}

#include "Math/Quat.h"

namespace UE::Math
{
	template <typename T>
	TQuat<T> TMatrix<T>::ToQuat() const
	{
		return TQuat<T>(*this);
	}

	template <typename T>
	TRotator<T> TMatrix<T>::Rotator() const
	{
		// Pitch and yaw from the X axis, roll from where the Y axis lies against the unrolled frame; scaled rows
		// are fine, only the directions count.
		const TVector<T> XAxis = GetScaledAxis(EAxis::X);
		const TVector<T> YAxis = GetScaledAxis(EAxis::Y);
		const TVector<T> ZAxis = GetScaledAxis(EAxis::Z);
		const T RadToDeg = T(180) / T(UE_DOUBLE_PI);
		TRotator<T> Result(FMath::Atan2(XAxis.Z, FMath::Sqrt(FMath::Square(XAxis.X) + FMath::Square(XAxis.Y))) * RadToDeg, FMath::Atan2(XAxis.Y, XAxis.X) * RadToDeg, T(0));
		// The Y axis of the rotation with that pitch and yaw and no roll: (-sin yaw, cos yaw, 0).
		T SY;
		T CY;
		FMath::SinCos(&SY, &CY, FMath::DegreesToRadians(Result.Yaw));
		const TVector<T> SYAxis(-SY, CY, T(0));
		Result.Roll = FMath::Atan2(ZAxis | SYAxis, YAxis | SYAxis) * RadToDeg;
		return Result;
	}
}
