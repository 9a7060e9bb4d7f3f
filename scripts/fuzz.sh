#!/usr/bin/env bash
# Builds the project opener with AddressSanitizer and UndefinedBehaviorSanitizer in build-fuzz/
# and runs it over mutated project files: scripts/fuzz.sh [SECONDS] [SEED] [WHOLE] [RUNS], where one
# in WHOLE files that pass the layout check is opened whole (tables, session and all), and RUNS
# more files then go through the whole batch runner (opened, and the design carried on to its end).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/scripts/setup.sh"
flags="-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer"
cmake -S "$root" -B "$root/build-fuzz" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_FLAGS="$flags" -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" >/dev/null
cmake --build "$root/build-fuzz" --target zorvane-project-fuzz -j"${JOBS:-2}"
ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1 \
  "$root/build-fuzz/tests/fuzz/zorvane-project-fuzz" "${1:-60}" "${2:-1}" "${3:-8}" "${4:-0}"
