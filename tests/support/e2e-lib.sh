# Shared by the end-to-end tests: a private X display with a window manager, the game started
# from a folder of its own, window grabs and pixel checks against the artwork.
#
# A test script sources this file with the game binary as its first argument. Everything it
# starts is stopped by pid when the script ends, whatever way it ends.
set -euo pipefail
export LC_ALL=C.UTF-8

GAME_BINARY=$(realpath "$1")
GAME_DIR=$(dirname "$GAME_BINARY")
WORK=$(mktemp -d)
XVFB_PID=""
WM_PID=""
WESTON_PID=""
GAME_PID=""
CELL=16

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# Stops a process and its children (SDL shows message boxes from a child process): asked first,
# then killed, since a game waiting on its box does not end on SIGTERM.
stop() {
  local pid=$1 tries
  pkill -TERM -P "$pid" 2>/dev/null || true
  kill "$pid" 2>/dev/null || true
  for tries in $(seq 60); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.05
  done
  pkill -KILL -P "$pid" 2>/dev/null || true
  kill -KILL "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
}

cleanup() {
  local pid
  for pid in "$GAME_PID" "$WESTON_PID" "$WM_PID" "$XVFB_PID"; do
    if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then
      stop "$pid"
    fi
  done
  rm -rf "$WORK"
}
trap cleanup EXIT

# Starts Xvfb on a display number it picks itself (so tests running at the same time never share
# one), $1 pixels large (1280x1024 if not given), and openbox on it unless $2 is "bare".
start_display() {
  local size=${1:-1280x1024}
  Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp 3>"$WORK/display" >"$WORK/xvfb.log" 2>&1 &
  XVFB_PID=$!
  local tries
  for tries in $(seq 200); do
    [ -s "$WORK/display" ] && break
    kill -0 "$XVFB_PID" 2>/dev/null || fail "Xvfb did not start: $(cat "$WORK/xvfb.log")"
    sleep 0.05
  done
  [ -s "$WORK/display" ] || fail "Xvfb did not start within 10 s"
  export DISPLAY=":$(head -n 1 "$WORK/display")"
  [ "${2:-}" != bare ] || return 0
  # On a busy machine openbox now and then fails to connect to a server that is up (seen with
  # several displays starting at once); a second try gets through.
  local attempt
  for attempt in 1 2 3; do
    openbox >"$WORK/openbox.log" 2>&1 &
    WM_PID=$!
    for tries in $(seq 100); do
      if xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; then
        return 0
      fi
      kill -0 "$WM_PID" 2>/dev/null || break
      sleep 0.1
    done
    echo "openbox did not start (try $attempt): $(cat "$WORK/openbox.log")" >&2
    stop "$WM_PID"
    sleep 0.5
  done
  fail "openbox did not start: $(cat "$WORK/openbox.log")"
}

# Starts the game from an empty folder, so it must find its bitmaps beside itself. Its stderr
# goes to $WORK/stderr. GAME_ENV, when set, holds env(1)'s changes for the game alone (a locale).
start_game() {
  local binary=${1:-$GAME_BINARY}
  mkdir -p "$WORK/cwd"
  # shellcheck disable=SC2086 # GAME_ENV is a list of words
  (cd "$WORK/cwd" && exec env ${GAME_ENV:-} "$binary" 2>"$WORK/stderr") &
  GAME_PID=$!
}

# Prints the game's visible window once it is there (the kana caption cannot be searched by name),
# waiting up to WINDOW_WAIT_SECONDS (10 unless set).
find_game_window() {
  local tries window seconds=${WINDOW_WAIT_SECONDS:-10}
  for tries in $(seq $((seconds * 20))); do
    window=$(xdotool search --onlyvisible --pid "$GAME_PID" 2>/dev/null | head -n 1 || true)
    if [ -n "$window" ]; then
      echo "$window"
      return 0
    fi
    kill -0 "$GAME_PID" 2>/dev/null || fail "the game ended before showing its window: $(cat "$WORK/stderr")"
    sleep 0.05
  done
  fail "no game window within $seconds s"
}

# Waits up to $1 whole seconds for the game to end and sets GAME_STATUS to its exit status.
wait_for_exit() {
  local limit=$1 tries=0
  while kill -0 "$GAME_PID" 2>/dev/null; do
    tries=$((tries + 1))
    [ "$tries" -le $((limit * 20)) ] || fail "the game was still running after $limit s"
    sleep 0.05
  done
  GAME_STATUS=0
  wait "$GAME_PID" || GAME_STATUS=$?
  GAME_PID=""
}

# Grabs the window's client area into the file $2. A grab of a window that is gone can hang the
# X server's reply, hence the time limit. The window "weston" is weston's whole output, read back
# by weston itself (start_weston).
grab() {
  if [ "$1" = weston ]; then
    rm -rf "$WORK/shots" && mkdir "$WORK/shots"
    (cd "$WORK/shots" && timeout 10 weston-screenshooter) || fail "weston-screenshooter failed"
    convert "$WORK"/shots/*.png -alpha off "$2"
    return 0
  fi
  timeout 10 import -window "$1" png:- | convert png:- -alpha off "$2"
}

# Starts weston in a window of the X display, its output $1 by $2 pixels at scale $3, with the
# kiosk shell: the one client fills the output and has the keyboard. Keys typed into weston's X
# window reach the client. --debug lets weston-screenshooter read the output back.
start_weston() {
  export XDG_RUNTIME_DIR="$WORK/runtime"
  export WAYLAND_DISPLAY=nuikaro-test
  local attempt tries
  # Once, in a whole-suite run, weston's X11 backend did not come up for the second weston on the
  # same X server, with no more in its log than "failed to create compositor backend"; so a start
  # is tried up to three times.
  for attempt in 1 2 3; do
    rm -rf "$XDG_RUNTIME_DIR"
    mkdir -m 700 "$XDG_RUNTIME_DIR"
    weston --backend=x11-backend.so --shell=kiosk-shell.so --width="$1" --height="$2" --scale="$3" \
      --socket="$WAYLAND_DISPLAY" --idle-time=0 --debug >"$WORK/weston.log" 2>&1 &
    WESTON_PID=$!
    for tries in $(seq 200); do
      WESTON_WINDOW=$(xwininfo -root -tree | awk '/"Weston Compositor/ { print $1; exit }')
      if [ -S "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY" ] && [ -n "$WESTON_WINDOW" ]; then
        return 0
      fi
      kill -0 "$WESTON_PID" 2>/dev/null || break
      sleep 0.05
    done
    stop "$WESTON_PID"
    WESTON_PID=""
  done
  fail "weston did not start: $(cat "$WORK/weston.log")"
}

crop() {  # crop <image> <width> <height> <x> <y> <out>
  convert "$1" -crop "${2}x${3}+${4}+${5}" +repage -alpha off "$6"
}

differing_pixels() {
  compare -metric AE "$1" "$2" null: 2>&1 || true
}

# The artwork the game must show, cut from the bitmaps beside the binary.
prepare_artwork() {
  local sheet="$GAME_DIR/Nuik_Items.bmp"
  crop "$sheet" $CELL $CELL 0 0 "$WORK/mask.png"
  convert "$WORK/mask.png" -negate "$WORK/opaque.png"  # white where a sprite is opaque
  convert -size 480x480 "tile:$GAME_DIR/BackTile.bmp" -alpha off "$WORK/board.png"
}

# True when the grab $1 shows the head facing $4 on cell ($2, $3). Only the head's opaque pixels
# are compared: they show the picture whatever lies beneath (items, body), so random items
# cannot disturb the check.
shows_head() {
  local grab=$1 x=$2 y=$3 dir=$4
  crop "$GAME_DIR/Nuik_Items.bmp" $CELL $CELL $((dir * CELL)) $CELL "$WORK/head.png"
  convert "$WORK/head.png" "$WORK/opaque.png" -compose Multiply -composite "$WORK/want.png"
  crop "$grab" $CELL $CELL $((x * CELL)) $((y * CELL)) "$WORK/cell.png"
  convert "$WORK/cell.png" "$WORK/opaque.png" -compose Multiply -composite "$WORK/got.png"
  [ "$(differing_pixels "$WORK/got.png" "$WORK/want.png")" = 0 ]
}

# Grabs the window until it shows the head facing $4 on cell ($2, $3), for up to 5 s.
wait_for_head() {
  local window=$1 x=$2 y=$3 dir=$4 tries
  for tries in $(seq 50); do
    grab "$window" "$WORK/grab.png"
    if shows_head "$WORK/grab.png" "$x" "$y" "$dir"; then
      return 0
    fi
    sleep 0.1
  done
  fail "the head facing $dir never showed on cell ($x, $y)"
}

# Gives the game window the keyboard focus; xdotool's keys then go to it through XTEST.
focus() {
  xdotool windowactivate --sync "$1" >/dev/null 2>&1 || xdotool windowfocus --sync "$1"
}
