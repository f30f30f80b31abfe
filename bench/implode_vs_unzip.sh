#!/usr/bin/env bash
# Decodes the same imploded archives with our decoder (quelmar-data cat) and
# with Info-ZIP (unzip -p), RUNS times each in one run, and prints both times
# and the ratio (unzip's time over ours: above 1 means ours is faster). A
# third pair of runs reads a 1-byte stored member: the cost of starting each
# program (quelmar-data loads the platform's shared libraries), which the
# "net" ratio takes off both sides to compare the decoders alone.
# The archives: the PKZIP-made lorem-ipsum archive (144 KB), and a 16 MB
# member of street-list text that quelmar-data pack implodes (8 KB, 3 trees).
#   bench/implode_vs_unzip.sh [BUILD_DIR] [RUNS]
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${1:-build}
runs=${2:-20}
tool=$build_dir/bin/quelmar-data
if ! command -v unzip >/dev/null; then
  echo "unzip is not installed (scripts/install-prerequisites installs it)" >&2
  exit 1
fi
if [ ! -x "$tool" ]; then
  echo "$tool is missing: build the quelmar-data target first" >&2
  exit 1
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Street names, numbers and places, from a fixed seed.
awk 'BEGIN {
  srand(1);
  split("MAIN ST|OAK AVE|ELM ST|CR 12|US HWY 41|LAKE DR|1ST ST|PARK PL|MILL RD|RIVER RD|CHURCH ST|STATE RTE 9", w, "|");
  split("SPRINGFIELD|FRANKLIN|GREENVILLE|CLINTON|MADISON|SALEM|GEORGETOWN|ARLINGTON", p, "|");
  for (bytes = 0; bytes < 16 * 1024 * 1024;) {
    line = sprintf("%d %s\t%s\t%05d\t%.6f\t%.6f\n", int(rand() * 9999), w[int(rand() * 12) + 1],
                   p[int(rand() * 8) + 1], int(rand() * 99999), -70 - rand() * 50, 25 + rand() * 24);
    printf "%s", line;
    bytes += length(line);
  }
}' > "$work/STREETS.TXT"
"$tool" pack --implode=8k3 -o "$work/large.zpx" "$work/STREETS.TXT"
printf x > "$work/ONE.TXT"
"$tool" pack -o "$work/tiny.zpx" "$work/ONE.TXT"

seconds() { date +%s.%N; }

# time ARCHIVE MEMBER: sets ours and theirs to the seconds of RUNS reads.
time_both() {
  local archive=$1 member=$2 start
  start=$(seconds)
  for ((i = 0; i < runs; i++)); do "$tool" cat "$archive" "$member" >/dev/null; done
  ours=$(echo "$(seconds) - $start" | bc)
  start=$(seconds)
  for ((i = 0; i < runs; i++)); do unzip -p "$archive" "$member" >/dev/null; done
  theirs=$(echo "$(seconds) - $start" | bc)
}

time_both "$work/tiny.zpx" ONE.TXT
start_ours=$ours
start_theirs=$theirs
printf '%-34s %3d runs  quelmar-data cat %7.3f s  unzip -p %7.3f s\n' "start-up (1-byte member)" "$runs" "$ours" "$theirs"

# compare LABEL ARCHIVE MEMBER
compare() {
  local label=$1 archive=$2 member=$3
  if ! cmp -s <("$tool" cat "$archive" "$member") <(unzip -p "$archive" "$member"); then
    echo "$label: the two decoders disagree" >&2
    exit 1
  fi
  time_both "$archive" "$member"
  local net_ours net_theirs
  net_ours=$(echo "$ours - $start_ours" | bc -l)
  net_theirs=$(echo "$theirs - $start_theirs" | bc -l)
  printf '%-34s %3d runs  quelmar-data cat %7.3f s  unzip -p %7.3f s  ratio %5.2f  net ratio %5.2f\n' \
    "$label" "$runs" "$ours" "$theirs" "$(echo "$theirs / $ours" | bc -l)" \
    "$(echo "if ($net_ours > 0) $net_theirs / $net_ours else 0" | bc -l)"
}

compare "lorem-ipsum-implode.zip (144 KB)" ../shared/testdata/implode/lorem-ipsum-implode.zip LOREM.TXT
compare "street list (16 MB, 8k3)" "$work/large.zpx" STREETS.TXT
