#!/bin/sh
# Runs one libFuzzer target of the table engine for a while, at the lowest
# CPU priority, with a short per-input timeout (so that an input that spins
# is reported as a hang within seconds) and a memory limit.
#
#   fuzz/run_fuzz.sh <build-fuzz> <cdx|dbf|fpt|expression> <seconds> [seed folder...]
#
# The run's working corpus and any findings go to a scratch folder under /tmp
# (QUINTARA_FUZZ_WORK overrides it); the saved corpus fuzz/corpus/<target>
# and the seed folders given are read, never written. A finding is added to
# fuzz/corpus/<target>/ by hand once the fault it shows is fixed.
set -eu
if [ $# -lt 3 ]; then
    echo "usage: $0 <build-fuzz> <cdx|dbf|fpt|expression> <seconds> [seed folder...]" >&2
    exit 2
fi
build=$1
target=$2
seconds=$3
shift 3
here=$(cd "$(dirname "$0")" && pwd)
work=${QUINTARA_FUZZ_WORK:-/tmp/quintara-fuzz-$target}
mkdir -p "$work/corpus" "$work/findings"
exec nice -n 19 "$build/fuzz/fuzz_$target" \
    -timeout=5 -rss_limit_mb=1024 -max_total_time="$seconds" -print_final_stats=1 \
    -artifact_prefix="$work/findings/" \
    "$work/corpus" "$here/corpus/$target" "$@"
