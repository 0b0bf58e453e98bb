# durizerudore_add_gtest(Name SOURCES a.cpp b.cpp LIBRARIES lib...)
# builds one GoogleTest executable and registers its tests with CTest.
function(durizerudore_add_gtest Name)
	cmake_parse_arguments(ARG "" "" "SOURCES;LIBRARIES" ${ARGN})
	add_executable(${Name} ${ARG_SOURCES})
	target_link_libraries(${Name} PRIVATE ${ARG_LIBRARIES} GTest::gtest GTest::gtest_main)
	durizerudore_warnings(${Name})
	gtest_discover_tests(${Name}
		WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
		PROPERTIES ENVIRONMENT "DURIZERUDORE_PLUGIN_DIR=${PROJECT_SOURCE_DIR}"
		DISCOVERY_TIMEOUT 60)
endfunction()

# durizerudore_add_build_test(Name TARGET Target [EXPECT_FAILURE Regex])
# a test that builds a target left out of the normal build: it passes when the build succeeds, or, with
# EXPECT_FAILURE, when the build fails with a message matching Regex.
function(durizerudore_add_build_test Name)
	cmake_parse_arguments(ARG "" "TARGET;EXPECT_FAILURE" "" ${ARGN})
	add_test(NAME ${Name} COMMAND ${CMAKE_COMMAND} --build ${PROJECT_BINARY_DIR} --target ${ARG_TARGET})
	# Two builds in one tree must not run at once.
	set_tests_properties(${Name} PROPERTIES RESOURCE_LOCK DurizerudoreBuildTree)
	if(ARG_EXPECT_FAILURE)
		set_tests_properties(${Name} PROPERTIES PASS_REGULAR_EXPRESSION "${ARG_EXPECT_FAILURE}")
	endif()
endfunction()

# durizerudore_add_unity_check(Target SOURCES a.cpp b.cpp ...)
# compiles a module's sources the way the engine's unity build does, all of them included into one translation
# unit, once in each order, so that a name defined in two of them fails the test named <Target>.UnityBuild.
function(durizerudore_add_unity_check Target)
	cmake_parse_arguments(ARG "" "" "SOURCES" ${ARGN})
	set(UnityDir ${CMAKE_CURRENT_BINARY_DIR}/Unity)
	list(SORT ARG_SOURCES)
	set(UnitySources)
	foreach(Order IN ITEMS Forward Reverse)
		if(Order STREQUAL "Reverse")
			list(REVERSE ARG_SOURCES)
		endif()
		set(Content "")
		foreach(Source IN LISTS ARG_SOURCES)
			string(APPEND Content "#include \"${Source}\"\n")
		endforeach()
		file(CONFIGURE OUTPUT ${UnityDir}/Module.${Target}.${Order}.cpp CONTENT "${Content}")
		list(APPEND UnitySources ${UnityDir}/Module.${Target}.${Order}.cpp)
	endforeach()

	add_library(${Target}UnityCheck OBJECT EXCLUDE_FROM_ALL ${UnitySources})
	target_include_directories(${Target}UnityCheck PRIVATE $<TARGET_PROPERTY:${Target},INCLUDE_DIRECTORIES>)
	target_compile_definitions(${Target}UnityCheck PRIVATE $<TARGET_PROPERTY:${Target},COMPILE_DEFINITIONS>)
	target_link_libraries(${Target}UnityCheck PRIVATE $<TARGET_PROPERTY:${Target},LINK_LIBRARIES>)
	target_compile_options(${Target}UnityCheck PRIVATE -fsyntax-only)
	add_dependencies(${Target}UnityCheck ${Target})
	durizerudore_warnings(${Target}UnityCheck)
	durizerudore_add_build_test(${Target}.UnityBuild TARGET ${Target}UnityCheck)
endfunction()
