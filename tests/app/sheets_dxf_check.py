"""The sheets' DXF as an independent reader sees it: clean, in millimetres,
every layer, the Chinese intact, and every band value at its station the
stake table's text."""

import re
from collections import defaultdict

import ezdxf

from sheets_common import PROJECT, check, finish, make_sheets, stake_rows

SHEET_PITCH = 420 + 20  # A3 and the gap between sheets
LAYERS = {"图框", "资料表", "设计线", "地面线", "竖曲线", "文字", "网格", "断链"}
ROWS = {"里程桩号": "station", "地面高程": "ground", "设计高程": "design", "填挖高度": "fillcut"}

doc = ezdxf.readfile(make_sheets(".dxf"))
auditor = doc.audit()
check(not auditor.errors, f"audit errors: {[e.message for e in auditor.errors][:5]}")
check(doc.dxfversion == "AC1021", f"version {doc.dxfversion}")
check(doc.header.get("$INSUNITS") == 4, "units are not millimetres")
check(LAYERS <= {layer.dxf.name for layer in doc.layers}, "a layer is missing")
style = doc.styles.get("HZ")
check(style is not None and style.dxf.font == "simsun.ttc", "no text style with a Chinese font")

msp = doc.modelspace()
texts = list(msp.query("TEXT"))
check(all(t.dxf.style == "HZ" for t in texts), "a text without the Chinese style")
sheets = defaultdict(list)
for t in texts:
    sheets[int(t.dxf.insert.x // SHEET_PITCH)].append(t)
count = len(sheets)
check(count > 1, "the sample road fits one sheet")

frames = defaultdict(int)
for line in msp.query("LWPOLYLINE[layer=='图框']"):
    frames[int(line.get_points()[0][0] // SHEET_PITCH)] += 1

expected = {s["station"]: s for s in stake_rows()}
seen = set()
for n in range(count):
    words = {t.dxf.text for t in sheets[n]}
    for word in (PROJECT, "路线纵断面图", "S3-2", "H 1:2000 V 1:200", f"第 {n + 1} 页 共 {count} 页",
                 "设计", "复核", "审核", "坡度(%)/坡长(m)"):
        check(word in words, f"sheet {n + 1}: no “{word}”")
    check(frames[n] == 2, f"sheet {n + 1}: {frames[n]} frame borders")
    # A row's values stand upright at one height; its title is the nearest
    # above them.
    titles = {t.dxf.text: t.dxf.align_point.y for t in sheets[n] if t.dxf.text in ROWS}
    upright = defaultdict(list)
    for t in sheets[n]:
        if t.dxf.layer == "文字" and t.dxf.rotation == 90 and t.dxf.align_point.y < max(titles.values()):
            upright[round(t.dxf.align_point.y, 3)].append(t)
    columns = {}
    for y, row in upright.items():
        title = min((ty - y, name) for name, ty in titles.items() if ty > y)[1]
        columns[ROWS[title]] = {round(t.dxf.align_point.x, 3): t.dxf.text for t in row}
    check(set(columns) == set(ROWS.values()), f"sheet {n + 1}: rows {sorted(columns)}")
    for x, station in columns.get("station", {}).items():
        stake = expected.get(station)
        check(stake is not None, f"sheet {n + 1}: {station} is not in the stake table")
        if stake is None:
            continue
        seen.add(station)
        for key in ("ground", "design", "fillcut"):
            got = columns.get(key, {}).get(x, "")
            check(got == stake[key], f"{station} {key}: sheet {got!r}, table {stake[key]!r}")
check(seen == set(expected), f"stakes on no sheet: {sorted(set(expected) - seen)[:5]}")
check(any(re.fullmatch(r"R=\d+  T=[\d.]+  E=[\d.]+", t.dxf.text) for t in texts), "no curve marks")
finish()
