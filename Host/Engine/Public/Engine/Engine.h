// UEngine: the engine object, reached through GEngine; here it resolves the world of a context object.
#pragma once

#include "CoreMinimal.h"
#include "UObject/Object.h"

class UWorld;

enum class EGetWorldErrorMode
{
	/** Return null without a message. */
	ReturnNull,
	/** Log a warning in LogScript and return null. */
	LogAndReturnNull,
	/** Stop the process. */
	Assert
};

class UEngine : public UObject
{
	DECLARE_CLASS(UEngine, UObject, CLASS_Native, CASTCLASS_None, TEXT("/Script/Engine"), NO_API)
	DEFINE_DEFAULT_OBJECT_INITIALIZER_CONSTRUCTOR_CALL(UEngine)

public:
	UEngine(const FObjectInitializer& ObjectInitializer);

	/** The world of the object (through its outers), or null; a null object or world is handled per ErrorMode. */
	UWorld* GetWorldFromContextObject(const UObject* Object, EGetWorldErrorMode ErrorMode) const;

	UWorld* GetWorldFromContextObjectChecked(const UObject* Object) const { return GetWorldFromContextObject(Object, EGetWorldErrorMode::Assert); }
};

/** The engine object; the stand-in makes it when the program starts. */
extern UEngine* GEngine;
