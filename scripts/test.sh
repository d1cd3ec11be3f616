#!/usr/bin/env bash
# Runs the tests of the named build trees, all of them when none is named:
#   scripts/test.sh [PRESET...]
#     native       unit tests, the simulated board's tests, random sequences, report tool tests
#     native-asan  the same under ASan and UBSan
#     fuzz         the report reader under libFuzzer for a minute
#     mingw        the Windows programs: stand-in tests and end-to-end scenarios under Wine/Xvfb
# Ends with "N passed, N failed"; installs (or names) the Debian packages those trees need.
set -uo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.." || exit 1

readonly ALL_PRESETS=(native native-asan fuzz mingw)
presets=("$@")
((${#presets[@]} > 0)) || presets=("${ALL_PRESETS[@]}")
for preset in "${presets[@]}"; do
    if [[ " ${ALL_PRESETS[*]} " != *" $preset "* ]]; then
        echo "usage: scripts/test.sh [PRESET...]   (presets: ${ALL_PRESETS[*]})" >&2
        exit 2
    fi
done

scripts/deps.sh "${presets[@]}" || exit 1

readonly LOG_DIR=build/test-logs
mkdir -p "$LOG_DIR"

passed=0
failed=0
broken=()

# Adds one ctest run's counts from its log; a run that printed no count and did not succeed
# (a crash or a missing test binary) counts as broken.
count_results() {
    local preset="$1" log="$2" status="$3" line
    line=$(grep -Eo '[0-9]+ tests? failed out of [0-9]+' "$log" | tail -n 1)
    if [[ -n "$line" ]]; then
        local run_failed run_total
        read -r run_failed _ _ _ _ run_total <<<"$line"
        passed=$((passed + run_total - run_failed))
        failed=$((failed + run_failed))
        if ((status != 0 && run_failed == 0)); then
            broken+=("$preset (ctest exited with $status)")
        fi
    elif ((status != 0)); then
        broken+=("$preset (ctest exited with $status)")
    fi
}

for preset in "${presets[@]}"; do
    started=$SECONDS
    echo "=== $preset: configure and build"
    if ! cmake --preset "$preset" >"$LOG_DIR/$preset-configure.log" 2>&1; then
        cat "$LOG_DIR/$preset-configure.log"
        broken+=("$preset (configure failed)")
        continue
    fi
    if ! cmake --build --preset "$preset" -j2; then
        broken+=("$preset (build failed)")
        continue
    fi
    echo "=== $preset: tests"
    # The Windows programs' tests share one Wine prefix, so they run one at a time.
    jobs=2
    [[ "$preset" == mingw ]] && jobs=1
    ctest --preset "$preset" -j"$jobs" 2>&1 | tee "$LOG_DIR/$preset-ctest.log"
    count_results "$preset" "$LOG_DIR/$preset-ctest.log" "${PIPESTATUS[0]}"
    echo "=== $preset: done in $((SECONDS - started)) s"
done

for problem in "${broken[@]}"; do
    echo "did not complete: $problem"
done
echo "$passed passed, $failed failed"
((failed == 0 && ${#broken[@]} == 0))
