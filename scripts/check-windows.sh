#!/usr/bin/env bash
# The engine, numora-cli and the engine tests built for 64-bit Windows with MinGW-w64 and run under
# Wine, with the real archive when it sits beside the project. Ends with "N passed, N failed" and
# exits 0 only when every test passed. Runs as root on a bare Debian 12 with no prompt and no display.
#   check-windows.sh [BUILD]   the build folder, "build-windows" when omitted
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
build=${1:-build-windows}
mkdir -p "$build"
build=$(cd "$build" && pwd)
jobs=${JOBS:-2}

packages=(cmake make ccache g++-mingw-w64-x86-64-posix wine64 wine googletest)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Pacchetti mancanti: ${missing[*]}"
  if [ "$(id -u)" -eq 0 ]; then sudo=""; else sudo="sudo"; fi
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

toolchain=$root/cmake/mingw-w64-x86_64.cmake

# GoogleTest from the sources Debian ships, built once with the cross compiler.
gtest=$build/googletest
if [ ! -f "$gtest/lib/cmake/GTest/GTestConfig.cmake" ]; then
  cmake -S /usr/src/googletest -B "$build/googletest-build" -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$gtest" -DBUILD_GMOCK=ON -Dgtest_force_shared_crt=ON >/dev/null
  nice -n 10 cmake --build "$build/googletest-build" -j"$jobs" >/dev/null
  cmake --install "$build/googletest-build" >/dev/null
fi

# Wine: a prefix of its own in the build folder, made without a window or a question (no Mono or
# Gecko to offer), and its server kept running while the tests start one program after another.
export WINEPREFIX=$build/wineprefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEARCH=win64
unset DISPLAY WAYLAND_DISPLAY
wine=$(command -v wine64 || command -v wine-stable || command -v wine || echo /usr/lib/wine/wine64)
[ -x "$wine" ] || wine=/usr/lib/wine/wine64
wineserver=$(command -v wineserver || command -v wineserver-stable || echo /usr/lib/wine/wineserver)
[ -x "$wineserver" ] || wineserver=/usr/lib/wine/wineserver
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  "$wine" wineboot --init </dev/null >/dev/null 2>&1 || true
fi
# The first program of a prefix finishes setting it up: done here, not inside a timed test.
"$wine" cmd /c exit </dev/null >/dev/null 2>&1 || true
trap '"$wineserver" -k >/dev/null 2>&1 || true' EXIT

# The real archive, given to the tests as a Windows path through Wine's Z: drive.
shared=${NUMORA_SHARED_DATA_DIR:-}
if [ -z "$shared" ]; then
  for d in "$root/../shared/data" /work/shared/data; do
    [ -d "$d" ] && { shared=$(cd "$d" && pwd); break; }
  done
fi

export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$(dirname "$root")}
cmake -S . -B "$build/numora" -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
  -DNUMORA_BUILD_UI=OFF -DNUMORA_BUILD_BENCH=OFF -DNUMORA_BUILD_TESTS=ON \
  -DGTest_DIR="$gtest/lib/cmake/GTest" -DNUMORA_WINE="$wine" -DNUMORA_SHARED_DATA_DIR="$shared" >/dev/null
nice -n 10 cmake --build "$build/numora" -j"$jobs" --target numora_core numora-cli numora_engine_tests

# One Wine server for the whole test run, kept until the script ends: a server started by a program
# ends as soon as no program runs and is started again by the next, which made the run a third
# slower. A "-p" while another server runs does nothing, so the old one is stopped first; then one
# program starts the new server's prefix before the tests.
"$wineserver" -k </dev/null >/dev/null 2>&1 || true
"$wineserver" -w </dev/null >/dev/null 2>&1 || true
"$wineserver" -p </dev/null >/dev/null 2>&1 || true
"$wine" cmd /c exit </dev/null >/dev/null 2>&1 || true

log=$build/ctest.log
set +e
# A test that fails is run again, up to three times in all: a fault of the program fails every
# time, while under Wine a program now and then dies as it starts ("wine client error ...
# Connection reset by peer", or a child whose exit status is lost), about once in a hundred test
# runs, the same with or without the kept server. A test that passed only on a later run is named
# below.
(cd "$build/numora" && ctest -L engine -j"$jobs" --output-on-failure --timeout 300 --repeat until-pass:3) 2>&1 | tee "$log"
grep -E "Test +#[0-9]+: .*\*\*\*" "$log" | sed 's/^/Ripetuto dopo un errore: /' || true
set -e
summary=$(grep -E "tests passed, [0-9]+ tests failed out of [0-9]+" "$log" | tail -1)
total=$(sed -E 's/.*out of ([0-9]+).*/\1/' <<<"$summary")
failed=$(sed -E 's/.* ([0-9]+) tests failed.*/\1/' <<<"$summary")
if [ -z "$summary" ] || [ "$total" -eq 0 ]; then
  echo "0 passed, 1 failed"
  exit 1
fi
echo "$((total - failed)) passed, $failed failed"
[ "$failed" -eq 0 ]
