# Plays tests/game/tutorial.txt, the project the steps of docs/tutorial.md make, headless: with
# 決定 pressed on the title the game goes on to the next item, waits its two seconds there and
# ends (frame 150); without a key it stays on the title for every frame. The checker finds no
# problem in it either.
#   -DPLAYER=program -DCHECKER=program -DSOURCE=repository -DGAME=folder of the test files
set(vocabulary "${SOURCE}/dat/txt/game")
execute_process(COMMAND "${CHECKER}" --vocabulary "${vocabulary}" "${GAME}/tutorial.txt"
                OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE code)
if(NOT code EQUAL 0)
    message(SEND_ERROR "hakoniwa-check: exit status ${code}:\n${out}${err}")
endif()

function(play expect)
    execute_process(
        COMMAND "${PLAYER}" --vocabulary "${vocabulary}" --seed 1 --headless --frames 400
                ${ARGN} --dump-variables "${GAME}/tutorial.txt"
        OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE code)
    if(NOT code EQUAL 0)
        message(SEND_ERROR "exit status ${code}:\n${err}")
    endif()
    string(FIND "${out}" "${expect}\n" found)
    if(found EQUAL -1)
        message(SEND_ERROR "no line '${expect}' in:\n${out}")
    endif()
endfunction()
play("システム フレーム数 = 150" --keys "${GAME}/tutorial-keys.txt")
play("システム フレーム数 = 399")
