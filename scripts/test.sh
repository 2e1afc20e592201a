#!/usr/bin/env bash
# make test: installs what is missing, builds every preset, runs the native unit
# tests and then the Wine integration tests of both Windows builds, checks that
# the 32-bit build is reproducible, and ends with one summary line.
set -uo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh || exit 1

for preset in native win32 win64; do
  { cmake --preset "$preset" >/dev/null && cmake --build --preset "$preset"; } || { echo "build of $preset failed"; exit 1; }
done

rm -rf build/native/results build/win32/results build/win64/results
failed=0
ctest --preset native || failed=1
scripts/fuzz.sh 30 || failed=1

for preset in win32 win64; do
  scripts/wine-ctest.sh "$preset" || failed=1
done

# Every C++ file is laid out as .clang-format says.
if scripts/check-format.sh; then
  python3 scripts/write-report.py build/native/results/format.xml passed clang_format
else
  python3 scripts/write-report.py build/native/results/format.xml failed clang_format
  failed=1
fi

# Two clean builds of the shipped program in different folders give the same bytes.
if scripts/check-reproducible.sh; then
  python3 scripts/write-report.py build/win32/results/reproducible.xml passed reproducible_win32_build
else
  python3 scripts/write-report.py build/win32/results/reproducible.xml failed reproducible_win32_build
  failed=1
fi

python3 scripts/summarize-results.py build/native/results build/win32/results build/win64/results || failed=1
exit $failed
