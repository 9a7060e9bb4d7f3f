#!/usr/bin/env bash
# Builds and runs the benchmarks; prints their figures.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/scripts/build.sh"
cmake --build "$root/build" --target zorvane-store-bench zorvane-startup-bench zorvane-calc-bench \
  zorvane-report-bench zorvane-scenario-bench zorvane-project-bench -j"${JOBS:-2}"
"$root/build/tests/bench/zorvane-store-bench"
"$root/build/tests/bench/zorvane-startup-bench"
"$root/build/tests/bench/zorvane-calc-bench"
"$root/build/tests/bench/zorvane-report-bench"
"$root/build/tests/bench/zorvane-scenario-bench"
"$root/build/tests/bench/zorvane-project-bench"
