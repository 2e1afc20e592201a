#!/usr/bin/env bash
# Runs one Wine test program in the prefix of the current test run (set up by
# scripts/test.sh, which also provides DISPLAY).
set -euo pipefail
: "${WINEPREFIX:?run the Wine tests through make test}"
export WINEDEBUG="${WINEDEBUG:--all}"
exec wine "$@"
