# GeographicLib as the imported target GeographicLib::GeographicLib. Used by the build and by the installed
# package alike.
#
# By default it is the system's shared library (Debian ships no CMake package for it, so the library and its
# headers are found directly), and the module loads that library's file at start-up as on a platform that
# binds it lazily. With DURIZERUDORE_GEOGRAPHICLIB_STATIC_ROOT set to a folder that scripts/build-geographiclib
# filled (include/ and lib/Linux/libGeographicLib.a, as the engine's build takes them), it is that static library,
# linked into the module as in the engine, and the module only records that it is present.
if(NOT TARGET GeographicLib::GeographicLib)
	if(DURIZERUDORE_GEOGRAPHICLIB_STATIC_ROOT)
		set(GEOGRAPHICLIB_LIBRARY "${DURIZERUDORE_GEOGRAPHICLIB_STATIC_ROOT}/lib/Linux/libGeographicLib.a")
		set(GEOGRAPHICLIB_INCLUDE_DIR "${DURIZERUDORE_GEOGRAPHICLIB_STATIC_ROOT}/include")
		if(NOT EXISTS "${GEOGRAPHICLIB_LIBRARY}" OR NOT EXISTS "${GEOGRAPHICLIB_INCLUDE_DIR}/GeographicLib/Geocentric.hpp")
			message(FATAL_ERROR "No static GeographicLib in ${DURIZERUDORE_GEOGRAPHICLIB_STATIC_ROOT}: run scripts/build-geographiclib first")
		endif()
		add_library(GeographicLib::GeographicLib STATIC IMPORTED)
		set_target_properties(GeographicLib::GeographicLib PROPERTIES
			INTERFACE_COMPILE_DEFINITIONS "GEOGRAPHICLIB_SHARED_LIB=0")
	else()
		find_library(GEOGRAPHICLIB_LIBRARY NAMES GeographicLib REQUIRED)
		find_path(GEOGRAPHICLIB_INCLUDE_DIR GeographicLib/Geocentric.hpp REQUIRED)
		add_library(GeographicLib::GeographicLib UNKNOWN IMPORTED)
	endif()
	set_target_properties(GeographicLib::GeographicLib PROPERTIES
		IMPORTED_LOCATION "${GEOGRAPHICLIB_LIBRARY}"
		INTERFACE_INCLUDE_DIRECTORIES "${GEOGRAPHICLIB_INCLUDE_DIR}")
endif()
