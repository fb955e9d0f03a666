#!/usr/bin/env bash
# Closes the game many times in a row, at random moments of play, by Escape, the close box
# (openbox's alt+F4), SIGTERM and SIGINT: every close must end with status 0 and nothing on stderr.
# The games run on several private displays at once, one game at a time on each.
# Usage: close_stress_test.sh <game binary> [games, 200] [displays, 4] [seconds allowed to exit, 5]
set -euo pipefail
binary=$1 games=${2:-200} displays=${3:-4} exit_limit=${4:-5}

if [ "${STRESS_DISPLAY:-}" = "" ]; then
  # The whole run: one worker per display, each with its share of the games.
  seed=${STRESS_SEED:-$(date +%s)}
  echo "seed $seed ($games games on $displays displays)"
  out=$(mktemp -d)
  trap 'rm -rf "$out"' EXIT
  pids=()
  for ((d = 0; d < displays; d++)); do
    count=$(((games + displays - 1 - d) / displays))
    # Started in the background, a worker would ignore SIGINT, and so would its games.
    STRESS_DISPLAY=$d STRESS_SEED=$((seed + d)) env --default-signal=INT "$0" "$binary" "$count" 1 "$exit_limit" \
      >"$out/$d" 2>&1 &
    pids+=($!)
  done
  status=0
  for pid in "${pids[@]}"; do
    wait "$pid" || status=1
  done
  cat "$out"/*
  closed=$(cat "$out"/* | grep -c '^closed ' || true)
  failed=$(cat "$out"/* | grep -c '^FAILED ' || true)
  echo "$closed closes, $failed failed"
  [ "$status" = 0 ] && [ "$failed" = 0 ] && [ "$closed" = "$games" ] || {
    echo "FAIL" >&2
    exit 1
  }
  echo "PASS"
  exit 0
fi

# One worker: its own display, the games one after another.
source "$(dirname "$0")/../../../tests/support/e2e-lib.sh"
RANDOM=$STRESS_SEED
start_display
# Only keys that can never turn the snake back onto itself: a game over would put the game-over
# box in the way of Escape (which then closes the box, as it should).
keys=(Down Right Return space)
for ((game = 1; game <= games; game++)); do
  start_game
  window=$(find_game_window)
  focus "$window"
  # Play for a random while: up to three keys, each after a pause of up to 0.2 s (none at all
  # closes the game as soon as it shows).
  for ((press = RANDOM % 4; press > 0; press--)); do
    sleep "0.$(printf '%03d' $((RANDOM % 200)))"
    xdotool key "${keys[RANDOM % ${#keys[@]}]}"
  done
  sleep "0.$(printf '%03d' $((RANDOM % 200)))"
  how=$(((RANDOM % 4)))
  case $how in
    0) way=Escape
       xdotool key Escape
       xdotool keyup Escape ;;
    1) way="close box"
       xdotool key alt+F4 ;;
    2) way=SIGTERM
       kill -TERM "$GAME_PID" ;;
    3) way=SIGINT
       kill -INT "$GAME_PID" ;;
  esac
  # Now and then the X server stalls a moment just after the request, as on a busy desktop:
  # whatever the game sends meanwhile is handled in one go when it comes back.
  if ((RANDOM % 2)); then
    kill -STOP "$XVFB_PID"
    sleep "0.$(printf '%03d' $((20 + RANDOM % 80)))"
    kill -CONT "$XVFB_PID"
  fi
  wait_for_exit "$exit_limit"
  if [ "$GAME_STATUS" = 0 ] && [ ! -s "$WORK/stderr" ]; then
    echo "closed by $way"
  else
    echo "FAILED by $way on display $STRESS_DISPLAY: status $GAME_STATUS, stderr: $(cat "$WORK/stderr")"
  fi
done
