#!/usr/bin/env bash
# Installs every Debian package that building, running and testing need.
# Idempotent: when everything is present it only runs dpkg-query and exits.
set -euo pipefail

PACKAGES=(
  build-essential cmake pkg-config ninja-build ccache
  clang libclang-rt-14-dev
  libgtk-3-dev libwebkit2gtk-4.1-dev
  libcurl4-openssl-dev libsqlite3-dev
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  xvfb xdotool x11-utils x11-apps imagemagick
  fonts-wqy-zenhei fonts-dejavu-core
  python3 dbus-x11
  desktop-file-utils
  bubblewrap xdg-dbus-proxy
  # the test session like a player's desktop (scripts/desktop-session.sh)
  openbox dbus locales
  # the PRIMARY selection seen from another program
  xclip
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "install-deps: installing ${missing[*]}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
