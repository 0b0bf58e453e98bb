#include "DuRizerudoreVectorConversion.h"

#include "DuRizerudoreConversionInternal.h"
#include "DuRizerudoreLocalSystems.h"
#include "DuRizerudorePositionConversion.h"

namespace DuRizerudore
{
	namespace
	{
		using FInstanceAccess = FCoordinateConversionKernelAccess;
		using FFrameAccess = FCoordinateReferenceFrameKernelAccess;

		/** The point a vector is attached to: its geodetic coordinates and, where needed, its geocentric position. */
		struct FResolvedPoint
		{
			FVector Geodetic = FVector::ZeroVector;
			FVector World = FVector::ZeroVector;
			FQuat EnuToGeocentric = FQuat::Identity;
		};

		template <ECoordinateSystem PositionSystem, bool bNeedsWorld>
		bool ResolvePoint(const FCoordinateReferenceFrame& Frame, const FVector& Position, FResolvedPoint& Out)
		{
			const FCoordinateConversionInstance& Instance = *Frame.GetConversion();
			if constexpr (IsLocalCoordinateSystem(PositionSystem))
			{
				const FVector Enu = LocalPositionToEnu(PositionSystem, Position);
				if (!TryConvertLocalEnuToGeodetic(Frame, Enu, Out.Geodetic))
				{
					return false;
				}
				if constexpr (bNeedsWorld)
				{
					// The local position's geocentric form, without projecting it a second time. Two branches, not
					// a conditional expression, which GCC 12 at -O3 takes for a dangling pointer to Enu.
					if (Frame.HasLocalFrame())
					{
						Out.World = FInstanceAccess::GeodeticToWorldPosition(Instance, Out.Geodetic);
					}
					else
					{
						Out.World = Enu;
					}
				}
			}
			else if constexpr (PositionSystem == ECoordinateSystem::Geocentric)
			{
				Out.Geodetic = FInstanceAccess::WorldPositionToGeodetic(Instance, Position);
				Out.World = Position;
			}
			else
			{
				Out.Geodetic = Position;
				if constexpr (bNeedsWorld)
				{
					Out.World = FInstanceAccess::GeodeticToWorldPosition(Instance, Position);
				}
			}
			Out.EnuToGeocentric = BuildEnuToGeocentricRotation(Out.Geodetic.X, Out.Geodetic.Y);
			return true;
		}

		/**
		 * Turns a vector between grid and true axes at the point; a no-op in a tangent-plane frame and without a local
		 * frame (a UTM setup whose origin was refused has no zone to turn in). False when the projection refuses the point.
		 */
		bool TryTurnAtPoint(const FCoordinateReferenceFrame& Frame, const FVector& Vector, const FVector& Geodetic, const EGridTurn Turn, FVector& Out)
		{
			if (!Frame.UsesPositionDependentLocalFrame())
			{
				Out = Vector;
				return true;
			}
			double ConvergenceDeg = 0.0;
			if (!FFrameAccess::TryGetGridConvergenceDegAtGeodetic(Frame, Geodetic, ConvergenceDeg))
			{
				return false;
			}
			Out = TurnBetweenGridAndTrueAxes(Vector, ConvergenceDeg, Turn);
			return true;
		}

		/** One (position, from, to) triple: resolve the point, bring the vector to point ENU, express it in the target. */
		template <ECoordinateSystem PositionSystem, ECoordinateSystem FromSystem, ECoordinateSystem ToSystem>
		bool ConvertVectorAtPosition(const FCoordinateReferenceFrame& Frame, const FVector& Position, const FVector& Vector, FVector& OutVector)
		{
			if constexpr (FromSystem == ToSystem)
			{
				OutVector = Vector;
				return true;
			}
			else
			{
				constexpr bool bNeedsWorld = FromSystem == ECoordinateSystem::Geodetic || ToSystem == ECoordinateSystem::Geodetic;
				FResolvedPoint Point;
				if (!ResolvePoint<PositionSystem, bNeedsWorld>(Frame, Position, Point))
				{
					return false;
				}
				const FCoordinateConversionInstance& Instance = *Frame.GetConversion();

				FVector PointEnu = FVector::ZeroVector;
				if constexpr (IsLocalCoordinateSystem(FromSystem))
				{
					if (!TryTurnAtPoint(Frame, LocalAxesToEnu(FromSystem, Vector), Point.Geodetic, EGridTurn::GridToTrue, PointEnu))
					{
						return false;
					}
				}
				else if constexpr (FromSystem == ECoordinateSystem::Geocentric)
				{
					PointEnu = Point.EnuToGeocentric.UnrotateVector(Vector);
				}
				else
				{
					// A geodetic increment is a finite difference: the tip's geocentric position minus the point's.
					const FVector Tip = FInstanceAccess::GeodeticToWorldPosition(Instance, Point.Geodetic + Vector);
					PointEnu = Point.EnuToGeocentric.UnrotateVector(Tip - Point.World);
				}

				if constexpr (IsLocalCoordinateSystem(ToSystem))
				{
					FVector LocalEnu = FVector::ZeroVector;
					if (!TryTurnAtPoint(Frame, PointEnu, Point.Geodetic, EGridTurn::TrueToGrid, LocalEnu))
					{
						return false;
					}
					OutVector = EnuToLocalAxes(ToSystem, LocalEnu);
				}
				else if constexpr (ToSystem == ECoordinateSystem::Geocentric)
				{
					OutVector = Point.EnuToGeocentric.RotateVector(PointEnu);
				}
				else
				{
					// Component by component, the longitude difference unwrapped.
					OutVector = FInstanceAccess::WorldPositionToGeodetic(Instance, Point.World + Point.EnuToGeocentric.RotateVector(PointEnu)) - Point.Geodetic;
				}
				return true;
			}
		}

		using FTripleFunction = bool (*)(const FCoordinateReferenceFrame&, const FVector&, const FVector&, FVector&);

		template <ECoordinateSystem PositionSystem, ECoordinateSystem FromSystem>
		FTripleFunction SelectToSystem(const ECoordinateSystem ToSystem)
		{
			switch (ToSystem)
			{
			case ECoordinateSystem::Local_ENU:
				return &ConvertVectorAtPosition<PositionSystem, FromSystem, ECoordinateSystem::Local_ENU>;
			case ECoordinateSystem::Local_NED:
				return &ConvertVectorAtPosition<PositionSystem, FromSystem, ECoordinateSystem::Local_NED>;
			case ECoordinateSystem::Local_UE:
				return &ConvertVectorAtPosition<PositionSystem, FromSystem, ECoordinateSystem::Local_UE>;
			case ECoordinateSystem::Geocentric:
				return &ConvertVectorAtPosition<PositionSystem, FromSystem, ECoordinateSystem::Geocentric>;
			case ECoordinateSystem::Geodetic:
				return &ConvertVectorAtPosition<PositionSystem, FromSystem, ECoordinateSystem::Geodetic>;
			default:
				return nullptr;
			}
		}

		template <ECoordinateSystem PositionSystem>
		FTripleFunction SelectFromSystem(const ECoordinateSystem FromSystem, const ECoordinateSystem ToSystem)
		{
			switch (FromSystem)
			{
			case ECoordinateSystem::Local_ENU:
				return SelectToSystem<PositionSystem, ECoordinateSystem::Local_ENU>(ToSystem);
			case ECoordinateSystem::Local_NED:
				return SelectToSystem<PositionSystem, ECoordinateSystem::Local_NED>(ToSystem);
			case ECoordinateSystem::Local_UE:
				return SelectToSystem<PositionSystem, ECoordinateSystem::Local_UE>(ToSystem);
			case ECoordinateSystem::Geocentric:
				return SelectToSystem<PositionSystem, ECoordinateSystem::Geocentric>(ToSystem);
			case ECoordinateSystem::Geodetic:
				return SelectToSystem<PositionSystem, ECoordinateSystem::Geodetic>(ToSystem);
			default:
				return nullptr;
			}
		}

		FTripleFunction SelectTriple(const ECoordinateSystem PositionSystem, const ECoordinateSystem FromSystem, const ECoordinateSystem ToSystem)
		{
			switch (PositionSystem)
			{
			case ECoordinateSystem::Local_ENU:
				return SelectFromSystem<ECoordinateSystem::Local_ENU>(FromSystem, ToSystem);
			case ECoordinateSystem::Local_NED:
				return SelectFromSystem<ECoordinateSystem::Local_NED>(FromSystem, ToSystem);
			case ECoordinateSystem::Local_UE:
				return SelectFromSystem<ECoordinateSystem::Local_UE>(FromSystem, ToSystem);
			case ECoordinateSystem::Geocentric:
				return SelectFromSystem<ECoordinateSystem::Geocentric>(FromSystem, ToSystem);
			case ECoordinateSystem::Geodetic:
				return SelectFromSystem<ECoordinateSystem::Geodetic>(FromSystem, ToSystem);
			default:
				return nullptr;
			}
		}
	}

	bool DispatchVectorConversion(const ECoordinateSystem FromSystem, const ECoordinateSystem ToSystem, const FCoordinateReferenceFrame& Frame, const FVector& Vector,
		FVector& OutVector)
	{
		if (!IsKnownCoordinateSystem(FromSystem) || !IsKnownCoordinateSystem(ToSystem))
		{
			return false;
		}
		if (FromSystem == ToSystem)
		{
			OutVector = Vector;
			return true;
		}
		if (FromSystem == ECoordinateSystem::Geodetic || ToSystem == ECoordinateSystem::Geodetic)
		{
			return false;
		}
		const FQuat& OriginRotation = FFrameAccess::GetLocalEnuToGeocentricRotation(Frame);
		const bool bRotate = Frame.HasLocalFrame();
		const FVector Enu = FromSystem == ECoordinateSystem::Geocentric ? (bRotate ? OriginRotation.UnrotateVector(Vector) : Vector) : LocalAxesToEnu(FromSystem, Vector);
		OutVector = ToSystem == ECoordinateSystem::Geocentric ? (bRotate ? OriginRotation.RotateVector(Enu) : Enu) : EnuToLocalAxes(ToSystem, Enu);
		return true;
	}

	bool DispatchVectorAtPositionConversion(const ECoordinateSystem PositionSystem, const ECoordinateSystem FromSystem, const ECoordinateSystem ToSystem,
		const FCoordinateReferenceFrame& Frame, const FVector& Position, const FVector& Vector, FVector& OutVector)
	{
		const FTripleFunction Triple = SelectTriple(PositionSystem, FromSystem, ToSystem);
		return Triple != nullptr && Triple(Frame, Position, Vector, OutVector);
	}
}
