"""Draws the first sheet of a 纵断面图 DXF to PNG with ezdxf's drawing
add-on. The file's text style names 宋体, which a Linux machine lacks; the
picture uses the Noto CJK font in its place."""

import sys

import ezdxf
import matplotlib

matplotlib.use("Agg")
import matplotlib.pyplot as plt  # noqa: E402
from ezdxf.addons.drawing import Frontend, RenderContext  # noqa: E402
from ezdxf.addons.drawing.matplotlib import MatplotlibBackend  # noqa: E402
from ezdxf.addons.drawing.properties import LayoutProperties  # noqa: E402
from ezdxf.tools import fonts  # noqa: E402

source, target = sys.argv[1], sys.argv[2]
# The style's 宋体 drawn with the CJK font this machine has.
fonts.font_face_cache["simsun.ttc"] = fonts.FontFace(ttf="NotoSansCJK-Regular.ttc",
                                                     family="Noto Sans CJK JP")
doc = ezdxf.readfile(source)
msp = doc.modelspace()


def on_first_sheet(entity):
    kind = entity.dxftype()
    if kind == "TEXT":
        return entity.dxf.insert.x < 420
    if kind == "LWPOLYLINE":
        return min(p[0] for p in entity.get_points()) < 420
    return (entity.dxf.start if kind == "LINE" else entity.dxf.center).x < 420


fig = plt.figure(figsize=(16.8, 11.88))
ax = fig.add_axes([0, 0, 1, 1])
properties = LayoutProperties.from_layout(msp)
properties.set_colors("#ffffff")
Frontend(RenderContext(doc), MatplotlibBackend(ax)).draw_layout(
    msp, finalize=False, filter_func=on_first_sheet, layout_properties=properties)
ax.set_xlim(0, 420)
ax.set_ylim(0, 297)
ax.set_aspect("equal")
ax.axis("off")
fig.savefig(target, dpi=100, facecolor="white")
