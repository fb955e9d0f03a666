#!/usr/bin/env bash
# The game cannot start: it says why on stderr (and in a box when there is a display), never
# shows its window, and ends with status 1.
# Usage: startup_errors_test.sh <game binary>
source "$(dirname "$0")/../../../tests/support/e2e-lib.sh"

# No display at all: SDL would fall back to drawing nowhere and the game would run unseen.
status=0
env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER "$GAME_BINARY" 2>"$WORK/stderr" || status=$?
[ "$status" = 1 ] || fail "exit status $status without a display"
grep -q '^ぬいかろ: .*display' "$WORK/stderr" || fail "no display message: $(cat "$WORK/stderr")"

# A display that no server answers: named in the message, and the one line there is (no line
# from a Wayland attempt nobody asked for). (No test starts a server that high.)
status=0
env -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER -u XDG_RUNTIME_DIR DISPLAY=:4099 "$GAME_BINARY" \
  2>"$WORK/stderr" || status=$?
[ "$status" = 1 ] || fail "exit status $status with an unreachable display"
[ "$(cat "$WORK/stderr")" = 'ぬいかろ: cannot open the display ":4099": no X server answers there' ] ||
  fail "unreachable display: $(cat "$WORK/stderr")"

# A server that refuses the game (it lacks the cookie): said so, with the server's own reason.
xauth -q -f "$WORK/cookie" add :0 . 6e75696b61726f6e75696b61726f2121 2>/dev/null
Xvfb -displayfd 3 -auth "$WORK/cookie" -nolisten tcp 3>"$WORK/locked-display" >/dev/null 2>&1 &
XVFB_PID=$!
for tries in $(seq 200); do
  [ -s "$WORK/locked-display" ] && break
  sleep 0.05
done
locked=":$(head -n 1 "$WORK/locked-display")"
status=0
env -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER -u XDG_RUNTIME_DIR XAUTHORITY="$WORK/no-cookie" \
  DISPLAY="$locked" "$GAME_BINARY" 2>"$WORK/stderr" || status=$?
[ "$status" = 1 ] || fail "exit status $status with a refusing display"
[ "$(cat "$WORK/stderr")" = "ぬいかろ: cannot open the display \"$locked\": the X server there refused \
the connection: Authorization required, but no authorization protocol specified" ] ||
  fail "refused connection: $(cat "$WORK/stderr")"
stop "$XVFB_PID"
XVFB_PID=""

# Counts the pixels of text in the error box's picture $1, above its button: SDL draws its text
# and the button's label in one light grey on dark grey.
text_ink() {
  convert "$1" -alpha off -gravity north -crop 100%x55%+0+0 +repage -fill white -opaque '#D1CFCD' \
    -fill black +opaque white -format '%[fx:round(mean*w*h)]' info:
}

# Starts the game from the folder $1 with the environment changes that follow, waits for its
# message about "BackTile.bmp", checks that the error box shows the message's text,
# closes the box and expects status 1.
expect_error_box() {
  local folder=$1 tries box="" ink root
  root=$(($(xwininfo -root | awk '/Window id:/ { print $4 }')))
  shift
  local case="${folder##*/} $*"
  mkdir -p "$WORK/cwd"
  rm -f "$WORK/stderr"
  (cd "$WORK/cwd" && exec env "$@" "$folder/$(basename "$GAME_BINARY")" 2>"$WORK/stderr") &
  GAME_PID=$!
  # A busy machine can take seconds to start the game; one that waits on the file never ends.
  for tries in $(seq 400); do
    grep -q "^ぬいかろ: .*BackTile\.bmp: " "$WORK/stderr" 2>/dev/null && break
    kill -0 "$GAME_PID" 2>/dev/null || break
    sleep 0.05
  done
  grep -q "^ぬいかろ: .*BackTile\.bmp: " "$WORK/stderr" ||
    fail "$case: no message for BackTile.bmp within 20 s: $(cat "$WORK/stderr")"
  # The box belongs to a helper process SDL forks: it is the one visible window not the game's.
  # Until it is mapped and drawn, another window (or none) may be found: look again.
  ink=0
  for tries in $(seq 100); do
    [ -z "$(xdotool search --onlyvisible --pid "$GAME_PID" 2>/dev/null || true)" ] ||
      fail "$case: the game window was shown"
    box=$(xdotool search --onlyvisible --name '' 2>/dev/null | grep -vx "$root" | head -n 1 || true)
    if [ -n "$box" ] && grab "$box" "$WORK/box.png" 2>/dev/null; then
      ink=$(text_ink "$WORK/box.png" 2>/dev/null || echo 0)
      [ "$ink" -ge 200 ] && break
    fi
    sleep 0.1
  done
  [ -n "$box" ] || fail "$case: no error box"
  [ "$ink" -ge 200 ] || { cp "$WORK/box.png" /tmp/nuikaro-empty-box.png
    fail "$case: the error box shows no text ($ink pixels; /tmp/nuikaro-empty-box.png)"; }
  # Enter closes the box once it has the focus (--sync waits for good on a window that cannot
  # take it: a second at most).
  for tries in $(seq 50); do
    kill -0 "$GAME_PID" 2>/dev/null || break
    timeout 1 xdotool windowactivate --sync "$box" >/dev/null 2>&1 ||
      xdotool windowfocus "$box" 2>/dev/null || true
    xdotool key Return
    sleep 0.1
  done
  wait_for_exit 10
  [ "$GAME_STATUS" = 1 ] || fail "$case: exit status $GAME_STATUS"
}

start_display
# Without "BackTile.bmp" beside the program, in every locale: SDL's box draws its text through
# X11 in the locale's character type. Japanese is made for the test when it is not installed.
mkdir "$WORK/game"
cp "$GAME_BINARY" "$GAME_DIR/Nuik_Items.bmp" "$WORK/game/"
if ! locale -a | grep -qx 'ja_JP.utf8'; then
  mkdir "$WORK/locales"
  localedef -i ja_JP -f UTF-8 "$WORK/locales/ja_JP.UTF-8" || fail "localedef ja_JP.UTF-8 failed"
  export LOCPATH="$WORK/locales"
fi
expect_error_box "$WORK/game" -u LC_ALL LANG=C
grep -q 'No such file or directory$' "$WORK/stderr" || fail "missing file: $(cat "$WORK/stderr")"
expect_error_box "$WORK/game" -u LC_ALL -u LANG
expect_error_box "$WORK/game" -u LC_ALL LANG=ja_JP.UTF-8

# A named pipe in its place is refused at once (a plain open would wait for a writer for ever).
mkdir "$WORK/pipe"
cp "$GAME_BINARY" "$GAME_DIR/Nuik_Items.bmp" "$WORK/pipe/"
mkfifo "$WORK/pipe/BackTile.bmp"
expect_error_box "$WORK/pipe" -u LC_ALL LANG=C
grep -q 'BackTile\.bmp: is a named pipe (FIFO), not a picture file$' "$WORK/stderr" ||
  fail "named pipe: $(cat "$WORK/stderr")"
echo "PASS"
