#!/usr/bin/env bash
# Installs what is missing, builds with AddressSanitizer and
# UndefinedBehaviorSanitizer, and runs every test (unit, integration, the
# fuzz targets' seed replays, and the window tests under Xvfb).
set -euo pipefail
cd "$(dirname "$0")"
./scripts/install-deps.sh
BUILD=${XF_TEST_BUILD_DIR:-build-test}
cmake -S . -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DXF_SANITIZE=ON -DXF_BENCH=OFF >/dev/null
cmake --build "$BUILD" -j"$(nproc)"
exec ./scripts/with-xvfb.sh ctest --test-dir "$BUILD" --output-on-failure -j"$(nproc)" "$@"
