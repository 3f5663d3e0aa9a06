# Fails unless the AVX2 blend object defines no external symbol but its
# entry point. Run by the build: cmake -DNM=<nm> -DOBJECT=<object> -P this file.
execute_process(COMMAND ${NM} --defined-only --extern-only ${OBJECT}
                OUTPUT_VARIABLE symbols RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "${NM} failed on ${OBJECT}")
endif()
string(REGEX REPLACE "[^\n]*BlendRowEights[^\n]*\n?" "" others "${symbols}")
if(NOT others STREQUAL "")
    message(FATAL_ERROR "The AVX2 blend defines more than BlendRowEights; these may carry AVX2 instructions "
                        "into code that runs on any processor:\n${others}")
endif()
