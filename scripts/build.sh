#!/usr/bin/env bash
# Configures and builds everything (program, tools, tests, reference database) in build/, with
# Ninja and ccache (the preset "default" of CMakePresets.json).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/scripts/setup.sh"
# Paths below the project are hashed relative to it, so clones in other places share the cache.
export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$root}"
# With debug information ccache hashes the build directory too unless told not to; without it
# two trees of one project never share a cached object.
export CCACHE_NOHASHDIR="${CCACHE_NOHASHDIR:-1}"
"$root/scripts/configure.sh" default "$root/build" ${BUILD_TYPE:+"-DCMAKE_BUILD_TYPE=$BUILD_TYPE"}
cmake --build "$root/build" -j"${JOBS:-2}"
