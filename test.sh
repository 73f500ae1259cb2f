#!/usr/bin/env bash
# Installs what is missing, builds with AddressSanitizer and
# UndefinedBehaviorSanitizer, and runs every test (unit, integration, the
# fuzz targets' seed replays, and the window tests in a desktop session like
# a player's: window manager, session bus, zh_CN.UTF-8 and its input method).
set -euo pipefail
cd "$(dirname "$0")"
./scripts/install-deps.sh
BUILD=${XF_TEST_BUILD_DIR:-build-test}
cmake -S . -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DXF_SANITIZE=ON -DXF_BENCH=OFF >/dev/null
cmake --build "$BUILD" -j"$(nproc)"
exec ./scripts/desktop-session.sh -- ctest --test-dir "$BUILD" --output-on-failure -j"$(nproc)" "$@"
