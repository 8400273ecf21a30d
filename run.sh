#!/usr/bin/env bash
# Builds Scrivel (installing what it needs) and starts it in the current
# directory, which holds configure.ini, the log files and data/.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
"$here/scripts/setup.sh"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "No display found: start it under a virtual one, for example: xvfb-run -a $0" >&2
  exit 1
fi
exec "$here/${SCRIVEL_BUILD_DIR:-build}/bin/scrivel" "$@"
