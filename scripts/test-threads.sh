#!/usr/bin/env bash
# Builds the threaded tests (device, device link, please-wait, simulated
# library) with ThreadSanitizer in a folder of their own and runs them.
# Not yet part of the test command: it still reports races at exit.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
jobs="$(nproc)"
cmake -S . -B build-tsan -DCMAKE_BUILD_TYPE=Debug -DNK_SANITIZE_THREAD=ON -DNK_BUILD_TESTS=ON >/dev/null
# The build runs the picture painter, a build tool built with the checker
# too; Qt's own thread pool trips it there. The tests set their own options.
TSAN_OPTIONS="report_bugs=0" cmake --build build-tsan -j"$jobs"
cd build-tsan
exec ctest --output-on-failure -j"$jobs"
