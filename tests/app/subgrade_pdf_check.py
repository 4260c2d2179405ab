"""The 路基设计表's PDF as text: every row of the CSV reads back on its page,
in order, with the header on every page, A3 across, the Chinese font
embedded and the pages numbered."""

import csv
import io
import os
import re
import subprocess
import sys
import tempfile
import unicodedata

table, examples = sys.argv[1], sys.argv[2]
profile = os.path.join(examples, "mountain-highway.csv")
sections = os.path.join(examples, "mountain-highway-sections.csv")
failures = []


def check(ok, message):
    if not ok:
        failures.append(message)


def run(*args):
    return subprocess.run([table, "--profile", profile, "--sections", sections, *args],
                          check=True, capture_output=True, text=True).stdout


rows = list(csv.reader(io.StringIO(run("--format", "csv"))))[1:]
with tempfile.TemporaryDirectory() as folder:
    path = os.path.join(folder, "路基设计表.pdf")
    run("--format", "pdf", "--output", path)
    fonts = subprocess.run(["pdffonts", path], check=True, capture_output=True, text=True).stdout
    check(re.search(r"CJK\S*\s.*\syes\s", fonts), "no embedded CJK font:\n" + fonts)
    info = subprocess.run(["pdfinfo", path], check=True, capture_output=True, text=True).stdout
    pages = int(re.search(r"Pages:\s+(\d+)", info).group(1))
    check("1190.55 x 841.89" in info or "1191 x 842" in info, "the pages are not A3 landscape")
    read, per_page = [], []
    for page in range(1, pages + 1):
        raw = subprocess.run(["pdftotext", "-layout", "-f", str(page), "-l", str(page), path, "-"],
                             check=True, capture_output=True, text=True).stdout
        # The CJK font maps a few glyphs back to their radical twins (页 as ⻚).
        text = unicodedata.normalize("NFKC", raw)
        for word in ("路基设计表", "mountain-highway.csv", "左路肩高差", "备注"):
            check(word in text, f"page {page}: no “{word}”")
        check(re.search(rf"第\s*{page}\s*\S\s*共\s*{pages}\s*\S", text), f"page {page}: no page number")
        on_page = [line.split() for line in text.splitlines() if re.match(r"\s*K\d+\+", line)]
        read += on_page
        per_page.append(len(on_page))
    # Every page full but the last; a page more only for rows left over.
    check(len(set(per_page[:-1])) == 1 and 0 < per_page[-1] <= per_page[0],
          f"rows a page: {per_page}")
    check(len(read) == len(rows), f"{len(read)} rows read back for {len(rows)}")
    for got, row in zip(read, rows):
        # The numbers whole; the note as far as its cell shows it.
        numbers = [cell for cell in row[:-1] if cell]
        check(got[:len(numbers)] == numbers, f"{got} for {row}")
        note = "".join(got[len(numbers):]).rstrip("…")
        check(row[-1].replace(" ", "").startswith(note), f"note {note!r} for {row[-1]!r}")

for failure in failures[:20]:
    print(failure)
sys.exit(1 if failures else 0)
