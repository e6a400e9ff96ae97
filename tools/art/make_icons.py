#!/usr/bin/env python3
"""Draws the program's icon resources into resources/icons/.

Every icon is drawn in a 32-unit design space and rendered at each size that
Windows asks for at 100 % to 200 % display scaling (SIZES); up to 20x20
outlines are drawn two units wide so they stay at least one pixel wide.  Run from anywhere: python3 tools/art/make_icons.py
"""

import math
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from pixelkit import (Canvas, arc, circle, ellipse, erode, flipped_v, ico32_image,  # noqa: E402
                      line, polygon, rect, rrect, shade, write_ico)

ROOT = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', '..'))
OUT_DIR = os.path.join(ROOT, 'resources', 'icons')

INK = (38, 52, 84)
PAPER = (255, 255, 255)
PAPER_FOLD = (214, 224, 240)
RULE = (120, 150, 200)
BLUE = (40, 110, 205)
NAVY = (0, 0, 128)
GOLD = (245, 190, 40)
GOLD_DARK = (150, 100, 10)
GREEN = (40, 160, 70)
SKIN = (246, 206, 168)
HAIR = (120, 72, 36)
FOLDER = (250, 204, 86)
FOLDER_BACK = (226, 168, 52)
FOLDER_INK = (150, 100, 20)


def edge(small):
    return 2.0 if small else 1.0


def outlined(c, shape, fill, ink, small):
    c.fill(shape, ink)
    c.fill(erode(shape, edge(small)), fill)


# --------------------------------------------------------------------------
# Building blocks

def sheet(c, small, x0=7, y0=3, x1=26, y1=29, fold=6, lines=True):
    body = polygon([(x0, y0), (x1 - fold, y0), (x1, y0 + fold), (x1, y1), (x0, y1)])
    outlined(c, body, PAPER, INK, small)
    corner = polygon([(x1 - fold, y0), (x1 - fold, y0 + fold), (x1, y0 + fold)])
    outlined(c, corner, PAPER_FOLD, INK, small)
    if lines:
        step = 4
        y = y0 + fold + (3 if small else 3)
        while y + 2 <= y1 - 3:
            right = x1 - 3 if y > y0 + fold else x1 - fold - 2
            c.fill(rect(x0 + 3, y, right, y + (2 if small else 1.5)), RULE)
            y += step


def padlock(c, small, x0=16, y0=15):
    e = edge(small)
    shackle = arc(x0 + 7, y0 + 7, 5.5, 5.5 - (3 if small else 2.5), 270, 90) | \
        rect(x0 + 1.5, y0 + 7, x0 + 12.5, y0 + 9) - rect(x0 + 4.5, y0 + 6, x0 + 9.5, y0 + 10)
    c.fill(shackle, (110, 110, 120))
    body = rrect(x0, y0 + 7, x0 + 14, y0 + 17, 1.5)
    c.fill(body, GOLD_DARK)
    c.fill(erode(body, e), GOLD)
    c.fill(rect(x0 + 6, y0 + 10, x0 + 8, y0 + 14), GOLD_DARK)


def person(c, small, cx, head_y, head_r, shirt, bottom=32):
    e = edge(small)
    body_w = head_r * 2.9
    top = head_y + head_r * 0.9
    body = rrect(cx - body_w / 2, top, cx + body_w / 2, top + body_w * 1.2, body_w / 2.4) & \
        rect(0, 0, 32, bottom)
    c.fill(body, shade(shirt, 0.55))
    c.fill(erode(body, e) & rect(0, 0, 32, bottom - e), shirt)
    head = circle(cx, head_y, head_r)
    c.fill(head, shade(SKIN, 0.55))
    c.fill(erode(head, e), SKIN)
    hair = circle(cx, head_y, head_r - e) & rect(0, 0, 32, head_y - head_r * 0.25)
    c.fill(hair, HAIR)


def folder(c, small, back=FOLDER_BACK, front=FOLDER, ink=FOLDER_INK, paper=False):
    back_shape = polygon([(2, 6), (12, 6), (15, 9), (30, 9), (30, 27), (2, 27)])
    outlined(c, back_shape, back, ink, small)
    if paper:
        outlined(c, rect(7, 5, 27, 20), PAPER, INK, small)
        for y in (9, 13):
            c.fill(rect(10, y, 24, y + (2 if small else 1.5)), RULE)
    front_shape = polygon([(2, 13), (30, 13), (30, 27), (2, 27)])
    outlined(c, front_shape, front, ink, small)


def up_arrow_shape():
    return polygon([(16, 4), (28, 17), (20.5, 17), (20.5, 28), (11.5, 28), (11.5, 17), (4, 17)])


# --------------------------------------------------------------------------
# The icons

def app(c, small):
    body = rrect(3, 6, 23, 30, 1.5)
    outlined(c, body, PAPER, INK, small)
    # Two bold sliders read better than three at 16x16.
    rows = ((14, 9), (23, 16)) if small else ((12, 9), (18, 16), (24, 12))
    half = 3 if small else 2
    for y, kx in rows:
        c.fill(rect(6, y - 1 if small else y - 0.75, 20, y + 1 if small else y + 0.75),
               (150, 160, 180))
        knob = rrect(kx - half, y - half - 1, kx + half, y + half + 1, 1)
        outlined(c, knob, BLUE, INK, small)
    # The light: a sun whose rays spill over the sheet's corner.
    for i in range(8):
        a = math.radians(i * 45 + 22.5)
        r0, r1 = 7.0, 10.0
        c.fill(line(24 + r0 * math.sin(a), 8 - r0 * math.cos(a),
                    24 + r1 * math.sin(a), 8 - r1 * math.cos(a), 2 if small else 1.6),
               (235, 150, 20))
    sun = circle(24, 8, 5.5)
    c.fill(sun, (215, 120, 10))
    c.fill(erode(sun, edge(small)), (255, 214, 60))


def scheme(c, small):
    sheet(c, small)


def protected_scheme(c, small):
    sheet(c, small, x0=4, x1=23)
    padlock(c, small)


def help_badge(c, small):
    disc = circle(16, 16, 15)
    c.fill(disc, NAVY)
    c.fill(erode(disc, edge(small)), BLUE)
    c.fill(ellipse(16, 9, 9, 5), (255, 255, 255), 0.25)
    w = 3.5 if small else 3.2
    hook = arc(16, 12, 6.5, 6.5 - w, 280, 175)
    stem = rect(16 - w / 2, 16, 16 + w / 2, 21)
    c.fill(hook | stem, PAPER)
    c.fill(circle(16, 25, 2.2 if small else 2), PAPER)


def onscreen_helper(c, small):
    bubble = rrect(12, 1, 31, 16, 4)
    tail = polygon([(16, 14), (13, 21), (22, 14)])
    c.fill(bubble | tail, INK)
    c.fill(erode(bubble, edge(small)) | erode(tail, edge(small)), PAPER)
    for x in (17, 21.5, 26):
        c.fill(circle(x, 8.5, 1.6), BLUE)
    face = circle(11, 21, 10)
    c.fill(face, (190, 120, 0))
    c.fill(erode(face, edge(small)), (255, 214, 50))
    for x in (7.5, 14.5):
        c.fill(ellipse(x, 18.5, 1.4 if not small else 1.6, 2.2), INK)
    c.fill(arc(11, 21, 6.5, 6.5 - (2 if small else 1.4), 115, 245), INK)


def allocate(c, small):
    person(c, small, 25, 8, 4, (60, 150, 120), bottom=26)
    person(c, small, 20, 14.5, 4.6, BLUE, bottom=32)
    arrow = polygon([(0.5, 13), (7, 13), (7, 7.5), (15, 16), (7, 24.5), (7, 19), (0.5, 19)])
    c.fill(arrow, shade(GREEN, 0.5))
    c.fill(erode(arrow, edge(small)), (70, 200, 90))


def user(c, small):
    person(c, small, 16, 10, 7, BLUE)


def user_class(c, small):
    person(c, small, 8, 8, 4.5, (200, 80, 60), bottom=25)
    person(c, small, 24, 8, 4.5, (60, 150, 120), bottom=25)
    person(c, small, 16, 15, 5.5, BLUE)


def general_tab(c, small):
    rows = ((7, 20), (16, 10), (25, 17))
    for y, kx in rows:
        c.fill(rect(3, y - 1, 29, y + 1), (110, 118, 135))
        knob = rrect(kx - 3, y - 5, kx + 3, y + 5, 1.5)
        outlined(c, knob, (90, 150, 230), INK, small)


def chain_link(c, small):
    w = 3.5 if small else 3.0
    outer = rrect(-11.5, -6, 11.5, 6, 6)
    inner = rrect(-11.5 + w, -6 + w, 11.5 - w, 6 - w, 6 - w)
    loop = (outer - inner)
    a = loop.moved(11, 21).rotated(-45, 11, 21)
    b = loop.moved(21, 11).rotated(-45, 21, 11)
    dark, light = (40, 80, 150), (110, 160, 230)
    c.fill(a, dark)
    c.fill(erode(a, edge(small) * 0.8), light)
    c.fill(b, dark)
    c.fill(erode(b, edge(small) * 0.8), light)


def globe(c, small):
    disc = circle(16, 16, 14)
    c.fill(disc, NAVY)
    inner = erode(disc, edge(small))
    c.fill(inner, (60, 135, 220))
    land = (ellipse(10, 11, 6, 4.5) | ellipse(21, 22, 6, 5) | ellipse(23, 9, 3.5, 2.5))
    c.fill(land & inner, (70, 175, 80))
    g = 1.6 if small else 1.0
    grid = (ellipse(16, 16, 6 + g / 2, 14) - ellipse(16, 16, 6 - g / 2, 14 - g)) | \
        rect(2, 16 - g / 2, 30, 16 + g / 2) | rect(2, 9 - g / 2, 30, 9 + g / 2) | \
        rect(2, 23 - g / 2, 30, 23 + g / 2) | rect(16 - g / 2, 2, 16 + g / 2, 30)
    c.fill(grid & inner, (225, 240, 255), 0.8)
    c.fill(ellipse(11, 9, 5, 3) & inner, (255, 255, 255), 0.25)


def programs_tab(c, small):
    frame = rrect(2, 4, 30, 28, 2)
    c.fill(frame, INK)
    c.fill(rect(2 + edge(small), 4 + edge(small), 30 - edge(small), 10), BLUE)
    c.fill(rect(2 + edge(small), 10, 30 - edge(small), 28 - edge(small)), PAPER)
    c.fill(rect(25, 6 if small else 5.5, 28 - (0 if small else 0.5), 8), PAPER)
    tiles = ((6, 13, (220, 70, 60)), (18, 13, (50, 170, 80)),
             (6, 20, (245, 180, 30)), (18, 20, (110, 90, 200)))
    for x, y, col in tiles:
        c.fill(rrect(x, y, x + 8, y + 5, 1), col)


def my_files_tab(c, small):
    folder(c, small)


def my_files(c, small):
    folder(c, small, paper=True)


def arrow_normal(shape):
    def draw(c, small):
        c.fill(shape, (60, 60, 66))
    return draw


def arrow_hot(shape):
    def draw(c, small):
        c.fill(rrect(0, 0, 32, 32, 5), (205, 220, 248))
        c.fill(erode(rrect(0, 0, 32, 32, 5), edge(small)), (228, 236, 252))
        c.fill(shape, NAVY)
    return draw


UP = up_arrow_shape()
DOWN = flipped_v(UP)

ICONS = [
    (100, 'app', app, 'application: settings sheet with a sun'),
    (157, 'arrow_down', arrow_normal(DOWN), 'down arrow, normal'),
    (159, 'arrow_up', arrow_normal(UP), 'up arrow, normal'),
    (186, 'scheme', scheme, 'ordinary scheme (sheet)'),
    (187, 'scheme_protected', protected_scheme, 'built-in scheme (sheet with padlock)'),
    (188, 'help_about', help_badge, 'help and About picture button ("?" badge)'),
    (202, 'arrow_up_hot', arrow_hot(UP), 'up arrow, highlighted or pressed'),
    (206, 'arrow_down_hot', arrow_hot(DOWN), 'down arrow, highlighted or pressed'),
    (209, 'user', user, 'a user'),
    (210, 'class', user_class, 'a class'),
    (217, 'tab_general', general_tab, 'General tab (sliders)'),
    (218, 'tab_links', chain_link, 'Links tab (chain link)'),
    (220, 'links', globe, 'Links (globe)'),
    (221, 'programs', programs_tab, 'Programs (window with tiles)'),
    (223, 'tab_my_files', my_files_tab, 'My Files tab (folder)'),
    (224, 'my_files', my_files, 'My Files (folder with a document)'),
    (225, 'onscreen_helper', onscreen_helper, 'OnScreen Helper (smiling face, speech bubble)'),
    (226, 'allocate', allocate, 'allocating a scheme (arrow to people)'),
]


# Small icons at 100, 125, 150 and 200 % (16, 20, 24, 32) and large ones (32, 40, 48, 64).
SIZES = (16, 20, 24, 32, 40, 48, 64)


def render(draw, size):
    c = Canvas(size, design=32, ss=6 if size <= 16 else 4 if size <= 32 else 3)
    draw(c, size <= 20)
    return c


def main():
    os.makedirs(OUT_DIR, exist_ok=True)
    for rid, name, draw, _ in ICONS:
        images = [ico32_image(render(draw, size)) for size in SIZES]
        write_ico(os.path.join(OUT_DIR, name + '.ico'), images)
    with open(os.path.join(OUT_DIR, 'README.md'), 'w', newline='\n') as f:
        f.write('# Icons\n\n'
                'Each file holds images of %s pixels, 32-bit with an AND mask.\n'
                % ', '.join('%dx%d' % (size, size) for size in SIZES) +
                'Generated by `tools/art/make_icons.py`; edit the generator, not the files.\n\n'
                '| id | file | picture |\n|---|---|---|\n')
        for rid, name, _, what in ICONS:
            f.write('| %d | `%s.ico` | %s |\n' % (rid, name, what))


if __name__ == '__main__':
    main()
