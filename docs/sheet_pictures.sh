#!/usr/bin/env bash
# The sample road's first 纵断面图 sheet and a page of its 路基设计表 as the
# README shows them: the PDF pages through poppler, and the DXF drawn by
# ezdxf's own renderer, so that what CAD users get is looked at by a reader
# other than ours.
# Usage: docs/sheet_pictures.sh BUILD_DIR
set -euo pipefail
build=${1:?usage: docs/sheet_pictures.sh BUILD_DIR}
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for type in pdf dxf; do
  "$build/app/table/vcurve-table" --profile "$here/../examples/mountain-highway.csv" \
    --ground "$here/../examples/mountain-highway-ground.csv" --sheets "$work/sheets.$type" \
    --project "山区高速公路示例" --drawing-number "S3-1" --date "2026.12" \
    --rows station,ground,design,fillcut,grade,curve
done
pdftoppm -f 1 -l 1 -r 110 -png -singlefile "$work/sheets.pdf" "$here/sheet-pdf"
/usr/bin/python3 "$here/render_dxf_sheet.py" "$work/sheets.dxf" "$here/sheet-dxf.png"
# A page of the 路基设计表 as vcurve-table --format pdf writes it.
"$build/app/table/vcurve-table" --profile "$here/../examples/mountain-highway.csv" \
  --sections "$here/../examples/mountain-highway-sections.csv" --format pdf \
  --output "$work/subgrade.pdf"
pdftoppm -f 1 -l 1 -r 80 -png -singlefile "$work/subgrade.pdf" "$here/subgrade-pdf"
