#!/usr/bin/env bash
# Builds the shipped 32-bit program twice, from scratch, in two folders at
# different paths (build/repro-a and build/repro-b), prints the sha256sum lines
# of Nevrolt.exe and SkinH_EL.dll of both builds and exits 1 unless they are the
# same bytes. Needs what scripts/install-deps.sh installs. make test runs it.
set -euo pipefail
cd "$(dirname "$0")/.."

. scripts/release-build.sh

files=(Nevrolt.exe resources/skin_engine/SkinH_EL.dll)
release_build build/repro-a
release_build build/repro-b
differ=0
for file in "${files[@]}"; do
  for dir in build/repro-a build/repro-b; do
    [ -f "$dir/$file" ] || { echo "check-reproducible: $dir/$file was not built" >&2; exit 1; }
    sha256sum "$dir/$file"
  done
  if ! cmp -s "build/repro-a/$file" "build/repro-b/$file"; then
    echo "check-reproducible: $file differs between the two builds (offset, byte a, byte b in octal):" >&2
    cmp -l "build/repro-a/$file" "build/repro-b/$file" | head -n 10 >&2 || true
    differ=1
  fi
done
if [ $differ -ne 0 ]; then
  echo "check-reproducible: the build is not reproducible" >&2
  exit 1
fi
echo "check-reproducible: both builds are identical"
