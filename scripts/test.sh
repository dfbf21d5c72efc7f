#!/usr/bin/env bash
# Installs what is missing, builds with AddressSanitizer and
# UndefinedBehaviorSanitizer and runs every test, then runs the thread check
# of the threaded tests. Fails when either fails.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
source scripts/build-settings.sh
cmake -S . -B build-tests -DCMAKE_BUILD_TYPE=Debug -DNK_SANITIZE=ON -DNK_BUILD_TESTS=ON \
      "${nk_launcher[@]}" >/dev/null
cmake --build build-tests -j"$nk_jobs"
(cd build-tests && ctest --output-on-failure -j"$nk_jobs")
bash scripts/test-threads.sh
