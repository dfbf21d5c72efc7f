#!/usr/bin/env bash
# Installs what is missing, builds with AddressSanitizer and
# UndefinedBehaviorSanitizer and runs every test, then runs the thread check
# of the threaded tests. Fails when either fails.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/build-settings.sh
bash scripts/install-deps.sh lld
nk_phase "install"
cmake -S . -B build-tests "${nk_test_settings[@]}" -DNK_SANITIZE=ON \
      "${nk_launcher[@]}" >/dev/null
nk_phase "configure"
cmake --build build-tests -j"$nk_jobs"
nk_phase "build"
(cd build-tests && ctest --output-on-failure -j"$nk_jobs")
nk_phase "tests"
bash scripts/test-threads.sh
