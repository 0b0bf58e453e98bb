// UE::Math::TVector2: a two-component vector.
#pragma once

#include "CoreTypes.h"
#include "Math/MathFwd.h"
#include "Math/UnrealMathUtility.h"

#include <type_traits>

namespace UE::Math
{
	template <typename T>
	struct TVector2
	{
		T X;
		T Y;

		static const TVector2 ZeroVector;
		static const TVector2 UnitVector;

		constexpr TVector2() : X(0), Y(0) {}
		explicit constexpr TVector2(T InF) : X(InF), Y(InF) {}
		constexpr TVector2(T InX, T InY) : X(InX), Y(InY) {}

		constexpr TVector2 operator+(const TVector2& V) const { return TVector2(X + V.X, Y + V.Y); }
		constexpr TVector2 operator-(const TVector2& V) const { return TVector2(X - V.X, Y - V.Y); }
		constexpr TVector2 operator-() const { return TVector2(-X, -Y); }
		constexpr TVector2 operator*(const TVector2& V) const { return TVector2(X * V.X, Y * V.Y); }
		constexpr TVector2 operator/(const TVector2& V) const { return TVector2(X / V.X, Y / V.Y); }
		constexpr TVector2 operator*(T Scale) const { return TVector2(X * Scale, Y * Scale); }
		constexpr TVector2 operator/(T Scale) const { return TVector2(X / Scale, Y / Scale); }
		TVector2& operator+=(const TVector2& V)
		{
			X += V.X;
			Y += V.Y;
			return *this;
		}
		TVector2& operator-=(const TVector2& V)
		{
			X -= V.X;
			Y -= V.Y;
			return *this;
		}
		TVector2& operator*=(T Scale)
		{
			X *= Scale;
			Y *= Scale;
			return *this;
		}
		TVector2& operator/=(T Scale)
		{
			X /= Scale;
			Y /= Scale;
			return *this;
		}
		constexpr bool operator==(const TVector2& V) const { return X == V.X && Y == V.Y; }
		constexpr bool operator!=(const TVector2& V) const { return !(*this == V); }

		/** Dot product. */
		constexpr T operator|(const TVector2& V) const { return X * V.X + Y * V.Y; }
		/** The Z component of the cross product of the two vectors lifted into the XY plane. */
		constexpr T operator^(const TVector2& V) const { return X * V.Y - Y * V.X; }
		static constexpr T DotProduct(const TVector2& A, const TVector2& B) { return A | B; }
		static constexpr T CrossProduct(const TVector2& A, const TVector2& B) { return A ^ B; }
		static constexpr T DistSquared(const TVector2& A, const TVector2& B) { return (A - B).SizeSquared(); }
		static T Distance(const TVector2& A, const TVector2& B) { return (A - B).Size(); }

		T& operator[](int32 Index) { return Index == 0 ? X : Y; }
		T operator[](int32 Index) const { return Index == 0 ? X : Y; }

		T Size() const { return FMath::Sqrt(X * X + Y * Y); }
		constexpr T SizeSquared() const { return X * X + Y * Y; }
		TVector2 GetSafeNormal(T Tolerance = UE_SMALL_NUMBER) const
		{
			const T SquareSum = SizeSquared();
			if (SquareSum > Tolerance)
			{
				const T Scale = FMath::InvSqrt(SquareSum);
				return TVector2(X * Scale, Y * Scale);
			}
			return TVector2(T(0), T(0));
		}
		void Normalize(T Tolerance = UE_SMALL_NUMBER) { *this = GetSafeNormal(Tolerance); }
		constexpr bool IsZero() const { return X == T(0) && Y == T(0); }
		bool Equals(const TVector2& V, T Tolerance = UE_KINDA_SMALL_NUMBER) const { return FMath::Abs(X - V.X) <= Tolerance && FMath::Abs(Y - V.Y) <= Tolerance; }
		bool IsNearlyZero(T Tolerance = UE_KINDA_SMALL_NUMBER) const { return FMath::Abs(X) <= Tolerance && FMath::Abs(Y) <= Tolerance; }
		bool ContainsNaN() const { return !FMath::IsFinite(X) || !FMath::IsFinite(Y); }
	};

	template <typename T>
	inline const TVector2<T> TVector2<T>::ZeroVector(0, 0);
	template <typename T>
	inline const TVector2<T> TVector2<T>::UnitVector(1, 1);

	template <typename T, typename T2, typename = std::enable_if_t<std::is_arithmetic_v<T2>>>
	constexpr TVector2<T> operator*(T2 Scale, const TVector2<T>& V)
	{
		return V * T(Scale);
	}
}
