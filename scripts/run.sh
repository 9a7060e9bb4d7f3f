#!/usr/bin/env bash
# Installs what is missing, builds, prepares the workspace and starts Zorvane in it.
# The workspace (workspace/ below the project, or $ZORVANE_WORKSPACE) is the program's working
# directory: database/ holds the reference tables and the working tables of the open design.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/scripts/build.sh"
workspace="${ZORVANE_WORKSPACE:-$root/workspace}"
mkdir -p "$workspace/database"
# Reference tables and templates are refreshed from the build; the working tables of a design
# in progress are kept.
for file in "$root"/build/database/*; do
  name="$(basename "$file")"
  case "${name,,}" in
    init_unnamed.*|result_unnamed.*|size_unnamed.*|hty_rec_unnamed.*)
      [ -e "$workspace/database/$name" ] && continue ;;
  esac
  cp -f "$file" "$workspace/database/$name"
done
# The help file follows the build.
mkdir -p "$workspace/Help"
cp -f "$root/build/Help/Chain.hlp" "$workspace/Help/Chain.hlp"
# A project file named on the command line is opened where the caller meant it, not below the
# workspace.
args=()
for arg in "$@"; do
  if [ -e "$arg" ]; then args+=("$(realpath "$arg")"); else args+=("$arg"); fi
done
cd "$workspace"
exec "$root/build/src/app/zorvane" "${args[@]}"
