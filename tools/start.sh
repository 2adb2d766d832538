#!/usr/bin/env bash
# Builds Kieselblick and starts it with its default pictures.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
cmake --build build/release --target kieselblick
exec build/release/kieselblick
