#!/usr/bin/env bash
# Builds Qt (qtbase: Core, Gui, Widgets, Network and the Windows plugins) for 64-bit
# Windows with Debian's mingw-w64, from Debian's source package of the same version as the
# installed qt6-base-dev, using the host's Qt tools. The result is kept in a cache folder
# outside the clone, keyed by this script's hash and the compiler's version, so a second
# run only prints the folder. Prints the Qt installation folder as its only output.
# Usage: qt-mingw.sh   (the cache's parent: KVOTLK_CACHE, default ~/.cache/kvotlk)
set -euo pipefail

target=x86_64-w64-mingw32
compiler=$target-g++-posix
cache_root=${KVOTLK_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/kvotlk}

qt_source_package=$(dpkg-query -W -f='${source:Package}' qt6-base-dev)
qt_version=$(dpkg-query -W -f='${source:Version}' qt6-base-dev)
compiler_version=$("$compiler" -dumpfullversion)
key=$({ sha256sum <"$0"; echo "$compiler_version"; } | sha256sum | cut -c1-16)
prefix=$cache_root/qt-${qt_version%%+*}-$target-$key
stamp=$prefix/kvotlk-qt-mingw.stamp

mkdir -p "$cache_root"
exec 9>"$prefix.lock"
flock 9
if [ -f "$stamp" ]; then
  echo "$prefix"
  exit 0
fi

log=$cache_root/qt-mingw.log
work=$(mktemp -d "$cache_root/build.XXXXXX")
trap 'rm -rf "$work"' EXIT
fail() {
  echo "$1" >&2
  [ -f "$log" ] && tail -n 40 "$log" >&2
  exit 1
}

# The source package comes from the mirror the installed package came from: its entries
# (with their keys) again, as deb-src.
mirror() {
  apt-cache policy qt6-base-dev | awk '
    $1 == "***" { mine = 1; next }
    mine && $1 ~ /^[0-9]+$/ && $2 ~ /:\/\// { print $2; exit }
    mine && $1 !~ /^[0-9]+$/ { exit }'
}
source_entries() {
  local uri=${1%/}
  cat /etc/apt/sources.list /etc/apt/sources.list.d/*.list 2>/dev/null | awk -v uri="$uri" '
    $1 == "deb" { for (i = 2; i <= NF; i++) { u = $i; sub(/\/$/, "", u); if (u == uri) {
      sub(/^deb/, "deb-src"); print; next } } }'
  cat /etc/apt/sources.list.d/*.sources 2>/dev/null | awk -v uri="$uri" -v RS= '{
    n = split($0, line, "\n"); deb = 0; same = 0
    for (i = 1; i <= n; i++) {
      if (line[i] ~ /^Types:/ && (line[i] " ") ~ /[ \t]deb[ \t]/) deb = 1
      if (line[i] ~ /^URIs:/) {
        m = split(line[i], u, /[ \t]+/)
        for (j = 2; j <= m; j++) { sub(/\/$/, "", u[j]); if (u[j] == uri) same = 1 }
      }
    }
    if (deb && same) { sub(/Types:[ \t]*deb/, "Types: deb-src"); print; print "" } }'
}
source_known() {
  apt-cache showsrc --only-source "$qt_source_package" 2>/dev/null | grep -qx "Version: $qt_version"
}
if ! source_known; then
  uri=$(mirror)
  [ -n "$uri" ] || fail "Keine Paketquelle für qt6-base-dev $qt_version gefunden."
  [ "$(id -u)" -eq 0 ] || fail "Quellpakete von $uri fehlen (deb-src) - bitte als root ausführen."
  entries=$(source_entries "$uri")
  [ -n "$entries" ] || fail "Der Eintrag für $uri ist nicht zu lesen."
  if [[ $entries == deb-src* ]]; then
    echo "$entries" >/etc/apt/sources.list.d/kvotlk-qt-source.list
  else
    echo "$entries" >/etc/apt/sources.list.d/kvotlk-qt-source.sources
  fi
  apt-get update -qq
  source_known || fail "Das Quellpaket $qt_source_package $qt_version ist nicht zu bekommen."
fi

echo "Baue Qt $qt_version für $target (Protokoll: $log)" >&2
cd "$work"
apt-get source -qq --only-source "$qt_source_package=$qt_version" >"$log" 2>&1 ||
  fail "apt-get source $qt_source_package=$qt_version ist fehlgeschlagen."
source_dir=$(find . -maxdepth 1 -type d -name "$qt_source_package-*" | head -n 1)
[ -n "$source_dir" ] || fail "Die Quellen von $qt_source_package fehlen."

# Shared DLLs with the compiler's shared runtime: Qt and the program use one libstdc++.
cat >toolchain.cmake <<EOF
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER $target-gcc-posix)
set(CMAKE_CXX_COMPILER $target-g++-posix)
set(CMAKE_RC_COMPILER $target-windres)
set(CMAKE_FIND_ROOT_PATH /usr/$target)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
EOF

rm -rf "$prefix"
# Debian's repack has no wintab (tablet events); widgets draw without OpenGL or Direct2D,
# and Qt 6.4 builds its DirectWrite 3 font database only with Direct2D; no image plugins.
cmake -G Ninja -S "$source_dir" -B build \
  -DCMAKE_TOOLCHAIN_FILE="$work/toolchain.cmake" \
  -DQT_HOST_PATH=/usr \
  -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
  -DCMAKE_INSTALL_PREFIX="$prefix" \
  -DCMAKE_BUILD_TYPE=Release \
  -DBUILD_SHARED_LIBS=ON \
  -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF \
  -DFEATURE_sql=OFF -DFEATURE_printsupport=OFF -DFEATURE_dbus=OFF \
  -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF -DFEATURE_testlib=OFF \
  -DFEATURE_opengl=OFF -DINPUT_opengl=no -DFEATURE_dynamicgl=OFF \
  -DFEATURE_vulkan=OFF -DFEATURE_direct2d=OFF -DFEATURE_directwrite3=OFF \
  -DFEATURE_tabletevent=OFF -DFEATURE_jpeg=OFF -DFEATURE_gif=OFF \
  -DFEATURE_openssl=OFF -DFEATURE_brotli=OFF \
  >>"$log" 2>&1 || fail "Qt: cmake ist fehlgeschlagen."
cmake --build build --parallel "${KVOTLK_QT_JOBS:-2}" >>"$log" 2>&1 || fail "Qt: der Bau ist fehlgeschlagen."
cmake --install build >>"$log" 2>&1 || fail "Qt: die Installation ist fehlgeschlagen."

{
  echo "qt=$qt_source_package $qt_version"
  echo "compiler=$compiler $compiler_version"
  echo "script=$key"
} >"$stamp"
echo "$prefix"
