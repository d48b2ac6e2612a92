#!/bin/sh
# Run script. The editor's run button writes the project to tmp.txt next to this script,
# then starts it as: /bin/sh <absolute path of this script>, with no arguments, in the
# editor's start-up directory (the folder holding dat/), with HAKONIWA_BIN_DIR set to the
# editor's own folder and HAKONIWA_PROJECT_DIR to the saved project's folder (the game's
# images and sounds lie there). The editor does not wait for it, so neither does this script:
# it logs the run, ends the last run's player if it still plays, starts the player in the
# background and ends.
here=$(dirname "$0")
run_file="$here/tmp.txt"
log="$here/run.log"
if [ -f "$run_file" ]; then
    size="$(wc -c < "$run_file" | tr -d ' ') bytes"
else
    size="missing"
fi
now=$(date '+%Y-%m-%d %H:%M:%S')
printf '%s %s %s\n' "$now" "$run_file" "$size" >> "$log"

# The player beside the editor first, then the one on PATH.
player=""
if [ -n "$HAKONIWA_BIN_DIR" ] && [ -x "$HAKONIWA_BIN_DIR/hakoniwa-player" ]; then
    player="$HAKONIWA_BIN_DIR/hakoniwa-player"
elif command -v hakoniwa-player > /dev/null 2>&1; then
    player=$(command -v hakoniwa-player)
fi
if [ -z "$player" ]; then
    printf '%s hakoniwa-player not found (looked in HAKONIWA_BIN_DIR=%s and PATH)\n' \
        "$now" "$HAKONIWA_BIN_DIR" >> "$log"
    exit 1
fi

# The vocabulary the editor uses: dat/txt/<first line of dat/txt/conf.txt>.
set --
if [ -f dat/txt/conf.txt ]; then
    folder=$(head -n 1 dat/txt/conf.txt | tr -d '\r' | tr '\\' '/')
    if [ -n "$folder" ]; then
        set -- --vocabulary "$PWD/dat/txt/$folder"
    fi
fi
# File names in the game are looked up beside the saved project first.
if [ -n "$HAKONIWA_PROJECT_DIR" ]; then
    set -- "$@" --files "$HAKONIWA_PROJECT_DIR"
fi
# One game at a time: the player this script started last (its process number is kept in
# player.pid) ends before the new one starts. The number is only trusted while it still names
# a hakoniwa-player, since a finished process's number can be given to another program.
pid_file="$here/player.pid"
if [ -f "$pid_file" ]; then
    last=$(cat "$pid_file" 2> /dev/null)
    case "$last" in '' | *[!0-9]*) last="" ;; esac
    if [ -n "$last" ]; then
        name=$(cat "/proc/$last/comm" 2> /dev/null || ps -p "$last" -o comm= 2> /dev/null)
        if [ "$name" = "hakoniwa-player" ]; then
            kill "$last" 2> /dev/null
            tries=0
            while [ $tries -lt 20 ] && kill -0 "$last" 2> /dev/null; do
                sleep 0.1
                tries=$((tries + 1))
            done
        fi
    fi
fi
"$player" "$@" "$run_file" < /dev/null > /dev/null 2>> "$log" &
echo $! > "$pid_file"
