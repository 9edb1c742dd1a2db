#!/usr/bin/env python3
"""Draws the demo games' pictures with ImageMagick: flat shapes and the title, a few
kilobytes each. Run from demo/: ./make-snaps.py snap"""
import os
import subprocess
import sys

OUT = sys.argv[1] if len(sys.argv) > 1 else "snap"
FONT = "Liberation-Sans-Bold"

# ROM name, width, height, sky, ground, title, drawing (MVG), file below OUT
PICTURES = [
    ("1942", 224, 288, "#3070c0", "#2a8a3a", "1942",
     "fill #d0d0d0 polygon 112,150 100,190 70,200 70,208 100,204 106,230 92,238 132,238 "
     "118,230 124,204 154,208 154,200 124,190 "
     "fill #505050 polygon 60,60 54,80 40,84 80,84 66,80", None),
    ("pacman", 288, 224, "black", "#101060", "SUPER PACMAN",
     "fill yellow path 'M 80,112 L 120,92 A 40,40 0 1,0 120,132 Z' "
     "fill #ffb8ae circle 160,112 164,112 circle 190,112 194,112 circle 220,112 224,112 "
     "fill red roundrectangle 240,92 270,132 12,12", None),
    ("frogger2", 256, 224, "#102080", "#404040", "FROG CROSSING II",
     "fill #30c030 ellipse 128,150 18,14 0,360 fill #e0e000 rectangle 20,110 90,130 "
     "fill #e02020 rectangle 160,110 230,130 fill #8b5a2b rectangle 30,60 140,76", None),
    ("zaxxon", 256, 224, "#000020", "#404880", "ZAXXON",
     "fill #80a0ff polygon 60,150 180,90 220,110 100,170 "
     "fill #ffffff polygon 120,120 150,105 160,112 130,128", None),
    ("tron", 256, 224, "black", "#000040", "LIGHT CYCLES",
     "fill none stroke #00ffff stroke-width 4 polyline 20,200 20,120 140,120 140,60 "
     "stroke #ff8000 polyline 236,200 236,90 180,90 180,160", None),
    ("tetris", 224, 288, "#202020", "#303030", "BLOCKS",
     "fill #e04040 rectangle 60,200 100,240 rectangle 100,200 140,240 "
     "fill #40c0e0 rectangle 100,160 140,200 fill #e0c040 rectangle 140,200 180,240 "
     "rectangle 140,160 180,200 fill #a040e0 rectangle 80,110 120,150 "
     "rectangle 120,110 160,150 rectangle 100,70 140,110", None),
    ("defender", 320, 200, "black", "#603000", "DEFENDER",
     "fill #c0c0ff polygon 60,100 120,90 130,100 120,110 fill #40ff40 circle 230,80 240,80 "
     "stroke #ff4040 stroke-width 2 line 130,100 200,100", None),
    # MAME's own layout: the game's folder holding numbered snapshots.
    ("joust", 256, 224, "black", "#806040", "JOUST",
     "fill #ffff40 ellipse 100,120 24,14 0,360 fill #e0e0e0 rectangle 60,150 200,160 "
     "fill #40a0ff ellipse 180,90 20,12 0,360", "joust/0000.png"),
]

for rom, w, h, sky, ground, title, mvg, name in PICTURES:
    path = os.path.join(OUT, name or rom + ".png")
    os.makedirs(os.path.dirname(path), exist_ok=True)
    subprocess.run(
        ["convert", "-size", f"{w}x{h}", f"xc:{sky}",
         "-fill", ground, "-draw", f"rectangle 0,{h * 3 // 4} {w},{h}",
         "-draw", mvg,
         "-font", FONT, "-pointsize", str(h // 10), "-fill", "white", "-stroke", "black",
         "-strokewidth", "1", "-gravity", "north", "-annotate", f"+0+{h // 16}", title,
         "+dither", "-colors", "16", "-define", "png:compression-level=9", "-strip", f"PNG8:{path}"],
        check=True)
