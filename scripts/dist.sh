#!/usr/bin/env bash
# make dist: builds the shipped 32-bit Nevrolt.exe from scratch in build/repro-dist
# and writes dist/Nevrolt-<version>-win32.zip (Nevrolt.exe and README.md) and
# dist/SHA256SUMS (the zip, Nevrolt.exe, and SkinH_EL.dll, the library the
# program writes beside itself). The same source gives the same bytes; see
# "Checking a download" in README.md.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh

. scripts/release-build.sh
out=build/repro-dist
release_build "$out"

# The version of project() in CMakeLists.txt, as CMake read it.
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$out/CMakeCache.txt")
[ -n "$version" ] || { echo "dist: no CMAKE_PROJECT_VERSION in $out/CMakeCache.txt" >&2; exit 1; }
zip_name="Nevrolt-$version-win32.zip"

rm -rf dist
mkdir dist
# Fixed entry order, times and permissions, and no compression, so that the
# zip's bytes depend on nothing but the two files and SOURCE_DATE_EPOCH.
python3 - "dist/$zip_name" "$out/Nevrolt.exe" README.md <<'EOF'
import os
import sys
import time
import zipfile

target, exe, readme = sys.argv[1:]
stamp = time.gmtime(max(int(os.environ["SOURCE_DATE_EPOCH"]), 315532800))[:6]
with zipfile.ZipFile(target, "w") as archive:
    for path, name, mode in ((exe, "Nevrolt.exe", 0o755), (readme, "README.md", 0o644)):
        entry = zipfile.ZipInfo(name, date_time=stamp)
        entry.create_system = 3  # Unix, so that the permissions below are read
        entry.external_attr = (0o100000 | mode) << 16
        entry.compress_type = zipfile.ZIP_STORED
        with open(path, "rb") as source:
            archive.writestr(entry, source.read())
EOF

{
  (cd dist && sha256sum "$zip_name")
  (cd "$out" && sha256sum Nevrolt.exe)
  (cd "$out/resources/skin_engine" && sha256sum SkinH_EL.dll)
} >dist/SHA256SUMS
cat dist/SHA256SUMS
echo "dist: wrote dist/$zip_name and dist/SHA256SUMS"
