#!/usr/bin/env bash
# Runs one Windows benchmark program under Wine (WINEPREFIX and DISPLAY set by
# the caller). A benchmark that needs a helper such as a loopback server has a
# script of the same name with .sh beside its source, which is run instead.
set -uo pipefail
program=$1
name=$(basename "$program" .exe)
wrapper=$(ls bench/wine/"$name".sh 2>/dev/null)
if [ -n "$wrapper" ]; then bash "$wrapper" "$program"; else "${WINE:-wine}" "$program"; fi
