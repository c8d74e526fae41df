#!/usr/bin/env bash
# Sets up, builds and starts the terminal.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/setup.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/release --target tavrix -j "$(nproc)"

program=build/release/bin/tavrix
if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
  echo "No display found: starting Tavrix under a virtual X display (xvfb-run)."
  exec xvfb-run -a "$program" "$@"
fi
exec "$program" "$@"
