#!/bin/sh
# Two stations send Solvik.txt into one target folder at the same moment, round after
# round (two kvotlk-replay processes). Whoever wins: a station that reports the delivery
# finds its own values under the name and its staged file gone; the other keeps its own
# values in TempData (name taken). Nothing else, and no temporary file is left behind.
# The first station that fails ends the test. Arguments: kvotlk-replay, the sample
# catalogues, the number of rounds, the characteristics per file (a longer send overlaps
# the other more often).
set -u
replay=$1 catalogues=$2 rounds=$3 characteristics=$4
work=$(mktemp -d) || exit 1
trap 'rm -rf "$work"' EXIT
mkdir "$work/ziel"
for s in A B; do
  mkdir -p "$work/$s/Kataloge" && cp "$catalogues"/* "$work/$s/Kataloge/"
  printf 'DIR=%s\nEinstellungenZurLaufzeitSpeichern=0\n' "$work/ziel" >"$work/$s.ini"
  printf '%s\n' "txt_Artikel=Stat-$s" Combo_Maschine=M7 txt_Auftrag=40711 \
    txt_Probenumfang=1 txt_DatumTag=05 txt_DatumMonat=12 txt_DatumJahr=2026 \
    txt_UhrzeitStunde=09 txt_UhrzeitMinute=30 'combo_Prüfer=(12)    Müller' >"$work/$s.txt"
done
{ echo "Programm Welle.PRG"; i=1; while [ $i -le "$characteristics" ]; do
  echo "Mass Merkmal=$i Messwert=Normal(12,345; 0,004)"; i=$((i + 1)); done; } >"$work/p.kmp"

send() {
  "$replay" --programmordner "$work/$1" --einstellungen "$work/$1.ini" \
    --auftrag "$work/$1.txt" --messprogramm "$work/p.kmp" >/dev/null 2>&1
  echo $? >"$work/$1.code"
}

# Whether station $1 ended as one of the two sound outcomes; prints "zugestellt" or
# "behalten".
outcome() {
  code=$(cat "$work/$1.code") staged="$work/$1/TempData/Solvik.txt"
  if [ "$code" = 0 ] && grep -q "ARTIKEL=Stat-$1" "$work/ziel/Solvik.txt" &&
    [ ! -e "$staged" ]; then
    echo zugestellt
  elif [ "$code" = 4 ] && grep -q "ARTIKEL=Stat-$1" "$staged"; then
    echo behalten
  else
    echo "Runde $round: Station $1 endet mit $code, falsch" >&2
    return 1
  fi
}

counts=""
round=1
while [ "$round" -le "$rounds" ]; do
  send A &
  send B &
  wait
  a=$(outcome A) && b=$(outcome B) || exit 1
  if [ "$(ls -A "$work/ziel")" != Solvik.txt ]; then
    echo "Runde $round: im Zielordner liegt $(ls -A "$work/ziel")" >&2
    exit 1
  fi
  counts="$counts
A $a, B $b"
  rm -f "$work/ziel/Solvik.txt" "$work/A/TempData/Solvik.txt" "$work/B/TempData/Solvik.txt"
  round=$((round + 1))
done
echo "$rounds Runden:"
echo "$counts" | sed '/^$/d' | sort | uniq -c
