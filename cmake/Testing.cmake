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
