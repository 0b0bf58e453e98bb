// The macros a native thunk reads its parameters with, in declaration order, before calling the function.
#pragma once

#include "UObject/Script.h"
#include "UObject/Stack.h"

#define PARAM_PASSED_BY_VAL(ParamName, PropertyType, ParamType) \
	ParamType ParamName = PropertyType::GetDefaultPropertyValue(); \
	Stack.StepCompiledIn<PropertyType>(&ParamName);

#define PARAM_PASSED_BY_VAL_ZEROED(ParamName, PropertyType, ParamType) \
	ParamType ParamName = (ParamType)0; \
	Stack.StepCompiledIn<PropertyType>(&ParamName);

#define PARAM_PASSED_BY_REF(ParamName, PropertyType, ParamType) \
	ParamType ParamName##Temp = PropertyType::GetDefaultPropertyValue(); \
	ParamType& ParamName = Stack.StepCompiledInRef<PropertyType, ParamType>(&ParamName##Temp);

#define PARAM_PASSED_BY_REF_ZEROED(ParamName, PropertyType, ParamType) \
	ParamType ParamName##Temp = (ParamType)0; \
	ParamType& ParamName = Stack.StepCompiledInRef<PropertyType, ParamType>(&ParamName##Temp);

#define P_GET_PROPERTY(PropertyType, ParamName) PARAM_PASSED_BY_VAL(ParamName, PropertyType, typename PropertyType::TCppType)
#define P_GET_PROPERTY_REF(PropertyType, ParamName) PARAM_PASSED_BY_REF(ParamName, PropertyType, typename PropertyType::TCppType)

#define P_GET_UBOOL(ParamName) \
	uint32 ParamName##32 = 0; \
	bool ParamName = false; \
	Stack.StepCompiledIn<FBoolProperty>(&ParamName##32); \
	ParamName = !!ParamName##32;

#define P_GET_UBOOL_REF(ParamName) \
	bool ParamName##Temp = false; \
	bool& ParamName = Stack.StepCompiledInRef<FBoolProperty, bool>(&ParamName##Temp);

#define P_GET_STRUCT(StructType, ParamName) \
	StructType ParamName; \
	Stack.StepCompiledIn<FStructProperty>(&ParamName);

#define P_GET_STRUCT_REF(StructType, ParamName) \
	StructType ParamName##Temp; \
	StructType& ParamName = Stack.StepCompiledInRef<FStructProperty, StructType>(&ParamName##Temp);

#define P_GET_TARRAY(ElementType, ParamName) \
	TArray<ElementType> ParamName; \
	Stack.StepCompiledIn<FArrayProperty>(&ParamName);

#define P_GET_TARRAY_REF(ElementType, ParamName) \
	TArray<ElementType> ParamName##Temp; \
	TArray<ElementType>& ParamName = Stack.StepCompiledInRef<FArrayProperty, TArray<ElementType>>(&ParamName##Temp);

#define P_GET_OBJECT(ObjectType, ParamName) PARAM_PASSED_BY_VAL_ZEROED(ParamName, FObjectPropertyBase, ObjectType*)
#define P_GET_ENUM(EnumType, ParamName) PARAM_PASSED_BY_VAL_ZEROED(ParamName, FEnumProperty, EnumType)
#define P_GET_ENUM_REF(EnumType, ParamName) PARAM_PASSED_BY_REF_ZEROED(ParamName, FEnumProperty, EnumType)

/** Ends parameter reading. */
#define P_FINISH Stack.Code += !!Stack.Code;

#define P_NATIVE_BEGIN {
#define P_NATIVE_END }

#define P_THIS_OBJECT (Context)
#define P_THIS_CAST(ClassType) ((ClassType*)P_THIS_OBJECT)
#define P_THIS P_THIS_CAST(ThisClass)
