#include "GameFramework/Info.h"

IMPLEMENT_CLASS_NO_AUTO_REGISTRATION(AInfo)

AInfo::AInfo(const FObjectInitializer& ObjectInitializer)
	: AActor(ObjectInitializer)
{
	PrimaryActorTick.bCanEverTick = false;
	SetHidden(true);
	SetCanBeDamaged(false);
}
