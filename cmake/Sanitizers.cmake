# Sanitizers for the whole build, selected with -DDURIZERUDORE_SANITIZE=address, undefined, thread or a
# comma-separated combination that the compiler allows together (address,undefined).
if(DURIZERUDORE_SANITIZE)
	string(REPLACE "," ";" SanitizerList "${DURIZERUDORE_SANITIZE}")
	foreach(Sanitizer IN LISTS SanitizerList)
		if(NOT Sanitizer MATCHES "^(address|undefined|thread)$")
			message(FATAL_ERROR "Unknown sanitizer '${Sanitizer}' (use address, undefined or thread)")
		endif()
	endforeach()
	set(DurizerudoreSanitizerFlags -fsanitize=${DURIZERUDORE_SANITIZE} -fno-omit-frame-pointer)
	if(DURIZERUDORE_SANITIZE MATCHES "undefined")
		# Any undefined behaviour fails the test that shows it.
		list(APPEND DurizerudoreSanitizerFlags -fno-sanitize-recover=all)
	endif()
	add_compile_options(${DurizerudoreSanitizerFlags})
	add_link_options(${DurizerudoreSanitizerFlags})
endif()
