# Checks one template of dat/templates with hakoniwa-check (no problem may be reported), then
# plays it headless with its key script and checks that the game finished before the last
# frame with the variables it printed holding the expected lines.
#   -DPLAYER=program -DCHECKER=program -DSOURCE=repository -DNAME=template folder
#   -DKEYS=key script -DFRAMES=n -DEXPECT="line;line"
set(project "${SOURCE}/dat/templates/${NAME}/game.txt")
execute_process(COMMAND "${CHECKER}" --vocabulary "${SOURCE}/dat/txt/game" "${project}"
                OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE code)
if(NOT code EQUAL 0 OR NOT "${out}${err}" STREQUAL "")
    message(SEND_ERROR "hakoniwa-check exit status ${code}:\n${out}${err}")
endif()
execute_process(
    COMMAND "${PLAYER}" --vocabulary "${SOURCE}/dat/txt/game" --seed 1 --headless
            --frames ${FRAMES} --keys "${KEYS}" --dump-variables "${project}"
    OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE code)
if(NOT code EQUAL 0)
    message(SEND_ERROR "exit status ${code}:\n${err}")
endif()
string(REGEX MATCH "システム フレーム数 = ([0-9]+)" frame_line "${out}")
math(EXPR last "${FRAMES} - 1")
if(NOT frame_line OR NOT CMAKE_MATCH_1 LESS last)
    message(SEND_ERROR "the game did not finish within ${FRAMES} frames:\n${out}")
endif()
foreach(line IN LISTS EXPECT)
    string(FIND "${out}" "${line}\n" found)
    if(found EQUAL -1)
        message(SEND_ERROR "no line '${line}' in:\n${out}")
    endif()
endforeach()
