# Warnings are errors in our own code; third-party headers come in as system includes.
function(durizerudore_warnings Target)
	target_compile_options(${Target} PRIVATE -Wall -Wextra -Wpedantic -Werror -Wno-unused-parameter)
endfunction()
