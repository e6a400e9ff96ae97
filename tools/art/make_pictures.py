#!/usr/bin/env python3
"""Draws the demo machine's folder and web-link pictures into tools/demo/.

All are 32x32 24-bit bitmaps on magenta, the shell's transparent colour:
  pictures/       the shell's standard picture folder
  user-pictures/  pictures a school has added
  install/        the default pictures shipped in the program's install folder
"""

import math
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from pixelkit import (Canvas, arc, circle, ellipse, erode, line, polygon, rect,  # noqa: E402
                      rrect, shade, star, write_bmp24)

ROOT = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', '..'))
DEMO = os.path.join(ROOT, 'tools', 'demo')

INK = (40, 44, 60)
WHITE = (255, 255, 255)
PAPER = (250, 250, 246)
MANILA = (250, 204, 86)
GOLD = (246, 194, 48)


def ol(c, shape, fill, ink=None, w=1.0):
    c.fill(shape, ink if ink is not None else shade(fill, 0.45))
    c.fill(erode(shape, w), fill)


# --------------------------------------------------------------------------
# Folders

def folder_back(c, col):
    ol(c, polygon([(1, 6), (11, 6), (14, 9), (31, 9), (31, 28), (1, 28)]), shade(col, 0.85))


def closed_folder(c, col=MANILA):
    folder_back(c, col)
    ol(c, rect(1, 12, 31, 28), col)
    c.fill(rect(2, 13, 30, 14), shade(col, 1.35))


def open_folder(c, col=MANILA):
    folder_back(c, col)
    ol(c, polygon([(5, 4), (25, 4), (25, 20), (5, 20)]), PAPER, INK)
    for y in (8, 11, 14):
        c.fill(rect(8, y, 22, y + 1), (150, 170, 210))
    ol(c, polygon([(6, 15), (31, 15), (27, 28), (1, 28)]), shade(col, 1.1))


def emblem_folder(emblem, col=MANILA):
    def draw(c):
        closed_folder(c, col)
        emblem(c)
    return draw


def people_emblem(c):
    for cx, shirt in ((12, (60, 150, 120)), (20, (40, 110, 205))):
        ol(c, rrect(cx - 4.5, 21, cx + 4.5, 30, 4) & rect(0, 0, 32, 26.5), shirt)
        ol(c, circle(cx, 18.5, 3), (246, 206, 168))


def pencil_emblem(c):
    p = polygon([(9, 25), (22, 14), (25, 17), (12, 28)])
    ol(c, p, (250, 170, 40))
    ol(c, polygon([(9, 25), (12, 28), (7, 30)]), (240, 214, 170))
    c.fill(polygon([(7.6, 28.5), (8.6, 29.6), (7, 30)]), INK)
    ol(c, polygon([(22, 14), (25, 17), (27, 15), (24, 12)]), (236, 110, 130))


def star_emblem(c):
    ol(c, star(16, 20, 7, 3), (255, 230, 60), (170, 110, 0))


def tray_emblem(c):
    ol(c, polygon([(16, 26), (10, 19), (14, 19), (14, 14), (18, 14), (18, 19), (22, 19)]),
       (70, 200, 90))


def lock_emblem(c):
    c.fill(arc(16, 19, 4, 2.2, 270, 90) | rect(11.8, 19, 13.8, 21) | rect(18.2, 19, 20.2, 21),
           (90, 90, 100))
    ol(c, rrect(10, 20, 22, 28, 1.5), (240, 240, 246))
    c.fill(rect(15, 22, 17, 26), INK)


# --------------------------------------------------------------------------
# Subjects

def maths(c):
    ol(c, rrect(2, 2, 30, 30, 4), (60, 120, 210))
    ol(c, rrect(5, 5, 27, 27, 2), WHITE, (40, 80, 160))
    c.fill(rect(7, 10, 14, 12) | rect(9.5, 7.5, 11.5, 14.5), (210, 50, 50))          # +
    c.fill(rect(18, 10, 25, 12), (40, 110, 205))                                    # -
    c.fill(line(8, 18, 13, 23, 2) | line(13, 18, 8, 23, 2), (40, 150, 70))          # x
    c.fill(rect(18, 18, 25, 19.6) | rect(18, 21.4, 25, 23), (230, 140, 20))         # =


def english(c):
    ol(c, polygon([(2, 8), (15, 6), (16, 26), (2, 28)]), PAPER, INK)
    ol(c, polygon([(16, 6), (30, 8), (30, 28), (16, 26)]), PAPER, INK)
    c.fill(rect(15, 6, 17, 27), (180, 40, 40))
    for i in range(4):
        y = 11 + i * 4
        c.fill(line(5, y, 13, y - 0.5, 1), (120, 140, 190))
        c.fill(line(19, y - 0.5, 27, y, 1), (120, 140, 190))
    ol(c, polygon([(21, 26), (27, 26), (27, 31), (24, 29), (21, 31)]), (220, 50, 50))


def science(c):
    flask = polygon([(12, 3), (20, 3), (20, 12), (29, 28), (3, 28), (12, 12)])
    ol(c, flask, (226, 240, 250), INK)
    liquid = erode(flask, 1) & rect(0, 17, 32, 32)
    c.fill(liquid, (80, 200, 110))
    c.fill(rect(10, 2, 22, 5), (150, 160, 180))
    for x, y, r in ((13, 23, 1.6), (18, 21, 1.2), (20, 25, 1.4), (15, 9, 1.0)):
        c.fill(circle(x, y, r), WHITE)


def history(c):
    frame = (130, 80, 40)
    ol(c, rrect(5, 1, 27, 5, 1.5), frame)
    ol(c, rrect(5, 27, 27, 31, 1.5), frame)
    glass = polygon([(8, 5), (24, 5), (17.5, 16), (24, 27), (8, 27), (14.5, 16)])
    ol(c, glass, (225, 242, 252), INK)
    sand = (236, 190, 90)
    c.fill(polygon([(11, 9), (21, 9), (16, 15)]), sand)
    c.fill(polygon([(16, 19), (22, 26), (10, 26)]), sand)
    c.fill(rect(15.5, 15, 16.5, 23), sand)


def geography(c):
    ol(c, circle(16, 16, 14.5), (120, 90, 60))
    ol(c, circle(16, 16, 12), (244, 238, 220))
    for h in range(4):
        a = math.radians(h * 90)
        c.fill(line(16 + 9.5 * math.sin(a), 16 - 9.5 * math.cos(a),
                    16 + 11 * math.sin(a), 16 - 11 * math.cos(a), 1.3), INK)
    c.fill(polygon([(16, 5), (19, 16), (13, 16)]), (220, 40, 40))
    c.fill(polygon([(16, 27), (19, 16), (13, 16)]), (90, 90, 110))
    c.fill(circle(16, 16, 1.6), GOLD)


def art(c):
    palette = ellipse(16, 17, 14, 11) - circle(10, 21, 2.6) - ellipse(24, 26, 5, 3)
    ol(c, palette, (226, 186, 130))
    for x, y, col in ((9, 13, (220, 40, 40)), (15, 10, (250, 210, 40)),
                      (21, 11, (60, 170, 80)), (25, 16, (50, 110, 220)), (18, 19, (150, 70, 190))):
        c.fill(circle(x, y, 2.2), col)
    c.fill(line(31, 2, 22, 18, 2.4), (140, 90, 40))
    c.fill(polygon([(21, 16.5), (23.5, 18), (21, 23), (19.5, 21)]), (60, 60, 70))


def music(c):
    ink = (30, 30, 60)
    c.fill(ellipse(9, 25, 4.6, 3.4).rotated(-20, 9, 25), ink)
    c.fill(ellipse(24, 22, 4.6, 3.4).rotated(-20, 24, 22), ink)
    c.fill(rect(12, 6, 14, 25), ink)
    c.fill(rect(27, 3, 29, 22), ink)
    c.fill(polygon([(12, 5), (29, 2), (29, 7), (12, 10)]), ink)


def pe(c):
    ball = circle(16, 16, 14)
    ol(c, ball, WHITE, INK)
    inner = erode(ball, 1)
    pent = [(16 + 5 * math.sin(math.radians(a)), 16 - 5 * math.cos(math.radians(a)))
            for a in range(0, 360, 72)]
    c.fill(polygon(pent), INK)
    for a in range(0, 360, 72):
        r = math.radians(a)
        x, y = 16 + 13 * math.sin(r), 16 - 13 * math.cos(r)
        c.fill(circle(x, y, 3.5) & inner, INK)
        c.fill(line(16 + 5 * math.sin(r), 16 - 5 * math.cos(r),
                    16 + 10 * math.sin(r), 16 - 10 * math.cos(r), 1), INK)


def ict(c):
    ol(c, rrect(2, 3, 30, 22, 2), (200, 204, 214))
    ol(c, rect(5, 6, 27, 19), (40, 110, 205), INK)
    c.fill(polygon([(5.5, 6.5), (16, 6.5), (5.5, 15)]), (110, 170, 240))
    ol(c, rect(13, 22, 19, 25), (160, 164, 176))
    ol(c, polygon([(4, 25), (28, 25), (31, 30), (1, 30)]), (200, 204, 214))
    for x in range(6, 27, 4):
        c.fill(rect(x, 26.5, x + 2.5, 28), (120, 124, 136))


def languages(c):
    ol(c, rrect(1, 3, 21, 17, 4) | polygon([(5, 15), (4, 21), (11, 15)]), (60, 130, 220))
    ol(c, rrect(11, 12, 31, 26, 4) | polygon([(26, 24), (28, 30), (20, 24)]), (240, 90, 70))
    c.fill(rect(5, 8, 17, 9.5) | rect(5, 11, 14, 12.5), WHITE)
    c.fill(rect(15, 17, 27, 18.5) | rect(15, 20, 24, 21.5), WHITE)


# --------------------------------------------------------------------------
# Web links

def globe(c, cx=16, cy=16, r=14):
    disc = circle(cx, cy, r)
    ol(c, disc, (60, 135, 220), (0, 0, 128))
    inner = erode(disc, 1)
    land = ellipse(cx - 5, cy - 5, 6, 4.5) | ellipse(cx + 5, cy + 6, 6, 5) | \
        ellipse(cx + 7, cy - 7, 3.5, 2.5)
    c.fill(land & inner, (70, 175, 80))
    k = r / 14.0
    grid = (ellipse(cx, cy, 6.5 * k, r) - ellipse(cx, cy, 5.5 * k, r - 1)) | \
        rect(cx - r, cy - 0.5, cx + r, cy + 0.5) | rect(cx - r, cy - 7 * k - 0.5, cx + r, cy - 7 * k + 0.5) | \
        rect(cx - r, cy + 7 * k - 0.5, cx + r, cy + 7 * k + 0.5)
    c.fill(grid & inner, (225, 240, 255), 0.7)


def default_web_link(c):
    globe(c, 14, 14, 13)
    ol(c, polygon([(17, 17), (30, 22), (25, 24), (30, 29), (28, 31), (23, 26), (21, 31)]),
       WHITE, INK)


def online_resources(c):
    globe(c, 19, 13, 12)
    ol(c, polygon([(1, 16), (12, 14), (13, 31), (1, 31)]), (220, 60, 50))
    ol(c, polygon([(12, 14), (23, 16), (23, 31), (13, 31)]), (240, 90, 70))
    c.fill(rect(12, 14, 13.5, 31), (150, 30, 30))


def school_website(c):
    ol(c, rect(3, 14, 29, 30), (200, 110, 80))
    ol(c, polygon([(1, 15), (16, 5), (31, 15)]), (150, 60, 50))
    ol(c, rect(13, 21, 19, 30), (120, 80, 50))
    for x in (6, 22):
        ol(c, rect(x, 18, x + 4, 22), (200, 230, 255), INK)
    ol(c, circle(16, 13, 2.5), WHITE, INK)
    c.fill(rect(15.5, 0, 16.5, 5), INK)
    c.fill(polygon([(16.5, 0), (22, 1.5), (16.5, 3)]), (230, 50, 50))


def search(c):
    c.fill(line(19, 19, 28, 28, 5), (90, 60, 40))
    c.fill(line(19, 19, 28, 28, 3), (150, 100, 60))
    ol(c, ring_shape(12, 12, 10.5, 7.5), (170, 176, 190), INK)
    c.fill(circle(12, 12, 7.5), (200, 230, 255), 0.85)
    c.fill(arc(12, 12, 6, 4.6, 280, 350), WHITE)


def ring_shape(cx, cy, ro, ri):
    return circle(cx, cy, ro) - circle(cx, cy, ri)


def news(c):
    ol(c, rect(3, 4, 29, 29), PAPER, INK)
    c.fill(rect(6, 7, 26, 11), INK)
    ol(c, rect(6, 14, 15, 22), (120, 170, 230), INK)
    for y in (14, 17, 20, 23, 26):
        c.fill(rect(17 if y < 23 else 6, y, 26, y + 1), (140, 140, 150))


def email(c):
    env = rect(2, 7, 30, 26)
    ol(c, env, PAPER, INK)
    c.fill(polyline_shape([(2.5, 7.5), (16, 18), (29.5, 7.5)], 1.5), INK)
    c.fill(polyline_shape([(2.5, 25.5), (12, 16)], 1), (120, 120, 130))
    c.fill(polyline_shape([(29.5, 25.5), (20, 16)], 1), (120, 120, 130))
    ol(c, circle(26, 24, 5), (230, 60, 50))
    c.fill(rect(25.2, 20.5, 26.8, 25) | circle(26, 26.8, 0.9), WHITE)


def polyline_shape(points, w):
    s = None
    for a, b in zip(points, points[1:]):
        seg = line(a[0], a[1], b[0], b[1], w)
        s = seg if s is None else s | seg
    return s


# --------------------------------------------------------------------------
# Pictures the school added

def crest(c):
    shield = polygon([(3, 2), (29, 2), (29, 15), (16, 31), (3, 15)])
    ol(c, shield, (30, 60, 140), (240, 200, 60), 1.6)
    c.fill(polygon([(4.5, 17), (16, 9), (27.5, 17), (27.5, 20), (16, 12.5), (4.5, 20)]) &
           erode(shield, 1.6), (240, 200, 60))
    c.fill(star(16, 22, 3.5, 1.5), WHITE)
    c.fill(star(10, 7.5, 2.6, 1.1) | star(22, 7.5, 2.6, 1.1), WHITE)


def library(c):
    books = ((2, 6, 7, (200, 60, 50)), (7, 3, 6, (50, 110, 200)), (12.5, 8, 6, (60, 160, 80)),
             (18, 5, 6, (240, 180, 40)))
    for x, top, w, col in books:
        ol(c, rect(x, top, x + w, 27), col)
        c.fill(rect(x + 1, top + 3, x + w - 1, top + 4.5), shade(col, 1.5))
    ol(c, polygon([(24, 9), (28, 7.5), (31, 26.5), (27, 28)]), (150, 80, 170))
    ol(c, rect(1, 27, 31, 30), (130, 86, 44))


def sports_day(c):
    gold, dark = GOLD, (150, 100, 10)
    ol(c, arc(7, 11, 5.5, 3, 180, 360), gold, dark)
    ol(c, arc(25, 11, 5.5, 3, 0, 180), gold, dark)
    ol(c, polygon([(7, 3), (25, 3), (23, 13), (18, 18), (14, 18), (9, 13)]), gold, dark)
    ol(c, rect(14.5, 18, 17.5, 23), gold, dark)
    ol(c, rrect(9, 23, 23, 29, 1.5), (120, 80, 50))
    c.fill(star(16, 9, 3.5, 1.5), WHITE)


def eco_club(c):
    leaf = ellipse(16, 15, 9, 14).rotated(40, 16, 15)
    ol(c, leaf, (80, 180, 70), (30, 100, 40))
    c.fill(line(8, 26, 23, 6, 1.4), (30, 110, 40))
    for t in (0.35, 0.55, 0.75):
        x, y = 8 + 15 * t, 26 - 20 * t
        c.fill(line(x, y, x + 5, y + 2, 1), (30, 110, 40))
        c.fill(line(x, y, x - 2, y - 4.5, 1), (30, 110, 40))


PICTURES = {
    'pictures': [
        ('Open Folder', open_folder),
        ('defaultWebLink', default_web_link),
        ('Shared Work', emblem_folder(people_emblem, (140, 200, 120))),
        ('Homework', emblem_folder(pencil_emblem)),
        ('My Work', emblem_folder(star_emblem, (120, 170, 240))),
        ('Hand In', emblem_folder(tray_emblem, (200, 200, 210))),
        ('Exam Papers', emblem_folder(lock_emblem, (230, 120, 100))),
        ('Maths', maths),
        ('English', english),
        ('Science', science),
        ('History', history),
        ('Geography', geography),
        ('Art', art),
        ('Music', music),
        ('PE', pe),
        ('ICT', ict),
        ('Languages', languages),
        ('School Website', school_website),
        ('Search', search),
        ('News', news),
        ('Email', email),
    ],
    'user-pictures': [
        ('School Crest', crest),
        ('Library', library),
        ('Sports Day', sports_day),
        ('Eco Club', eco_club),
    ],
    'install': [
        ('Closed Folder', closed_folder),
        ('Open Folder', open_folder),
        ('On-Line Resources', online_resources),
        ('defaultWebLink', default_web_link),
    ],
}


def main():
    for folder, items in PICTURES.items():
        out = os.path.join(DEMO, folder)
        os.makedirs(out, exist_ok=True)
        for name, draw in items:
            c = Canvas(32, design=32, ss=4)
            draw(c)
            write_bmp24(os.path.join(out, name + '.bmp'), c)


if __name__ == '__main__':
    main()
