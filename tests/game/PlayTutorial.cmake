# Plays tests/game/tutorial.txt, the project the steps of docs/tutorial.md make, headless from a
# folder of its own (as a project moved elsewhere with its images and sounds): the checker finds
# no problem; with 決定 on the title and the arrow keys onto the coin the score rises, with 決定
# alone it stays 0.
#   -DPLAYER=program -DCHECKER=program -DSOURCE=repository -DGAME=folder of the test files
#   -DWORK=scratch folder
set(vocabulary "${SOURCE}/dat/txt/game")
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
file(COPY "${GAME}/tutorial.txt" "${SOURCE}/dat/templates/skeleton/point.wav"
          "${SOURCE}/dat/templates/skeleton/miss.wav" "${SOURCE}/dat/templates/walker/player.png"
          "${SOURCE}/dat/templates/walker/coin.png" DESTINATION "${WORK}")
execute_process(COMMAND "${CHECKER}" --vocabulary "${vocabulary}" "${WORK}/tutorial.txt"
                OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE code)
if(NOT code EQUAL 0)
    message(SEND_ERROR "hakoniwa-check: exit status ${code}:\n${out}${err}")
endif()

function(play keys expect)
    execute_process(
        COMMAND "${PLAYER}" --vocabulary "${vocabulary}" --seed 1 --headless --frames 300
                --keys "${keys}" --dump-variables "${WORK}/tutorial.txt"
        OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE code)
    if(NOT code EQUAL 0)
        message(SEND_ERROR "exit status ${code}:\n${err}")
    endif()
    if(NOT out MATCHES "${expect}")
        message(SEND_ERROR "no line matching '${expect}' in:\n${out}")
    endif()
endfunction()
play("${GAME}/tutorial-keys.txt" "システム 得点 = [1-9]")
play("${GAME}/tutorial-decide.txt" "システム 得点 = 0\n")
