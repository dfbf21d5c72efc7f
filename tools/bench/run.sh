#!/usr/bin/env bash
# Installs what is missing, builds the program, the benchmark and the floor
# in release mode, and prints the benchmark's table. Arguments go to
# nk-bench (--runs N, --idle-ms MS).
set -euo pipefail
cd "$(dirname "$0")/../.."
bash scripts/install-deps.sh
cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DNK_BUILD_TESTS=OFF -DNK_BUILD_BENCH=ON >/dev/null
cmake --build build-bench -j"$(nproc)" --target nk-bench >/dev/null
exec build-bench/bin/nk-bench "$@"
