#!/usr/bin/env bash
# bench_startup.sh PROGRAM: runs the start-up benchmark on the Nevrolt.exe of the
# same build, two folders above the benchmark programs.
set -uo pipefail
build=$(cd "$(dirname "$1")/../.." && pwd)
if [ ! -f "$build/Nevrolt.exe" ]; then
  echo "bench_startup.sh: no Nevrolt.exe in $build" >&2
  exit 1
fi
NEVROLT_EXE="$build/Nevrolt.exe" "${WINE:-wine}" "$1"
