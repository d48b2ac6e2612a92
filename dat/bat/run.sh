#!/bin/sh
# Sample run script. The editor's run button writes the project to tmp.txt next to this
# script, then starts it as: /bin/sh <absolute path of this script>, with no arguments,
# in the editor's start-up directory. The editor does not wait for it.
here=$(dirname "$0")
run_file="$here/tmp.txt"
if [ -f "$run_file" ]; then
    size="$(wc -c < "$run_file" | tr -d ' ') bytes"
else
    size="missing"
fi
printf '%s %s %s\n' "$(date '+%Y-%m-%d %H:%M:%S')" "$run_file" "$size" >> "$here/run.log"
# The engine that executes the project is started here, with the run file, for example:
#   exec /opt/engine/bin/engine "$run_file"
