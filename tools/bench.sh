#!/usr/bin/env bash
# Builds Kieselblick's benchmarks in Release and runs every one of them on the
# offscreen platform; each prints its figures next to their targets, and a
# summary of all figures follows at the end. Takes three to five minutes, most
# of it for the 10,000 rounds.
#
#   tools/bench.sh                          every benchmark
#   tools/bench.sh bench_kaltstart ...      only these
#
# Exits with status 1 when a figure misses its target. The figures depend on the
# machine and on what else runs on it: docs/benchmarks.md has those measured.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
build="${BUILD_DIR:-build/bench}"
benches=("$@")
if [ ${#benches[@]} -eq 0 ]; then
  benches=(bench_kaltstart bench_bildwechsel bench_bildanzeige bench_riesenbilder bench_ordnerliste bench_leerlauf
           bench_runden bench_klassenuebersicht)
fi
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
cmake --build "$build" --target "${benches[@]}"
export QT_QPA_PLATFORM=offscreen

echo
echo "machine: $(sed -n 's/^model name\s*: //p' /proc/cpuinfo | head -1), $(nproc) cores," \
     "$(awk '/MemTotal/ {printf "%.1f GB", $2 / 1048576}' /proc/meminfo) RAM," \
     "Debian $(cat /etc/debian_version 2>/dev/null || echo '?')," \
     "Qt $(dpkg-query -W -f='${Version}' libqt6core6 2>/dev/null || echo '?')," \
     "load $(cut -d' ' -f1-3 /proc/loadavg)"

log=$(mktemp)
trap 'rm -f "$log"' EXIT
for bench in "${benches[@]}"; do
  echo
  echo "== $bench"
  "$build/bench/$bench" | tee -a "$log"
done

echo
echo "== every figure and its target"
grep '^figure' "$log" | sed 's/^figure  //'
if grep -q 'NOT MET$' "$log"; then
  echo "$(grep -c 'NOT MET$' "$log") figure(s) missed their target"
  exit 1
fi
echo "every figure met its target"
