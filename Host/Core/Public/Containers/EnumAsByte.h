// TEnumAsByte: holds a plain enumeration in one byte, as reflected structures store them.
#pragma once

#include "CoreTypes.h"

template <class InEnumType>
class TEnumAsByte
{
public:
	using EnumType = InEnumType;

	TEnumAsByte() = default;
	TEnumAsByte(EnumType InValue) : Value(static_cast<uint8>(InValue)) {}
	explicit TEnumAsByte(int32 InValue) : Value(static_cast<uint8>(InValue)) {}
	explicit TEnumAsByte(uint8 InValue) : Value(InValue) {}

	bool operator==(EnumType InValue) const { return static_cast<EnumType>(Value) == InValue; }
	bool operator==(TEnumAsByte InValue) const { return Value == InValue.Value; }
	bool operator!=(EnumType InValue) const { return !(*this == InValue); }

	operator EnumType() const { return static_cast<EnumType>(Value); }
	EnumType GetValue() const { return static_cast<EnumType>(Value); }
	uint8 GetIntValue() const { return Value; }

private:
	uint8 Value = 0;
};
