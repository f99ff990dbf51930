#!/usr/bin/env bash
# The hardening stage of CI, after the main tests: the format of every source file, the whole
# suite (windows included, offscreen) built with AddressSanitizer and UndefinedBehaviorSanitizer,
# and every fuzz harness for FUZZ_SECONDS from the committed seed corpus. Any finding fails the
# stage.
set -euo pipefail
cd "$(dirname "$0")/.."
JOBS=${JOBS:-2}
FUZZ_SECONDS=${FUZZ_SECONDS:-30}

packages=(clang clang-format libclang-rt-dev)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""; [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

echo "== Formato di tutti i file"
mapfile -t sources < <(git ls-files '*.cpp' '*.h')
clang-format --dry-run --Werror "${sources[@]}"
echo "${#sources[@]} file controllati"

echo "== Suite con AddressSanitizer e UndefinedBehaviorSanitizer"
start=$(date +%s)
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DNUMORA_BUILD_BENCH=OFF \
  "-DCMAKE_CXX_FLAGS=-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer" \
  "-DCMAKE_EXE_LINKER_FLAGS=-fsanitize=address,undefined" "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O1 -g1" >/dev/null
cmake --build build-asan -j"$JOBS"
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:detect_stack_use_after_return=1"
export LSAN_OPTIONS="suppressions=$PWD/.ci/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
(cd build-asan && ctest --output-on-failure -j"$JOBS")
echo "sanitizzatori: $(( $(date +%s) - start )) s"

echo "== Fuzzing, ${FUZZ_SECONDS} s per lettore"
CC=clang CXX=clang++ cmake -S . -B build-fuzz -DNUMORA_FUZZ=ON -DNUMORA_BUILD_UI=OFF -DNUMORA_BUILD_BENCH=OFF \
  -DNUMORA_BUILD_TESTS=ON >/dev/null
cmake --build build-fuzz -j"$JOBS" --target fuzzers
for f in build-fuzz/fuzz/fuzz_*; do
  [ -x "$f" ] || continue
  name=${f##*/fuzz_}
  corpus=$(mktemp -d)
  seeds=0
  if [ -d "tests/fuzz/corpus/$name" ]; then cp tests/fuzz/corpus/"$name"/* "$corpus"/; seeds=$(ls "$corpus" | wc -l); fi
  log=$(mktemp)
  if ! "$f" -max_total_time="$FUZZ_SECONDS" -print_final_stats=1 -artifact_prefix="$corpus/" "$corpus" >"$log" 2>&1; then
    tail -60 "$log"
    echo "fuzz_$name: trovato un difetto" >&2
    exit 1
  fi
  runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' || echo 0)
  echo "fuzz_$name: $runs esecuzioni, corpus da $seeds a $(ls "$corpus" | wc -l) file, nessun arresto anomalo"
  rm -rf "$corpus" "$log"
done
