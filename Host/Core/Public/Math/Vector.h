// UE::Math::TVector: a three-component vector.
#pragma once

#include "CoreTypes.h"
#include "Math/MathFwd.h"
#include "Math/UnrealMathUtility.h"

#include <limits>
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

		/** Not initialised in the engine; NaN here, so that code reading an unwritten vector fails its tests. */
		constexpr TVector() : X(std::numeric_limits<T>::quiet_NaN()), Y(std::numeric_limits<T>::quiet_NaN()), Z(std::numeric_limits<T>::quiet_NaN()) {}
		explicit constexpr TVector(T InF) : X(InF), Y(InF), Z(InF) {}
		constexpr TVector(T InX, T InY, T InZ) : X(InX), Y(InY), Z(InZ) {}
		/** The first three components (defined in "Math/Vector4.h"). */
		explicit constexpr TVector(const TVector4<T>& V);

		constexpr TVector operator+(const TVector& V) const { return TVector(X + V.X, Y + V.Y, Z + V.Z); }
		constexpr TVector operator-(const TVector& V) const { return TVector(X - V.X, Y - V.Y, Z - V.Z); }
		constexpr TVector operator-() const { return TVector(-X, -Y, -Z); }
		constexpr TVector operator*(const TVector& V) const { return TVector(X * V.X, Y * V.Y, Z * V.Z); }
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

		constexpr bool operator==(const TVector& V) const { return X == V.X && Y == V.Y && Z == V.Z; }
		constexpr bool operator!=(const TVector& V) const { return !(*this == V); }

		/** Dot product. */
		constexpr T operator|(const TVector& V) const { return X * V.X + Y * V.Y + Z * V.Z; }
		/** Cross product. */
		constexpr TVector operator^(const TVector& V) const { return TVector(Y * V.Z - Z * V.Y, Z * V.X - X * V.Z, X * V.Y - Y * V.X); }

		static constexpr T DotProduct(const TVector& A, const TVector& B) { return A | B; }
		static constexpr TVector CrossProduct(const TVector& A, const TVector& B) { return A ^ B; }

		T& operator[](int32 Index) { return Index == 0 ? X : (Index == 1 ? Y : Z); }
		T operator[](int32 Index) const { return Index == 0 ? X : (Index == 1 ? Y : Z); }

		T Size() const { return FMath::Sqrt(SizeSquared()); }
		constexpr T SizeSquared() const { return X * X + Y * Y + Z * Z; }

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
