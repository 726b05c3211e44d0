#!/usr/bin/env bash
# The long fuzz run: SECONDS (default 600) of libFuzzer on the text conversion.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh build test
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DQUILLORA_SANITIZE=ON -DQUILLORA_BENCH=OFF >/dev/null
cmake --build build-asan --target fuzzers
mkdir -p build-asan/fuzz-corpus
exec build-asan/tests/text_to_datetime_fuzz -max_total_time="${1:-600}" -max_len=64 \
  build-asan/fuzz-corpus tests/fuzz/corpus
