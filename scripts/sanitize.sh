#!/usr/bin/env bash
# Builds the core, the batch runner and their tests with AddressSanitizer and
# UndefinedBehaviorSanitizer in build-sanitize/ (the preset "sanitize"), and runs the core tests,
# the batch runner's tests and the scenarios there. Any error a sanitizer finds ends its test.
# The reference database is the one build/ makes: its bytes do not depend on compiler flags, and
# building the builder with its Qt drawing again under the sanitizers would double the work.
# GCC 12 instrumented for AddressSanitizer warns falsely of uninitialized std::function members
# inside std::regex, so the preset turns -Wmaybe-uninitialized off in that tree only.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/scripts/setup.sh"
export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$root}"
# With debug information ccache hashes the build directory too unless told not to; without it
# two trees of one project never share a cached object.
export CCACHE_NOHASHDIR="${CCACHE_NOHASHDIR:-1}"
jobs="${JOBS:-2}"
"$root/scripts/configure.sh" default "$root/build"
cmake --build "$root/build" --target reference_database -j"$jobs"
"$root/scripts/configure.sh" sanitize "$root/build-sanitize"
cmake --build --preset sanitize -j"$jobs"
cd "$root/build-sanitize"
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:check_initialization_order=1:strict_init_order=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"
ctest --output-on-failure -j"$jobs" --timeout 600 -R '^(core_tests|calc_tests|scenario_)'
