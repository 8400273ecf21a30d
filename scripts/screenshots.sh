#!/usr/bin/env bash
# Takes the README's screenshots of the real program under Xvfb with the
# openbox window manager:
#   <out>/main-window.png   the main window with the text plug-in open,
#   <out>/finished-job.png  a finished job (digits deleted from the open
#                           document) in the message dock,
#   <out>/first-start.png   the first start: no list, no plug-in, the
#                           work area's three steps to a first batch,
#   <out>/guide.png         the built-in guide (帮助 → 使用说明, F1).
# Usage: scripts/screenshots.sh [out folder (docs)] [build folder (build)]
# Needs xvfb-run, openbox, ImageMagick's import, xdotool and xwininfo.
set -euo pipefail

# Inside the X server: the window manager, the program and the shots.
if [ "${1:-}" = "--inside" ]; then
  program="$2"; out="$3"; shoot="$4"
  openbox >/dev/null 2>&1 & wm=$!
  sleep 1
  if [ -e sample.txt ]; then
    "$program" sample.txt >/dev/null 2>&1 & app=$!
  else
    "$program" >/dev/null 2>&1 & app=$!
  fi
  # Waits until a window titled $1 is mapped; prints its id.
  window() {
    local id=""
    for _ in $(seq 150); do
      id="$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -1 || true)"
      [ -n "$id" ] && { echo "$id"; return 0; }
      sleep 0.2
    done
    echo "window $1 did not appear" >&2
    return 1
  }
  height() { xwininfo -id "$1" | awk '/Height:/ {print $2}'; }
  click() { xdotool mousemove --window "$1" "$2" "$3" click 1; sleep 0.5; }
  status=0
  case "$shoot" in
    first)
      if main="$(window 'Scrivel.*')"; then
        sleep 1
        import -window root "$out/first-start.png"
        xdotool windowactivate --sync "$main" key F1 2>/dev/null || xdotool key --window "$main" F1
        if window 使用说明 >/dev/null; then
          sleep 1
          import -window root "$out/guide.png"
        else
          status=1
        fi
      else
        status=1
      fi
      ;;
    main)
      window Text >/dev/null && sleep 1 && import -window root "$out/main-window.png" || status=1
      ;;
    job)
      if dock="$(window Delete)"; then
        sleep 1
        click "$dock" 40 58                      # 数字
        click "$dock" 40 $(( $(height "$dock") - 41 ))   # 处理 (预览 is under it)
        sleep 1
        import -window root "$out/finished-job.png"
      else
        status=1
      fi
      ;;
  esac
  kill "$app" "$wm" 2>/dev/null || true
  wait "$app" 2>/dev/null || true
  exit "$status"
fi

self="$(realpath "$0")"
here="$(cd "$(dirname "$self")/.." && pwd)"
out="$(realpath -m "${1:-$here/docs}")"
build="$(realpath -m "${2:-$here/build}")"
program="$build/bin/scrivel"
[ -x "$program" ] || { echo "no program at $program: build first" >&2; exit 1; }
for tool in xvfb-run openbox import xdotool xwininfo; do
  command -v "$tool" >/dev/null || { echo "missing $tool" >&2; exit 1; }
done
mkdir -p "$out"

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# One session: a working folder of its own, the plug-ins in plus.ini, one
# list, a sample text opened from the command line, then the shots; the
# first start's session has none of these.
session() {
  local screen="$1" plugins="$2" shoot="$3"
  local dir="$work/$shoot"
  mkdir -p "$dir"
  printf '%s' "$plugins" > "$dir/plus.ini"
  # The first start has no settings file and no file to open.
  if [ "$shoot" != first ]; then
    printf '[start]\nlistNumber=1\n' > "$dir/configure.ini"
    printf '第1章 开始\n2024年3月15日，Scrivel 处理了 128 个文件。\n第2段：共 42 行，耗时 0.5 秒。\n' > "$dir/sample.txt"
  fi
  (cd "$dir" && unset QT_QPA_PLATFORM && xvfb-run -a -s "-screen 0 ${screen}x24" \
     bash "$self" --inside "$program" "$out" "$shoot")
}


session 1366x768 $'Text V0.0.0.1,2' main
session 1366x768 $'Delete V0.0.0.1,2' job
session 1366x768 '' first
for shot in main-window finished-job first-start guide; do
  [ -s "$out/$shot.png" ] || { echo "no $shot.png" >&2; exit 1; }
done
echo "screenshots written to $out"
