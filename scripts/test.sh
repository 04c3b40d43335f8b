#!/usr/bin/env bash
# Sets up, builds and runs every test: the tests of the Linux build (unit, commands, GUI), and
# the unit and command tests again under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh build qt gui-test windows
jobs=$(nproc)

# The Windows program, cross-built first so that the Linux build registers its Wine tests.
cmake -S . -B build-win -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DTIVAREL_WIN32_SYSTEM_TESTS=ON > /dev/null
cmake --build build-win --parallel "$jobs"

cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DTIVAREL_WINDOWS_EXE="$PWD/build-win/tivarel.exe" \
  > /dev/null
cmake --build build --parallel "$jobs"

cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DTIVAREL_SANITIZE=ON \
  -DTIVAREL_PLATFORM=none > /dev/null
cmake --build build-asan --parallel "$jobs"

echo "== tests under AddressSanitizer and UndefinedBehaviorSanitizer"
(cd build-asan && ctest --output-on-failure --parallel "$jobs")
echo "== tests of the Linux build"
(cd build && ctest --output-on-failure --parallel "$jobs")
