#!/usr/bin/env bash
# Installs what building, running and testing need on a Debian machine.
set -euo pipefail
pkgs=(build-essential cmake qtbase5-dev qtbase5-dev-tools libqt5xml5 xvfb xauth
      fonts-dejavu-core ccache)
missing=()
for p in "${pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
