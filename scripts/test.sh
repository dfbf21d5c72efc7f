#!/usr/bin/env bash
# Installs what is missing, builds with AddressSanitizer and
# UndefinedBehaviorSanitizer, and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
jobs="$(nproc)"
cmake -S . -B build-tests -DCMAKE_BUILD_TYPE=Debug -DNK_SANITIZE=ON -DNK_BUILD_TESTS=ON >/dev/null
cmake --build build-tests -j"$jobs"
cd build-tests
exec ctest --output-on-failure -j"$jobs"
