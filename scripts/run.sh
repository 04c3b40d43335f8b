#!/usr/bin/env bash
# Sets up, builds and starts Tivarel on the Linux desktop.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh build qt
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release > /dev/null
cmake --build build --parallel
if [ ! -x build/tivarel ]; then
  echo "Built the program's core; the window is not there yet."
  exit 0
fi
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "Built build/tivarel, but there is no display to show its window on." >&2
  exit 1
fi
exec build/tivarel
