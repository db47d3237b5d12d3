#!/usr/bin/env bash
# The Windows program end to end under Wine, in a fresh prefix: the ZIP's file list, what its
# files import, that they are stripped and that kvotlk.exe carries its manifest; then
# kvotlk.exe, started from the unpacked ZIP and driven through its windows (bedienung.txt),
# against the fake CMM software in a process of its own. The delivered result files are
# compared byte for byte with the expected ones, which the Linux build's kvotlk-replay
# delivers for the same orders and runs. Last, the converter is ended by TerminateProcess in
# the middle of an order and its capture restored at the next start. With "deutsch" the user's locale is German (Wine
# takes it from LC_ALL), and the expected files, in deutsch/, have decimal commas.
# Usage (on a display, e.g. under xvfb-run):
#   endtoend.sh BUILD-FOLDER FAKE.exe KVOTLK-REPLAY [englisch|deutsch]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$1
fake=$2
replay=$3
numbers=${4:-englisch}
case $numbers in
  englisch) work=$build/endtoend expected=$here LC_ALL=C.UTF-8 ;;
  deutsch) work=$build/endtoend-deutsch expected=$here/deutsch LC_ALL=de_DE.UTF-8 ;;
  *) echo "Zahlenformat englisch oder deutsch, nicht $numbers" >&2 && exit 2 ;;
esac
export LC_ALL
# shellcheck source-path=SCRIPTDIR disable=SC2034  # fake is used in common.sh
. "$here/common.sh"

zips=("$build"/KVOTLK-*-win64.zip)
[ ${#zips[@]} -eq 1 ] && [ -f "${zips[0]}" ] || fail "genau ein KVOTLK-*-win64.zip in $build erwartet (cpack)"
top=$(basename "${zips[0]}" .zip)
program=$work/$top
rm -rf "$work"
mkdir -p "$work"
trap cleanup EXIT

# The ZIP as Explorer unpacks it: a name outside ASCII is read as UTF-8 only when its entry
# says so, otherwise in the OEM code page.
python3 - "${zips[0]}" "$work" >"$work/zip-namen.txt" <<'EOF'
import sys, zipfile
with zipfile.ZipFile(sys.argv[1]) as archive:
    for entry in archive.infolist():
        if not entry.filename.isascii() and not entry.flag_bits & 0x800:
            sys.exit(f"Name ohne UTF-8-Kennzeichen: {entry.filename}")
        print(entry.filename)
    archive.extractall(sys.argv[2])
EOF
sed "s|^$top/||" "$work/zip-namen.txt" | LC_ALL=C sort | diff -u "$here/zip-inhalt.txt" - ||
  fail "Der Inhalt von $top.zip weicht ab."

# Every DLL an executable or DLL of the folder imports lies beside the program or comes with
# Windows (api-ms-win-* names are Windows' API sets, not files); the program shares the C++
# runtime DLL of Qt's DLLs instead of carrying its own.
"$wine" wineboot --init >/dev/null 2>&1
"$wineserver" -w
while IFS= read -r -d '' file; do
  for dll in $(x86_64-w64-mingw32-objdump -p "$file" |
    awk '/DLL Name:/ && tolower($3) !~ /^api-ms-win-/ { print $3 }'); do
    [ -n "$(find "$program" "$WINEPREFIX/drive_c/windows/system32" -maxdepth 1 -iname "$dll")" ] ||
      fail "${file#"$program"/} braucht $dll, das weder beim Programm noch in Windows liegt."
  done
done < <(find "$program" -iname '*.exe' -print0 -o -iname '*.dll' -print0)
x86_64-w64-mingw32-objdump -p "$program/kvotlk.exe" | grep 'DLL Name: libstdc++-6.dll' >/dev/null ||
  fail "kvotlk.exe nutzt nicht die C++-Laufzeit libstdc++-6.dll der Qt-DLLs."

# Every executable and DLL without its symbol table; the manifest Windows reads at start-up.
unstripped=$(find "$program" \( -iname '*.exe' -o -iname '*.dll' \) -exec "$here/pe.py" unstripped {} +)
[ -z "$unstripped" ] || fail "Nicht gestrippt: $unstripped"
"$here/pe.py" manifest "$program/kvotlk.exe" | cmp - "$here/../../../src/app/kvotlk.manifest" ||
  fail "kvotlk.exe trägt nicht das Manifest src/app/kvotlk.manifest."

# The Linux build's results for the same orders, catalogues and runs: both expected files.
linux_result() { # EXPECTED STEPS...
  local name=$1
  shift
  rm -rf "$work/linux" && mkdir -p "$work/linux" && cp -r "$program/Kataloge" "$work/linux/"
  "$replay" --auftrag "$here/auftrag.txt" --messprogramm "$here/messprogramm.kmp" "$@" \
    --zahlen "$numbers" --programmordner "$work/linux" >"$work/replay.log" 2>&1 ||
    fail "kvotlk-replay: $(cat "$work/replay.log")"
  cmp "$work/linux/Solvik.txt" "$expected/$name" || fail "kvotlk-replay liefert nicht $expected/$name."
}
linux_result Solvik.txt --laeufe 3
linux_result Solvik-angehalten.txt --ablauf "$here/angehalten.ablauf"

# The operator's steps with the order typed into the window; the order has no number with
# decimals, so it is typed alike under either locale.
write_steps "$here/bedienung.txt" "$work/bedienung.txt"
sed -i "s|@BILD@|$(windows_path "$work/handbuch.png" | sed 's/\\/\\\\/g')|" "$work/bedienung.txt"
report=$work/bedienung.txt.bericht
# The CAQ system collects from the target folder, the program folder.
start_collector "$program"

# First subscription: three runs. Second: one run, and the process ends at the 8th command
# of the second run (the third dimension of block A, after 101, 102 and 103 were taken).
start_fake 1 3 2:8
first_fake=$!
use_driver "$work/bedienung.txt"
timeout 600 "$wine" "$program/kvotlk.exe" >"$work/kvotlk.log" 2>&1 &
converter=$!

# The next fake starts only when the converter has been refused without one.
for _ in $(seq 1500); do
  grep -q 'MELDE OHNE KALVERO\|ABBRUCH' "$report" 2>/dev/null && break
  kill -0 "$converter" 2>/dev/null || break
  sleep 0.2
done
grep -q 'MELDE OHNE KALVERO' "$report" || fail "Bedienung: $(tail -n 3 "$report" 2>/dev/null)"
status=0
wait "$first_fake" || status=$?
[ "$status" -eq 3 ] || fail "Das erste Kalvero endete mit $status statt beim Lesen des Befehls (3)."
# The new start registers nothing in the running object table: attached through its class
# factory.
start_fake 2 factory 1
while kill -0 "$converter" 2>/dev/null && ! grep -q '^ABBRUCH' "$report"; do sleep 0.2; done
grep -q '^ABBRUCH' "$report" && fail "Bedienung: $(tail -n 3 "$report")"
status=0
wait "$converter" || status=$?
[ "$status" -eq 0 ] || fail "kvotlk.exe endete mit $status: $(tail -n 3 "$report")"

grep -E '^(MELDUNG|MELDE) ' "$report" | diff -u "$here/meldungen.txt" - ||
  fail "Andere Meldungen als erwartet (Bericht: $report)."
grep -q '^ZEIGE txtHandbuch "KVOTLK – Handbuch"' "$report" && [ -s "$work/handbuch.png" ] ||
  fail "F1 zeigt nicht das Handbuch (Bericht: $report)."
cmp "$work/ergebnis-1.txt" "$expected/Solvik.txt" || fail "Die erste Ergebnisdatei weicht ab."
cmp "$work/ergebnis-2.txt" "$expected/Solvik-angehalten.txt" ||
  fail "Die Ergebnisdatei nach dem Abbruch weicht ab."
[ ! -e "$work/ergebnis-3.txt" ] || fail "Eine dritte Ergebnisdatei wurde geliefert."

# Order 4: the converter ended by TerminateProcess once two of three runs are in its capture
# journal, started again, the restore answered Ja, the third run made: the file is that of
# order 1, and the journal is gone. A fake CMM software of its own plays runs 1 to 2 on the
# first subscription, run 3 on the second.
"$wine" taskkill /F /IM kvotlk_fake_kalvero_player.exe >/dev/null 2>&1 || true
start_fake 3 2 3-3
journal=$program/Erfassung.journal
samples_in_journal() { # N: the values of sample N in the journal
  local count
  count=$(grep -c "^Wert"$'\t'"$1"$'\t' "$journal" 2>/dev/null) || true
  echo "${count:-0}"
}
write_steps "$here/absturz-vorher.txt" "$work/absturz-vorher.txt"
use_driver "$work/absturz-vorher.txt"
timeout 600 "$wine" "$program/kvotlk.exe" >"$work/kvotlk-absturz.log" 2>&1 &
converter=$!
report=$work/absturz-vorher.txt.bericht
for _ in $(seq 1500); do
  grep -q 'MELDE ERFASSUNG 4' "$report" 2>/dev/null &&
    [ "$(samples_in_journal 2)" -gt 0 ] && [ "$(samples_in_journal 2)" -eq "$(samples_in_journal 1)" ] &&
    break
  kill -0 "$converter" 2>/dev/null || fail "kvotlk.exe endete vor dem Abbruch: $(tail -n 3 "$report")"
  sleep 0.2
done
"$wine" taskkill /F /IM kvotlk.exe >/dev/null 2>&1 || fail "taskkill /F beendet kvotlk.exe nicht."
wait "$converter" || true
[ -f "$journal" ] || fail "Kein Journal nach dem Abbruch."
write_steps "$here/absturz-nachher.txt" "$work/absturz-nachher.txt"
use_driver "$work/absturz-nachher.txt"
report=$work/absturz-nachher.txt.bericht
status=0
timeout 600 "$wine" "$program/kvotlk.exe" >"$work/kvotlk-nachher.log" 2>&1 || status=$?
[ "$status" -eq 0 ] || fail "kvotlk.exe endete nach dem Wiederherstellen mit $status: $(tail -n 3 "$report")"
grep -E '^(MELDUNG|MELDE) ' "$report" | diff -u "$here/meldungen-absturz.txt" - ||
  fail "Andere Meldungen nach dem Abbruch als erwartet (Bericht: $report)."
cmp "$work/ergebnis-3.txt" "$expected/Solvik.txt" ||
  fail "Die Ergebnisdatei nach dem Wiederherstellen weicht ab."
[ ! -e "$journal" ] || fail "Das Journal blieb nach dem Senden liegen."
echo "Ende-zu-Ende-Test unter Wine bestanden ($numbers)."
