#!/usr/bin/env bash
# Configures a build tree from a preset of CMakePresets.json: scripts/configure.sh PRESET DIR
# [CMAKE ARGUMENTS], where DIR is the preset's build directory. Both presets use Ninja; a tree
# that another generator made (an older build/ of Makefiles) is removed and made anew, since
# CMake refuses to switch the generator of an existing tree.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
preset="$1"
dir="$2"
shift 2
cache="$dir/CMakeCache.txt"
if [ -f "$cache" ]; then
  generator="$(sed -n 's/^CMAKE_GENERATOR:INTERNAL=//p' "$cache")"
  if [ "$generator" != "Ninja" ]; then
    echo "configure: 构建目录 $dir 由生成器“$generator”生成，现删除后改用 Ninja 重新生成" >&2
    rm -rf "$dir"
  fi
fi
cd "$root"
cmake --preset "$preset" "$@" >/dev/null
