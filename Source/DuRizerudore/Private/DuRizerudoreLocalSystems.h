// The conventions of the three local systems: one local frame, seen as east-north-up metres (Local_ENU),
// north-east-down metres (Local_NED) and north-east-up centimetres (Local_UE). Every conversion that
// touches a local system goes through these, so the axis orders, signs and factors live here only.
#pragma once

#include "CoreMinimal.h"
#include "DuRizerudoreConversion.h"

#include <limits>

namespace DuRizerudore
{
	/** Local_UE positions are centimetres: metres are multiplied by 100 into them ... */
	inline constexpr double MetresToCentimetres = 100.0;

	/** ... and by the literal 0.01 out of them, not divided by 100, whose result can differ in the last bit. */
	inline constexpr double CentimetresToMetres = 0.01;

	/** True for the five enumerators; a value cast from outside the enumeration is not a system. */
	constexpr bool IsKnownCoordinateSystem(const ECoordinateSystem System)
	{
		return static_cast<uint8>(System) <= static_cast<uint8>(ECoordinateSystem::Geodetic);
	}

	/** True for Local_ENU, Local_NED and Local_UE, the three views of the frame's one local frame. */
	constexpr bool IsLocalCoordinateSystem(const ECoordinateSystem System)
	{
		return System == ECoordinateSystem::Local_ENU || System == ECoordinateSystem::Local_NED || System == ECoordinateSystem::Local_UE;
	}

	/**
	 * A vector in a local system's axes (any unit, never scaled) in east-north-up axes: NED swaps the
	 * horizontal axes and turns down into up, UE swaps the horizontal axes. Other systems pass unchanged.
	 */
	inline FVector LocalAxesToEnu(const ECoordinateSystem System, const FVector& Vector)
	{
		switch (System)
		{
		case ECoordinateSystem::Local_NED:
			return FVector(Vector.Y, Vector.X, -Vector.Z);
		case ECoordinateSystem::Local_UE:
			return FVector(Vector.Y, Vector.X, Vector.Z);
		default:
			return Vector;
		}
	}

	/** An east-north-up vector in a local system's axes; the inverse of LocalAxesToEnu. */
	inline FVector EnuToLocalAxes(const ECoordinateSystem System, const FVector& EnuVector)
	{
		// Each axis swap is its own inverse, and so is the sign of the vertical axis.
		return LocalAxesToEnu(System, EnuVector);
	}

	/** A local position (metres, or centimetres for Local_UE) as local east-north-up metres. */
	inline FVector LocalPositionToEnu(const ECoordinateSystem System, const FVector& Position)
	{
		const FVector Enu = LocalAxesToEnu(System, Position);
		return System == ECoordinateSystem::Local_UE ? FVector(Enu.X * CentimetresToMetres, Enu.Y * CentimetresToMetres, Enu.Z * CentimetresToMetres) : Enu;
	}

	/** Local east-north-up metres as a position of a local system (centimetres for Local_UE). */
	inline FVector EnuToLocalPosition(const ECoordinateSystem System, const FVector& EnuPosition)
	{
		const FVector Local = EnuToLocalAxes(System, EnuPosition);
		return System == ECoordinateSystem::Local_UE ? FVector(Local.X * MetresToCentimetres, Local.Y * MetresToCentimetres, Local.Z * MetresToCentimetres) : Local;
	}

	/** What a by-value conversion returns when it cannot convert: NaN in every component, never a plausible number. */
	inline FVector MakeNaNVector()
	{
		const double NaN = std::numeric_limits<double>::quiet_NaN();
		return FVector(NaN, NaN, NaN);
	}
}
