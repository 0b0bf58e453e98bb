# Our own code is built with the strict warnings; they stop the build only when CI or a developer asks, so
# that a user's build never fails on a warning that a newer compiler adds. Third-party headers come in as
# system includes.
option(DURIZERUDORE_WARNINGS_AS_ERRORS "Treat compiler warnings in the project's own code as errors" OFF)

function(durizerudore_warnings Target)
	target_compile_options(${Target} PRIVATE -Wall -Wextra -Wpedantic -Wno-unused-parameter)
	if(DURIZERUDORE_WARNINGS_AS_ERRORS)
		target_compile_options(${Target} PRIVATE -Werror)
	endif()
endfunction()
