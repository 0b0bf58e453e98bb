// The engine's macros that name multicast delegate and event types by their parameter count.
#pragma once

#include "Delegates/MulticastDelegateBase.h"

// The declarations end without a semicolon: the one written after the macro ends them, so that a
// declaration inside a class body leaves no empty declaration behind.
#define FUNC_DECLARE_MULTICAST_DELEGATE(MulticastDelegateName, ReturnType, ...) \
	typedef TMulticastDelegate<ReturnType(__VA_ARGS__)> MulticastDelegateName

// Only the owning type is meant to broadcast an event; the engine's events do not enforce it either.
#define FUNC_DECLARE_EVENT(OwningType, EventName, ReturnType, ...) \
	class EventName : public TMulticastDelegate<ReturnType(__VA_ARGS__)> \
	{ \
		friend class OwningType; \
	}

#define DECLARE_MULTICAST_DELEGATE(DelegateName) FUNC_DECLARE_MULTICAST_DELEGATE(DelegateName, void)
#define DECLARE_MULTICAST_DELEGATE_OneParam(DelegateName, Param1Type) FUNC_DECLARE_MULTICAST_DELEGATE(DelegateName, void, Param1Type)
#define DECLARE_MULTICAST_DELEGATE_TwoParams(DelegateName, Param1Type, Param2Type) FUNC_DECLARE_MULTICAST_DELEGATE(DelegateName, void, Param1Type, Param2Type)
#define DECLARE_MULTICAST_DELEGATE_ThreeParams(DelegateName, Param1Type, Param2Type, Param3Type) FUNC_DECLARE_MULTICAST_DELEGATE(DelegateName, void, Param1Type, Param2Type, Param3Type)

#define DECLARE_EVENT(OwningType, EventName) FUNC_DECLARE_EVENT(OwningType, EventName, void)
#define DECLARE_EVENT_OneParam(OwningType, EventName, Param1Type) FUNC_DECLARE_EVENT(OwningType, EventName, void, Param1Type)
#define DECLARE_EVENT_TwoParams(OwningType, EventName, Param1Type, Param2Type) FUNC_DECLARE_EVENT(OwningType, EventName, void, Param1Type, Param2Type)
#define DECLARE_EVENT_ThreeParams(OwningType, EventName, Param1Type, Param2Type, Param3Type) FUNC_DECLARE_EVENT(OwningType, EventName, void, Param1Type, Param2Type, Param3Type)

// Dynamic multicast delegates (UObject/SparseDelegate.h): bound by object and function name and called through
// the bound UFUNCTION's reflection, so that visual scripts can bind them. The header tool must have read each
// declaration: it defines the line's _DELEGATE macro and registers the signature function, and a declaration it
// did not read does not compile, as in the engine.
#define FUNC_DECLARE_DYNAMIC_MULTICAST_DELEGATE(DelegateName, ...) \
	class DelegateName : public TBaseDynamicMulticastDelegate<__VA_ARGS__> \
	{ \
	}

#define DECLARE_DYNAMIC_MULTICAST_DELEGATE(DelegateName) \
	BODY_MACRO_COMBINE(CURRENT_FILE_ID, _, __LINE__, _DELEGATE) FUNC_DECLARE_DYNAMIC_MULTICAST_DELEGATE(DelegateName)
#define DECLARE_DYNAMIC_MULTICAST_DELEGATE_OneParam(DelegateName, Param1Type, Param1Name) \
	BODY_MACRO_COMBINE(CURRENT_FILE_ID, _, __LINE__, _DELEGATE) FUNC_DECLARE_DYNAMIC_MULTICAST_DELEGATE(DelegateName, Param1Type)
#define DECLARE_DYNAMIC_MULTICAST_DELEGATE_TwoParams(DelegateName, Param1Type, Param1Name, Param2Type, Param2Name) \
	BODY_MACRO_COMBINE(CURRENT_FILE_ID, _, __LINE__, _DELEGATE) FUNC_DECLARE_DYNAMIC_MULTICAST_DELEGATE(DelegateName, Param1Type, Param2Type)
