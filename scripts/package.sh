#!/usr/bin/env bash
# Makes the Debian package of Zorvane from build/ (run scripts/build.sh first) with CPack, and
# prints the path of the .deb. Install it with: sudo apt install ./zorvane_*.deb
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$root/build"
if [ ! -f "$build/CPackConfig.cmake" ]; then
  echo "package: 构建目录 $build 中没有打包配置，请先运行 scripts/build.sh" >&2
  exit 1
fi
# The installed files must be those of the sources now: an out-of-date tree is built first.
cmake --build "$build" -j"${JOBS:-2}" >&2
out="$build/package"
mkdir -p "$out"
rm -f "$out"/zorvane_*.deb
(cd "$build" && cpack --config CPackConfig.cmake -B "$out" >"$out/cpack.log" 2>&1) || {
  cat "$out/cpack.log" >&2
  exit 1
}
deb="$(ls "$out"/zorvane_*.deb)"
echo "$deb"
