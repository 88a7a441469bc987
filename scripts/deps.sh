#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, when missing, then
# checks that CMake finds every component the build asks for, naming the
# package to install when one is not found.
set -euo pipefail

# package: what it brings to the build
packages=(
    cmake ninja-build g++ clang ccache pkg-config
    libgtest-dev libgmock-dev libbenchmark-dev
    qt6-base-dev qt6-base-dev-tools qt6-charts-dev
    libqt6opengl6-dev  # Qt Charts' CMake package requires Qt6OpenGL; not a dependency of qt6-charts-dev
    libgl-dev libjpeg-dev
    libgmp-dev         # exact powers for compound interest
    libarchive-dev     # the zip archives of the data-directory backups
    xvfb xauth poppler-utils fonts-dejavu-core
)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "== installing: ${missing[*]}"
    apt-get update
    DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
else
    echo "== build dependencies already installed"
fi

# Configure a throw-away project that asks for exactly what the build asks for.
probe=$(mktemp -d)
trap 'rm -rf "$probe"' EXIT
cat > "$probe/CMakeLists.txt" <<'CMAKE'
cmake_minimum_required(VERSION 3.25)
project(probe LANGUAGES CXX)
set(report "")
macro(need found package what)
  if(NOT ${found})
    string(APPEND report "missing ${what}: install the Debian package ${package}\n")
  endif()
endmacro()
foreach(component Core Gui Widgets PrintSupport Test OpenGL Charts Network)
  find_package(Qt6 QUIET COMPONENTS ${component})
  set(pkg qt6-base-dev)
  if(component STREQUAL "Charts")
    set(pkg qt6-charts-dev)
  elseif(component STREQUAL "OpenGL")
    set(pkg libqt6opengl6-dev)
  endif()
  need(Qt6${component}_FOUND ${pkg} "Qt6 ${component}")
endforeach()
find_package(GTest QUIET)
need(GTest_FOUND "libgtest-dev libgmock-dev" "GoogleTest")
find_package(benchmark QUIET)
need(benchmark_FOUND libbenchmark-dev "Google Benchmark")
find_path(GMPXX_INCLUDE gmpxx.h)
find_library(GMPXX_LIBRARY gmpxx)
need(GMPXX_INCLUDE libgmp-dev "GMP C++ header")
need(GMPXX_LIBRARY libgmp-dev "GMP C++ library")
find_package(LibArchive QUIET)
need(LibArchive_FOUND libarchive-dev "libarchive")
find_program(MOC moc PATHS /usr/lib/qt6/libexec NO_DEFAULT_PATH)
need(MOC qt6-base-dev-tools "Qt's moc")
if(report)
  message(FATAL_ERROR "\n${report}")
endif()
CMAKE
if ! cmake -S "$probe" -B "$probe/build" -G Ninja > "$probe/log" 2>&1; then
    cat "$probe/log" >&2
    echo "== a build dependency is missing (see above)" >&2
    exit 1
fi
echo "== every build dependency found"
