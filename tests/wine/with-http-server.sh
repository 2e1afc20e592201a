#!/usr/bin/env bash
# with-http-server.sh COMMAND [ARGS]: runs COMMAND while the loopback HTTP
# server of tests/wine/http_server.py listens, and stops the server afterwards.
# COMMAND finds the server's port in NEVROLT_HTTP_PORT, the log of request lines
# in NEVROLT_HTTP_LOG, and a loopback port where nothing listens in
# NEVROLT_CLOSED_PORT.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
python3 "$here/http_server.py" "$work/port" "$work/requests.log" "$work/closed-port" &
server=$!
trap 'kill "$server" 2>/dev/null; wait "$server" 2>/dev/null; rm -rf "$work"' EXIT

# Wait up to 30 s for the server to publish its port.
for _ in $(seq 300); do
  [ -s "$work/port" ] && break
  kill -0 "$server" 2>/dev/null || { echo "the loopback server did not start" >&2; exit 1; }
  sleep 0.1
done
[ -s "$work/port" ] || { echo "the loopback server did not publish its port" >&2; exit 1; }

export NEVROLT_HTTP_PORT=$(cat "$work/port")
export NEVROLT_HTTP_LOG="$work/requests.log"
# Bound by the server, never listening: a connection there is refused.
export NEVROLT_CLOSED_PORT=$(cat "$work/closed-port")
"$@"
