#include "Engine/Engine.h"

#include "Engine/World.h"
#include "Logging/LogMacros.h"
#include "UObject/Package.h"

DEFINE_LOG_CATEGORY_STATIC(LogScript, Log, All);

IMPLEMENT_CLASS_NO_AUTO_REGISTRATION(UEngine)

UEngine::UEngine(const FObjectInitializer& ObjectInitializer)
	: UObject(ObjectInitializer)
{
}

UWorld* UEngine::GetWorldFromContextObject(const UObject* Object, const EGetWorldErrorMode ErrorMode) const
{
	if (Object == nullptr)
	{
		checkf(ErrorMode != EGetWorldErrorMode::Assert, TEXT("A null object was passed as a world context object to UEngine::GetWorldFromContextObject()."));
		if (ErrorMode == EGetWorldErrorMode::LogAndReturnNull)
		{
			UE_LOG(LogScript, Warning, TEXT("A null object was passed as a world context object to UEngine::GetWorldFromContextObject()."));
		}
		return nullptr;
	}
	UWorld* const World = Object->GetWorld();
	if (World == nullptr)
	{
		checkf(ErrorMode != EGetWorldErrorMode::Assert, TEXT("No world was found for object (%s) passed in to UEngine::GetWorldFromContextObject()."), *GetPathNameSafe(Object));
		if (ErrorMode == EGetWorldErrorMode::LogAndReturnNull)
		{
			UE_LOG(LogScript, Warning, TEXT("No world was found for object (%s) passed in to UEngine::GetWorldFromContextObject()."), *GetPathNameSafe(Object));
		}
	}
	return World;
}

namespace
{
	UEngine* CreateHostEngine()
	{
		UEngine* const Engine = NewObject<UEngine>(GetTransientPackage(), UEngine::StaticClass(), FName(TEXT("GameEngine")));
		Engine->AddToRoot();
		return Engine;
	}
}

UEngine* GEngine = CreateHostEngine();
