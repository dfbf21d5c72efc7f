#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program on the built-in
# simulated mouse. Without a display it runs under a virtual one. The
# simulation's variables (NK_SIM_SCENARIO, NK_SIM_STATE, NK_SIM_LOG,
# NK_SIM_LATENCY_MS) are passed on to the program as they are set.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
source scripts/build-settings.sh
echo "Building into build/ (the first build takes several minutes)..."
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DNK_BUILD_TESTS=OFF \
      "${nk_launcher[@]}" >/dev/null
cmake --build build -j"$nk_jobs"
program=build/bin/nevrix-kazmo

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  echo "Starting the program; close its window to stop it."
  exec "$program"
fi

# No display: a virtual one, whose number is kept in build/virtual-display
# for scripts/screenshot.sh.
display=""
for n in $(seq 90 199); do
  if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then display=":$n"; break; fi
done
[ -n "$display" ] || { echo "No free display number for a virtual display." >&2; exit 1; }
Xvfb "$display" -screen 0 1920x1080x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
cleanup() { kill "$xvfb_pid" 2>/dev/null || true; rm -f build/virtual-display; }
trap cleanup EXIT
trap 'exit 130' INT TERM
for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X${display#:}" ] && break; sleep 0.1; done
echo "$display" > build/virtual-display
cat <<TXT
There is no display, so the program runs on the virtual display $display.
  Look at it:  bash scripts/screenshot.sh shot.png   (from another terminal; saves a PNG)
  Use it:      x11vnc -display $display -localhost -nopw   (then a VNC viewer on port 5900),
               or DISPLAY=$display xdotool mousemove 950 530 click 1   (see the README)
  Stop it:     press Ctrl+C here
TXT
DISPLAY="$display" "$program"
