#!/usr/bin/env bash
# The installed program: cmake --install into a scratch DESTDIR, then the installed files are
# checked as a desktop would read them, the installed zorvane-calc runs a scenario on a copy of
# the installed database, and the installed zorvane starts twice with a scratch HOME to show that
# it works in ~/.local/share/zorvane, refreshes the reference files there and keeps the working
# tables.
# install_test.sh BUILD_DIR SCENARIO_DIR RUN_SCENARIO_SCRIPT
set -euo pipefail
build="$1"
scenario="$2"
run_scenario="$3"

scratch="$(mktemp -d)"
program=""
cleanup() {
  if [ -n "$program" ]; then
    kill "$program" 2>/dev/null || true
    wait "$program" 2>/dev/null || true
  fi
  rm -rf "$scratch"
}
trap cleanup EXIT
fail() {
  echo "install_test: $*" >&2
  exit 1
}

DESTDIR="$scratch/root" cmake --install "$build" --prefix /usr >"$scratch/install.log"
usr="$scratch/root/usr"
share="$usr/share"

# Exactly the program and its three tools, no build or test programs.
[ "$(ls "$usr/bin" | tr '\n' ' ')" = "zorvane zorvane-calc zorvane-profile zorvane-report " ] ||
  fail "bin/ holds: $(ls "$usr/bin" | tr '\n' ' ')"
for file in zorvane/database/Reference.manifest zorvane/database/Size_Unnamed.db \
  zorvane/database/RWheel.bmp zorvane/Help/Chain.hlp applications/zorvane.desktop \
  mime/packages/zorvane.xml icons/hicolor/scalable/apps/zorvane.svg \
  doc/zorvane/copyright doc/zorvane/changelog.gz man/man1/zorvane.1.gz \
  man/man1/zorvane-calc.1.gz man/man1/zorvane-report.1.gz man/man1/zorvane-profile.1.gz; do
  [ -f "$share/$file" ] || fail "not installed: share/$file"
done
leftovers="$(ls "$share/zorvane/database" | grep -i -E '^(init|result|hty_rec)_unnamed\.' || true)"
[ -z "$leftovers" ] || fail "working tables installed: $leftovers"
for size in 16 22 24 32 48 64 128 256; do
  icon="$share/icons/hicolor/${size}x${size}/apps/zorvane.png"
  file -b "$icon" | grep -q "^PNG image data, $size x $size," || fail "$icon: $(file -b "$icon")"
done
xmllint --noout "$share/icons/hicolor/scalable/apps/zorvane.svg"
gzip -t "$share/doc/zorvane/changelog.gz" "$share"/man/man1/*.gz

# The desktop entry and the file type as the desktop tools read them.
desktop-file-validate "$share/applications/zorvane.desktop"
grep -qx 'Exec=zorvane %f' "$share/applications/zorvane.desktop" || fail "desktop entry: Exec"
grep -qx 'MimeType=application/x-zorvane-chn;' "$share/applications/zorvane.desktop" ||
  fail "desktop entry: MimeType"
xmllint --noout "$share/mime/packages/zorvane.xml"
mkdir -p "$scratch/mime/packages"
cp "$share/mime/packages/zorvane.xml" "$scratch/mime/packages/"
update-mime-database "$scratch/mime" >/dev/null 2>&1
grep -q '^[0-9]*:application/x-zorvane-chn:\*\.chn$' "$scratch/mime/globs2" ||
  fail "the file type has no *.chn glob"

# The installed batch runner on a copy of the installed database gives the scenario's output.
cmake -DCALC="$usr/bin/zorvane-calc" -DCASE_DIR="$scenario" \
  -DDATABASE="$share/zorvane/database" -DWORK="$scratch/calc" -P "$run_scenario"

# The installed window program, started in a scratch home until its database directory holds
# the working tables it opens at start-up, then stopped.
start_until_opened() {
  HOME="$scratch/home" XDG_DATA_HOME="" XDG_CONFIG_HOME="" QT_QPA_PLATFORM=offscreen \
    "$usr/bin/zorvane" >"$scratch/zorvane.log" 2>&1 &
  program=$!
  for _ in $(seq 1 200); do
    if [ -f "$workspace/database/Hty_Rec_Unnamed.mb" ] || ! kill -0 "$program" 2>/dev/null; then
      break
    fi
    sleep 0.1
  done
  kill -0 "$program" 2>/dev/null || fail "zorvane ended: $(cat "$scratch/zorvane.log")"
  [ -f "$workspace/database/Hty_Rec_Unnamed.mb" ] || fail "zorvane opened no working tables"
  kill "$program"
  wait "$program" 2>/dev/null || true
  program=""
}
workspace="$scratch/home/.local/share/zorvane"
start_until_opened
diff -r -x '*_Unnamed.*' "$share/zorvane/database" "$workspace/database" >/dev/null ||
  fail "the workspace's reference tables differ from the installed ones"
cmp -s "$share/zorvane/Help/Chain.hlp" "$workspace/Help/Chain.hlp" || fail "the help differs"

# A finished design's tables in the workspace and a damaged reference table: a new start mends
# the reference table and keeps the design.
cp "$scratch/calc/database/Result_Unnamed.db" "$workspace/database/Result_Unnamed.db"
design="$(sha256sum <"$workspace/database/Result_Unnamed.db")"
printf 'damaged' >"$workspace/database/Roller.db"
rm "$workspace/Help/Chain.hlp"
# The history table's files come again when the program has opened the directory.
rm "$workspace/database/Hty_Rec_Unnamed".*
start_until_opened
cmp -s "$share/zorvane/database/Roller.db" "$workspace/database/Roller.db" ||
  fail "Roller.db was not refreshed"
[ -f "$workspace/Help/Chain.hlp" ] || fail "the help was not refreshed"
[ "$(sha256sum <"$workspace/database/Result_Unnamed.db")" = "$design" ] ||
  fail "the design's Result_Unnamed.db was changed"
echo "install_test: installed files, desktop entry, file type, zorvane-calc and the workspace are right"
