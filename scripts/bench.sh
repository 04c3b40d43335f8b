#!/usr/bin/env bash
# Sets up, builds and runs the benchmarks, prints the figures and writes them to
# bench/results.md: start-up time and peak memory of the Linux program beside a bare Qt window and
# a bare Xlib window, the sizes of the programs, how soon the window answers while the browser is
# still starting, and recognition and composition of pasted texts up to 1 MB. Benchmarks are not
# tests: nothing here fails on a figure.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh build qt bench
rounds=11
results=bench/results.md

cmake -S . -B build -DCMAKE_BUILD_TYPE=Release > /dev/null
cmake --build build --parallel "$(nproc)" --target tivarel_core_bench tivarel_startup_probe \
  tivarel_bare_qt_window tivarel_bare_xlib_window
program=build/tivarel
if cmake --build build --parallel "$(nproc)" --target tivarel > /dev/null 2>&1 && [ -x "$program" ]
then have_program=1; else have_program=0; fi

work=$(mktemp -d /tmp/tivarel-bench-XXXXXX)
xvfb_pid=
cleanup() {
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

# An X server of our own, on a display number nobody answers on.
start_x() {
  for _ in $(seq 100); do
    local number=$((RANDOM % 9000 + 1000))
    [ -e "/tmp/.X$number-lock" ] || [ -e "/tmp/.X11-unix/X$number" ] && continue
    xdpyinfo -display ":$number" > /dev/null 2>&1 && continue
    rm -f "$work/ready"
    mkfifo "$work/ready"
    Xvfb ":$number" -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp -noreset \
      3> "$work/ready" > /dev/null 2>&1 &
    xvfb_pid=$!
    local reported=
    read -r -t 10 reported < "$work/ready" || true
    if [ "$reported" = "$number" ]; then
      export DISPLAY=":$number"
      return 0
    fi
    kill "$xvfb_pid" 2>/dev/null; wait "$xvfb_pid" 2>/dev/null; xvfb_pid=
  done
  echo "no free display for Xvfb" >&2
  return 1
}

median() { sort -n | awk '{v[NR] = $1} END {print v[int((NR + 1) / 2)]}'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN {printf "%.2f", a / b}'; }
verdict() { awk -v v="$1" -v t="$2" 'BEGIN {print (v <= t ? "met" : "**not met**")}'; }

machine="$(uname -a)"
cpu="$(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ *//') ($(nproc) cores)"
load="$(cut -d' ' -f1-3 /proc/loadavg)"
qt_version="$(dpkg-query -W -f='${Version}' qt6-base-dev 2>/dev/null || echo unknown)"

# --- start-up and memory ---------------------------------------------------------------------
startup_rows="(the Linux program is not built yet)"
browser_rows="(the Linux program is not built yet)"
if [ "$have_program" = 1 ]; then
  start_x
  unset WAYLAND_DISPLAY QT_QPA_PLATFORM
  export XDG_RUNTIME_DIR="$work/runtime" HOME="$work"
  mkdir -m 700 "$XDG_RUNTIME_DIR"
  # The program in a folder of its own, with the settings a user would have.
  mkdir "$work/program"
  cp "$program" "$work/program/tivarel"
  printf '[KTB]\nb=https://www.bilibili.com/video/BV1xx411c7mD\n[KTBP]\nbpxzk=\xD5\xE6\nbp=3\n[KTX]\nx=https://www.ixigua.com/7012345678901234567\n' \
    > "$work/program/config.ini"
  echo "== start-up: $rounds rounds, alternating"
  build/bench/tivarel_startup_probe start "$rounds" 500 "tivarel=$work/program/tivarel" \
    "qt=build/bench/tivarel_bare_qt_window" "xlib=build/bench/tivarel_bare_xlib_window" \
    > "$work/startup.txt"
  cat "$work/startup.txt"
  read -r _ t_map t_min t_max t_drawn t_kb < <(grep '^tivarel ' "$work/startup.txt")
  read -r _ q_map q_min q_max q_drawn q_kb < <(grep '^qt ' "$work/startup.txt")
  read -r _ x_map x_min x_max x_drawn x_kb < <(grep '^xlib ' "$work/startup.txt")
  map_ratio=$(ratio "$t_map" "$q_map")
  memory_ratio=$(ratio "$t_kb" "$q_kb")
  startup_rows="| Program | Mapped, median (min-max) | First frame, median | Peak RSS, median |
|---|---|---|---|
| Tivarel (\`build/tivarel\`) | $t_map ms ($t_min-$t_max) | $t_drawn ms | $((t_kb / 1024)) MiB ($t_kb KiB) |
| Bare Qt 6 window, one button | $q_map ms ($q_min-$q_max) | $q_drawn ms | $((q_kb / 1024)) MiB ($q_kb KiB) |
| Bare Xlib window | $x_map ms ($x_min-$x_max) | $x_drawn ms | $((x_kb / 1024)) MiB ($x_kb KiB) |

| Ratio to the bare Qt window | Measured | Target | |
|---|---|---|---|
| Time until mapped | ${map_ratio}x | 1.15x | $(verdict "$map_ratio" 1.15) |
| Time until the first frame | $(ratio "$t_drawn" "$q_drawn")x | (for comparison) | |
| Peak memory | ${memory_ratio}x | 1.2x | $(verdict "$memory_ratio" 1.2) |"

  # --- the GUI never waits on the browser -----------------------------------------------------
  mkdir "$work/bin" "$work/waiting"
  cp "$program" "$work/waiting/tivarel"
  printf '[KTB]\nb=https://www.bilibili.com/video/BV1xx411c7mD\n' > "$work/waiting/config.ini"
  cat > "$work/bin/xdg-open" << STANDIN
#!/bin/sh
# Stands in for a browser that takes 10 s to start.
echo "\$(date +%s%N) \$\$ \$#" >> "$work/handed"
exec sleep 10
STANDIN
  chmod +x "$work/bin/xdg-open"
  echo "== the window while the browser starts: $rounds rounds"
  PATH="$work/bin:$PATH" build/bench/tivarel_startup_probe browser "$rounds" \
    "$work/waiting/tivarel" "$work/handed" 262 > "$work/browser.txt"
  cat "$work/browser.txt"
  answer=$(cut -d' ' -f1 "$work/browser.txt" | median)
  answer_max=$(cut -d' ' -f1 "$work/browser.txt" | sort -n | tail -n 1)
  handoff=$(cut -d' ' -f2 "$work/browser.txt" | median)
  arguments=$(cut -d' ' -f3 "$work/browser.txt" | sort -u | tr '\n' ' ')
  browser_rows="| Figure ($(wc -l < "$work/browser.txt") rounds) | Measured | Target | |
|---|---|---|---|
| Click on \"打开\" until the window has taken the next click (expanded), median | $answer ms | 50 ms | $(verdict "$answer" 50) |
| The same, slowest round | $answer_max ms | 50 ms | $(verdict "$answer_max" 50) |
| Click until the stand-in browser was started, median | $handoff ms | | |
| Arguments the browser was given | $arguments| 1 | |"
fi

# --- sizes -------------------------------------------------------------------------------------
size_rows="| Program | Size | Target | |
|---|---|---|---|"
if [ "$have_program" = 1 ]; then
  strip -o "$work/tivarel.stripped" "$program"
  bytes=$(stat -c %s "$work/tivarel.stripped")
  size_rows+="
| Linux, \`build/tivarel\` stripped (Qt 6 shared) | $bytes bytes ($((bytes / 1024)) KiB) | | |"
fi
if command -v x86_64-w64-mingw32-g++ > /dev/null && [ -f cmake/mingw-w64-x86_64.cmake ]; then
  cmake -S . -B build-win -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake > /dev/null
  cmake --build build-win --parallel "$(nproc)" --target tivarel > /dev/null || true
fi
if [ -f build-win/tivarel.exe ]; then
  bytes=$(stat -c %s build-win/tivarel.exe)
  dlls=$(x86_64-w64-mingw32-objdump -p build-win/tivarel.exe 2>/dev/null |
         awk '/DLL Name/ {print $3}' | sort -u | tr '\n' ' ')
  size_rows+="
| Windows, \`build-win/tivarel.exe\` (static; imports: ${dlls:-?}) | $bytes bytes ($((bytes / 1024)) KiB) | 1 MiB | $(verdict "$bytes" 1048576) |"
else
  size_rows+="
| Windows, \`build-win/tivarel.exe\` | not built here | 1 MiB | |"
fi

# --- the core ----------------------------------------------------------------------------------
echo "== recognition and composition"
build/bench/tivarel_core_bench --benchmark_min_time=0.5 > "$work/core.txt" 2> /dev/null
cat "$work/core.txt"
core_rows="| Pasted text | 1 MiB | Target | | Fit to N | RMS of the fit |
|---|---|---|---|---|---|"
while read -r name time unit _; do
  case_name=${name%/1048576}
  fitted=$(awk -v n="${case_name}_BigO" '$1 == n {print $2, $3}' "$work/core.txt")
  rms=$(awk -v n="${case_name}_RMS" '$1 == n {print $2, $3}' "$work/core.txt")
  core_rows+="
| ${case_name#OpenAndSnippet/} | $time $unit | 10 ms | $(verdict "$time" 10) | $fitted | $rms |"
done < <(grep -E '/1048576 ' "$work/core.txt")

cat > "$results" << RESULTS
# Benchmark results

Written by \`bash scripts/bench.sh\` on $(date -u '+%Y-%m-%d %H:%M UTC').

- Machine: \`$machine\`
- CPU: $cpu; load average when the run began: $load (the machine is shared)
- Qt: $qt_version; X server: Xvfb 1920x1080x24, no window manager

## Start-up and memory

Each program is started $rounds times after one round that is not counted, in turn, the order
turning by one each round. "Mapped" is exec until the window's MapNotify on the root window;
"first frame" is exec until the row through the address box and the "open" button shows more
than one colour; peak RSS is VmHWM 500 ms after the window was mapped. Tivarel starts from a
folder of its own with a config.ini holding both addresses and the part switch.

$startup_rows

Where Tivarel's start-up goes beyond the toolkit: see \`bench/startup_analysis.md\`.

## The window while the browser starts

A stand-in \`xdg-open\` first in \`PATH\` records when it was started and then sleeps 10 s.
Each round restores a B address, clicks "打开" and at once the expand toggle, and times the first
click until the window has taken its expanded height (ConfigureNotify).

$browser_rows

## Sizes

$size_rows

## Recognition and composition (Google Benchmark)

One open and one snippet as the commands run them (recognition, id, player link and snippet),
on texts from 64 KiB to 1 MiB: a B address whose bulk is its query (\`BQuery\`), B and X
addresses whose bulk is the id (\`BIdOnly\`, \`XIdOnly\`), the same in two-byte characters
(\`BDoubleByte\`), a text that is no address (\`NotAnAddress\`); and a search link for a
keyword of bytes that are all percent-encoded (\`Search\`). "Fit to N" is Google Benchmark's
least-squares fit of the time to a linear function of the length, with the RMS of its error; a
B address costs the same whatever follows the id's end, and a rejected text only its prefix.

$core_rows
RESULTS
echo "== written to $results"
cat "$results"
