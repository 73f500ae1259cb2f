#!/usr/bin/env bash
# Installs every Debian package that building, running and testing need.
# Idempotent: when everything is present it only runs dpkg-query and exits.
set -euo pipefail

PACKAGES=(
  build-essential cmake pkg-config ninja-build ccache
  clang libclang-rt-14-dev
  libgtk-3-dev libwebkit2gtk-4.1-dev libx11-dev
  libcurl4-openssl-dev libsqlite3-dev libicu-dev
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  xvfb xdotool x11-utils x11-apps imagemagick
  fonts-wqy-zenhei fonts-wqy-microhei fonts-dejavu-core
  python3 dbus-x11
  desktop-file-utils
  bubblewrap xdg-dbus-proxy
  # the test session like a player's desktop (scripts/desktop-session.sh)
  openbox dbus locales
  # the PRIMARY selection seen from another program
  xclip
  # screen readers: the accessibility bus and a reader's view of it in the tests
  at-spi2-core python3-pyatspi
  # a headless Wayland compositor with XWayland for the Wayland start-up test
  weston xwayland
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi

if [ ${#missing[@]} -gt 0 ]; then
  echo "install-deps: installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# The Chinese locale the program is used in (and the tests run in): every
# process, the sandboxed web processes included, finds it in the system's
# locale archive.
if ! locale -a 2>/dev/null | grep -qix 'zh_CN\.utf-\?8'; then
  echo "install-deps: generating the zh_CN.UTF-8 locale"
  $SUDO sed -i 's/^# *\(zh_CN\.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  grep -q '^zh_CN\.UTF-8 UTF-8' /etc/locale.gen || echo 'zh_CN.UTF-8 UTF-8' | $SUDO tee -a /etc/locale.gen >/dev/null
  $SUDO locale-gen >/dev/null
fi
