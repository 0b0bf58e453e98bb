# `cmake --install` puts the command-line tool, the plugin module as a static library with its public and
# generated headers, the engine stand-in and the harness (plugin registration for a standalone program) with their
# headers under the prefix, with a CMake package, so that a program outside the engine uses
# find_package(DuRizerudore) and links DuRizerudore::DuRizerudore (and DuRizerudore::Harness when it needs it).
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(DurizerudoreIncludeDir ${CMAKE_INSTALL_INCLUDEDIR}/DuRizerudore)
set(DurizerudorePackageDir ${CMAKE_INSTALL_LIBDIR}/cmake/DuRizerudore)

# The stand-in keeps the engine's include paths, one directory per engine module.
file(GLOB HostModuleDirs LIST_DIRECTORIES true ${PROJECT_SOURCE_DIR}/Host/*/Public)
foreach(PublicDir IN LISTS HostModuleDirs)
	get_filename_component(HostModule ${PublicDir} DIRECTORY)
	get_filename_component(HostModule ${HostModule} NAME)
	install(DIRECTORY ${PublicDir}/ DESTINATION ${DurizerudoreIncludeDir}/Host/${HostModule})
	target_include_directories(DuRizerudoreHost PUBLIC $<INSTALL_INTERFACE:${DurizerudoreIncludeDir}/Host/${HostModule}>)
endforeach()
set_target_properties(DuRizerudoreHost PROPERTIES EXPORT_NAME Host)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/Harness/Public/ DESTINATION ${DurizerudoreIncludeDir}/Harness)
target_include_directories(DuRizerudoreHarness PUBLIC $<INSTALL_INTERFACE:${DurizerudoreIncludeDir}/Harness>)
set_target_properties(DuRizerudoreHarness PROPERTIES EXPORT_NAME Harness)

file(GLOB ModulePublicHeaders ${PROJECT_SOURCE_DIR}/Source/DuRizerudore/Public/*.h)
install(FILES ${ModulePublicHeaders} DESTINATION ${DurizerudoreIncludeDir})
install(DIRECTORY ${PROJECT_BINARY_DIR}/Source/Generated/DuRizerudore/ DESTINATION ${DurizerudoreIncludeDir} FILES_MATCHING PATTERN "*.h")

install(TARGETS DuRizerudore DuRizerudoreHost DuRizerudoreHarness EXPORT DuRizerudoreTargets ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR})
install(EXPORT DuRizerudoreTargets NAMESPACE DuRizerudore:: DESTINATION ${DurizerudorePackageDir})

configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/DuRizerudoreConfig.cmake.in
	${PROJECT_BINARY_DIR}/DuRizerudoreConfig.cmake
	INSTALL_DESTINATION ${DurizerudorePackageDir})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/DuRizerudoreConfigVersion.cmake COMPATIBILITY SameMinorVersion)
install(FILES
	${PROJECT_BINARY_DIR}/DuRizerudoreConfig.cmake
	${PROJECT_BINARY_DIR}/DuRizerudoreConfigVersion.cmake
	${PROJECT_SOURCE_DIR}/cmake/GeographicLibTarget.cmake
	DESTINATION ${DurizerudorePackageDir})
