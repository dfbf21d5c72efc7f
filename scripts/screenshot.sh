#!/usr/bin/env bash
# Saves a PNG of the virtual display that scripts/run.sh started, or of
# $DISPLAY when that is set. The file name is taken from the folder the
# command is run in.
set -euo pipefail
out="${1:-screenshot.png}"
case "$out" in
  /*) ;;
  *) out="$PWD/$out" ;;
esac
cd "$(dirname "$0")/.."
display="${DISPLAY:-}"
if [ -z "$display" ]; then
  [ -f build/virtual-display ] || { echo "No virtual display is running: start the program with bash scripts/run.sh first." >&2; exit 1; }
  display=$(cat build/virtual-display)
fi
bash scripts/install-deps.sh imagemagick
DISPLAY="$display" import -window root "$out"
echo "Saved $out"
