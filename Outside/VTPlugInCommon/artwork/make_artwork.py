#!/usr/bin/python3
"""Draws the artwork images (PNG, with ImageMagick's convert) and writes the getters'
header and table. Run from this folder after changing the list; commit the results."""
import os, subprocess

FONT = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"
BLUE, GREEN, RED, GREY, YELLOW, DARK = "#2f6fd0", "#2e9e44", "#d23b30", "#a9adb3", "#f2c230", "#3b4048"
HOVER = {"#2f6fd0": "#4d8ef0", "#2e9e44": "#3cc257", "#d23b30": "#f05448", "#3b4048": "#5a6270"}

def style(name):
    n = name.lower()
    if "disabled" in n: return GREY
    base = BLUE
    if "delete" in n or "redx" in n or "minus" in n: base = RED
    elif "add" in n or "plus" in n or "new" in n or "green" in n: base = GREEN
    elif "warning" in n or "yellow" in n: base = YELLOW
    elif "gears" in n or "edit" in n or "notepad" in n: base = DARK
    if "hover" in n or "clicked" in n or "selected" in n: return HOVER.get(base, base)
    return base

def glyph(name):
    n = name.lower()
    table = [("arrowup", "\u25b2"), ("movementup", "\u25b2"), ("moveup", "\u25b2"), ("nav_up", "\u25b2"),
             ("arrowdown", "\u25bc"), ("movementdown", "\u25bc"), ("movedown", "\u25bc"), ("nav_down", "\u25bc"),
             ("leftward", "\u25c0"), ("rightward", "\u25b6"), ("run", "\u25b6"),
             ("delete", "\u2715"), ("redx", "\u2715"), ("cut", "\u2702"),
             ("plus", "+"), ("add", "+"), ("new", "+"), ("minus", "\u2212"),
             ("edit", "\u270e"), ("notepad", "\u270e"), ("gears", "\u2699"), ("copy", "C"), ("paste", "P"),
             ("warning", "!"), ("question", "?"), ("help", "?"), ("open", "\u2191"), ("save", "\u2193"),
             ("looping", "\u21bb"), ("randomize", "\u21c4"), ("tags", "#"), ("tag", "#"),
             ("keyboard", "K"), ("mouse", "M"), ("color", "\u25d0"), ("font", "A"), ("position", "\u271b"),
             ("size", "\u2922"), ("location", "\u271b"), ("timelimit", "\u23f1"), ("feedback", "\u2714"),
             ("pulse", "\u238d"), ("raise", "\u2191"), ("lower", "\u2193"), ("file", "\u2630"),
             ("crossed", "\u00d7"), ("paired", "="), ("unpaired", "\u2260"), ("logo", "\u25c9"),
             ("largerules", "\u21d2"), ("children", ""), ("rules", ""), ("transparent", "")]
    for key, sign in table:
        if key in n: return sign
    for d in "1234":
        if "button_" + d in n: return d
    return "\u2022"

def size(name):
    n = name.lower()
    if n.startswith("large"): return 100
    if n.startswith("medium"): return 60
    if "about" in n or "big" in n: return 96
    if "aag" in n: return 16
    if "tiny" in n: return 12
    if n.startswith("toolbar_"): return 24
    return 20

def draw(path, name):
    s = size(name)
    colour = style(name)
    sign = glyph(name)
    n = name.lower()
    args = ["convert", "-size", "%dx%d" % (s, s), "xc:none"]
    if "stimlists" in n:
        # A stack of list rows; the "no lists" form keeps only their outlines.
        margin, rows = s // 8, 3
        step = (s - 2 * margin) // rows
        fill = "white" if "nolists" in n else "#dbe8f6"
        args += ["-fill", fill, "-stroke", BLUE, "-strokewidth", str(max(1, s // 30))]
        for i in range(rows):
            top = margin + i * step
            args += ["-draw", "roundrectangle %d,%d %d,%d 3,3" % (margin, top, s - margin - 1, top + step - step // 4)]
    elif ("children" in n or "rules" in n) and "aag" in n:
        # Badge pieces: left cap, middle, right cap and the empty (zero) state, one height.
        fill = "#7a8594" if "zero" in n else (BLUE if "children" in n else GREEN)
        if "left" in n: shape = ["-draw", "roundrectangle 0,0 %d,%d 6,6" % (s + 6, s - 1)]
        elif "right" in n: shape = ["-draw", "roundrectangle -7,0 %d,%d 6,6" % (s - 1, s - 1)]
        elif "mid" in n: shape = ["-draw", "rectangle 0,0 %d,%d" % (s - 1, s - 1)]
        else: shape = ["-draw", "roundrectangle 0,0 %d,%d 6,6" % (s - 1, s - 1)]
        args += ["-fill", fill] + shape
    elif "transparent" in n:
        args += ["-fill", "white", "-stroke", "#888888", "-draw", "rectangle 1,1 %d,%d" % (s - 2, s - 2),
                 "-stroke", RED, "-draw", "line 2,%d %d,2" % (s - 3, s - 3)]
        if "selected" in n: args += ["-fill", "none", "-stroke", BLUE, "-strokewidth", "2", "-draw", "rectangle 0,0 %d,%d" % (s - 1, s - 1)]
    elif "warning" in n:
        args += ["-fill", YELLOW, "-stroke", "#8a6d00", "-draw", "polygon %d,1 %d,%d 1,%d" % (s // 2, s - 2, s - 2, s - 2)]
        if "blank" not in n: args += ["-stroke", "none", "-fill", DARK, "-font", FONT, "-pointsize", str(int(s * 0.6)), "-gravity", "center", "-annotate", "+0+1", "!"]
    else:
        r = s // 2 - 1
        if "off" in n.split("_")[-1] or n.endswith("off"):
            colour = GREY
        args += ["-fill", colour, "-draw", "roundrectangle 0,0 %d,%d %d,%d" % (s - 1, s - 1, max(2, s // 5), max(2, s // 5))]
        if sign:
            args += ["-fill", "white", "-font", FONT, "-pointsize", str(int(s * (0.32 if s > 40 else 0.62))), "-gravity", "center", "-annotate", "+0+0", sign]
    args.append("PNG32:" + path)
    subprocess.run(args, check=True)

getters = [l.strip() for l in open("getters.txt") if l.strip() and l.strip() != "GetIcon_ToolBarIcon"]
toolbar = [l.strip() for l in open("toolbar.txt") if l.strip()]
os.makedirs("png", exist_ok=True)
# Images drawn before are kept (delete one to draw it again), so adding a name
# leaves every other picture as it was.
for g in getters:
    if not os.path.exists("png/%s.png" % g): draw("png/%s.png" % g, g)
for t in toolbar:
    if not os.path.exists("png/toolbar_%s" % t): draw("png/toolbar_%s" % t, "toolbar_" + t.replace(".png", ""))

with open("../include/VTPlugInCommon/OrbiskImagesArtworkEtc.h", "w") as h:
    h.write("""#pragma once
// The shared artwork: every image is a PNG of our own, compiled into the library.
// Each getter returns a valid bitmap that callers copy. Generated by
// artwork/make_artwork.py; edit the lists there, not this file.

#include <wx/bitmap.h>
#include <wx/string.h>

#include "VTPlugInCommon/VTSdkExport.h"

namespace Orbisk {

class VTSDK_API OrbiskImagesArtworkEtc
{
public:
""")
    for g in getters: h.write("    static wxBitmap %s();\n" % g)
    h.write("""
    // Toolbar images by file name (e.g. "icon_open.png"); an unknown name gives a null bitmap.
    static wxBitmap GetIcon_ToolBarIcon(const wxString& name);
    // Every image by its getter's name, e.g. "GetIcon_BlueArrowUp"; null when unknown.
    static wxBitmap GetByName(const wxString& getterName);
    // Loads every image once; logs each that fails and returns how many did.
    static int TestAllImages();
};

}  // namespace Orbisk
""")
with open("ArtworkNames.inc", "w") as f:
    f.write("// Generated by make_artwork.py: the getters, then the toolbar images.\n")
    for g in getters: f.write("ARTWORK_GETTER(%s)\n" % g)
    for t in toolbar: f.write("ARTWORK_TOOLBAR(\"%s\", \"toolbar_%s\")\n" % (t, t))
