# durizerudore_generate_headers(Target MODULE_NAME Name MODULE_ROOT Dir HEADERS h1 h2 ... [USES u1 u2 ...])
# runs the header tool over the annotated headers at build time, puts the generated headers on the
# target's include path and compiles the generated sources (StaticClass, StaticStruct) into it. USES names
# annotated headers of modules this one builds on, whose types its reflected members may take.
set(DURIZERUDORE_HEADER_TOOL ${PROJECT_SOURCE_DIR}/Tools/HeaderTool/durizerudore_header_tool.py
	${PROJECT_SOURCE_DIR}/Tools/HeaderTool/reflection_model.py)
# The stand-in's engine classes whose annotations reflected classes inherit (hidden and shown categories).
set(DURIZERUDORE_ENGINE_REFLECTED_HEADERS
	${PROJECT_SOURCE_DIR}/Host/Engine/Public/GameFramework/Actor.h
	${PROJECT_SOURCE_DIR}/Host/Engine/Public/GameFramework/Info.h
	${PROJECT_SOURCE_DIR}/Host/Engine/Public/Components/ActorComponent.h
	${PROJECT_SOURCE_DIR}/Host/Engine/Public/Components/SceneComponent.h
	${PROJECT_SOURCE_DIR}/Host/Engine/Public/Kismet/BlueprintFunctionLibrary.h)

function(durizerudore_generate_headers Target)
	cmake_parse_arguments(ARG "" "MODULE_NAME;MODULE_ROOT" "HEADERS;USES" ${ARGN})
	set(OutputDir ${CMAKE_CURRENT_BINARY_DIR}/Generated/${ARG_MODULE_NAME})
	set(Outputs)
	set(GeneratedSources)
	foreach(Header IN LISTS ARG_HEADERS)
		get_filename_component(Base ${Header} NAME_WE)
		list(APPEND Outputs ${OutputDir}/${Base}.generated.h)
		list(APPEND GeneratedSources ${OutputDir}/${Base}.gen.cpp)
	endforeach()
	list(APPEND Outputs ${GeneratedSources})
	set(EngineHeaderArguments)
	foreach(Header IN LISTS DURIZERUDORE_ENGINE_REFLECTED_HEADERS ARG_USES)
		list(APPEND EngineHeaderArguments --engine-header ${Header})
	endforeach()
	add_custom_command(
		OUTPUT ${Outputs}
		COMMAND ${Python3_EXECUTABLE} ${PROJECT_SOURCE_DIR}/Tools/HeaderTool/durizerudore_header_tool.py
			--module-name ${ARG_MODULE_NAME} --module-root ${ARG_MODULE_ROOT} --output-dir ${OutputDir}
			${EngineHeaderArguments} ${ARG_HEADERS}
		DEPENDS ${DURIZERUDORE_HEADER_TOOL} ${DURIZERUDORE_ENGINE_REFLECTED_HEADERS} ${ARG_USES} ${ARG_HEADERS}
		COMMENT "Generating reflection headers of ${ARG_MODULE_NAME}"
		VERBATIM)
	add_custom_target(${Target}_GeneratedHeaders DEPENDS ${Outputs})
	add_dependencies(${Target} ${Target}_GeneratedHeaders)
	target_include_directories(${Target} PUBLIC $<BUILD_INTERFACE:${OutputDir}>)
	target_sources(${Target} PRIVATE ${GeneratedSources})
endfunction()
