#!/usr/bin/env bash
# The web page in headless Chromium and Firefox ESR, and WebKit under Xvfb. Usage:
# run_browser_tests.sh <site folder> [chromium|firefox|webkit] [scenario ...]. Prints a line per scenario and closes with "N passed, N failed".
set -euo pipefail
# Debian's own Python, which has the Debian packages the tests use (selenium, numpy, PIL).
export PYTHONDONTWRITEBYTECODE=1
exec /usr/bin/python3 "$(dirname "$0")/browser_tests.py" "$@"
