# Runs the checker once and compares its output and exit status with the expected ones.
#   -DCHECKER=program -DARGS="a|b|c" -DWORKDIR=dir -DEXIT_CODE=n
#   -DEXPECTED_OUT=file -DEXPECTED_ERR=file (a missing name means: nothing is printed there)
string(REPLACE "|" ";" arguments "${ARGS}")
execute_process(COMMAND "${CHECKER}" ${arguments}
                WORKING_DIRECTORY "${WORKDIR}"
                OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE code)
set(failed FALSE)
if(NOT code EQUAL EXIT_CODE)
    message(SEND_ERROR "exit status ${code}, expected ${EXIT_CODE}")
endif()
foreach(stream out err)
    string(TOUPPER "${stream}" name)
    set(expected "")
    if(EXPECTED_${name})
        file(READ "${EXPECTED_${name}}" expected)
    endif()
    if(NOT "${${stream}}" STREQUAL "${expected}")
        message(SEND_ERROR "std${stream} differs from '${EXPECTED_${name}}':\n${${stream}}")
    endif()
endforeach()
