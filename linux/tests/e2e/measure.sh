#!/usr/bin/env bash
# Measures the game in Xvfb: start-up to the window mapped, CPU of the game and of the X server
# at rest and while playing in step mode (ten arrow presses a second along a path that never
# crosses itself), and peak memory.
# Usage: linux/tests/e2e/measure.sh build/nuikaro [seconds per phase, 20 if not given] [screen size]
# With a screen size (3840x2160, say) the game window is maximised on a screen that large;
# without one it keeps its 640 by 480 on a 1280 by 1024 screen.
source "$(dirname "$0")/../../../tests/support/e2e-lib.sh"
SECONDS_PER_PHASE=${2:-20}
SCREEN=${3:-}
TICKS_PER_SECOND=$(getconf CLK_TCK)

cpu_ticks() {  # utime + stime of the process $1 (the game if not given), in clock ticks
  awk '{ print $14 + $15 }' "/proc/${1:-$GAME_PID}/stat"
}

percent_of_a_core() {  # ticks used over seconds
  awk -v t="$1" -v s="$2" -v hz="$TICKS_PER_SECOND" 'BEGIN { printf "%.2f", 100 * t / hz / s }'
}

start_display "${SCREEN:-1280x1024}"
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
if [ -n "$SCREEN" ]; then
  # A double click on the title bar, just above the client area, maximises with openbox.
  eval "$(xwininfo -id "$window" |
    awk '/Absolute upper-left X/ { print "X=" $4 } /Absolute upper-left Y/ { print "Y=" $4 }')"
  xdotool mousemove $((X + 100)) $((Y - 8)) click --repeat 2 --delay 100 1
  sleep 1
  xdotool mousemove 0 0
fi
echo "window: $(xwininfo -id "$window" | awk '/Width:/ { w = $2 } /Height:/ { h = $2 } END { print w "x" h }')"

# At rest: the head has run down to the bottom wall and waits there; the ticks go on.
sleep 4
before=$(cpu_ticks)
serverBefore=$(cpu_ticks "$XVFB_PID")
sleep "$SECONDS_PER_PHASE"
echo "at rest: $(percent_of_a_core $(($(cpu_ticks) - before)) "$SECONDS_PER_PHASE") % of a core," \
  "X server $(percent_of_a_core $(($(cpu_ticks "$XVFB_PID") - serverBefore)) "$SECONDS_PER_PHASE") %"

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
serverBefore=$(cpu_ticks "$XVFB_PID")
started=$(date +%s%N)
xdotool key --delay 100 "${keys[@]}"
elapsed_ms=$((($(date +%s%N) - started) / 1000000))
used=$(($(cpu_ticks) - before))
serverUsed=$(($(cpu_ticks "$XVFB_PID") - serverBefore))
elapsed=$(awk -v ms="$elapsed_ms" 'BEGIN { print ms / 1000 }')
echo "playing: $(percent_of_a_core "$used" "$elapsed") % of a core, X server" \
  "$(percent_of_a_core "$serverUsed" "$elapsed") % ($presses presses in $elapsed_ms ms," \
  "head should end on ($x, $y))"
grab "$window" "$WORK/grab.png"
if [ -n "$SCREEN" ]; then
  # The frame's own pixels, placed as the game places them in the window.
  eval "$(xwininfo -id "$window" | awk '/Width:/ { print "W=" $2 } /Height:/ { print "H=" $2 }')"
  scale=$((W / 640 < H / 480 ? W / 640 : H / 480))
  convert "$WORK/grab.png" -crop "$((640 * scale))x$((480 * scale))+$(((W - 640 * scale) / 2))+$(((H - 480 * scale) / 2))" \
    +repage -sample '640x480!' "$WORK/grab.png"
fi
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
