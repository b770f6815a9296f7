#!/usr/bin/env bash
# The look before the run: one pass over a 1,000-line program; prints its median time.
# Usage: bench/check.sh BUILD_DIR
set -euo pipefail
build=${1:?usage: bench/check.sh BUILD_DIR}
"$build/bench/check/vokc_check_bench"
