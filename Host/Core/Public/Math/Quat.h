// UE::Math::TQuat: a rotation quaternion, W the scalar part. Products are Hamilton products, and
// A * B rotates by B first, then by A.
#pragma once

#include "CoreTypes.h"
#include "Math/Axis.h"
#include "Math/MathFwd.h"
#include "Math/UnrealMathUtility.h"
#include "Math/Vector.h"
#include "Misc/AssertionMacros.h"

#include <limits>

namespace UE::Math
{
	template <typename T>
	struct TQuat
	{
		using FReal = T;

		T X;
		T Y;
		T Z;
		T W;

		static const TQuat Identity;

		/** Not initialised in the engine; NaN here, so that code reading an unwritten quaternion fails its tests. */
		constexpr TQuat() : X(std::numeric_limits<T>::quiet_NaN()), Y(std::numeric_limits<T>::quiet_NaN()), Z(std::numeric_limits<T>::quiet_NaN()), W(std::numeric_limits<T>::quiet_NaN()) {}
		constexpr TQuat(T InX, T InY, T InZ, T InW) : X(InX), Y(InY), Z(InZ), W(InW) {}

		/** The rotation by AngleRad about a unit axis. */
		TQuat(const TVector<T>& Axis, T AngleRad)
		{
			const T HalfAngle = T(0.5) * AngleRad;
			T S;
			T C;
			FMath::SinCos(&S, &C, HalfAngle);
			X = S * Axis.X;
			Y = S * Axis.Y;
			Z = S * Axis.Z;
			W = C;
		}

		explicit TQuat(const TRotator<T>& R);

		/**
		 * The rotation a matrix applies to row vectors. A near-zero axis row gives the identity; a row that is
		 * not of unit length is a programming error, reported once, and gives the identity as well.
		 */
		explicit TQuat(const TMatrix<T>& M);

		constexpr TQuat operator*(const TQuat& Q) const
		{
			return TQuat(W * Q.X + X * Q.W + Y * Q.Z - Z * Q.Y, W * Q.Y - X * Q.Z + Y * Q.W + Z * Q.X, W * Q.Z + X * Q.Y - Y * Q.X + Z * Q.W,
				W * Q.W - X * Q.X - Y * Q.Y - Z * Q.Z);
		}
		constexpr bool operator==(const TQuat& Q) const { return X == Q.X && Y == Q.Y && Z == Q.Z && W == Q.W; }
		constexpr bool operator!=(const TQuat& Q) const { return !(*this == Q); }
		TVector<T> operator*(const TVector<T>& V) const { return RotateVector(V); }

		/** v + W T + Q x T with T = 2 (Q x v). */
		TVector<T> RotateVector(const TVector<T>& V) const
		{
			const TVector<T> Q(X, Y, Z);
			const TVector<T> TT = TVector<T>::CrossProduct(Q, V) * T(2);
			return V + (TT * W) + TVector<T>::CrossProduct(Q, TT);
		}

		/** The inverse rotation, with the conjugate. */
		TVector<T> UnrotateVector(const TVector<T>& V) const
		{
			const TVector<T> Q(-X, -Y, -Z);
			const TVector<T> TT = TVector<T>::CrossProduct(Q, V) * T(2);
			return V + (TT * W) + TVector<T>::CrossProduct(Q, TT);
		}

		constexpr T SizeSquared() const { return X * X + Y * Y + Z * Z + W * W; }
		T Size() const { return FMath::Sqrt(SizeSquared()); }
		bool IsNormalized() const { return FMath::Abs(T(1) - SizeSquared()) < UE_THRESH_QUAT_NORMALIZED; }

		/** Unit length; a quaternion too short to normalise becomes the identity. */
		void Normalize(T Tolerance = UE_SMALL_NUMBER)
		{
			const T SquareSum = SizeSquared();
			if (SquareSum >= Tolerance)
			{
				const T Scale = FMath::InvSqrt(SquareSum);
				X *= Scale;
				Y *= Scale;
				Z *= Scale;
				W *= Scale;
			}
			else
			{
				*this = Identity;
			}
		}
		TQuat GetNormalized(T Tolerance = UE_SMALL_NUMBER) const
		{
			TQuat Result(*this);
			Result.Normalize(Tolerance);
			return Result;
		}

		/** The inverse of a unit quaternion. */
		constexpr TQuat Inverse() const { return TQuat(-X, -Y, -Z, W); }

		/** Equal as rotations: q and -q are the same rotation. */
		bool Equals(const TQuat& Q, T Tolerance = UE_KINDA_SMALL_NUMBER) const
		{
			const bool bSame = FMath::Abs(X - Q.X) <= Tolerance && FMath::Abs(Y - Q.Y) <= Tolerance && FMath::Abs(Z - Q.Z) <= Tolerance && FMath::Abs(W - Q.W) <= Tolerance;
			const bool bOpposite = FMath::Abs(X + Q.X) <= Tolerance && FMath::Abs(Y + Q.Y) <= Tolerance && FMath::Abs(Z + Q.Z) <= Tolerance && FMath::Abs(W + Q.W) <= Tolerance;
			return bSame || bOpposite;
		}

		TVector<T> GetAxisX() const { return RotateVector(TVector<T>(1, 0, 0)); }
		TVector<T> GetAxisY() const { return RotateVector(TVector<T>(0, 1, 0)); }
		TVector<T> GetAxisZ() const { return RotateVector(TVector<T>(0, 0, 1)); }

		bool ContainsNaN() const { return !FMath::IsFinite(X) || !FMath::IsFinite(Y) || !FMath::IsFinite(Z) || !FMath::IsFinite(W); }

		/** The engine's rotator of this rotation; Quaternion() of the result is the same rotation. */
		TRotator<T> Rotator() const;
	};

	template <typename T>
	inline const TQuat<T> TQuat<T>::Identity(0, 0, 0, 1);
}

#include "Math/Rotator.h"
#include "Math/Matrix.h"

namespace UE::Math
{
	template <typename T>
	TQuat<T>::TQuat(const TRotator<T>& R)
	{
		*this = R.Quaternion();
	}

	template <typename T>
	TQuat<T>::TQuat(const TMatrix<T>& M)
	{
		if (M.GetScaledAxis(EAxis::X).IsNearlyZero() || M.GetScaledAxis(EAxis::Y).IsNearlyZero() || M.GetScaledAxis(EAxis::Z).IsNearlyZero())
		{
			*this = Identity;
			return;
		}
#if !(UE_BUILD_SHIPPING || UE_BUILD_TEST)
		// Only an orthonormal upper block describes a rotation.
		if (!ensure((FMath::Abs(T(1) - M.GetScaledAxis(EAxis::X).SizeSquared()) <= UE_KINDA_SMALL_NUMBER)
				&& (FMath::Abs(T(1) - M.GetScaledAxis(EAxis::Y).SizeSquared()) <= UE_KINDA_SMALL_NUMBER)
				&& (FMath::Abs(T(1) - M.GetScaledAxis(EAxis::Z).SizeSquared()) <= UE_KINDA_SMALL_NUMBER)))
		{
			*this = Identity;
			return;
		}
#endif
		// Shepperd's method: start from the largest of the trace and the diagonal, for accuracy.
		const T Trace = M.M[0][0] + M.M[1][1] + M.M[2][2];
		if (Trace > T(0))
		{
			const T InvS = FMath::InvSqrt(Trace + T(1));
			W = T(0.5) * (T(1) / InvS);
			const T S = T(0.5) * InvS;
			X = (M.M[1][2] - M.M[2][1]) * S;
			Y = (M.M[2][0] - M.M[0][2]) * S;
			Z = (M.M[0][1] - M.M[1][0]) * S;
		}
		else
		{
			int32 I = 0;
			if (M.M[1][1] > M.M[0][0])
			{
				I = 1;
			}
			if (M.M[2][2] > M.M[I][I])
			{
				I = 2;
			}
			static constexpr int32 Next[3] = {1, 2, 0};
			const int32 J = Next[I];
			const int32 K = Next[J];
			T S = M.M[I][I] - M.M[J][J] - M.M[K][K] + T(1);
			const T InvS = FMath::InvSqrt(S);
			T Qt[4];
			Qt[I] = T(0.5) * (T(1) / InvS);
			S = T(0.5) * InvS;
			Qt[3] = (M.M[J][K] - M.M[K][J]) * S;
			Qt[J] = (M.M[I][J] + M.M[J][I]) * S;
			Qt[K] = (M.M[I][K] + M.M[K][I]) * S;
			X = Qt[0];
			Y = Qt[1];
			Z = Qt[2];
			W = Qt[3];
		}
	}

	template <typename T>
	TRotator<T> TQuat<T>::Rotator() const
	{
		const T SingularityTest = Z * X - W * Y;
		const T YawY = T(2) * (W * Z + X * Y);
		const T YawX = T(1) - T(2) * (FMath::Square(Y) + FMath::Square(Z));
		// Near the poles of pitch the roll is folded into the yaw, as the engine does.
		const T SingularityThreshold = T(0.4999995);
		const T RadToDeg = T(180) / T(UE_DOUBLE_PI);
		TRotator<T> Result;
		if (SingularityTest < -SingularityThreshold)
		{
			Result.Pitch = T(-90);
			Result.Yaw = FMath::Atan2(YawY, YawX) * RadToDeg;
			Result.Roll = TRotator<T>::NormalizeAxis(-Result.Yaw - (T(2) * FMath::Atan2(X, W) * RadToDeg));
		}
		else if (SingularityTest > SingularityThreshold)
		{
			Result.Pitch = T(90);
			Result.Yaw = FMath::Atan2(YawY, YawX) * RadToDeg;
			Result.Roll = TRotator<T>::NormalizeAxis(Result.Yaw - (T(2) * FMath::Atan2(X, W) * RadToDeg));
		}
		else
		{
			Result.Pitch = FMath::Asin(T(2) * SingularityTest) * RadToDeg;
			Result.Yaw = FMath::Atan2(YawY, YawX) * RadToDeg;
			Result.Roll = FMath::Atan2(T(-2) * (W * X + Y * Z), (T(1) - T(2) * (FMath::Square(X) + FMath::Square(Y)))) * RadToDeg;
		}
		return Result;
	}
}
