#!/usr/bin/env bash
# Builds Scrivel (installing what it needs) and runs the whole test suite
# offscreen. Exits non-zero on any failure.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
"$here/scripts/setup.sh" "$@"
cd "$here/${SCRIVEL_BUILD_DIR:-build}"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)"
