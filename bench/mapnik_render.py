#!/usr/bin/python3
"""Renders GeoJSON layers with Mapnik at 1024 x 768 for one view and prints
the milliseconds per render (the median of several), for the side-by-side
comparison in render_vs_mapnik.sh.

    mapnik_render.py LON1 LAT1 LON2 LAT2 OUT.png FILE.geojson...
"""
import statistics
import sys
import time

import mapnik

WIDTH, HEIGHT, RUNS = 1024, 768, 7


def style(m, name, polygon):
    s = mapnik.Style()
    r = mapnik.Rule()
    if polygon:
        fill = mapnik.PolygonSymbolizer()
        fill.fill = mapnik.Color("#ecf1dc")
        r.symbols.append(fill)
    line = mapnik.LineSymbolizer()
    line.stroke = mapnik.Color("#800000")
    line.stroke_width = 1.0
    r.symbols.append(line)
    s.rules.append(r)
    m.append_style(name, s)


def main():
    lon1, lat1, lon2, lat2 = map(float, sys.argv[1:5])
    out, files = sys.argv[5], sys.argv[6:]
    m = mapnik.Map(WIDTH, HEIGHT, "+proj=longlat +datum=WGS84 +no_defs")
    m.background = mapnik.Color("#afffff")
    style(m, "areas", True)
    style(m, "lines", False)
    for i, path in enumerate(files):
        for kind in ("areas", "lines"):
            layer = mapnik.Layer(f"{kind}{i}", m.srs)
            layer.datasource = mapnik.Datasource(type="geojson", file=path)
            layer.styles.append(kind)
            m.layers.append(layer)
    m.zoom_to_box(mapnik.Box2d(min(lon1, lon2), min(lat1, lat2), max(lon1, lon2), max(lat1, lat2)))
    image = mapnik.Image(WIDTH, HEIGHT)
    mapnik.render(m, image)  # the first render reads and indexes the files
    times = []
    for _ in range(RUNS):
        start = time.perf_counter()
        mapnik.render(m, image)
        times.append((time.perf_counter() - start) * 1000)
    image.save(out, "png")
    print(f"{statistics.median(times):.2f}")


main()
