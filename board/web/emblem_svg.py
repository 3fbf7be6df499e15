#!/usr/bin/env python3
"""Wraps the emblem icon in an SVG of any size: browsers install an app
only with an icon of 144 pixels or more, and the emblem is drawn at 64.
emblem_svg.py ICON OUT.svg"""
import base64
import sys

with open(sys.argv[1], "rb") as f:
    icon = base64.b64encode(f.read()).decode()
svg = ('<svg xmlns="http://www.w3.org/2000/svg" width="192" height="192" viewBox="0 0 64 64">'
       f'<image width="64" height="64" style="image-rendering:pixelated" href="data:image/x-icon;base64,{icon}"/>'
       '</svg>\n')
with open(sys.argv[2], "w") as f:
    f.write(svg)
