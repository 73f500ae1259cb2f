#!/usr/bin/env bash
# Installs what is missing, builds the browser and starts it.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DXF_TESTS=OFF >/dev/null
cmake --build build -j"$(nproc)"
exec ./build/bin/xingfan
