#!/usr/bin/env bash
# The Makefile's package installs on a minimal Debian: as root apt-get runs without sudo (such a
# system may have none), and through sudo, which resets the environment, apt-get still runs with
# the noninteractive front end. Fakes of id, dpkg-query, sudo and apt-get on PATH record what runs;
# the first install fails as with a stale package list, so the update and the retry run too.
# Usage: check-setup.sh (from the source tree)
set -euo pipefail
fakes=$(mktemp -d)
trap 'rm -rf "$fakes"' EXIT

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

fake() {  # fake <name> <body>
  printf '#!/usr/bin/env bash\n%s\n' "$2" >"$fakes/$1"
  chmod +x "$fakes/$1"
}
fake id 'echo "$FAKE_UID"'
fake dpkg-query 'exit 1'
# Like sudo's env_reset: only NAME=value arguments before the command reach it.
fake sudo 'echo "sudo $*" >>"$FAKE_LOG"
[ "$FAKE_UID" != 0 ] || exit 1
vars=()
while [[ $# -gt 0 && $1 == *=* ]]; do vars+=("$1"); shift; done
exec env -i PATH="$PATH" FAKE_LOG="$FAKE_LOG" "${vars[@]}" "$@"'
fake apt-get 'echo "apt-get $1 front end: ${DEBIAN_FRONTEND:-unset}" >>"$FAKE_LOG"
if [ "$1" = install ] && [ ! -e "$FAKE_LOG.tried" ]; then touch "$FAKE_LOG.tried"; exit 100; fi'

for uid in 0 1000; do
  log=$fakes/log-$uid
  env -u DEBIAN_FRONTEND FAKE_UID=$uid FAKE_LOG="$log" PATH="$fakes:$PATH" \
    make --no-print-directory -s deps-play >/dev/null || fail "as uid $uid make deps-play failed: $(cat "$log")"
  sudos=$(grep -c '^sudo ' "$log" || true)
  want=$([ $uid = 0 ] && echo 0 || echo 3)
  [ "$sudos" = "$want" ] || fail "as uid $uid sudo ran $sudos times, not $want: $(cat "$log")"
  calls=$(grep '^apt-get ' "$log" | cut -d' ' -f2- | paste -sd,)
  want="install front end: noninteractive,update front end: noninteractive,install front end: noninteractive"
  [ "$calls" = "$want" ] || fail "as uid $uid apt-get ran as: $calls"
done
echo "PASS"
