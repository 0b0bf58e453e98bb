#include "Math/UnrealMathUtility.h"

void FMath::MatrixInverse(double DstMatrix[4][4], const double SrcMatrix[4][4])
{
	// Cofactor expansion by 2x2 sub-determinants of the upper and lower row pairs.
	const double(*M)[4] = SrcMatrix;
	const double S0 = M[0][0] * M[1][1] - M[1][0] * M[0][1];
	const double S1 = M[0][0] * M[1][2] - M[1][0] * M[0][2];
	const double S2 = M[0][0] * M[1][3] - M[1][0] * M[0][3];
	const double S3 = M[0][1] * M[1][2] - M[1][1] * M[0][2];
	const double S4 = M[0][1] * M[1][3] - M[1][1] * M[0][3];
	const double S5 = M[0][2] * M[1][3] - M[1][2] * M[0][3];
	const double C5 = M[2][2] * M[3][3] - M[3][2] * M[2][3];
	const double C4 = M[2][1] * M[3][3] - M[3][1] * M[2][3];
	const double C3 = M[2][1] * M[3][2] - M[3][1] * M[2][2];
	const double C2 = M[2][0] * M[3][3] - M[3][0] * M[2][3];
	const double C1 = M[2][0] * M[3][2] - M[3][0] * M[2][2];
	const double C0 = M[2][0] * M[3][1] - M[3][0] * M[2][1];
	const double Determinant = S0 * C5 - S1 * C4 + S2 * C3 + S3 * C2 - S4 * C1 + S5 * C0;
	if (Determinant == 0.0 || !std::isfinite(Determinant))
	{
		for (int32 Row = 0; Row < 4; ++Row)
		{
			for (int32 Column = 0; Column < 4; ++Column)
			{
				DstMatrix[Row][Column] = Row == Column ? 1.0 : 0.0;
			}
		}
		return;
	}
	const double InvDet = 1.0 / Determinant;
	double Result[4][4];
	Result[0][0] = (M[1][1] * C5 - M[1][2] * C4 + M[1][3] * C3) * InvDet;
	Result[0][1] = (-M[0][1] * C5 + M[0][2] * C4 - M[0][3] * C3) * InvDet;
	Result[0][2] = (M[3][1] * S5 - M[3][2] * S4 + M[3][3] * S3) * InvDet;
	Result[0][3] = (-M[2][1] * S5 + M[2][2] * S4 - M[2][3] * S3) * InvDet;
	Result[1][0] = (-M[1][0] * C5 + M[1][2] * C2 - M[1][3] * C1) * InvDet;
	Result[1][1] = (M[0][0] * C5 - M[0][2] * C2 + M[0][3] * C1) * InvDet;
	Result[1][2] = (-M[3][0] * S5 + M[3][2] * S2 - M[3][3] * S1) * InvDet;
	Result[1][3] = (M[2][0] * S5 - M[2][2] * S2 + M[2][3] * S1) * InvDet;
	Result[2][0] = (M[1][0] * C4 - M[1][1] * C2 + M[1][3] * C0) * InvDet;
	Result[2][1] = (-M[0][0] * C4 + M[0][1] * C2 - M[0][3] * C0) * InvDet;
	Result[2][2] = (M[3][0] * S4 - M[3][1] * S2 + M[3][3] * S0) * InvDet;
	Result[2][3] = (-M[2][0] * S4 + M[2][1] * S2 - M[2][3] * S0) * InvDet;
	Result[3][0] = (-M[1][0] * C3 + M[1][1] * C1 - M[1][2] * C0) * InvDet;
	Result[3][1] = (M[0][0] * C3 - M[0][1] * C1 + M[0][2] * C0) * InvDet;
	Result[3][2] = (-M[3][0] * S3 + M[3][1] * S1 - M[3][2] * S0) * InvDet;
	Result[3][3] = (M[2][0] * S3 - M[2][1] * S1 + M[2][2] * S0) * InvDet;
	for (int32 Row = 0; Row < 4; ++Row)
	{
		for (int32 Column = 0; Column < 4; ++Column)
		{
			DstMatrix[Row][Column] = Result[Row][Column];
		}
	}
}
