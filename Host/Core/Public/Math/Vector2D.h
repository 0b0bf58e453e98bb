// UE::Math::TVector2: a two-component vector.
#pragma once

#include "CoreTypes.h"
#include "Math/MathFwd.h"
#include "Math/UnrealMathUtility.h"

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
		constexpr TVector2 operator*(T Scale) const { return TVector2(X * Scale, Y * Scale); }
		constexpr TVector2 operator/(T Scale) const { return TVector2(X / Scale, Y / Scale); }
		constexpr bool operator==(const TVector2& V) const { return X == V.X && Y == V.Y; }
		constexpr bool operator!=(const TVector2& V) const { return !(*this == V); }

		static constexpr T DotProduct(const TVector2& A, const TVector2& B) { return A.X * B.X + A.Y * B.Y; }
		T Size() const { return FMath::Sqrt(X * X + Y * Y); }
		constexpr T SizeSquared() const { return X * X + Y * Y; }
		bool Equals(const TVector2& V, T Tolerance = UE_KINDA_SMALL_NUMBER) const { return FMath::Abs(X - V.X) <= Tolerance && FMath::Abs(Y - V.Y) <= Tolerance; }
		bool IsNearlyZero(T Tolerance = UE_KINDA_SMALL_NUMBER) const { return FMath::Abs(X) <= Tolerance && FMath::Abs(Y) <= Tolerance; }
		bool ContainsNaN() const { return !FMath::IsFinite(X) || !FMath::IsFinite(Y); }
	};

	template <typename T>
	inline const TVector2<T> TVector2<T>::ZeroVector(0, 0);
	template <typename T>
	inline const TVector2<T> TVector2<T>::UnitVector(1, 1);
}
