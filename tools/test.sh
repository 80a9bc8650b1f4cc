#!/usr/bin/env bash
# The one test command: installs what is missing, builds every configuration, checks the
# formatting, and runs every test (native, under ASan/UBSan with the fuzzers, and the Windows
# tests under wine64 in Xvfb). Ends with a line "N passed, M failed".
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

"$root/tools/build.sh" || { echo "0 passed, 1 failed"; exit 1; }

passed=0
failed=0
count() { # label command...
    local label=$1 log
    shift
    log=$(mktemp)
    "$@" 2>&1 | tee "$log"
    local summary
    summary=$(grep -E '^[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -n 1)
    if [ -n "$summary" ]; then
        local total bad
        total=$(sed -E 's/.* out of ([0-9]+).*/\1/' <<<"$summary")
        bad=$(sed -E 's/.*passed, ([0-9]+) tests? failed.*/\1/' <<<"$summary")
        passed=$((passed + total - bad))
        failed=$((failed + bad))
    elif grep -q 'No tests were found' "$log"; then
        :
    else
        echo "$label: no test summary" >&2
        failed=$((failed + 1))
    fi
    rm -f "$log"
}

echo "== formatting" >&2
mapfile -t sources < <(git ls-files '*.cpp' '*.h' '*.c')
if [ ${#sources[@]} -gt 0 ] && clang-format --dry-run --Werror "${sources[@]}"; then
    passed=$((passed + 1))
else
    [ ${#sources[@]} -gt 0 ] && { echo "formatting: run clang-format -i on the files above" >&2; failed=$((failed + 1)); }
fi

for c in native asan win32 win64; do
    echo "== tests: $c" >&2
    count "$c" ctest --test-dir "build/$c" --output-on-failure -j 2 --timeout 600
done

echo "tests: $passed passed, $failed failed"
[ "$failed" = 0 ]
