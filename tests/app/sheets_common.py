"""What the sheet checks share: the programs, the sample road and its
stake table as the window saves it."""

import csv
import io
import os
import subprocess
import sys
import tempfile

TABLE, DUMP, EXAMPLES = sys.argv[1], sys.argv[2], sys.argv[3]
PROFILE = os.path.join(EXAMPLES, "mountain-highway.csv")
GROUND = os.path.join(EXAMPLES, "mountain-highway-ground.csv")
PROJECT = "山区高速公路 K0–K4 段"
failures = []


def check(condition, message):
    if not condition:
        failures.append(message)


def finish():
    for message in failures[:30]:
        print("FAIL:", message)
    if failures:
        print(f"{len(failures)} failures")
        sys.exit(1)
    print("ok")


def stake_rows():
    """Each stake as the texts the band must show, keyed by its station."""
    text = subprocess.run([DUMP, PROFILE, GROUND], check=True, capture_output=True).stdout
    rows = list(csv.reader(io.StringIO(text.decode("utf-8-sig"))))[1:]
    stakes = []
    for station, design, ground, fill, cut, *_ in rows:
        fillcut = fill
        if not fill and cut:
            fillcut = cut if cut.strip("0.") == "" else "-" + cut
        stakes.append({"station": station, "design": design, "ground": ground,
                       "fillcut": fillcut})
    return stakes


def make_sheets(extension, *options):
    folder = tempfile.mkdtemp()
    path = os.path.join(folder, "纵断面图" + extension)
    subprocess.run([TABLE, "--profile", PROFILE, "--ground", GROUND, "--sheets", path,
                    "--project", PROJECT, "--drawing-number", "S3-2", *options],
                   check=True, capture_output=True)
    return path
