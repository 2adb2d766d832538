#!/usr/bin/env bash
# Builds Kieselblick with its tests and runs every test, headless; then builds
# them once more with AddressSanitizer and UndefinedBehaviorSanitizer (leak
# checking on) in build/asan and runs them again: any report fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
export QT_QPA_PLATFORM=offscreen

cmake -S . -B build/test -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=ON >/dev/null
cmake --build build/test
ctest --test-dir build/test --output-on-failure --timeout 900

cmake -S . -B build/asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DBUILD_TESTING=ON -DKB_SANITIZE=ON >/dev/null
cmake --build build/asan
ctest --test-dir build/asan --output-on-failure --timeout 900
