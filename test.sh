#!/usr/bin/env bash
# Sets up, builds and runs every test: a normal build, a build with
# AddressSanitizer + UndefinedBehaviorSanitizer, and the tests labelled
# "threads" once more under ThreadSanitizer. Exits non-zero on any failure.
set -uo pipefail
cd "$(dirname "$0")"
./scripts/setup.sh || exit 1

jobs=$(nproc)
passed=0
failed=0
status=0

# suite <build dir> <ctest label or empty> <cmake target> <cmake options...>
suite() {
  local dir=$1 label=$2 target=$3
  shift 3
  echo "=== ${dir}"
  if ! cmake -S . -B "$dir" -G Ninja -DTAVRIX_BUILD_BENCHMARKS=ON "$@" >"$dir.configure.log" 2>&1; then
    cat "$dir.configure.log"; status=1; return
  fi
  if ! cmake --build "$dir" --target "$target" -j "$jobs"; then
    status=1; return
  fi
  local args=(--test-dir "$dir" --output-on-failure -j "$jobs")
  [[ -n "$label" ]] && args+=(-L "$label")
  ctest "${args[@]}" 2>&1 | tee "$dir.ctest.log"
  [[ ${PIPESTATUS[0]} -eq 0 ]] || status=1
  local line
  line=$(grep -E 'tests passed, [0-9]+ tests failed out of [0-9]+' "$dir.ctest.log" | tail -1)
  if [[ $line =~ ([0-9]+)\ tests\ failed\ out\ of\ ([0-9]+) ]]; then
    failed=$((failed + BASH_REMATCH[1]))
    passed=$((passed + BASH_REMATCH[2] - BASH_REMATCH[1]))
  fi
}

mkdir -p build
suite build/release "" all -DCMAKE_BUILD_TYPE=Release
suite build/asan "" all -DCMAKE_BUILD_TYPE=Debug -DTAVRIX_SANITIZER=address \
  -DTAVRIX_BUILD_BENCHMARKS=OFF -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g"
suite build/tsan threads threads_tests -DCMAKE_BUILD_TYPE=Debug -DTAVRIX_SANITIZER=thread \
  -DTAVRIX_BUILD_BENCHMARKS=OFF -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g"

echo
echo "total: ${passed} passed, ${failed} failed"
[[ $failed -eq 0 ]] || status=1
exit $status
