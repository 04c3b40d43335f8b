#!/usr/bin/env bash
# Sets up, builds and runs every test: the tests of the Linux build (unit, commands, GUI), and
# the unit and command tests again under AddressSanitizer and UndefinedBehaviorSanitizer, and the
# fuzz targets for a bounded time each (TIVAREL_FUZZ_SECONDS, 45 by default).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh build qt gui-test windows fuzz
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

# libFuzzer with the sanitizers, for a bounded time per target.
cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
  -DTIVAREL_PLATFORM=none -DTIVAREL_SANITIZE=ON -DTIVAREL_FUZZ=ON \
  -DTIVAREL_FUZZ_SECONDS="${TIVAREL_FUZZ_SECONDS:-45}" > /dev/null
cmake --build build-fuzz --parallel "$jobs" --target tivarel_fuzzers
echo "== fuzzing"
(cd build-fuzz && ctest --output-on-failure --parallel "$jobs")
