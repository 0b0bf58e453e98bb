// Fundamental types of the engine stand-in: sized integers, the wide character type and TEXT().
#pragma once

#include "HAL/Platform.h"

#include <cstddef>
#include <cstdint>

typedef std::uint8_t uint8;
typedef std::uint16_t uint16;
typedef std::uint32_t uint32;
typedef std::uint64_t uint64;
typedef std::int8_t int8;
typedef std::int16_t int16;
typedef std::int32_t int32;
typedef std::int64_t int64;

typedef char ANSICHAR;
typedef char UTF8CHAR;
// TCHAR is a wide character, as on the engine's desktop platforms.
typedef wchar_t WIDECHAR;
typedef wchar_t TCHAR;
typedef std::size_t SIZE_T;

#define UE_TEXT_PASTE(x) L##x
#define TEXT(x) UE_TEXT_PASTE(x)

#ifndef FORCEINLINE
#define FORCEINLINE inline __attribute__((always_inline))
#endif
#ifndef FORCENOINLINE
#define FORCENOINLINE __attribute__((noinline))
#endif
#ifndef LIKELY
#define LIKELY(x) __builtin_expect(!!(x), 1)
#endif
#ifndef UNLIKELY
#define UNLIKELY(x) __builtin_expect(!!(x), 0)
#endif

enum { INDEX_NONE = -1 };

#define MAX_uint8 ((uint8)0xff)
#define MAX_uint16 ((uint16)0xffff)
#define MAX_int32 ((int32)0x7fffffff)

#define UE_BUILD_SHIPPING 0
#define UE_BUILD_TEST 0
#define PLATFORM_WINDOWS 0
#define PLATFORM_LINUX 1
#define PLATFORM_MAC 0
