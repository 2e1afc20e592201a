#!/usr/bin/env bash
# wine-dpi-test.sh PRESET DPI PROGRAM [arguments]: runs one Wine test program
# at the display scale DPI, in a prefix of its own beside the current test run's
# (the system DPI is read when Wine starts, so a scale needs its own prefix),
# with the same fixtures. The prefix and its wineserver end with the run.
set -uo pipefail
: "${WINEPREFIX:?run the Wine tests through scripts/wine-ctest.sh or make test}"
preset=$1 dpi=$2
shift 2
cd "$(dirname "$0")/.."
. scripts/wine-session.sh
export WINEPREFIX="$WINEPREFIX.dpi$dpi"
trap 'end_wine_session; rm -rf "$WINEPREFIX"' EXIT
fresh_prefix "$WINEPREFIX"
install_fixtures "$preset"
set_prefix_dpi "$dpi"
NEVROLT_TEST_DPI=$dpi scripts/wine-test.sh "$@"
