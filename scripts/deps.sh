#!/usr/bin/env bash
# Installs the Debian packages a purpose needs, only those that are missing; quiet when
# everything is there. Usage: deps.sh run|test|bench
set -euo pipefail

run_packages=(cmake ninja-build g++ pkg-config qt6-base-dev fonts-liberation qt6-translations-l10n)
test_packages=("${run_packages[@]}" libgtest-dev libgmock-dev googletest xvfb xauth
  g++-mingw-w64-x86-64 wine64 clang-14 libclang-rt-14-dev dpkg-dev python3
  g++-mingw-w64-i686-posix wine32:i386 msitools wixl)
bench_packages=(cmake ninja-build g++ libbenchmark-dev)

case "${1:-}" in
  run) wanted=("${run_packages[@]}") ;;
  test) wanted=("${test_packages[@]}") ;;
  bench) wanted=("${bench_packages[@]}") ;;
  *) echo "Aufruf: $0 run|test|bench" >&2; exit 2 ;;
esac

missing=()
for package in "${wanted[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$package")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
  echo "Fehlende Pakete: ${missing[*]} - bitte als root ausführen." >&2
  exit 1
fi
echo "Installiere: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
# Wine's 32-bit side comes from the i386 architecture.
if [[ " ${missing[*]} " == *":i386 "* ]]; then
  dpkg --add-architecture i386
fi
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
