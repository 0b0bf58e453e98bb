// The three axes, as the engine names them.
#pragma once

namespace EAxis
{
	enum Type
	{
		None,
		X,
		Y,
		Z
	};
}
