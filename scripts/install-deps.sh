#!/usr/bin/env bash
# Installs what building, running and testing need on a Debian machine, plus
# any packages named as arguments. sudo is used only when not root (a fresh
# root machine has none).
set -euo pipefail
pkgs=(build-essential cmake qtbase5-dev qtbase5-dev-tools libqt5xml5 xvfb xauth
      fonts-dejavu-core ccache "$@")
missing=()
for p in "${pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""
  if [ "$(id -u)" -ne 0 ]; then
    if ! command -v sudo >/dev/null 2>&1; then
      echo "These packages are missing and installing them needs root: ${missing[*]}" >&2
      echo "Run this command as root, or install sudo." >&2
      exit 1
    fi
    SUDO="sudo"
  fi
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
