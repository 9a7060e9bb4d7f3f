#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test. Ends with CTest's summary.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/scripts/build.sh"
cd "$root/build"
ctest --output-on-failure -j"${JOBS:-2}" --timeout 600
