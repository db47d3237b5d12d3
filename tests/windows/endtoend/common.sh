# shellcheck shell=bash disable=SC2154  # here, build, fake and work come from the sourcing script
# What endtoend.sh and msi.sh share (sourced): Wine in the test's own prefix, the operator's
# steps for the test driver, the fake CMM software, the CAQ system collecting result files.
# Expects here (this folder), build, fake and work to be set.
wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver
# No Mono or Gecko installer dialogs, and no entries in the Linux desktop's menus for the
# shortcuts an installer makes.
export WINEPREFIX=$work/wineprefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe="

fail() {
  echo "FEHLER: $*" >&2
  exit 1
}
windows_path() {
  local path=${1//\//\\}
  echo "Z:$path"
}
# Ends the collector and Wine's processes when the test ends, however it ends.
cleanup() {
  [ -n "${collector:-}" ] && kill "$collector" 2>/dev/null
  "$wineserver" -k 2>/dev/null || true
}

# The operator's steps: the step file TEMPLATE with the order of auftrag.txt at @AUFTRAG@.
write_steps() { # TEMPLATE OUTPUT
  local line name
  while IFS= read -r line; do
    if [ "$line" != "@AUFTRAG@" ]; then
      printf '%s\n' "$line"
      continue
    fi
    while IFS= read -r line; do
      case $line in '' | '#'*) continue ;; esac
      name=${line%%=*}
      case $name in
        Combo_Maschine | combo_Prüfer) printf 'waehle %s %s\n' "$name" "${line#*=}" ;;
        *) printf 'setze %s %s\n' "$name" "${line#*=}" ;;
      esac
    done <"$here/auftrag.txt"
  done <"$1" >"$2"
}

start_fake() { # NUMBER PLAN...
  local number=$1
  shift
  "$wine" "$fake" "$(windows_path "$here/messprogramm.kmp")" "$(windows_path "$work/kalvero-$number")" \
    "$@" >"$work/kalvero-$number.log" 2>&1 &
}

# The CAQ system takes each delivered file out of the target folder, as ergebnis-N.txt.
start_collector() { # TARGET-FOLDER
  local target=$1 count=0
  while :; do
    if [ -f "$target/Solvik.txt" ]; then
      count=$((count + 1))
      mv "$target/Solvik.txt" "$work/ergebnis-$count.txt"
    fi
    sleep 0.2
  done &
  collector=$!
}

# Wine passes no QT_* variable from Linux to a Windows program: Qt's, which load the driver
# with its steps, go into the prefix's user environment.
use_driver() { # STEP-FILE
  "$wine" reg add 'HKCU\Environment' /v QT_PLUGIN_PATH /d "$(windows_path "$build/testplugins")" /f >/dev/null
  "$wine" reg add 'HKCU\Environment' /v QT_QPA_GENERIC_PLUGINS /f \
    /d "kvotlkdriver:$(windows_path "$1")" >/dev/null
}
