# Runs the icon generator into the build folder and fails when its output
# differs from the committed lookandfeel/IconOutlines.cpp.
execute_process(COMMAND "${GENERATOR}" "${OUTPUT}" RESULT_VARIABLE generated)
if(NOT generated EQUAL 0)
    message(FATAL_ERROR "make_icon_outlines failed: ${generated}")
endif()
execute_process(COMMAND "${CMAKE_COMMAND}" -E compare_files "${OUTPUT}" "${COMMITTED}" RESULT_VARIABLE differs)
if(NOT differs EQUAL 0)
    message(FATAL_ERROR "lookandfeel/IconOutlines.cpp is not what tools/icons/make_icon_outlines writes; regenerate it")
endif()
