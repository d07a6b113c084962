#!/usr/bin/env bash
# Fuzzes the reading and showing of numbers with libFuzzer for a while (default 60 s), starting
# from the kept corpus; new interesting inputs land in fuzz/corpus-new/. Merge the useful ones
# into fuzz/corpus/ with: fuzz_numbers -merge=1 fuzz/corpus fuzz/corpus-new
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
seconds=${1:-60}
source "$root/scripts/common.sh"
ensure_packages clang
ensure_packages "libclang-rt-$(clang -dumpversion | cut -d. -f1)-dev" # that clang's libFuzzer
out="$root/build-fuzz"
mkdir -p "$out" "$root/fuzz/corpus-new"
clang++ -std=c++20 -O1 -g -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
    -I"$root" "$root/fuzz/fuzz_numbers.cpp" "$root/platform/numbers.cpp" -o "$out/fuzz_numbers"
"$out/fuzz_numbers" -max_total_time="$seconds" -max_len=4096 -timeout=5 \
    -artifact_prefix="$out/" "$root/fuzz/corpus-new" "$root/fuzz/corpus"
