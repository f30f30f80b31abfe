#!/usr/bin/env bash
# The same map features drawn by this project and by Mapnik, at 1024 x 768,
# for the four views of the render benchmark, in one run; prints the times
# and their ratios. The features are what the view's drawings hold, exported
# from the data tree with quelmar-data export-geojson. Ours: the paint pass
# with the view's drawings loaded, and the load pass plus the paint pass
# (build/bench/quelmar_bench); Mapnik: a render after the files are read and
# indexed. Needs Debian python3-mapnik.
#
#   bench/render_vs_mapnik.sh [TREE]   (default $QUELMAR_DATA, else ~/.local/share/quelmar/map)
set -euo pipefail
cd "$(dirname "$0")/.."
tree="${1:-${QUELMAR_DATA:-$HOME/.local/share/quelmar/map}}"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
data=build/bin/quelmar-data
if ! /usr/bin/python3 -c "import mapnik" 2>/dev/null; then
  echo "Mapnik's Python binding is missing: apt-get install python3-mapnik" >&2
  exit 1
fi

export_layers() {  # NAME ARCHIVE...
  local name=$1
  shift
  local i=0
  for archive in "$@"; do
    "$data" export-geojson "$tree/$archive" -o "$work/$name-$i.geojson" >/dev/null
    i=$((i + 1))
  done
}
export_layers us48 TARVO.ZIP
export_layers illinois TARVO.ZIP DATA1/mrte.zpx DATA1/mhydro.zpx
export_layers cook TARVO.ZIP DATA1/Mcnty.zpx DATA1/mstate.zpx STATES0/02.ZP5
export_layers loop STATES0/17.ZP5 DATA1/Mcnty.zpx

QUELMAR_DATA="$tree" build/bench/quelmar_bench --benchmark_filter='LoadPass|PaintPass' \
  --benchmark_format=json >"$work/ours.json" 2>/dev/null

printf '%-10s %10s %12s %10s %8s %14s\n' view "paint ms" "load+paint ms" "mapnik ms" ratio "ratio w/ load"
i=0
while read -r name lon1 lat1 lon2 lat2; do
  read -r paint both < <(/usr/bin/python3 - "$work/ours.json" "$i" <<'PY'
import json, sys
runs = {b["name"]: b["cpu_time"] for b in json.load(open(sys.argv[1]))["benchmarks"]}
i = sys.argv[2]
paint = runs[f"BM_PaintPass/{i}"]
print(f'{paint:.2f} {runs[f"BM_LoadPass/{i}"] + paint:.2f}')
PY
)
  theirs=$(/usr/bin/python3 bench/mapnik_render.py "$lon1" "$lat1" "$lon2" "$lat2" "$work/$name-mapnik.png" \
    "$work/$name"-*.geojson)
  ratio=$(/usr/bin/python3 -c "print(f'{$theirs / $paint:.2f}')")
  ratioLoad=$(/usr/bin/python3 -c "print(f'{$theirs / $both:.2f}')")
  printf '%-10s %10s %12s %10s %8s %14s\n' "$name" "$paint" "$both" "$theirs" "$ratio" "$ratioLoad"
  i=$((i + 1))
done <<'VIEWS'
us48 -125.0 50.0 -66.0 24.0
illinois -91.6 42.6 -87.0 36.9
cook -88.3 42.16 -87.5 41.45
loop -87.645 41.890 -87.615 41.872
VIEWS
echo "ratio = mapnik / quelmar: above 1 means this project is faster"
