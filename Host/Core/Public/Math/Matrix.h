// UE::Math::TMatrix: 4x4, row-major, acting on row vectors: a point p maps to p * M. Rows 0 to 2 are
// the images of the X, Y and Z axes, row 3 the translation; A * B transforms by A first, then B.
#pragma once

#include "CoreTypes.h"
#include "Math/Axis.h"
#include "Math/MathFwd.h"
#include "Math/UnrealMathUtility.h"
#include "Math/Vector.h"
#include "Math/Vector4.h"

#include <limits>

namespace UE::Math
{
	template <typename T>
	struct TMatrix
	{
		using FReal = T;

		alignas(16) T M[4][4];

		static const TMatrix Identity;

		/** Not initialised in the engine; NaN here, so that code reading an unwritten matrix fails its tests. */
		TMatrix()
		{
			for (T(&Row)[4] : M)
			{
				for (T& Element : Row)
				{
					Element = std::numeric_limits<T>::quiet_NaN();
				}
			}
		}

		/** Rows X, Y, Z and W, with the last column (0, 0, 0, 1). */
		TMatrix(const TVector<T>& InX, const TVector<T>& InY, const TVector<T>& InZ, const TVector<T>& InW)
			: M{{InX.X, InX.Y, InX.Z, T(0)}, {InY.X, InY.Y, InY.Z, T(0)}, {InZ.X, InZ.Y, InZ.Z, T(0)}, {InW.X, InW.Y, InW.Z, T(1)}}
		{
		}

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

		/** The row vector P times this matrix. */
		TVector4<T> TransformFVector4(const TVector4<T>& P) const
		{
			return TVector4<T>(P.X * M[0][0] + P.Y * M[1][0] + P.Z * M[2][0] + P.W * M[3][0], P.X * M[0][1] + P.Y * M[1][1] + P.Z * M[2][1] + P.W * M[3][1],
				P.X * M[0][2] + P.Y * M[1][2] + P.Z * M[2][2] + P.W * M[3][2], P.X * M[0][3] + P.Y * M[1][3] + P.Z * M[2][3] + P.W * M[3][3]);
		}

		/** A point: rotated, scaled and translated (W = 1). */
		TVector4<T> TransformPosition(const TVector<T>& V) const { return TransformFVector4(TVector4<T>(V, T(1))); }

		/** A direction: rotated and scaled, not translated (W = 0). */
		TVector4<T> TransformVector(const TVector<T>& V) const { return TransformFVector4(TVector4<T>(V, T(0))); }

		T Determinant() const
		{
			return M[0][0] * (M[1][1] * (M[2][2] * M[3][3] - M[2][3] * M[3][2]) - M[2][1] * (M[1][2] * M[3][3] - M[1][3] * M[3][2]) + M[3][1] * (M[1][2] * M[2][3] - M[1][3] * M[2][2]))
				- M[1][0] * (M[0][1] * (M[2][2] * M[3][3] - M[2][3] * M[3][2]) - M[2][1] * (M[0][2] * M[3][3] - M[0][3] * M[3][2]) + M[3][1] * (M[0][2] * M[2][3] - M[0][3] * M[2][2]))
				+ M[2][0] * (M[0][1] * (M[1][2] * M[3][3] - M[1][3] * M[3][2]) - M[1][1] * (M[0][2] * M[3][3] - M[0][3] * M[3][2]) + M[3][1] * (M[0][2] * M[1][3] - M[0][3] * M[1][2]))
				- M[3][0] * (M[0][1] * (M[1][2] * M[2][3] - M[1][3] * M[2][2]) - M[1][1] * (M[0][2] * M[2][3] - M[0][3] * M[2][2]) + M[2][1] * (M[0][2] * M[1][3] - M[0][3] * M[1][2]));
		}

		/** The general inverse; a matrix without axes, or a singular one, gives the identity. */
		TMatrix Inverse() const
		{
			if (GetScaledAxis(EAxis::X).IsNearlyZero(UE_SMALL_NUMBER) && GetScaledAxis(EAxis::Y).IsNearlyZero(UE_SMALL_NUMBER)
				&& GetScaledAxis(EAxis::Z).IsNearlyZero(UE_SMALL_NUMBER))
			{
				return Identity;
			}
			// A singular matrix has no inverse; the engine answers with the identity rather than infinities.
			const T Det = Determinant();
			if (Det == T(0) || !FMath::IsFinite(Det))
			{
				return Identity;
			}
			TMatrix Result;
			FMath::MatrixInverse(Result.M, M);
			return Result;
		}
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

		/** Row Index (0 to 2 are the axes, 3 the origin). */
		void SetAxis(int32 Index, const TVector<T>& Axis)
		{
			M[Index][0] = Axis.X;
			M[Index][1] = Axis.Y;
			M[Index][2] = Axis.Z;
		}
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
		TQuat<T> ToQuat() const;

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
}
