# Plays samples/game/game.txt headless and checks, through the variables it prints, that the
# game-over scene ran once and kept the coin's 10 points as the best score.
#   -DPLAYER=program -DSOURCE=repository -DKEYS=key script
execute_process(
    COMMAND "${PLAYER}" --vocabulary "${SOURCE}/dat/txt/game" --seed 1 --headless --frames 600
            --keys "${KEYS}" --dump-variables "${SOURCE}/samples/game/game.txt"
    OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE code)
if(NOT code EQUAL 0)
    message(SEND_ERROR "exit status ${code}:\n${err}")
endif()
foreach(line "グローバル プレイ回数[0] = 1" "グローバル 最高得点[0] = 10" "システム 残り回数 = 0")
    string(FIND "${out}" "${line}\n" found)
    if(found EQUAL -1)
        message(SEND_ERROR "no line '${line}' in:\n${out}")
    endif()
endforeach()
