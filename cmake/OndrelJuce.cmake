# JUCE is compiled once, inside the plug-in's shared-code target (Ondrel).
# The plug-in, the tests, the benchmarks and the tools all link that target.

# Settings every translation unit that includes JUCE headers must agree on.
add_library(ondrel_juce_config INTERFACE)
get_target_property(ONDREL_JUCE_MODULES_DIR juce::juce_core INTERFACE_JUCE_MODULE_PATH)
target_include_directories(ondrel_juce_config INTERFACE "${ONDREL_JUCE_MODULES_DIR}")
target_compile_definitions(ondrel_juce_config INTERFACE
    JUCE_GLOBAL_MODULE_SETTINGS_INCLUDED=1
    $<IF:$<CONFIG:Debug>,DEBUG=1 _DEBUG=1,NDEBUG=1 _NDEBUG=1>
    JUCE_USE_FLAC=0
    JUCE_USE_OGGVORBIS=0
    JUCE_WEB_BROWSER=0
    JUCE_USE_CURL=0
    JUCE_DISPLAY_SPLASH_SCREEN=0
    JUCE_MODAL_LOOPS_PERMITTED=1
    JUCE_VST3_CAN_REPLACE_VST2=0
    JUCE_PLUGINHOST_VST=1)

juce_set_vst2_sdk_path("${CMAKE_SOURCE_DIR}/vst2shim")

# A major version of 0 makes JUCE report minor*100 + patch*10 as the VST2
# vendor version: 0.2.0 reports 200.
juce_add_plugin(Ondrel
    PRODUCT_NAME "Ondrel"
    COMPANY_NAME "Kesmark"
    PLUGIN_MANUFACTURER_CODE Kesm
    PLUGIN_CODE ks04
    VERSION 0.2.0
    FORMATS VST
    IS_SYNTH FALSE
    NEEDS_MIDI_INPUT TRUE
    NEEDS_MIDI_OUTPUT FALSE
    IS_MIDI_EFFECT FALSE
    EDITOR_WANTS_KEYBOARD_FOCUS FALSE
    VST2_CATEGORY kPlugCategEffect
    COPY_PLUGIN_AFTER_BUILD FALSE)

target_link_libraries(Ondrel
    PRIVATE
        juce::juce_audio_utils
        juce::juce_dsp
    PUBLIC
        ondrel_juce_config
        ondrel_dsp)

target_include_directories(Ondrel PUBLIC "${CMAKE_SOURCE_DIR}")

# The exported plug-in: Ondrel.so with only the VST2 entry points visible
# (ours, from vst2entry/, in front of JUCE's).
set_target_properties(Ondrel_VST PROPERTIES PREFIX "" OUTPUT_NAME "Ondrel")
target_link_options(Ondrel_VST PRIVATE
    "-Wl,--version-script=${CMAKE_SOURCE_DIR}/cmake/vst2-exports.map"
    -Wl,--no-undefined)
set_property(TARGET Ondrel_VST APPEND PROPERTY LINK_DEPENDS "${CMAKE_SOURCE_DIR}/cmake/vst2-exports.map")

set(ONDREL_PLUGIN_PATH "$<TARGET_FILE:Ondrel_VST>")

# Executables that use the system's code and JUCE (tests, benchmarks, tools).
function(ondrel_link_system target)
    target_link_libraries(${target} PRIVATE Ondrel)
    target_include_directories(${target} PRIVATE $<TARGET_PROPERTY:Ondrel,INCLUDE_DIRECTORIES>)
    ondrel_warnings(${target})
endfunction()

# fst's headers carry #warning notes for their own authors; keep them out of
# the build log for the framework sources that include the VST2 interface
# (JUCE's VST2 client compiles in vst2entry/).
set_source_files_properties(
    "${ONDREL_JUCE_MODULES_DIR}/juce_audio_processors/juce_audio_processors.cpp"
    TARGET_DIRECTORY Ondrel
    PROPERTIES COMPILE_OPTIONS -Wno-cpp)

# JUCE 7.0.5 copies empty memory blocks with memcpy (null, null, 0), which
# UndefinedBehaviorSanitizer stops at (copying a juce::URL, as the editor's
# web-link buttons do). Only the framework's core source skips that one check.
if(ONDREL_SANITIZE STREQUAL "address")
    set_source_files_properties(
        "${ONDREL_JUCE_MODULES_DIR}/juce_core/juce_core.cpp"
        TARGET_DIRECTORY Ondrel
        PROPERTIES COMPILE_OPTIONS -fno-sanitize=nonnull-attribute)
endif()
