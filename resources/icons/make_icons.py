#!/usr/bin/env python3
# Writes the tool bar icons (resources/icons/*.svg): line drawings on a 24 unit grid. One-unit
# strokes sit on half units and two-unit strokes on whole units, so that edges fall on pixel
# borders at 24 px and 48 px. Run from the source tree after changing a drawing:
#   python3 resources/icons/make_icons.py resources/icons
# The file names are the freedesktop icon names where one fits (see src/app/toolbaricons.cpp).
import os, sys
out = sys.argv[1]
INK = "#2e3436"; PAPER = "#ffffff"; LIGHT = "#dbe4ee"; BLUE = "#3465a4"; SEL = "#9fc1e6"
GREEN = "#3d8a06"; RED = "#c4160f"; GREY = "#888a85"

def svg(body):
    return ('<svg xmlns="http://www.w3.org/2000/svg" width="24" height="24" viewBox="0 0 24 24">\n'
            + body + '</svg>\n')
def rect(x, y, w, h, fill="none", stroke=INK, sw=1, extra=""):
    s = f' stroke="{stroke}" stroke-width="{sw}"' if stroke else ""
    return f'<rect x="{x}" y="{y}" width="{w}" height="{h}" fill="{fill}"{s}{extra}/>\n'
def path(d, stroke=INK, sw=2, fill="none", extra=""):
    s = f' stroke="{stroke}" stroke-width="{sw}"' if stroke else ""
    return f'<path d="{d}" fill="{fill}"{s}{extra}/>\n'
def fillp(d, fill=INK):
    return f'<path d="{d}" fill="{fill}"/>\n'
def circle(cx, cy, r, fill="none", stroke=INK, sw=1):
    s = f' stroke="{stroke}" stroke-width="{sw}"' if stroke else ""
    return f'<circle cx="{cx}" cy="{cy}" r="{r}" fill="{fill}"{s}/>\n'
ROUND = ' stroke-linecap="round" stroke-linejoin="round"'
DASH = ' stroke-dasharray="2 1"'

def plus(color=GREEN):      # a badge in the lower right corner
    return rect(14, 14, 10, 10, PAPER, None) + fillp("M18 15h2v3h3v2h-3v3h-2v-3h-3v-2h3z", color)
def minus(color=RED):
    return rect(14, 16, 10, 6, PAPER, None) + fillp("M15 18h8v2h-8z", color)
def doc(fill=PAPER):
    return path("M4.5 2.5h10l5 5v14h-15z", sw=1, fill=fill) + path("M14.5 2.5v5h5", sw=1)
def magnifier():
    return circle(10, 10, 6, PAPER, INK, 2) + path("M14.5 14.5l6 6", sw=3, extra=' stroke-linecap="round"')

def table(cells=(), cellfill=SEL, all_fill=None):
    # three by three cells, 17 by 15 units
    b = rect(3.5, 4.5, 17, 15, all_fill or PAPER, INK)
    xs = [3.5, 9.5, 14.5, 20.5]; ys = [4.5, 9.5, 14.5, 19.5]
    for (c, r) in cells:
        b += rect(xs[c] + 0.5, ys[r] + 0.5, xs[c + 1] - xs[c] - 1, ys[r + 1] - ys[r] - 1, cellfill, None)
    b += path("M9.5 4.5v15M14.5 4.5v15M3.5 9.5h17M3.5 14.5h17", sw=1)
    return b
def form(fill=PAPER, dashed=False):
    return (rect(2.5, 3.5, 19, 17, fill, INK, 1, DASH if dashed else "")
            + rect(5.5, 6.5, 13, 3, PAPER) + rect(5.5, 11.5, 13, 3, PAPER) + rect(12, 16, 7, 2, INK, None))

I = {}
I["document-new"] = doc() + plus()
I["document-open"] = path("M2.5 19.5v-14h6l2 2h9v3", sw=1, fill=LIGHT) + path("M2.5 19.5l3-9h17l-3 9z", sw=1, fill=PAPER)
I["document-save"] = (path("M3.5 3.5h14l3 3v14h-17z", sw=1, fill=LIGHT) + rect(7.5, 3.5, 8, 6, PAPER)
                      + rect(12, 5, 2, 3, INK, None) + rect(6.5, 13.5, 11, 7, PAPER) + path("M8.5 16.5h7", sw=1, stroke=GREY))
I["document-print"] = (rect(6.5, 2.5, 11, 7, PAPER) + rect(2.5, 9.5, 19, 8, LIGHT) + rect(6.5, 14.5, 11, 7, PAPER)
                       + path("M8.5 17.5h7M8.5 19.5h5", sw=1, stroke=GREY) + rect(17, 11, 2, 2, GREEN, None))
I["edit-cut"] = (path("M8.5 14.5l9-12M15.5 14.5l-9-12", sw=2, extra=' stroke-linecap="round"')
                 + circle(6.5, 18, 3, PAPER, INK, 2) + circle(17.5, 18, 3, PAPER, INK, 2))
I["edit-copy"] = rect(3.5, 2.5, 11, 14, PAPER) + rect(9.5, 7.5, 11, 14, PAPER) + path("M11.5 11.5h7M11.5 14.5h7M11.5 17.5h5", sw=1, stroke=GREY)
I["edit-paste"] = (rect(4.5, 4.5, 15, 17, LIGHT) + rect(8.5, 2.5, 7, 4, INK, INK) + rect(8.5, 9.5, 12, 12, PAPER)
                   + path("M10.5 13.5h8M10.5 16.5h8M10.5 19.5h5", sw=1, stroke=GREY))
I["edit-undo"] = path("M8 9h7a5 5 0 0 1 0 10h-6", sw=2) + fillp("M3 9l6-5v10z")
I["edit-find"] = magnifier()
I["wrap-on"] = path("M3 5h18M3 11h14a3 3 0 0 1 0 6h-7", sw=2) + fillp("M6 17l5-4v8z", BLUE)
I["wrap-off"] = path("M3 5h18M3 19h10", sw=2) + path("M3 12h14", sw=2, stroke=BLUE) + fillp("M22 12l-6-5v10z", BLUE)
I["html-source"] = path("M8 6l-5 6 5 6M16 6l5 6-5 6", sw=2, extra=ROUND) + path("M14 4l-4 16", sw=2, stroke=BLUE, extra=' stroke-linecap="round"')
I["text-extract"] = doc() + path("M8 10h8M12 10v9", sw=2)
I["design-mode"] = (path("M3.5 20.5l1-5 12-12 4 4-12 12z", sw=1, fill="#fce9a6") + path("M4.5 15.5l4 4", sw=1)
                    + path("M14.5 5.5l4 4", sw=1) + fillp("M3.5 20.5l0.5-2.5 2 2z"))
I["internet-web-browser"] = (circle(12, 12, 8.5, "#cfe2f5", INK, 1) + path("M12 3.5c-5 5-5 12 0 17c5-5 5-12 0-17z", sw=1, stroke=BLUE)
                             + path("M3.5 12h17M5 7.5h14M5 16.5h14", sw=1, stroke=BLUE))
I["zoom-in"] = magnifier() + path("M7 10h6M10 7v6", sw=2)
I["zoom-out"] = magnifier() + path("M7 10h6", sw=2)
I["tag-glyphs"] = path("M2.5 7.5h13l6 4.5-6 4.5h-13z", sw=1, fill="#fce9a6") + circle(16, 12, 1.5, PAPER, INK, 1) + path("M5 10.5h7M5 13.5h5", sw=1, stroke=GREY)
I["design-borders"] = rect(3.5, 3.5, 17, 17, "none", BLUE, 1, DASH) + rect(7.5, 7.5, 9, 9, LIGHT, INK)
I["element-properties"] = (rect(3.5, 3.5, 17, 17, PAPER) + rect(3.5, 3.5, 17, 4, BLUE, INK)
                           + path("M6 11.5h3M11 11.5h7M6 14.5h3M11 14.5h7M6 17.5h3M11 17.5h5", sw=1, stroke=GREY))
I["document-properties"] = doc() + path("M7 11.5h2M11 11.5h6M7 14.5h2M11 14.5h6M7 17.5h2M11 17.5h4", sw=1)
I["preferences-system"] = (path("M3 6h18M3 12h18M3 18h18", sw=2, stroke=GREY) + rect(13.5, 3.5, 4, 5, PAPER) + rect(5.5, 9.5, 4, 5, PAPER)
                           + rect(11.5, 15.5, 4, 5, PAPER))
I["accessories-text-editor"] = (rect(2.5, 3.5, 19, 17, PAPER) + rect(3, 4, 18, 3, LIGHT, None) + path("M2.5 7.5h19", sw=1)
                                + path("M5 10.5h12M5 13.5h14M5 16.5h9", sw=1, stroke=GREY) + rect(15, 15, 1, 3, INK, None))
I["help-about"] = circle(12, 12, 9, BLUE, None) + rect(11, 6, 2, 2, PAPER, None) + rect(11, 10, 2, 8, PAPER, None)
I["help-contents"] = (circle(12, 12, 9, BLUE, None) + path("M9 9.5a3 3 0 1 1 4 2.8c-.7.3-1 .8-1 1.7v.5", sw=2, stroke=PAPER)
                      + rect(11, 16, 2, 2, PAPER, None))
I["go-jump"] = path("M3 12h13", sw=2, stroke=GREEN) + fillp("M22 12l-7-6v12z", GREEN)
# format
I["format-text-bold"] = fillp("M6 4h7a4 4 0 0 1 2.8 6.9A4.5 4.5 0 0 1 13.5 20H6zM9 7v3.5h3.7a1.75 1.75 0 0 0 0-3.5zM9 13.5V17h4.2a1.75 1.75 0 0 0 0-3.5z")
I["format-text-italic"] = fillp("M10 4h8v2h-2.6l-3.3 12H15v2H7v-2h2.6l3.3-12H10z")
I["format-text-underline"] = path("M7 3v8a5 5 0 0 0 10 0V3", sw=2) + rect(5, 19, 14, 2, INK, None)
I["format-text-strikethrough"] = (path("M16.5 7c-.8-1.6-2.4-2.5-4.5-2.5-2.6 0-4.5 1.4-4.5 3.5 0 4.5 9 2.5 9 8 0 2.2-2 3.5-4.5 3.5-2.2 0-3.9-.9-4.8-2.6", sw=2)
                                  + path("M3 12h18", sw=2, stroke=RED))
def letter_x(y0): return path(f"M4 {y0}l8 10M12 {y0}l-8 10", sw=2)
I["superscript"] = letter_x(10) + path("M14.5 4.8a2 2 0 1 1 3 1.9L14.5 10h4.5", sw=1.5, stroke=BLUE)
I["subscript"] = letter_x(4) + path("M14.5 14.8a2 2 0 1 1 3 1.9L14.5 20h4.5", sw=1.5, stroke=BLUE)
I["list-unordered"] = (rect(3, 4, 4, 4, BLUE, None) + rect(3, 10, 4, 4, BLUE, None) + rect(3, 16, 4, 4, BLUE, None)
                       + path("M10 6h11M10 12h11M10 18h11", sw=2))
I["list-ordered"] = (path("M4.5 3.5h1v5M3.5 8.5h3", sw=1, stroke=BLUE) + path("M3.5 10.5h3v2h-3v2h3", sw=1, stroke=BLUE)
                     + path("M3.5 16.5h3v4h-3M4.5 18.5h2", sw=1, stroke=BLUE) + path("M10 6h11M10 12h11M10 18h11", sw=2))
def lines(spec):  # (x0, x1) for y = 4, 8, 12, 16, 20
    return path("".join(f"M{a} {4 + 4 * i}H{b}" for i, (a, b) in enumerate(spec)), sw=2)
I["format-justify-left"] = lines([(3, 21), (3, 15), (3, 21), (3, 15), (3, 18)])
I["format-justify-center"] = lines([(3, 21), (6, 18), (3, 21), (6, 18), (8, 16)])
I["format-justify-right"] = lines([(3, 21), (9, 21), (3, 21), (9, 21), (6, 21)])
I["format-justify-fill"] = lines([(3, 21), (3, 21), (3, 21), (3, 21), (3, 14)])
I["format-indent-more"] = path("M3 4h18M11 9h10M11 15h10M3 20h18", sw=2) + fillp("M9 12L3 8v8z", BLUE)
I["format-indent-less"] = path("M3 4h18M11 9h10M11 15h10M3 20h18", sw=2) + fillp("M3 12l6-4v8z", BLUE)
I["line-break"] = path("M19 4v9H8", sw=2) + fillp("M3 13l6-5v10z", BLUE)
I["horizontal-line"] = path("M4 4.5h16M4 7.5h12M4 16.5h16M4 19.5h10", sw=1, stroke=GREY) + path("M2 12h20", sw=2, stroke=BLUE)
I["color-code"] = (rect(3.5, 3.5, 8, 8, "#cc0000") + rect(12.5, 3.5, 8, 8, "#3465a4") + rect(3.5, 12.5, 8, 8, "#4e9a06")
                   + rect(12.5, 12.5, 8, 8, "#edd400"))
I["remove-format"] = path("M5 20L12 4l7 16M8 14h8", sw=2, extra=' stroke-linejoin="round"') + path("M3 3l18 18", sw=2, stroke=RED)
I["remove-blocks"] = rect(2.5, 4.5, 19, 15, LIGHT, INK, 1, DASH) + path("M8 8l8 8M16 8l-8 8", sw=2, stroke=RED)
I["insert-link"] = (rect(2.5, 8.5, 11, 7, "none", BLUE, 2, ' rx="3.5"') + rect(10.5, 8.5, 11, 7, "none", INK, 2, ' rx="3.5"'))
I["insert-image"] = (rect(2.5, 4.5, 19, 15, PAPER) + fillp("M4 18l5-7 4 4 3-3 4 6z", "#73b34a") + circle(16.5, 8.5, 1.5, "#f5a623", None))
I["font-attributes"] = path("M3 19L8 5l5 14M5 14h6", sw=2, extra=' stroke-linejoin="round"') + circle(17.5, 15.5, 3, "none", BLUE, 2) + path("M20.5 12v7", sw=2, stroke=BLUE)
I["style-define"] = (path("M9 4c-2.5 0-2 2-2 4.5S6 12 4 12c2 0 3 1 3 3.5S6.5 20 9 20", sw=2)
                     + path("M15 4c2.5 0 2 2 2 4.5s1 3.5 3 3.5c-2 0-3 1-3 3.5s.5 4.5-3 4.5", sw=2)
                     + rect(11, 11, 2, 2, BLUE, None))
# tables
I["table-select-cell"] = table([(1, 1)])
I["table-select-row"] = table([(0, 1), (1, 1), (2, 1)])
I["table-select"] = table([(c, r) for c in range(3) for r in range(3)])
I["form-select"] = form(SEL, True)
I["table-insert"] = table() + plus()
I["table-delete"] = table() + minus()
I["table-insert-row"] = table([(0, 1), (1, 1), (2, 1)], "#b5dc9c") + plus()
I["table-delete-row"] = table([(0, 1), (1, 1), (2, 1)], "#f2b1ad") + minus()
I["table-insert-cell"] = table([(1, 1)], "#b5dc9c") + plus()
I["table-delete-cell"] = table([(1, 1)], "#f2b1ad") + minus()
I["cell-merge"] = (rect(1.5, 5.5, 21, 13, PAPER) + path("M12 6v12", sw=1, stroke=GREY, extra=DASH)
                  + fillp("M3 8l7 4-7 4zM21 8l-7 4 7 4z", BLUE))
I["cell-split"] = (rect(1.5, 5.5, 21, 13, PAPER) + path("M11.5 5.5v13", sw=1)
                  + fillp("M10 8l-7 4 7 4zM13 8l7 4-7 4z", BLUE))
I["cell-merge-down"] = (rect(5.5, 1.5, 13, 21, PAPER) + path("M6 12h12", sw=1, stroke=GREY, extra=DASH)
                       + fillp("M8 3l4 7 4-7zM8 21l4-7 4 7z", BLUE))
I["cell-split-down"] = (rect(5.5, 1.5, 13, 21, PAPER) + path("M5.5 11.5h13", sw=1)
                       + fillp("M8 10l4-7 4 7zM8 13l4 7 4-7z", BLUE))
# forms
I["form-insert"] = form() + plus()
I["input-text"] = rect(2.5, 7.5, 19, 9, PAPER) + path("M6 10h3M7.5 10v5M6 15h3", sw=1)
I["input-password"] = rect(2.5, 7.5, 19, 9, PAPER) + circle(7, 12, 1.5, INK, None) + circle(12, 12, 1.5, INK, None) + circle(17, 12, 1.5, INK, None)
I["input-file"] = path("M3 15v5h18v-5", sw=2) + path("M12 18V7", sw=2, stroke=BLUE) + fillp("M12 2l6 6H6z", BLUE)
I["input-hidden"] = (rect(2.5, 5.5, 19, 13, "none", GREY, 1, DASH) + path("M5 12c4-5 10-5 14 0c-4 5-10 5-14 0z", sw=1)
                     + circle(12, 12, 2, INK, None) + path("M6 18L18 6", sw=2, stroke=RED))
I["textarea"] = (rect(2.5, 3.5, 19, 17, PAPER) + path("M5 7.5h11M5 10.5h11M5 13.5h8", sw=1, stroke=GREY)
                 + path("M20.5 14.5l-6 6M20.5 17.5l-3 3", sw=1))
I["select-list"] = (rect(3.5, 3.5, 17, 17, PAPER) + rect(4, 9, 11, 4, SEL, None) + path("M15.5 3.5v17", sw=1)
                    + path("M6 6.5h7M6 10.5h7M6 14.5h7M6 17.5h5", sw=1, stroke=INK) + rect(16, 4, 4, 6, LIGHT, None))
I["select-dropdown"] = rect(2.5, 7.5, 19, 9, PAPER) + path("M15.5 7.5v9", sw=1) + path("M5 12h7", sw=1, stroke=GREY) + fillp("M16.5 10.5h4l-2 3z")
I["input-button"] = rect(2.5, 6.5, 19, 11, LIGHT, INK, 1, ' rx="3"') + path("M7 12h10", sw=2)
I["input-radio"] = circle(12, 12, 7.5, PAPER, INK, 1) + circle(12, 12, 3.5, BLUE, None)
I["input-checkbox"] = rect(4.5, 4.5, 15, 15, PAPER, INK, 1, ' rx="1.5"') + path("M8 12l3 3 6-7", sw=2.5, stroke=BLUE, extra=ROUND)

os.makedirs(out, exist_ok=True)
for name, body in I.items():
    with open(os.path.join(out, name + ".svg"), "w") as f:
        f.write(svg(body))
print(len(I))
