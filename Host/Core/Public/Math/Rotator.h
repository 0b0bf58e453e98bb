// UE::Math::TRotator: pitch, yaw and roll in degrees. As a rotation it is yaw * pitch * roll: roll
// about +X first, then pitch about +Y (positive carries +X toward +Z), then yaw about +Z.
#pragma once

#include "CoreTypes.h"
#include "Math/MathFwd.h"
#include "Math/UnrealMathUtility.h"
#include "Math/Vector.h"

#include <limits>

namespace UE::Math
{
	template <typename T>
	struct TRotator
	{
		using FReal = T;

		T Pitch;
		T Yaw;
		T Roll;

		static const TRotator ZeroRotator;

		/** Not initialised in the engine; NaN here, so that code reading an unwritten rotator fails its tests. */
		constexpr TRotator() : Pitch(std::numeric_limits<T>::quiet_NaN()), Yaw(std::numeric_limits<T>::quiet_NaN()), Roll(std::numeric_limits<T>::quiet_NaN()) {}
		explicit constexpr TRotator(T InF) : Pitch(InF), Yaw(InF), Roll(InF) {}
		constexpr TRotator(T InPitch, T InYaw, T InRoll) : Pitch(InPitch), Yaw(InYaw), Roll(InRoll) {}
		explicit TRotator(const TQuat<T>& Quat);

		constexpr bool operator==(const TRotator& R) const { return Pitch == R.Pitch && Yaw == R.Yaw && Roll == R.Roll; }
		constexpr bool operator!=(const TRotator& R) const { return !(*this == R); }

		/** The same rotation as a quaternion (half angles of each axis, composed yaw * pitch * roll). */
		TQuat<T> Quaternion() const;

		/** An angle in [0, 360). */
		static T ClampAxis(T Angle)
		{
			Angle = FMath::Fmod(Angle, T(360));
			if (Angle < T(0))
			{
				Angle += T(360);
			}
			return Angle;
		}

		/** An angle in (-180, 180]. */
		static T NormalizeAxis(T Angle)
		{
			Angle = ClampAxis(Angle);
			if (Angle > T(180))
			{
				Angle -= T(360);
			}
			return Angle;
		}

		/** Equal when each axis differs by at most the tolerance, angles compared modulo 360. */
		bool Equals(const TRotator& R, T Tolerance = UE_KINDA_SMALL_NUMBER) const
		{
			return FMath::Abs(NormalizeAxis(Pitch - R.Pitch)) <= Tolerance && FMath::Abs(NormalizeAxis(Yaw - R.Yaw)) <= Tolerance
				&& FMath::Abs(NormalizeAxis(Roll - R.Roll)) <= Tolerance;
		}
		bool ContainsNaN() const { return !FMath::IsFinite(Pitch) || !FMath::IsFinite(Yaw) || !FMath::IsFinite(Roll); }
	};

	template <typename T>
	inline const TRotator<T> TRotator<T>::ZeroRotator(0, 0, 0);
}

#include "Math/Quat.h"

namespace UE::Math
{
	template <typename T>
	TRotator<T>::TRotator(const TQuat<T>& Quat)
	{
		*this = Quat.Rotator();
	}

	template <typename T>
	TQuat<T> TRotator<T>::Quaternion() const
	{
		const T DegToRadHalf = T(UE_DOUBLE_PI) / T(180) / T(2);
		T SP;
		T SY;
		T SR;
		T CP;
		T CY;
		T CR;
		FMath::SinCos(&SP, &CP, FMath::Fmod(Pitch, T(360)) * DegToRadHalf);
		FMath::SinCos(&SY, &CY, FMath::Fmod(Yaw, T(360)) * DegToRadHalf);
		FMath::SinCos(&SR, &CR, FMath::Fmod(Roll, T(360)) * DegToRadHalf);
		return TQuat<T>(CR * SP * SY - SR * CP * CY, -CR * SP * CY - SR * CP * SY, CR * CP * SY - SR * SP * CY, CR * CP * CY + SR * SP * SY);
	}
}
