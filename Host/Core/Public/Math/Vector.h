// UE::Math::TVector: a three-component vector.
#pragma once

#include "CoreTypes.h"
#include "Math/MathFwd.h"
#include "Math/UnrealMathUtility.h"

#include <type_traits>

namespace UE::Math
{
	template <typename T>
	struct TVector
	{
		using FReal = T;

		T X;
		T Y;
		T Z;

		static const TVector ZeroVector;
		static const TVector OneVector;
		static const TVector XAxisVector;
		static const TVector YAxisVector;
		static const TVector ZAxisVector;
		static const TVector UpVector;
		static const TVector DownVector;
		static const TVector ForwardVector;
		static const TVector BackwardVector;
		static const TVector RightVector;
		static const TVector LeftVector;

		/** Components start at zero (the engine leaves them uninitialised). */
		constexpr TVector() : X(0), Y(0), Z(0) {}
		explicit constexpr TVector(T InF) : X(InF), Y(InF), Z(InF) {}
		constexpr TVector(T InX, T InY, T InZ) : X(InX), Y(InY), Z(InZ) {}

		constexpr TVector operator+(const TVector& V) const { return TVector(X + V.X, Y + V.Y, Z + V.Z); }
		constexpr TVector operator-(const TVector& V) const { return TVector(X - V.X, Y - V.Y, Z - V.Z); }
		constexpr TVector operator-() const { return TVector(-X, -Y, -Z); }
		constexpr TVector operator*(const TVector& V) const { return TVector(X * V.X, Y * V.Y, Z * V.Z); }
		constexpr TVector operator/(const TVector& V) const { return TVector(X / V.X, Y / V.Y, Z / V.Z); }
		constexpr TVector operator+(T Bias) const { return TVector(X + Bias, Y + Bias, Z + Bias); }
		constexpr TVector operator-(T Bias) const { return TVector(X - Bias, Y - Bias, Z - Bias); }
		constexpr TVector operator*(T Scale) const { return TVector(X * Scale, Y * Scale, Z * Scale); }
		constexpr TVector operator/(T Scale) const
		{
			const T RScale = T(1) / Scale;
			return TVector(X * RScale, Y * RScale, Z * RScale);
		}
		TVector& operator+=(const TVector& V)
		{
			X += V.X;
			Y += V.Y;
			Z += V.Z;
			return *this;
		}
		TVector& operator-=(const TVector& V)
		{
			X -= V.X;
			Y -= V.Y;
			Z -= V.Z;
			return *this;
		}
		TVector& operator*=(T Scale)
		{
			X *= Scale;
			Y *= Scale;
			Z *= Scale;
			return *this;
		}
		TVector& operator/=(T Scale) { return *this *= T(1) / Scale; }
		TVector& operator*=(const TVector& V)
		{
			X *= V.X;
			Y *= V.Y;
			Z *= V.Z;
			return *this;
		}
		TVector& operator/=(const TVector& V)
		{
			X /= V.X;
			Y /= V.Y;
			Z /= V.Z;
			return *this;
		}

		constexpr bool operator==(const TVector& V) const { return X == V.X && Y == V.Y && Z == V.Z; }
		constexpr bool operator!=(const TVector& V) const { return !(*this == V); }

		/** Dot product. */
		constexpr T operator|(const TVector& V) const { return X * V.X + Y * V.Y + Z * V.Z; }
		/** Cross product. */
		constexpr TVector operator^(const TVector& V) const { return TVector(Y * V.Z - Z * V.Y, Z * V.X - X * V.Z, X * V.Y - Y * V.X); }

		static constexpr T DotProduct(const TVector& A, const TVector& B) { return A | B; }
		static constexpr TVector CrossProduct(const TVector& A, const TVector& B) { return A ^ B; }
		static T Dist(const TVector& A, const TVector& B) { return (A - B).Size(); }
		static T Distance(const TVector& A, const TVector& B) { return Dist(A, B); }
		static constexpr T DistSquared(const TVector& A, const TVector& B) { return (A - B).SizeSquared(); }
		static T Dist2D(const TVector& A, const TVector& B) { return (A - B).Size2D(); }

		T& operator[](int32 Index) { return Index == 0 ? X : (Index == 1 ? Y : Z); }
		T operator[](int32 Index) const { return Index == 0 ? X : (Index == 1 ? Y : Z); }

		T Size() const { return FMath::Sqrt(SizeSquared()); }
		constexpr T SizeSquared() const { return X * X + Y * Y + Z * Z; }
		T Size2D() const { return FMath::Sqrt(X * X + Y * Y); }
		constexpr T SizeSquared2D() const { return X * X + Y * Y; }
		T GetMax() const { return FMath::Max(FMath::Max(X, Y), Z); }
		T GetMin() const { return FMath::Min(FMath::Min(X, Y), Z); }
		T GetAbsMax() const { return FMath::Max(FMath::Max(FMath::Abs(X), FMath::Abs(Y)), FMath::Abs(Z)); }
		T GetAbsMin() const { return FMath::Min(FMath::Min(FMath::Abs(X), FMath::Abs(Y)), FMath::Abs(Z)); }
		TVector GetAbs() const { return TVector(FMath::Abs(X), FMath::Abs(Y), FMath::Abs(Z)); }
		TVector ComponentMin(const TVector& V) const { return TVector(FMath::Min(X, V.X), FMath::Min(Y, V.Y), FMath::Min(Z, V.Z)); }
		TVector ComponentMax(const TVector& V) const { return TVector(FMath::Max(X, V.X), FMath::Max(Y, V.Y), FMath::Max(Z, V.Z)); }
		/** +1 or -1 per component; zero counts as positive. */
		TVector GetSignVector() const { return TVector(X >= T(0) ? T(1) : T(-1), Y >= T(0) ? T(1) : T(-1), Z >= T(0) ? T(1) : T(-1)); }

		/** The unit vector, or ResultIfZero when the squared length is below the tolerance. */
		TVector GetSafeNormal(T Tolerance = UE_SMALL_NUMBER, const TVector& ResultIfZero = ZeroVector) const
		{
			const T SquareSum = SizeSquared();
			if (SquareSum == T(1))
			{
				return *this;
			}
			if (SquareSum < Tolerance)
			{
				return ResultIfZero;
			}
			return *this * FMath::InvSqrt(SquareSum);
		}
		/** The unit vector of the XY part, Z dropped. */
		TVector GetSafeNormal2D(T Tolerance = UE_SMALL_NUMBER, const TVector& ResultIfZero = ZeroVector) const
		{
			const T SquareSum = SizeSquared2D();
			if (SquareSum == T(1))
			{
				return Z == T(0) ? *this : TVector(X, Y, T(0));
			}
			if (SquareSum < Tolerance)
			{
				return ResultIfZero;
			}
			const T Scale = FMath::InvSqrt(SquareSum);
			return TVector(X * Scale, Y * Scale, T(0));
		}
		/** The part of this vector along A. */
		TVector ProjectOnTo(const TVector& A) const { return A * ((*this | A) / (A | A)); }
		/** The part of this vector along a unit normal. */
		TVector ProjectOnToNormal(const TVector& Normal) const { return Normal * (*this | Normal); }
		TVector GetUnsafeNormal() const { return *this * FMath::InvSqrt(SizeSquared()); }
		bool Normalize(T Tolerance = UE_SMALL_NUMBER)
		{
			const T SquareSum = SizeSquared();
			if (SquareSum > Tolerance)
			{
				*this *= FMath::InvSqrt(SquareSum);
				return true;
			}
			return false;
		}

		bool IsNearlyZero(T Tolerance = UE_KINDA_SMALL_NUMBER) const
		{
			return FMath::Abs(X) <= Tolerance && FMath::Abs(Y) <= Tolerance && FMath::Abs(Z) <= Tolerance;
		}
		constexpr bool IsZero() const { return X == T(0) && Y == T(0) && Z == T(0); }
		bool IsNormalized() const { return FMath::Abs(T(1) - SizeSquared()) < UE_THRESH_VECTOR_NORMALIZED; }
		bool IsUnit(T LengthSquaredTolerance = UE_KINDA_SMALL_NUMBER) const { return FMath::Abs(T(1) - SizeSquared()) < LengthSquaredTolerance; }
		bool AllComponentsEqual(T Tolerance = UE_KINDA_SMALL_NUMBER) const
		{
			return FMath::Abs(X - Y) <= Tolerance && FMath::Abs(X - Z) <= Tolerance && FMath::Abs(Y - Z) <= Tolerance;
		}
		bool IsUniform(T Tolerance = UE_KINDA_SMALL_NUMBER) const { return AllComponentsEqual(Tolerance); }
		bool Equals(const TVector& V, T Tolerance = UE_KINDA_SMALL_NUMBER) const
		{
			return FMath::Abs(X - V.X) <= Tolerance && FMath::Abs(Y - V.Y) <= Tolerance && FMath::Abs(Z - V.Z) <= Tolerance;
		}
		bool ContainsNaN() const { return !FMath::IsFinite(X) || !FMath::IsFinite(Y) || !FMath::IsFinite(Z); }
	};

	template <typename T>
	inline const TVector<T> TVector<T>::ZeroVector(0, 0, 0);
	template <typename T>
	inline const TVector<T> TVector<T>::OneVector(1, 1, 1);
	template <typename T>
	inline const TVector<T> TVector<T>::XAxisVector(1, 0, 0);
	template <typename T>
	inline const TVector<T> TVector<T>::YAxisVector(0, 1, 0);
	template <typename T>
	inline const TVector<T> TVector<T>::ZAxisVector(0, 0, 1);
	template <typename T>
	inline const TVector<T> TVector<T>::UpVector(0, 0, 1);
	template <typename T>
	inline const TVector<T> TVector<T>::DownVector(0, 0, -1);
	template <typename T>
	inline const TVector<T> TVector<T>::ForwardVector(1, 0, 0);
	template <typename T>
	inline const TVector<T> TVector<T>::BackwardVector(-1, 0, 0);
	template <typename T>
	inline const TVector<T> TVector<T>::RightVector(0, 1, 0);
	template <typename T>
	inline const TVector<T> TVector<T>::LeftVector(0, -1, 0);

	template <typename T, typename T2, typename = std::enable_if_t<std::is_arithmetic_v<T2>>>
	constexpr TVector<T> operator*(T2 Scale, const TVector<T>& V)
	{
		return V * T(Scale);
	}
}
