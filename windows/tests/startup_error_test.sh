#!/usr/bin/env bash
# The Windows program without "BackTile.bmp" beside it, under Wine: a box says why, the game window
# never shows, and closing the box ends the game with status 1.
# Usage: startup_error_test.sh <zip> <wine prefix folder>
source "$(dirname "$0")/lib.sh"

rm "$GAME_DIR/BackTile.bmp"
start_display
start_game
box=$(find_game_window)
size=$(xwininfo -id "$box")
! grep -q 'Width: 640$' <<<"$size" || fail "the game window was shown: $size"
title=$(xprop -id "$box" _NET_WM_NAME)
grep -qF '= "ぬいかろ"' <<<"$title" || fail "the box's title: $title"
# Wine hands the program's stderr on: the same message as in the box.
grep -q 'BackTile\.bmp: cannot be opened' "$WORK/stderr" || fail "message: $(cat "$WORK/stderr")"
kill -0 "$GAME_PID" 2>/dev/null || fail "the game ended before its box was closed"
focus "$box"
xdotool key Return
wait_for_exit 20
[ "$GAME_STATUS" = 1 ] || fail "exit status $GAME_STATUS without BackTile.bmp"
echo "PASS"
