#!/usr/bin/env python3
"""Paints Morse.gif, the picture of the Morse dialog: a chart of the code the generator sends
(the letters, the digits and the five signs it knows), dots and dashes drawn as they sound,
a dash three dots long, in three columns.

Needs Python 3 and ImageMagick's `convert` (with the DejaVu fonts).

    python3 share/make-morse.py [OUTPUT_FOLDER]     (default: the folder of this script)

The program never runs this script: the file it makes is committed.
"""

import os
import subprocess
import sys

CODE = [("A", ".-"), ("B", "-..."), ("C", "-.-."), ("D", "-.."), ("E", "."), ("F", "..-."),
        ("G", "--."), ("H", "...."), ("I", ".."), ("J", ".---"), ("K", "-.-"), ("L", ".-.."),
        ("M", "--"), ("N", "-."), ("O", "---"), ("P", ".--."), ("Q", "--.-"), ("R", ".-."),
        ("S", "..."), ("T", "-"), ("U", "..-"), ("V", "...-"), ("W", ".--"), ("X", "-..-"),
        ("Y", "-.--"), ("Z", "--.."), ("0", "-----"), ("1", ".----"), ("2", "..---"),
        ("3", "...--"), ("4", "....-"), ("5", "....."), ("6", "-...."), ("7", "--..."),
        ("8", "---.."), ("9", "----."), (",", "--..--"), (".", ".-.-.-"), ("(", "-.--."),
        (")", "-.--.-"), (":", "---...")]

ROWS = 14
COLUMN_W, ROW_H = 92, 17
UNIT = 3  # pixels of a dot; a dash is three units, the gaps one
MARGIN = 8
INK, PAPER, FRAME = "#10305a", "#fbf6e8", "#b9a77a"
FONT = "/usr/share/fonts/truetype/dejavu/DejaVuSansMono-Bold.ttf"


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.abspath(__file__))
    columns = (len(CODE) + ROWS - 1) // ROWS
    width, height = 2 * MARGIN + columns * COLUMN_W, 2 * MARGIN + ROWS * ROW_H
    draw = []
    for n, (sign, code) in enumerate(CODE):
        x0 = MARGIN + (n // ROWS) * COLUMN_W
        y0 = MARGIN + (n % ROWS) * ROW_H
        draw += ["-fill", INK, "-annotate", f"+{x0 + 2}+{y0 + 12}", sign]
        x = x0 + 16
        middle = y0 + 7
        for element in code:
            length = UNIT if element == "." else 3 * UNIT
            draw += ["-draw", f"rectangle {x},{middle - 1} {x + length - 1},{middle + 1}"]
            x += length + UNIT
    command = (["convert", "-size", f"{width}x{height}", f"xc:{PAPER}", "-font", FONT,
                "-pointsize", "12", "-fill", INK]
               + draw
               + ["-fill", "none", "-stroke", FRAME, "-draw",
                  f"rectangle 0,0 {width - 1},{height - 1}", "-colors", "16",
                  os.path.join(folder, "Morse.gif")])
    subprocess.run(command, check=True)


if __name__ == "__main__":
    main()
