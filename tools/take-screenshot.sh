#!/usr/bin/env bash
# Plays a short game in a private Xvfb display and saves the window as docs/screenshot.png.
# Usage: tools/take-screenshot.sh [game binary] [output png]
# In step mode the snake sweeps the board row by row; a sweep never enters a cell twice, so it
# cannot run into itself, and it takes every item on its way.
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../tests/support/e2e-lib.sh" "${1:-$here/../build/nuikaro}"
output=$(realpath -m "${2:-$here/../docs/screenshot.png}")
rows=${ROWS:-12}

start_display
start_game
window=$(find_game_window)
focus "$window"
xdotool key Return  # step mode on: the requested direction (down) moves the head to (0, 1)
keys=()
for ((row = 0; row < rows; row++)); do
  if ((row % 2 == 0)); then turn=Right; else turn=Left; fi
  for ((i = 0; i < 29; i++)); do keys+=("$turn"); done
  keys+=(Down)
done
xdotool key --delay 25 "${keys[@]}"
sleep 0.5
grab "$window" "$output"
xdotool key Escape
xdotool keyup Escape
wait_for_exit 10
echo "saved $output"
