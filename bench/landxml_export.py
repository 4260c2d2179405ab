#!/usr/bin/env python3
"""A LandXML file as a design suite exports it, of about the size asked for:
a TIN surface first (points and faces), then the road's alignment with its
plan geometry, its design profile and its ground line.
Usage: landxml_export.py OUTPUT MEGABYTES"""
import random
import sys

out_path, megabytes = sys.argv[1], float(sys.argv[2])
target = int(megabytes * 1e6)
rng = random.Random(7)

head = """<?xml version="1.0" encoding="UTF-8"?>
<LandXML xmlns="http://www.landxml.org/schema/LandXML-1.2" version="1.2" date="2024-05-01" time="10:00:00">
  <Units><Metric linearUnit="meter" areaUnit="squareMeter" volumeUnit="cubicMeter"/></Units>
  <Surfaces>
    <Surface name="原地面">
      <Definition surfType="TIN">
        <Pnts>
"""
# The road: 3 km, a PVI every 150 m, a ground point every 5 m.
profile = ['    <Alignment name="主线" length="3000" staStart="0">\n',
           '      <CoordGeom><Line><Start>0 0</Start><End>0 3000</End></Line></CoordGeom>\n',
           '      <Profile name="主线纵断面">\n        <ProfSurf name="地面线"><PntList2D>']
profile.append(" ".join(f"{s} {100 + 5 * ((s // 5) % 7) / 7:.3f}" for s in range(0, 3001, 5)))
profile.append('</PntList2D></ProfSurf>\n        <ProfAlign name="设计线">\n')
for k, s in enumerate(range(0, 3001, 150)):
    z = 100 + (2 if k % 2 else 0) + k * 0.1
    kind = "PVI" if s in (0, 3000) else "ParaCurve"
    length = "" if kind == "PVI" else ' length="60"'
    profile.append(f'          <{kind}{length}>{s} {z:.3f}</{kind}>\n')
profile.append("        </ProfAlign>\n      </Profile>\n    </Alignment>\n")
tail = "".join(profile)

with open(out_path, "w", encoding="utf-8") as out:
    out.write(head)
    written = len(head)
    # Points and then faces share the file about two to one.
    points = int((target - written) * 0.64 / 52)
    block = []
    for i in range(1, points + 1):
        block.append(f'          <P id="{i}">{3000000 + rng.random() * 9000:.4f} '
                     f'{500000 + rng.random() * 9000:.4f} {90 + rng.random() * 30:.3f}</P>\n')
        if len(block) == 10000:
            text = "".join(block)
            out.write(text)
            written += len(text)
            block = []
    text = "".join(block) + "        </Pnts>\n        <Faces>\n"
    out.write(text)
    written += len(text)
    end = f"        </Faces>\n      </Definition>\n    </Surface>\n  </Surfaces>\n  <Alignments name=\"项目\">\n{tail}  </Alignments>\n</LandXML>\n"
    block = []
    while written + len(end) < target:
        a = rng.randrange(1, points)
        line = f"          <F>{a} {a + 1} {a + 2}</F>\n"
        block.append(line)
        written += len(line)
        if len(block) == 10000:
            out.write("".join(block))
            block = []
    out.write("".join(block) + end)
