# durizerudore_generate_headers(Target MODULE_NAME Name MODULE_ROOT Dir HEADERS h1 h2 ...)
# runs the header tool over the annotated headers at build time, puts the generated headers on the
# target's include path and compiles the generated sources (StaticClass, StaticStruct) into it.
set(DURIZERUDORE_HEADER_TOOL ${PROJECT_SOURCE_DIR}/Tools/HeaderTool/durizerudore_header_tool.py)

function(durizerudore_generate_headers Target)
	cmake_parse_arguments(ARG "" "MODULE_NAME;MODULE_ROOT" "HEADERS" ${ARGN})
	set(OutputDir ${CMAKE_CURRENT_BINARY_DIR}/Generated/${ARG_MODULE_NAME})
	set(Outputs)
	set(GeneratedSources)
	foreach(Header IN LISTS ARG_HEADERS)
		get_filename_component(Base ${Header} NAME_WE)
		list(APPEND Outputs ${OutputDir}/${Base}.generated.h)
		list(APPEND GeneratedSources ${OutputDir}/${Base}.gen.cpp)
	endforeach()
	list(APPEND Outputs ${GeneratedSources})
	add_custom_command(
		OUTPUT ${Outputs}
		COMMAND ${Python3_EXECUTABLE} ${DURIZERUDORE_HEADER_TOOL}
			--module-name ${ARG_MODULE_NAME} --module-root ${ARG_MODULE_ROOT} --output-dir ${OutputDir} ${ARG_HEADERS}
		DEPENDS ${DURIZERUDORE_HEADER_TOOL} ${ARG_HEADERS}
		COMMENT "Generating reflection headers of ${ARG_MODULE_NAME}"
		VERBATIM)
	add_custom_target(${Target}_GeneratedHeaders DEPENDS ${Outputs})
	add_dependencies(${Target} ${Target}_GeneratedHeaders)
	target_include_directories(${Target} PUBLIC $<BUILD_INTERFACE:${OutputDir}>)
	target_sources(${Target} PRIVATE ${GeneratedSources})
endfunction()
