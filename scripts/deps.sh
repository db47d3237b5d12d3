#!/usr/bin/env bash
# Installs the Debian packages a purpose needs, only those that are missing; quiet when
# everything is there. Usage: deps.sh run|test|bench
set -euo pipefail

run_packages=(cmake ninja-build g++ pkg-config qt6-base-dev fonts-liberation qt6-translations-l10n)
test_packages=("${run_packages[@]}" libgtest-dev libgmock-dev googletest xvfb xauth
  g++-mingw-w64-x86-64 wine64 clang-14 libclang-rt-14-dev dpkg-dev python3
  g++-mingw-w64-i686-posix wine32:i386 msitools wixl locales)
bench_packages=(cmake ninja-build g++ libbenchmark-dev)

case "${1:-}" in
  run) wanted=("${run_packages[@]}") ;;
  test) wanted=("${test_packages[@]}") ;;
  bench) wanted=("${bench_packages[@]}") ;;
  *) echo "Aufruf: $0 run|test|bench" >&2; exit 2 ;;
esac

# The Windows end-to-end test runs once under a German user locale, which Wine takes from
# LC_ALL: the locale must exist on the machine.
german_locale_missing() {
  [ "$1" = test ] && ! locale -a 2>/dev/null | grep -qix 'de_DE\.utf-\?8'
}

missing=()
for package in "${wanted[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$package")
  fi
done
if [ ${#missing[@]} -eq 0 ] && ! german_locale_missing "$1"; then
  exit 0
fi

if [ "$(id -u)" -ne 0 ]; then
  german_locale_missing "$1" && missing+=("(Locale de_DE.UTF-8)")
  echo "Fehlende Pakete: ${missing[*]} - bitte als root ausführen." >&2
  exit 1
fi
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installiere: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  # Wine's 32-bit side comes from the i386 architecture.
  if [[ " ${missing[*]} " == *":i386 "* ]]; then
    dpkg --add-architecture i386
  fi
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
if german_locale_missing "$1"; then
  echo "Erzeuge die Locale de_DE.UTF-8"
  sed -i 's/^# *\(de_DE\.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  grep -q '^de_DE\.UTF-8 UTF-8' /etc/locale.gen || echo 'de_DE.UTF-8 UTF-8' >>/etc/locale.gen
  locale-gen >/dev/null
fi
