"""The sheets' PDF as text: every stake's upright column reads back as the
stake table has it, the page count and title block are there, and the
Chinese font is embedded."""

import html
import re
import subprocess
import unicodedata
from collections import defaultdict

from sheets_common import PROJECT, check, finish, make_sheets, stake_rows

path = make_sheets(".pdf")
fonts = subprocess.run(["pdffonts", path], check=True, capture_output=True, text=True).stdout
check(re.search(r"CJK\S*\s.*\syes\s", fonts), "no embedded CJK font:\n" + fonts)
info = subprocess.run(["pdfinfo", path], check=True, capture_output=True, text=True).stdout
pages = int(re.search(r"Pages:\s+(\d+)", info).group(1))
check("1190.55 x 841.89" in info or "1191 x 842" in info, "the pages are not A3 landscape")

expected = {s["station"]: s for s in stake_rows()}
seen = set()
for page in range(1, pages + 1):
    raw = subprocess.run(["pdftotext", "-f", str(page), "-l", str(page), path, "-"],
                         check=True, capture_output=True, text=True).stdout
    # The CJK font maps a few glyphs back to their radical twins (页 as ⻚):
    # the page numbers are matched around them.
    text = unicodedata.normalize("NFKC", raw)
    for word in (PROJECT, "路线纵断面图", "S3-2", "H 1:2000 V 1:200"):
        check(word in text, f"page {page}: no “{word}”")
    check(re.search(rf"第 {page} \S 共 {pages} \S", text), f"page {page}: no page number")
    # A stake's column, bottom to top: station, ground, design, fill or
    # cut, the empty ones left out. Its words share their left edge; the
    # labels over the lines stand beside their leaders, off it.
    boxes = subprocess.run(["pdftotext", "-bbox", "-f", str(page), "-l", str(page), path, "-"],
                           check=True, capture_output=True, text=True).stdout
    columns = defaultdict(list)
    for x, y, word in re.findall(r'<word xMin="([\d.]+)" yMin="([\d.]+)"[^>]*>([^<]*)</word>', boxes):
        columns[round(float(x), 1)].append((-float(y), html.unescape(word)))
    for words in columns.values():
        words = [word for _y, word in sorted(words)]
        stake = expected.get(words[0])
        if stake is None or len(words) == 1:  # a PVI's label: its elevation stands apart
            continue
        column = [stake[key] for key in ("station", "ground", "design", "fillcut") if stake[key]]
        check(words == column, f"page {page}: {words} for {column}")
        seen.add(words[0])
check(seen == set(expected), f"stakes on no page: {sorted(set(expected) - seen)[:5]}")
finish()
