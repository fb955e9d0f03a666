#!/usr/bin/env bash
# Measures the game in Xvfb: start-up to the window mapped, CPU at rest and while playing in step
# mode (ten arrow presses a second along a path that never crosses itself), and peak memory.
# Usage: tests/e2e/measure.sh build/nuikaro [seconds per phase, 20 if not given]
source "$(dirname "$0")/lib.sh"
SECONDS_PER_PHASE=${2:-20}
TICKS_PER_SECOND=$(getconf CLK_TCK)

cpu_ticks() {  # utime + stime of the game, in clock ticks
  awk '{ print $14 + $15 }' "/proc/$GAME_PID/stat"
}

percent_of_a_core() {  # ticks used over seconds
  awk -v t="$1" -v s="$2" -v hz="$TICKS_PER_SECOND" 'BEGIN { printf "%.2f", 100 * t / hz / s }'
}

start_display
# Five starts: the first finds the file and font caches cold, the others warm.
times=()
for run in 1 2 3 4 5; do
  launched=$(date +%s%N)
  start_game
  while [ -z "$(xdotool search --onlyvisible --pid "$GAME_PID" 2>/dev/null || true)" ]; do
    kill -0 "$GAME_PID" || fail "the game ended: $(cat "$WORK/stderr")"
  done
  times+=("$((($(date +%s%N) - launched) / 1000000))")
  if [ "$run" -lt 5 ]; then
    stop "$GAME_PID"
  fi
done
window=$(find_game_window)
echo "start-up to window mapped: ${times[*]} ms (first run cold)"

# At rest: the head has run down to the bottom wall and waits there; the ticks go on.
sleep 4
before=$(cpu_ticks)
sleep "$SECONDS_PER_PHASE"
echo "at rest: $(percent_of_a_core $(($(cpu_ticks) - before)) "$SECONDS_PER_PHASE") % of a core"

# Playing: step mode, then ten presses a second, snaking over the rows from the bottom right
# without ever entering column 0 (where the head came down) or a row twice.
focus "$window"
xdotool key Return
presses=$((SECONDS_PER_PHASE * 10))
keys=()
x=0
y=29
direction=Right
while [ "${#keys[@]}" -lt "$presses" ]; do
  if { [ "$direction" = Right ] && [ "$x" = 29 ]; } || { [ "$direction" = Left ] && [ "$x" = 1 ]; }; then
    keys+=(Up)
    y=$((y - 1))
    [ "$direction" = Right ] && direction=Left || direction=Right
  else
    keys+=("$direction")
    [ "$direction" = Right ] && x=$((x + 1)) || x=$((x - 1))
  fi
done
before=$(cpu_ticks)
started=$(date +%s%N)
xdotool key --delay 100 "${keys[@]}"
elapsed_ms=$((($(date +%s%N) - started) / 1000000))
used=$(($(cpu_ticks) - before))
echo "playing: $(percent_of_a_core "$used" "$(awk -v ms="$elapsed_ms" 'BEGIN { print ms / 1000 }')") % of a core ($presses presses in $elapsed_ms ms, head should end on ($x, $y))"
grab "$window" "$WORK/grab.png"
prepare_artwork
last=${keys[-1]}
case "$last" in Up) dir=0 ;; Right) dir=1 ;; Left) dir=3 ;; esac
shows_head "$WORK/grab.png" "$x" "$y" "$dir" && echo "the head is where the path ends" ||
  echo "note: the head is not where the path ends (a game over on the way?)"

echo "peak RSS: $(awk '/VmHWM/ { printf "%.1f MiB", $2 / 1024 }' "/proc/$GAME_PID/status")"
xdotool key Escape
xdotool keyup Escape
wait_for_exit 10
echo "exit status after Escape: $GAME_STATUS"
