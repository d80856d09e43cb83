#!/usr/bin/env bash
# Compares the updater's engines with common tools, side by side in one run,
# on 127.0.0.1 only:
#   1. a file fetched uncapped from a loopback server: engine, aria2c -x5 -s5 -k1M, curl;
#   2. the same from a server that caps every connection at 1 MiB/s;
#   3. a large archive unpacked by the engine and by unzip.
# Every download is checked against the served bytes. Prints seconds and ratios.
#
#   bench/update_compare.sh [BUILD_DIR]      (default: build-bench, Release)
# Environment: SIZE (bytes, default 200000000), CAPPED_SIZE (default SIZE),
#   RATE (bytes/s per connection, default 1048576), RUNS (uncapped and unpack
#   repetitions, median taken, default 5), ARCHIVE_SIZE (bytes of files to
#   pack, default 200000000), DEADLINE (seconds for the whole script, default 1500).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build=${1:-$root/build-bench}
SIZE=${SIZE:-200000000}
CAPPED_SIZE=${CAPPED_SIZE:-$SIZE}
RATE=${RATE:-1048576}
RUNS=${RUNS:-5}
ARCHIVE_SIZE=${ARCHIVE_SIZE:-200000000}
DEADLINE=${DEADLINE:-1500}
started=$SECONDS

for tool in aria2c curl unzip zip sha256sum; do
  command -v "$tool" >/dev/null || { echo "missing $tool (scripts/setup installs it)"; exit 1; }
done
if [[ ! -x $build/bench/update_engine_bench || ! -x $build/tests/update/update_file_server ]]; then
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
  cmake --build "$build" -j2 --target update_engine_bench update_file_server
fi
engine=$build/bench/update_engine_bench
server=$build/tests/update/update_file_server

work=$(mktemp -d "${TMPDIR:-/tmp}/update-bench-XXXXXX")
server_pids=()
cleanup() {
  for pid in "${server_pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT

remaining() { echo $((DEADLINE - (SECONDS - started))); }
bounded() {  # runs a command within what is left of the deadline
  local left
  left=$(remaining)
  if ((left <= 0)); then echo "deadline reached" >&2; exit 1; fi
  timeout "$left" "$@"
}

# Starts a file server; sets $url and the reference checksum $ref_sum.
start_server() {  # size rate name
  local fifo=$work/$3.fifo
  mkfifo "$fifo"
  "$server" "$1" "$2" "$work/$3.ref" <"$fifo" >"$work/$3.url" &
  server_pids+=($!)
  exec {keep}>"$fifo"  # holds the server's stdin open until the script ends
  for _ in $(seq 600); do [[ -s $work/$3.url ]] && break; sleep 0.1; done
  url=$(head -n1 "$work/$3.url")
  [[ $url == http://127.0.0.1:* ]] || { echo "server did not start"; exit 1; }
  ref_sum=$(sha256sum "$work/$3.ref" | cut -d' ' -f1)
  rm -f "$work/$3.ref"
}

now() { echo "$EPOCHREALTIME"; }
elapsed() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.3f", b - a }'; }
median() { printf '%s\n' "$@" | sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }

fetch() {  # tool url out -> prints seconds
  local tool=$1 address=$2 out=$3 t0 t1
  rm -f "$out"
  t0=$(now)
  case $tool in
    engine) UPDATE_BENCH_URL=$address UPDATE_BENCH_DEST=$out \
              bounded "$engine" --benchmark_filter=BM_EngineFetch >>"$work/engine.log" 2>&1 || { cat "$work/engine.log" >&2; exit 1; } ;;
    aria2c) bounded aria2c -q -x5 -s5 -k1M --allow-overwrite=true --auto-file-renaming=false \
              -d "$(dirname "$out")" -o "$(basename "$out")" "$address" ;;
    curl) bounded curl -s -f -o "$out" "$address" ;;
  esac
  t1=$(now)
  local sum
  sum=$(sha256sum "$out" | cut -d' ' -f1)
  [[ $sum == "$ref_sum" ]] || { echo "$tool: file differs from the served bytes" >&2; exit 1; }
  rm -f "$out"
  elapsed "$t0" "$t1"
}

declare -A uncapped
echo "== uncapped loopback, $SIZE bytes, $RUNS runs each (median)"
start_server "$SIZE" 0 plain
for tool in engine aria2c curl; do uncapped[$tool]=""; done
for ((run = 1; run <= RUNS; run++)); do
  for tool in engine aria2c curl; do
    uncapped[$tool]+=" $(fetch "$tool" "$url" "$work/fetched.bin")"
  done
done
for tool in engine aria2c curl; do
  uncapped[$tool]=$(median ${uncapped[$tool]})
  printf '%-8s %8ss\n' "$tool" "${uncapped[$tool]}"
done
echo "engine speed / curl speed:   $(ratio "${uncapped[curl]}" "${uncapped[engine]}")"
echo "engine speed / aria2c speed: $(ratio "${uncapped[aria2c]}" "${uncapped[engine]}")"

declare -A capped
echo "== capped at $RATE bytes/s per connection, $CAPPED_SIZE bytes, one run each"
start_server "$CAPPED_SIZE" "$RATE" capped
for tool in engine aria2c curl; do
  capped[$tool]=$(fetch "$tool" "$url" "$work/fetched.bin")
  printf '%-8s %8ss\n' "$tool" "${capped[$tool]}"
done
echo "engine speed / curl speed:   $(ratio "${capped[curl]}" "${capped[engine]}")"
echo "engine speed / aria2c speed: $(ratio "${capped[aria2c]}" "${capped[engine]}")"

echo "== unpacking an archive of about $ARCHIVE_SIZE bytes, $RUNS runs each (median)"
tree=$work/tree/Client
mkdir -p "$tree"
# A program-like mix: a few large binaries, many small text files, some folders.
big=$((ARCHIVE_SIZE / 8))
for i in 1 2 3 4; do head -c "$big" /dev/urandom >"$tree/lib$i.so"; done
text_total=$((ARCHIVE_SIZE - 4 * big))
per_file=$((text_total / 2000))
awk -v n="$per_file" 'BEGIN { srand(7); while (len < n) { line = sprintf("资源 %d: the quick brown fox %x jumps over the lazy dog\n", NR++, int(rand() * 1e9)); printf "%s", line; len += length(line) } }' >"$work/text.block"
for d in $(seq 1 20); do
  mkdir -p "$tree/res/$d"
  for f in $(seq 1 100); do
    head -c "$per_file" "$work/text.block" >"$tree/res/$d/$f.txt"
  done
done
rm -f "$work/text.block"
(cd "$work/tree" && bounded zip -q -r -6 "$work/archive.zip" Client)
rm -rf "$work/tree"
echo "archive: $(stat -c %s "$work/archive.zip") bytes, $(unzip -Z1 "$work/archive.zip" | wc -l) entries"
engine_unpack=() unzip_unpack=()
for ((run = 1; run <= RUNS; run++)); do
  rm -rf "$work/out"
  t0=$(now)
  UPDATE_BENCH_ZIP=$work/archive.zip UPDATE_BENCH_OUT=$work/out \
    bounded "$engine" --benchmark_filter=BM_EngineUnpack >>"$work/engine.log" 2>&1 || { cat "$work/engine.log" >&2; exit 1; }
  t1=$(now)
  engine_unpack+=("$(elapsed "$t0" "$t1")")
  engine_sum=$(cd "$work/out" && find . -type f -print0 | sort -z | xargs -0 sha256sum | sha256sum)
  rm -rf "$work/out"
  t0=$(now)
  bounded unzip -q -o "$work/archive.zip" -d "$work/out"
  t1=$(now)
  unzip_unpack+=("$(elapsed "$t0" "$t1")")
  unzip_sum=$(cd "$work/out" && find . -type f -print0 | sort -z | xargs -0 sha256sum | sha256sum)
  [[ $engine_sum == "$unzip_sum" ]] || { echo "engine and unzip unpacked different files" >&2; exit 1; }
done
e=$(median "${engine_unpack[@]}")
u=$(median "${unzip_unpack[@]}")
printf '%-8s %8ss\n%-8s %8ss\n' engine "$e" unzip "$u"
echo "engine speed / unzip speed:  $(ratio "$u" "$e")"
echo "total time: $((SECONDS - started)) s"
