#include "Engine/Level.h"

IMPLEMENT_CLASS_NO_AUTO_REGISTRATION(ULevel)

ULevel::ULevel(const FObjectInitializer& ObjectInitializer)
	: UObject(ObjectInitializer)
{
}
