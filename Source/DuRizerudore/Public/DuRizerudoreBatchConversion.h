// Conversion of many positions at once: point clouds, tiles and feeds of Earth-fixed, geodetic or UTM positions.
#pragma once

#include "CoreMinimal.h"
#include "Containers/ArrayView.h"
#include "Containers/BitArray.h"
#include "DuRizerudoreConversion.h"
#include "Math/Vector.h"

namespace DuRizerudore
{
	/**
	 * Converts every position of an array from one coordinate system of a reference frame to another, each
	 * exactly as UDuRizerudoreBlueprintLibrary::ConvertPosition converts it alone: the results are the same bits.
	 *
	 * The pair of systems and the kind of frame are decided once for the whole array. Between a tangent plane's
	 * local systems and Geocentric, and among the local systems of any frame, the conversion is a loop of a few
	 * multiplications a position; the other pairs run the single conversion's kernel for each position. Arrays
	 * are split across the machine's cores (ParallelFor) from a few thousand positions where geodesy runs for each,
	 * from some tens of thousands for the loops of multiplications; smaller ones run on the calling thread. Any
	 * number of calls may run at once, also on one frame.
	 *
	 * @param Frame the reference frame; it must be initialized.
	 * @param FromSystem the system of Positions: Local_ENU, Local_NED (metres), Local_UE (centimetres), Geocentric
	 *   (ECEF metres) or Geodetic (latitude and longitude in degrees, ellipsoidal height in metres).
	 * @param ToSystem the system of OutPositions, in the same units.
	 * @param Positions the positions to convert.
	 * @param OutPositions as many slots as Positions: the same memory (converted in place) or memory apart from
	 *   it, never partly overlapping. A position that cannot be converted (a component that is NaN or infinite,
	 *   a geodetic latitude beyond a pole, a position a UTM/UPS frame cannot project, a result that is not finite)
	 *   gets NaN in all three components of its slot.
	 * @param OutFailed if not null, resized to the number of positions with bit I set exactly when position I
	 *   could not be converted.
	 * @return the number of positions converted. 0, with OutPositions and OutFailed untouched, when the frame is
	 *   not initialized, a system is not one of the five, or the two arrays differ in length.
	 */
	DURIZERUDORE_API int32 ConvertPositions(const FCoordinateReferenceFrame& Frame, ECoordinateSystem FromSystem, ECoordinateSystem ToSystem,
		TConstArrayView<FVector> Positions, TArrayView<FVector> OutPositions, TBitArray<>* OutFailed = nullptr);
}
