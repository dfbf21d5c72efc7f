#!/usr/bin/env bash
# Builds the threaded tests (device, device link, please-wait, simulated
# library) with ThreadSanitizer in a folder of their own and runs them. Any
# report of the checker fails the test it came from.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/build-settings.sh
bash scripts/install-deps.sh lld
nk_phase "thread check: install"
cmake -S . -B build-tsan "${nk_test_settings[@]}" -DNK_SANITIZE_THREAD=ON \
      "${nk_launcher[@]}" >/dev/null
nk_phase "thread check: configure"
# The build runs the picture painter, a build tool built with the checker
# too; Qt's own thread pool trips it there. The tests set their own options.
TSAN_OPTIONS="report_bugs=0" cmake --build build-tsan -j"$nk_jobs"
nk_phase "thread check: build"
cd build-tsan
ctest --output-on-failure -j"$nk_jobs"
nk_phase "thread check: tests"
