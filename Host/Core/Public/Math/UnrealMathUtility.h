// FMath and the engine's math constants.
#pragma once

#include "CoreTypes.h"

#include <algorithm>
#include <cmath>

#define UE_PI (3.1415926535897932f)
#define UE_DOUBLE_PI (3.141592653589793238462643383279502884197169399)
#define UE_TWO_PI (6.28318530717f)
#define UE_DOUBLE_TWO_PI (6.283185307179586476925286766559)
#define UE_HALF_PI (1.57079632679f)
#define UE_DOUBLE_HALF_PI (1.570796326794896619231321691639751442)
#define UE_INV_PI (0.31830988618f)
#define UE_DOUBLE_INV_PI (0.31830988618379067154)
#define UE_SMALL_NUMBER (1.e-8f)
#define UE_KINDA_SMALL_NUMBER (1.e-4f)
#define UE_BIG_NUMBER (3.4e+38f)
#define UE_DOUBLE_SMALL_NUMBER (1.e-8)
#define UE_DOUBLE_KINDA_SMALL_NUMBER (1.e-4)
#define UE_DOUBLE_BIG_NUMBER (3.4e+38)
#define UE_THRESH_QUAT_NORMALIZED (0.01f)
#define UE_THRESH_VECTOR_NORMALIZED (0.01f)
#define UE_DELTA (0.00001f)

struct FMath
{
	template <typename T>
	static constexpr T Abs(const T A) { return A < T(0) ? -A : A; }
	template <typename T>
	static constexpr T Square(const T A) { return A * A; }
	template <typename T>
	static constexpr T Min(const T A, const T B) { return A <= B ? A : B; }
	template <typename T>
	static constexpr T Max(const T A, const T B) { return A >= B ? A : B; }
	template <typename T>
	static constexpr T Clamp(const T X, const T Low, const T High) { return X < Low ? Low : (X < High ? X : High); }

	static double Sqrt(const double Value) { return std::sqrt(Value); }
	static double InvSqrt(const double Value) { return 1.0 / std::sqrt(Value); }
	static double Sin(const double Value) { return std::sin(Value); }
	static double Cos(const double Value) { return std::cos(Value); }
	static double Tan(const double Value) { return std::tan(Value); }
	static double Asin(const double Value) { return std::asin(Value < -1.0 ? -1.0 : (Value < 1.0 ? Value : 1.0)); }
	static double Atan(const double Value) { return std::atan(Value); }
	static double Atan2(const double Y, const double X) { return std::atan2(Y, X); }
	static double Fmod(const double X, const double Y) { return std::fmod(X, Y); }
	static void SinCos(double* ScalarSin, double* ScalarCos, const double Value)
	{
		*ScalarSin = std::sin(Value);
		*ScalarCos = std::cos(Value);
	}

	static bool IsNaN(const double A) { return std::isnan(A); }
	static bool IsFinite(const double A) { return std::isfinite(A); }
	static bool IsNearlyEqual(const double A, const double B, const double ErrorTolerance = UE_DOUBLE_SMALL_NUMBER) { return Abs(A - B) <= ErrorTolerance; }
	static bool IsNearlyZero(const double Value, const double ErrorTolerance = UE_DOUBLE_SMALL_NUMBER) { return Abs(Value) <= ErrorTolerance; }

	template <typename T>
	static constexpr T DegreesToRadians(const T Degrees) { return Degrees * (T(UE_DOUBLE_PI) / T(180)); }
	template <typename T>
	static constexpr T RadiansToDegrees(const T Radians) { return Radians * (T(180) / T(UE_DOUBLE_PI)); }

	/** The general inverse of a row-major 4x4 matrix; a singular matrix gives the identity. */
	static void MatrixInverse(double DstMatrix[4][4], const double SrcMatrix[4][4]);
};
