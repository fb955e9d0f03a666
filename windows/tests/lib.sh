# Shared by the Windows end-to-end tests: the zip unpacked into a scratch folder, and the Linux
# tests' helpers (tests/support/e2e-lib.sh) with the game started under Wine instead.
#
# A test script sources this file with the zip and a Wine prefix folder as its arguments.
set -euo pipefail
ZIP=$(realpath "$1")
WINE_PREFIX_DIR=$2
WINE_RUN=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/wine-run.sh
UNPACKED=$(mktemp -d)
cmake -E chdir "$UNPACKED" cmake -E tar xf "$ZIP"
game_exe=$(ls "$UNPACKED"/*/nuikaro.exe)
source "$(dirname "${BASH_SOURCE[0]}")/../../tests/support/e2e-lib.sh" "$game_exe"

# Wine first, so that nothing of it outlives the test's display; then the Linux helpers' cleanup.
eval "$(declare -f cleanup | sed '1s/^cleanup/linux_cleanup/')"
cleanup() {
  WINEPREFIX=$WINE_PREFIX_DIR wineserver -k 2>/dev/null || true
  linux_cleanup
  rm -rf "$UNPACKED"
}

# The prefix is made (once, about 10 s) before any clock of the tests runs.
"$WINE_RUN" "$WINE_PREFIX_DIR"

start_game() {
  local binary=${1:-$GAME_BINARY}
  mkdir -p "$WORK/cwd"
  (cd "$WORK/cwd" && exec "$WINE_RUN" "$WINE_PREFIX_DIR" "$binary" 2>"$WORK/stderr") &
  GAME_PID=$!
}

# Wine's first window in a session also starts its desktop process: allow 60 s.
WINDOW_WAIT_SECONDS=60
