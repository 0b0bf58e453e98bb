#include <fmt/format.h>

#include "ReflectedTypes.h"
#include "TextConversion.h"

#include "DuRizerudoreAnchorComponent.h"
#include "DuRizerudoreBlueprintLibrary.h"
#include "DuRizerudoreConversion.h"
#include "DuRizerudoreOriginShiftComponent.h"
#include "DuRizerudoreSystem.h"
#include "GameFramework/Actor.h"
#include "Templates/Casts.h"
#include "UObject/Class.h"

#include <algorithm>
#include <cctype>
#include <vector>

namespace DuRizerudoreCli
{
	namespace
	{
		std::string ToLower(const std::string_view Text)
		{
			std::string Lower(Text);
			std::transform(Lower.begin(), Lower.end(), Lower.begin(), [](const unsigned char Char) { return static_cast<char>(std::tolower(Char)); });
			return Lower;
		}
	}

	std::vector<const UField*> GetReflectedTypes()
	{
		return {
			StaticEnum<ECoordinateSystem>(),
			StaticEnum<ECoordinateAltitudeReference>(),
			StaticEnum<ECoordinateLocalFrameType>(),
			StaticEnum<ECoordinateGeoidInterpolation>(),
			StaticEnum<ECoordinateGravityAccuracy>(),
			StaticEnum<EEarthDatumModel>(),
			StaticEnum<EEarthGravityModel>(),
			FGeodeticCoordinate::StaticStruct(),
			FCoordinateConversionSetup::StaticStruct(),
			FCoordinateReferenceSetup::StaticStruct(),
			FCoordinateConversionInstance::StaticStruct(),
			FCoordinateReferenceFrame::StaticStruct(),
			ADuRizerudoreSystem::StaticClass(),
			UDuRizerudoreAnchorComponent::StaticClass(),
			UDuRizerudoreOriginShiftComponent::StaticClass(),
			UDuRizerudoreBlueprintLibrary::StaticClass(),
		};
	}

	std::string GetCppName(const UField& Type)
	{
		const std::string Name = ToUtf8(Type.GetName());
		// The registry names structures and classes without the prefix letter the engine's own tools put back;
		// enumerations keep theirs.
		if (Type.IsA<UScriptStruct>())
		{
			return "F" + Name;
		}
		if (const UClass* Class = Cast<UClass>(&Type))
		{
			return (Class->IsChildOf(AActor::StaticClass()) ? "A" : "U") + Name;
		}
		return Name;
	}

	const UField* FindReflectedType(const std::string_view TypeName)
	{
		const std::string Wanted = ToLower(TypeName);
		for (const UField* Type : GetReflectedTypes())
		{
			const std::string CppName = ToLower(GetCppName(*Type));
			if (Wanted == CppName || Wanted == std::string_view(CppName).substr(1))
			{
				return Type;
			}
		}
		return nullptr;
	}

	std::string ListReflectedTypeNames()
	{
		std::vector<std::string> Names;
		for (const UField* Type : GetReflectedTypes())
		{
			Names.push_back(GetCppName(*Type));
		}
		return fmt::format("{}", fmt::join(Names, ", "));
	}
}
