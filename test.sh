#!/usr/bin/env bash
# Sets up, builds and runs every test: a normal build, a build with
# AddressSanitizer + UndefinedBehaviorSanitizer, and the tests labelled
# "threads" once more under ThreadSanitizer. Exits non-zero on any failure.
# Ends with the time each stage took.
set -uo pipefail
cd "$(dirname "$0")"

jobs=$(nproc)
passed=0
failed=0
status=0
stages=()
seconds=()

# timed <stage name> <command...>: runs the command and notes how long it took.
timed() {
  local name=$1 start=$EPOCHREALTIME rc
  shift
  "$@"
  rc=$?
  stages+=("$name")
  seconds+=("$(awk -v a="$start" -v b="$EPOCHREALTIME" 'BEGIN { printf "%.1f", b - a }')")
  return $rc
}

# Each folder's files compile in batches (see TAVRIX_UNITY_BUILD); the
# sanitizer builds keep line tables for their reports and optimise only as far
# as debugging allows, which compiles about as fast as no optimisation.
common=(-G Ninja -DTAVRIX_UNITY_BUILD=ON)
sanitized=(-DCMAKE_BUILD_TYPE=Debug -DTAVRIX_BUILD_BENCHMARKS=OFF -DCMAKE_CXX_FLAGS_DEBUG="-Og -g1")

configure() {
  local dir=$1
  shift
  cmake -S . -B "$dir" "${common[@]}" "$@" >"$dir.configure.log" 2>&1 || { cat "$dir.configure.log"; return 1; }
}

# Most tests wait on threads, sockets and timers more than they compute: twice
# as many run at once as there are cores.
run_tests() {
  local dir=$1 label=$2
  local args=(--test-dir "$dir" --output-on-failure -j $((2 * jobs)))
  [[ -n "$label" ]] && args+=(-L "$label")
  ctest "${args[@]}" 2>&1 | tee "$dir.ctest.log"
  local rc=${PIPESTATUS[0]} line
  line=$(grep -E 'tests passed, [0-9]+ tests failed out of [0-9]+' "$dir.ctest.log" | tail -1)
  if [[ $line =~ ([0-9]+)\ tests\ failed\ out\ of\ ([0-9]+) ]]; then
    failed=$((failed + BASH_REMATCH[1]))
    passed=$((passed + BASH_REMATCH[2] - BASH_REMATCH[1]))
  fi
  return "$rc"
}

# suite <build dir> <ctest label or empty> <cmake target> <cmake options...>
suite() {
  local dir=$1 label=$2 target=$3 name
  shift 3
  name=${dir#build/}
  echo "=== ${dir}"
  timed "$name configure" configure "$dir" "$@" || { status=1; return; }
  timed "$name build" cmake --build "$dir" --target "$target" -j "$jobs" || { status=1; return; }
  timed "$name test" run_tests "$dir" "$label" || status=1
}

timed setup ./scripts/setup.sh || exit 1
mkdir -p build
suite build/release "" all -DCMAKE_BUILD_TYPE=Release
suite build/asan "" all -DTAVRIX_SANITIZER=address "${sanitized[@]}"
suite build/tsan threads threads_tests -DTAVRIX_SANITIZER=thread "${sanitized[@]}"

echo
total=0
for i in "${!stages[@]}"; do
  printf '%-20s %8s s\n' "${stages[$i]}" "${seconds[$i]}"
  total=$(awk -v a="$total" -v b="${seconds[$i]}" 'BEGIN { printf "%.1f", a + b }')
done
printf '%-20s %8s s\n' "all stages" "$total"
echo "total: ${passed} passed, ${failed} failed"
[[ $failed -eq 0 ]] || status=1
exit $status
