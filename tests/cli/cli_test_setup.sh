# SPDX-License-Identifier: GPL-3.0-or-later
# Sourced by the batch front end's test scripts: a scratch folder removed on exit, and fail,
# which names a failed check and counts it in failures.
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
