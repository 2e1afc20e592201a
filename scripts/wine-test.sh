#!/usr/bin/env bash
# Runs one Wine test program in the prefix of the current test run (set up by
# scripts/wine-ctest.sh, which also provides DISPLAY). A GoogleTest report path
# given as a Unix path is handed to the program as a Windows path.
set -euo pipefail
: "${WINEPREFIX:?run the Wine tests through scripts/wine-ctest.sh or make test}"
export WINEDEBUG="${WINEDEBUG:--all}"
arguments=()
for argument in "$@"; do
  case "$argument" in
    --gtest_output=xml:/*)
      report=${argument#--gtest_output=xml:}
      mkdir -p "$(dirname "$report")"
      argument="--gtest_output=xml:$("${WINE:-wine}" winepath.exe -w "$report" 2>/dev/null)"
      ;;
  esac
  arguments+=("$argument")
done
exec "${WINE:-wine}" "${arguments[@]}"
