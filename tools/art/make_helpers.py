#!/usr/bin/env python3
"""Draws the OnScreen Helper chooser's pictures into resources/bitmaps/.

Four characters, each in a "normal" picture and a "pressed" one (moved two
pixels down and right, on a soft highlight with sparkles).  64x64, 24-bit,
magenta background as the transparent colour; and each again at the sizes of
125 %, 150 % and 200 % display scaling (SCALES), under the id plus the step.
"""

import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from pixelkit import (Canvas, arc, circle, ellipse, erode, line, polygon, rect,  # noqa: E402
                      rrect, shade, star, write_bmp24)

ROOT = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', '..'))
OUT_DIR = os.path.join(ROOT, 'resources', 'bitmaps')

INK = (40, 36, 52)
WHITE = (255, 255, 255)
SKIN = (248, 208, 170)
GOLD = (246, 194, 48)


def ol(c, shape, fill, ink=None, w=1.4):
    c.fill(shape, ink if ink is not None else shade(fill, 0.45))
    c.fill(erode(shape, w), fill)


def eye(c, x, y, r=3.2, pupil=1.8):
    ol(c, circle(x, y, r), WHITE, INK, 1.0)
    c.fill(circle(x + 0.4, y + 0.4, pupil), INK)
    c.fill(circle(x - 0.5, y - 0.7, 0.7), WHITE)


def parrot(c):
    brown = (120, 78, 40)
    ol(c, line(6, 57, 58, 54, 5), brown)
    green, dark = (64, 178, 72), (34, 122, 48)
    ol(c, polygon([(27, 44), (20, 63), (27, 63), (32, 47)]), (220, 50, 40))
    ol(c, polygon([(31, 46), (31, 63), (38, 63), (36, 45)]), (50, 110, 220))
    ol(c, ellipse(32, 38, 13, 16), green)
    ol(c, ellipse(29, 42, 7, 10), (176, 224, 96))
    ol(c, ellipse(38, 39, 7, 13).rotated(-12, 38, 39), dark)
    ol(c, polygon([(24, 10), (26, 1), (31, 9)]), (236, 70, 40))
    ol(c, polygon([(29, 9), (36, 1), (36, 10)]), (250, 150, 40))
    ol(c, circle(31, 20, 12), green)
    ol(c, ellipse(27, 19, 6.5, 6), WHITE, INK, 1.0)
    c.fill(circle(27, 18.5, 2.6), INK)
    c.fill(circle(26, 17.4, 0.9), WHITE)
    beak = polygon([(21, 15), (14, 17), (10, 22), (11, 27), (14, 24), (21, 25)])
    ol(c, beak, (250, 176, 40))
    ol(c, polygon([(21, 24), (15, 26), (20, 29)]), (220, 130, 30))
    for x in (28, 36):
        ol(c, ellipse(x, 54, 3.5, 2.2), (236, 140, 60))


def robot(c):
    steel, dark = (196, 204, 214), (110, 118, 132)
    c.fill(line(32, 5, 32, 13, 2.2), dark)
    ol(c, circle(32, 5, 3.4), (230, 60, 50))
    ol(c, rect(11, 18, 17, 29), dark)
    ol(c, rect(47, 18, 53, 29), dark)
    ol(c, rrect(15, 12, 49, 35, 6), steel)
    for x in (25, 39):
        ol(c, circle(x, 22, 5), (70, 200, 240), INK, 1.2)
        c.fill(circle(x, 22, 2), (20, 60, 110))
        c.fill(circle(x - 1.6, 20.4, 1.1), WHITE)
    ol(c, rrect(23, 28, 41, 32.5, 1.5), (60, 64, 76))
    for x in range(26, 40, 3):
        c.fill(rect(x, 28.8, x + 1, 31.8), (170, 176, 190))
    ol(c, rect(28, 34, 36, 39), dark)
    c.fill(line(19, 43, 9, 53, 5), shade(steel, 0.5))
    c.fill(line(19, 43, 9, 53, 3), steel)
    c.fill(line(45, 43, 55, 35, 5), shade(steel, 0.5))  # waving hand
    c.fill(line(45, 43, 55, 35, 3), steel)
    ol(c, circle(8, 55, 4), dark)
    ol(c, circle(56, 33, 4), dark)
    ol(c, rrect(17, 38, 47, 62, 5), (76, 118, 210))
    ol(c, rrect(23, 43, 41, 55, 2.5), (214, 226, 246))
    for x, col in ((27.5, (232, 64, 54)), (32, (250, 200, 40)), (36.5, (70, 190, 80))):
        c.fill(circle(x, 49, 2.2), col)


def wizard(c):
    robe = (78, 64, 178)
    ol(c, line(53, 20, 57, 62, 3.2), (130, 86, 44))
    ol(c, polygon([(18, 38), (46, 38), (54, 63), (10, 63)]), robe)
    for x, y in ((17, 56), (44, 52), (31, 60)):
        c.fill(star(x, y, 3, 1.3), GOLD)
    ol(c, circle(32, 27, 10), SKIN)
    ol(c, polygon([(21, 28), (43, 28), (40, 46), (32, 57), (24, 46)]), (240, 240, 246))
    c.fill(ellipse(28, 33, 4.5, 2.2), (220, 220, 230))
    c.fill(ellipse(36, 33, 4.5, 2.2), (220, 220, 230))
    c.fill(circle(32, 30.5, 2.2), (230, 150, 140))
    for x in (28, 36):
        c.fill(ellipse(x, 25.5, 1.5, 1.9), INK)
        c.fill(rect(x - 3, 21.5, x + 3, 23), (235, 235, 240))
    hat = (52, 70, 190)
    ol(c, polygon([(18, 20), (46, 20), (37, 7), (44, 2), (31, 4)]), hat)
    ol(c, rrect(13, 17, 51, 22.5, 2.8), shade(hat, 0.8))
    c.fill(star(30, 12, 3.6, 1.6), GOLD)
    c.fill(arc(39, 14, 2.6, 1.2, 200, 20), GOLD)
    ol(c, circle(52, 18, 4.5), (130, 230, 250))
    c.fill(circle(50.8, 16.8, 1.3), WHITE)


def genie(c):
    skin, deep = (86, 156, 232), (50, 112, 200)
    ol(c, polygon([(21, 38), (43, 38), (40, 46), (35, 51), (30, 53), (32, 47), (26, 43)]),
       (104, 196, 226))
    lamp = ellipse(30, 56, 15, 5.5) | polygon([(40, 53), (59, 47), (57, 51), (44, 59)])
    ol(c, lamp, GOLD, (150, 100, 10))
    ol(c, arc(16, 54.5, 5.5, 3, 185, 355), GOLD, (150, 100, 10), 1.0)
    ol(c, ellipse(30, 50.5, 6, 2.3), (250, 214, 90), (150, 100, 10), 1.0)
    ol(c, rrect(18, 27, 46, 42, 8), skin)
    ol(c, rrect(16, 32, 48, 38, 3), deep)
    for x in (17, 45):
        ol(c, rect(x - 1.5, 31.5, x + 1.5, 38.5), GOLD, (150, 100, 10), 1.0)
    ol(c, ellipse(22.5, 20, 2.5, 3.5), skin)
    ol(c, ellipse(41.5, 20, 2.5, 3.5), skin)
    ol(c, circle(32, 19, 10), skin)
    ol(c, polygon([(29, 10), (33, 1), (42, 2), (36, 5), (35, 10)]), (30, 30, 40))
    ol(c, rrect(28, 8, 36, 11, 1.2), GOLD, (150, 100, 10), 1.0)
    eye(c, 28, 17, 2.8, 1.5)
    eye(c, 36, 17, 2.8, 1.5)
    c.fill(line(25, 13, 30, 12.5, 1.4), INK)
    c.fill(line(34, 12.5, 39, 13, 1.4), INK)
    c.fill(arc(32, 21, 5.2, 3.6, 110, 250), INK)
    c.fill(polygon([(30, 27.5), (34, 27.5), (32, 32)]), INK)


def sparkle(c, x, y, r):
    c.fill(star(x, y, r, r * 0.3, n=4), (240, 170, 0))
    c.fill(star(x, y, r * 0.55, r * 0.18, n=4), WHITE)


# Size in pixels, resource id step and file name suffix of each drawing of a picture.
SCALES = ((64, 0, ''), (80, 1000, '_80'), (96, 2000, '_96'), (128, 3000, '_128'))


def render(draw, pressed, size=64):
    c = Canvas(size, design=64, ss=3 if size <= 64 else 2)
    if pressed:
        # A pale halo and sparkles say "chosen"; the shift says "pushed in".
        c.fill(circle(33, 33, 30.5), (250, 236, 170))
        c.fill(circle(33, 33, 28.5), (255, 248, 214))
        c.offset(2, 2)
    draw(c)
    if pressed:
        c.offset(0, 0)
        sparkle(c, 8, 9, 7)
        sparkle(c, 57, 9, 5.5)
        sparkle(c, 7, 47, 5)
    return c


CHARACTERS = [
    ('peedy', 'Peedy, a parrot', parrot, 229, 233),
    ('robby', 'Robby, a robot', robot, 230, 231),
    ('merlin', 'Merlin, a wizard', wizard, 228, 232),
    ('genie', 'Genie, a genie with his lamp', genie, 235, 234),
]


def main():
    os.makedirs(OUT_DIR, exist_ok=True)
    rows = []
    for name, what, draw, pressed_id, normal_id in CHARACTERS:
        for state, rid in (('pressed', pressed_id), ('normal', normal_id)):
            for size, step, suffix in SCALES:
                path = '%s_%s%s.bmp' % (name, state, suffix)
                write_bmp24(os.path.join(OUT_DIR, path), render(draw, state == 'pressed', size))
                rows.append((rid + step, path, '%s, %s, %dx%d' % (what, state, size, size)))
    rows.sort()
    with open(os.path.join(OUT_DIR, 'README.md'), 'w', newline='\n') as f:
        f.write('# OnScreen Helper pictures\n\n'
                '64x64 (and 80x80, 96x96, 128x128 for 125, 150 and 200 % display scaling:\n'
                'the id plus 1000, 2000, 3000), 24-bit; magenta (255, 0, 255) is the\n'
                'transparent colour.\n'
                'The pressed picture is drawn when the button is pressed or checked,\n'
                'the normal one otherwise. Generated by `tools/art/make_helpers.py`;\n'
                'edit the generator, not the files.\n\n'
                '| id | file | picture |\n|---|---|---|\n')
        for rid, path, what in rows:
            f.write('| %d | `%s` | %s |\n' % (rid, path, what))


if __name__ == '__main__':
    main()
