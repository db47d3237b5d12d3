#!/usr/bin/env bash
# The MSI under Wine as IT uses it, in a fresh prefix. Its tables hold what wixl cannot say
# (msi-tabellen.txt). On Windows 7 it refuses. On Windows 10 `msiexec /i … /qn DIR=… NUMDEZ=…`
# puts the program under Program Files with its start-menu entry, the catalogues into the data
# folder and the settings into the machine's registry; the installed kvotlk.exe takes order 1
# and delivers into DIR. Uninstalling leaves the data folder and the settings; installing
# again and upgrading to a later version keep an edited catalogue and the settings given
# before; an earlier version is refused.
# Usage (on a display, e.g. under xvfb-run): msi.sh BUILD-FOLDER FAKE.exe
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source_dir=$(cd "$here/../../.." && pwd)
build=$1
fake=$2
work=$build/msi
export LC_ALL=C.UTF-8
# shellcheck source-path=SCRIPTDIR disable=SC2034  # fake is used in common.sh
. "$here/common.sh"

msis=("$build"/KVOTLK-*-win64.msi)
[ ${#msis[@]} -eq 1 ] && [ -f "${msis[0]}" ] || fail "genau ein KVOTLK-*-win64.msi in $build erwartet (cpack)"
msi=${msis[0]}
rm -rf "$work"
mkdir -p "$work"
trap cleanup EXIT

"$here/msi-tabellen.py" "$msi" | diff -u "$here/msi-tabellen.txt" - ||
  fail "Die Tabellen von $(basename "$msi") weichen ab."

drive_c=$WINEPREFIX/drive_c
program=$drive_c/Program\ Files/KVOTLK
data=$drive_c/ProgramData/KVOTLK
target=$work/caq
mkdir -p "$target"
step=0
run_msiexec() { # /i|/x MSI [PROPERTIES...]: the status of msiexec, its log in the work folder
  local action=$1 package=$2 status=0
  shift 2
  step=$((step + 1))
  "$wine" msiexec "$action" "$(windows_path "$package")" /qn "$@" \
    /l*v "$(windows_path "$work/msiexec-$step.log")" >/dev/null 2>&1 || status=$?
  return $status
}
# The machine's settings as `reg query` lists them, one line a key or value.
machine_settings() { # (reg prints its "not found" on standard output)
  local listed
  listed=$("$wine" reg query 'HKLM\SOFTWARE\SolvikGermany\KVOTLK' /s 2>/dev/null) || return 0
  tr -d '\r' <<<"$listed" | sed -e '/^$/d' -e 's/^ *//' -e 's/    */ /g'
}
settings_are() { # WHEN EXPECTED-VALUE-LINES...
  local when=$1
  shift
  local root='HKEY_LOCAL_MACHINE\SOFTWARE\SolvikGermany\KVOTLK'
  local expected=()
  if [ "$1" = Datenordner ]; then
    expected+=("$root\\Installation" 'Datenordner REG_SZ C:\ProgramData\KVOTLK')
    shift
  fi
  expected+=("$root\\Settings" "$root\\Settings\\Config" "$@")
  printf '%s\n' "${expected[@]}" >"$work/einstellungen-erwartet.txt"
  machine_settings | diff -u "$work/einstellungen-erwartet.txt" - ||
    fail "$when: andere Einstellungen des PCs als erwartet."
}
# DisplayVersion of every installed product named KVOTLK.
installed_versions() {
  "$wine" reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' /s 2>/dev/null | tr -d '\r' |
    awk '/^HKEY_/ { if (name ~ /^KVOTLK/) print version; name = ""; version = "" }
         $1 == "DisplayName" { sub(/^ *DisplayName +REG_SZ +/, ""); name = $0 }
         $1 == "DisplayVersion" { version = $3 }
         END { if (name ~ /^KVOTLK/) print version }'
}
shortcuts() {
  find "$drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs" \
    "$drive_c"/users/*/AppData/Roaming/Microsoft/Windows/Start\ Menu/Programs -name KVOTLK.lnk
}
# The program folder holds the ZIP's files but the catalogues, which are in the data folder.
check_installed() { # WHEN VERSION
  find "$program" -mindepth 1 \( -type d -printf '%P/\n' -o -printf '%P\n' \) | LC_ALL=C sort |
    diff -u <(grep -v '^Kataloge/' "$here/zip-inhalt.txt") - || fail "$1: andere Dateien in $program."
  [ "$(installed_versions)" = "$2" ] || fail "$1: installiert ist '$(installed_versions)' statt $2."
  [ "$(shortcuts | wc -l)" -eq 1 ] && grep -aq 'kvotlk.exe' "$(shortcuts)" ||
    fail "$1: kein Eintrag KVOTLK im Startmenü, der kvotlk.exe startet."
}
check_removed() { # WHEN
  [ ! -e "$program" ] || fail "$1: $program ist noch da."
  [ -z "$(installed_versions)" ] || fail "$1: noch installiert: $(installed_versions)."
  [ -z "$(shortcuts)" ] || fail "$1: der Eintrag im Startmenü ist noch da."
}
catalogues_are() { # WHEN: the shipped catalogues, Prüfer.dat as edited when prüfer.dat exists
  local file wanted
  for file in Maschine.dat NestID.dat Prüfer.dat; do
    wanted=$source_dir/examples/Kataloge/$file
    [ "$file" = Prüfer.dat ] && [ -f "$work/prüfer.dat" ] && wanted=$work/prüfer.dat
    cmp "$data/Kataloge/$file" "$wanted" || fail "$1: $data/Kataloge/$file weicht ab."
  done
}

"$wine" wineboot --init >/dev/null 2>&1
"$wineserver" -w
# A new prefix says Windows 7: refused by the launch condition, nothing installed.
! run_msiexec /i "$msi" || fail "Unter Windows 7 wurde installiert."
[ ! -e "$program" ] && [ -z "$(machine_settings)" ] || fail "Unter Windows 7 blieb etwas zurück."
"$wine" winecfg -v win10 >/dev/null 2>&1

# Installed as IT does it, with two of the defaults.
dir=$(windows_path "$target")
run_msiexec /i "$msi" "DIR=$dir" NUMDEZ=3 || fail "msiexec /i endete mit $?."
version=$(msiinfo export "$msi" Property | tr -d '\r' | awk -F'\t' '$1 == "ProductVersion" { print $2 }')
check_installed "Installation" "$version"
catalogues_are "Installation"
settings_are "Installation" Datenordner "DIR REG_SZ $dir" "NumDez REG_SZ 3"
"$wine" reg query 'HKLM\SOFTWARE\Wow6432Node\SolvikGermany' >/dev/null 2>&1 &&
  fail "Die Einstellungen stehen in der 32-Bit-Ansicht der Registrierung."

# Order 1 in the installed program, for a user without settings of his own: the file goes
# to the machine's DIR, the log into the data folder.
write_steps "$here/bedienung-msi.txt" "$work/bedienung.txt"
report=$work/bedienung.txt.bericht
start_collector "$target"
start_fake 1 3
use_driver "$work/bedienung.txt"
status=0
timeout 300 "$wine" "$program/kvotlk.exe" >"$work/kvotlk.log" 2>&1 || status=$?
[ "$status" -eq 0 ] || fail "kvotlk.exe endete mit $status: $(tail -n 3 "$report" 2>/dev/null)"
[ "$(grep -E '^(MELDUNG|MELDE) ' "$report")" = "MELDE GESENDET 1" ] ||
  fail "Andere Meldungen als erwartet (Bericht: $report)."
cmp "$work/ergebnis-1.txt" "$here/Solvik.txt" || fail "Die Ergebnisdatei weicht ab."
[ -f "$data/TempData/TLDebug.txt" ] || fail "Kein Protokoll $data/TempData/TLDebug.txt."
[ ! -e "$program/TempData" ] || fail "TempData liegt im Programmordner."
cleanup
collector=

# The operator edits a catalogue; uninstalling leaves it, the data folder and the settings.
cp "$data/Kataloge/Prüfer.dat" "$work/prüfer.dat"
printf '(99)    Neumann\r\n' >>"$work/prüfer.dat"
cp "$work/prüfer.dat" "$data/Kataloge/Prüfer.dat"
run_msiexec /x "$msi" || fail "msiexec /x endete mit $?."
check_removed "Deinstallation"
catalogues_are "Deinstallation"
[ -f "$data/TempData/TLDebug.txt" ] || fail "Deinstallation: TempData ist weg."
settings_are "Deinstallation" "DIR REG_SZ $dir" "NumDez REG_SZ 3"

# Installed again without properties: nothing given before is wiped, nothing overwritten.
run_msiexec /i "$msi" || fail "msiexec /i endete mit $?."
check_installed "Neue Installation" "$version"
catalogues_are "Neue Installation"
settings_are "Neue Installation" Datenordner "DIR REG_SZ $dir" "NumDez REG_SZ 3"

# A later version (the same folder, another version number) replaces it; a default given
# again is written anew.
later=${version%.*}.$((${version##*.} + 1))
unpacked=$work/zip
python3 -c 'import sys, zipfile; zipfile.ZipFile(sys.argv[1]).extractall(sys.argv[2])' \
  "${msi%.msi}.zip" "$unpacked"
cmake -DKVOTLK_MSI_PROGRAM_FOLDER="$(echo "$unpacked"/*)" -DKVOTLK_MSI_VERSION="$later" \
  -DKVOTLK_MSI_FILE="$work/KVOTLK-$later.msi" -P "$source_dir/packaging/BuildMsi.cmake" ||
  fail "Das MSI der Version $later ist nicht zu bauen."
run_msiexec /i "$work/KVOTLK-$later.msi" RANDOM=1 NUMDEZ=4 || fail "Das Update endete mit $?."
check_installed "Update" "$later"
catalogues_are "Update"
settings_are "Update" Datenordner "DIR REG_SZ $dir" "NumDez REG_SZ 4" "RANDOM REG_SZ 1"
! run_msiexec /i "$msi" || fail "Die ältere Version $version wurde über $later installiert."
check_installed "Ältere Version" "$later"

run_msiexec /x "$work/KVOTLK-$later.msi" || fail "msiexec /x endete mit $?."
check_removed "Deinstallation nach dem Update"
catalogues_are "Deinstallation nach dem Update"
settings_are "Deinstallation nach dem Update" "DIR REG_SZ $dir" "NumDez REG_SZ 4" "RANDOM REG_SZ 1"
echo "MSI-Test unter Wine bestanden."
