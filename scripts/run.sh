#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program on the built-in
# simulated mouse. Without a display it runs under a virtual one.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DNK_BUILD_TESTS=OFF >/dev/null
cmake --build build -j"$(nproc)"
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  exec build/bin/nevrix-kazmo
fi
echo "No display found: starting under a virtual display (xvfb-run)."
exec xvfb-run -a -s "-screen 0 1920x1080x24" build/bin/nevrix-kazmo
