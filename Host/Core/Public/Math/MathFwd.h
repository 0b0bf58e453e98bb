// Forward declarations of the engine's math templates and their double-precision names.
#pragma once

namespace UE::Math
{
	template <typename T>
	struct TVector;
	template <typename T>
	struct TVector2;
	template <typename T>
	struct TVector4;
	template <typename T>
	struct TQuat;
	template <typename T>
	struct TRotator;
	template <typename T>
	struct TMatrix;
	template <typename T>
	struct TTransform;
}

using FVector = UE::Math::TVector<double>;
using FVector3d = UE::Math::TVector<double>;
using FVector2D = UE::Math::TVector2<double>;
using FVector2d = UE::Math::TVector2<double>;
using FVector4 = UE::Math::TVector4<double>;
using FVector4d = UE::Math::TVector4<double>;
using FQuat = UE::Math::TQuat<double>;
using FQuat4d = UE::Math::TQuat<double>;
using FRotator = UE::Math::TRotator<double>;
using FRotator3d = UE::Math::TRotator<double>;
using FMatrix = UE::Math::TMatrix<double>;
using FMatrix44d = UE::Math::TMatrix<double>;
using FTransform = UE::Math::TTransform<double>;
using FTransform3d = UE::Math::TTransform<double>;
