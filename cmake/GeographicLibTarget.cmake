# GeographicLib as the imported target GeographicLib::GeographicLib. Debian ships no CMake package for it, so
# the library and its headers are found directly. Used by the build and by the installed package alike.
if(NOT TARGET GeographicLib::GeographicLib)
	find_library(GEOGRAPHICLIB_LIBRARY NAMES GeographicLib REQUIRED)
	find_path(GEOGRAPHICLIB_INCLUDE_DIR GeographicLib/Geocentric.hpp REQUIRED)
	add_library(GeographicLib::GeographicLib UNKNOWN IMPORTED)
	set_target_properties(GeographicLib::GeographicLib PROPERTIES
		IMPORTED_LOCATION "${GEOGRAPHICLIB_LIBRARY}"
		INTERFACE_INCLUDE_DIRECTORIES "${GEOGRAPHICLIB_INCLUDE_DIR}")
endif()
