#!/usr/bin/env bash
# Builds the ticker and starts it against the local quote service on 127.0.0.1:8317.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build build/release
home="${VESK_TICKER_HOME:-$HOME/.local/share/vesk-ticker}"
mkdir -p "$home"
exec {service_out}< <(exec build/release/tools/quote-service/vesk-quote-service)
service=$!
trap 'kill $service 2>/dev/null' EXIT
# The service says where it listens, or ends with the reason it cannot; the ticker must not
# talk to whatever else holds the port.
if ! read -r listening <&"$service_out"; then
    echo "scripts/run.sh: the local quote service did not start; the ticker is not started" >&2
    exit 1
fi
echo "$listening"
VESK_TICKER_HOME="$home" build/release/vesk-ticker
