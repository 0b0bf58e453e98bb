// Engine enumerations used across actors, components and worlds.
#pragma once

#include "CoreMinimal.h"

namespace EWorldType
{
	enum Type
	{
		None,
		Game,
		Editor,
		PIE,
		EditorPreview,
		GamePreview,
		GameRPC,
		Inactive
	};
}

/** Whether a scene component may move while the game runs. */
namespace EComponentMobility
{
	enum Type : int
	{
		/** Never moves in a game world. */
		Static,
		/** Does not move in a game world; its lighting may change. */
		Stationary,
		/** Moves freely. */
		Movable
	};
}

/** Whether a move teleports the physics body (keeping its velocity, no collision along the way). */
enum class ETeleportType : uint8
{
	None,
	TeleportPhysics,
	ResetPhysics
};

/** The teleport type of a move, or TeleportPhysics for a plain true. */
inline ETeleportType TeleportFlagToEnum(bool bTeleport)
{
	return bTeleport ? ETeleportType::TeleportPhysics : ETeleportType::None;
}
