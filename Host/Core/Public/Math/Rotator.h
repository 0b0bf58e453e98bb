// UE::Math::TRotator: pitch, yaw and roll in degrees. As a rotation it is yaw * pitch * roll: roll
// about +X first, then pitch about +Y (positive carries +X toward +Z), then yaw about +Z.
#pragma once

#include "CoreTypes.h"
#include "Math/MathFwd.h"
#include "Math/UnrealMathUtility.h"
#include "Math/Vector.h"

#include <type_traits>

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

		constexpr TRotator() : Pitch(0), Yaw(0), Roll(0) {}
		explicit constexpr TRotator(T InF) : Pitch(InF), Yaw(InF), Roll(InF) {}
		constexpr TRotator(T InPitch, T InYaw, T InRoll) : Pitch(InPitch), Yaw(InYaw), Roll(InRoll) {}
		explicit TRotator(const TQuat<T>& Quat);

		constexpr TRotator operator+(const TRotator& R) const { return TRotator(Pitch + R.Pitch, Yaw + R.Yaw, Roll + R.Roll); }
		constexpr TRotator operator-(const TRotator& R) const { return TRotator(Pitch - R.Pitch, Yaw - R.Yaw, Roll - R.Roll); }
		constexpr TRotator operator*(T Scale) const { return TRotator(Pitch * Scale, Yaw * Scale, Roll * Scale); }
		TRotator& operator+=(const TRotator& R) { return *this = *this + R; }
		TRotator& operator-=(const TRotator& R) { return *this = *this - R; }
		TRotator& operator*=(T Scale) { return *this = *this * Scale; }
		TRotator Add(T DeltaPitch, T DeltaYaw, T DeltaRoll)
		{
			Pitch += DeltaPitch;
			Yaw += DeltaYaw;
			Roll += DeltaRoll;
			return *this;
		}
		constexpr bool operator==(const TRotator& R) const { return Pitch == R.Pitch && Yaw == R.Yaw && Roll == R.Roll; }
		constexpr bool operator!=(const TRotator& R) const { return !(*this == R); }

		/** The same rotation as a quaternion (half angles of each axis, composed yaw * pitch * roll). */
		TQuat<T> Quaternion() const;

		/** The direction the rotated X axis points in. */
		TVector<T> Vector() const;
		TVector<T> RotateVector(const TVector<T>& V) const;
		TVector<T> UnrotateVector(const TVector<T>& V) const;
		TRotator GetInverse() const;

		/** (Roll, Pitch, Yaw). */
		TVector<T> Euler() const { return TVector<T>(Roll, Pitch, Yaw); }
		static TRotator MakeFromEuler(const TVector<T>& Euler) { return TRotator(Euler.Y, Euler.Z, Euler.X); }

		/** The other (pitch, yaw, roll) of the same rotation: over the pole with yaw and roll turned half way. */
		TRotator GetEquivalentRotator() const { return TRotator(T(180) - Pitch, Yaw + T(180), Roll + T(180)); }
		T GetManhattanDistance(const TRotator& R) const { return FMath::Abs(Yaw - R.Yaw) + FMath::Abs(Pitch - R.Pitch) + FMath::Abs(Roll - R.Roll); }
		/** Replaces MakeClosest with its equivalent rotator when that one is nearer to this in angle sums. */
		void SetClosestToMe(TRotator& MakeClosest) const
		{
			const TRotator OtherChoice = MakeClosest.GetEquivalentRotator();
			if (GetManhattanDistance(OtherChoice) < GetManhattanDistance(MakeClosest))
			{
				MakeClosest = OtherChoice;
			}
		}

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

		void Normalize()
		{
			Pitch = NormalizeAxis(Pitch);
			Yaw = NormalizeAxis(Yaw);
			Roll = NormalizeAxis(Roll);
		}
		TRotator GetNormalized() const
		{
			TRotator Result(*this);
			Result.Normalize();
			return Result;
		}
		/** Each axis in [0, 360). */
		TRotator GetDenormalized() const { return Clamp(); }
		TRotator Clamp() const { return TRotator(ClampAxis(Pitch), ClampAxis(Yaw), ClampAxis(Roll)); }

		/** Equal when each axis differs by at most the tolerance, angles compared modulo 360. */
		bool Equals(const TRotator& R, T Tolerance = UE_KINDA_SMALL_NUMBER) const
		{
			return FMath::Abs(NormalizeAxis(Pitch - R.Pitch)) <= Tolerance && FMath::Abs(NormalizeAxis(Yaw - R.Yaw)) <= Tolerance
				&& FMath::Abs(NormalizeAxis(Roll - R.Roll)) <= Tolerance;
		}
		bool IsNearlyZero(T Tolerance = UE_KINDA_SMALL_NUMBER) const { return Equals(ZeroRotator, Tolerance); }
		bool IsZero() const { return ClampAxis(Pitch) == T(0) && ClampAxis(Yaw) == T(0) && ClampAxis(Roll) == T(0); }
		bool ContainsNaN() const { return !FMath::IsFinite(Pitch) || !FMath::IsFinite(Yaw) || !FMath::IsFinite(Roll); }
	};

	template <typename T>
	inline const TRotator<T> TRotator<T>::ZeroRotator(0, 0, 0);

	template <typename T, typename T2, typename = std::enable_if_t<std::is_arithmetic_v<T2>>>
	constexpr TRotator<T> operator*(T2 Scale, const TRotator<T>& R)
	{
		return R * T(Scale);
	}
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

	template <typename T>
	TVector<T> TRotator<T>::Vector() const
	{
		// Roll leaves the X axis alone, so pitch and yaw alone give the direction.
		T CP;
		T SP;
		T CY;
		T SY;
		FMath::SinCos(&SP, &CP, FMath::DegreesToRadians(FMath::Fmod(Pitch, T(360))));
		FMath::SinCos(&SY, &CY, FMath::DegreesToRadians(FMath::Fmod(Yaw, T(360))));
		return TVector<T>(CP * CY, CP * SY, SP);
	}

	template <typename T>
	TVector<T> TRotator<T>::RotateVector(const TVector<T>& V) const
	{
		return Quaternion().RotateVector(V);
	}

	template <typename T>
	TVector<T> TRotator<T>::UnrotateVector(const TVector<T>& V) const
	{
		return Quaternion().UnrotateVector(V);
	}

	template <typename T>
	TRotator<T> TRotator<T>::GetInverse() const
	{
		return Quaternion().Inverse().Rotator();
	}
}
