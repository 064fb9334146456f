# Warnings for the project's own sources only (JUCE's module sources compile
# in the same targets and keep the framework's own settings).
set(ONDREL_WARNING_FLAGS -Wall -Wextra -Wshadow -Wno-missing-field-initializers)

# Our sources compiled inside the Ondrel target, next to JUCE's modules.
function(ondrel_add_plugin_sources)
    target_sources(Ondrel PRIVATE ${ARGN})
    set_source_files_properties(${ARGN} TARGET_DIRECTORY Ondrel
        PROPERTIES COMPILE_OPTIONS "${ONDREL_WARNING_FLAGS}")
endfunction()

function(ondrel_warnings target)
    target_compile_options(${target} PRIVATE ${ONDREL_WARNING_FLAGS})
endfunction()
