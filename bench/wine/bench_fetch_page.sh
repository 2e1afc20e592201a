#!/usr/bin/env bash
# bench_fetch_page.sh PROGRAM: runs the page-request benchmark beside the
# loopback server of the Wine tests.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
"$here/../../tests/wine/with-http-server.sh" "${WINE:-wine}" "$1"
