"""Draws the About picture, the Complete Mission picture and the program icon.

Usage: python3 make_pictures.py --out DIR
"""
import argparse
import math
import os
import sys

# The build runs this from the source tree; keep it free of __pycache__.
sys.dont_write_bytecode = True
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from people import LINE_UP, draw_person  # noqa: E402
from raster import WHITE, Canvas, bmp_file, icon_file, mix, text_width  # noqa: E402
from scenery import FOAM, WATER_FAR, island  # noqa: E402

# Twice the final size is enough for smooth edges and keeps the build quick.
SMOOTHING = 2
GOLDEN = (math.sqrt(5) - 1) / 2

SKY_TOP = (96, 166, 232)
SKY_HORIZON = (206, 232, 250)
WATER_NEAR = (22, 78, 150)
GRASS_DARK = (62, 134, 52)
LOG_LIGHT = (196, 140, 78)
LOG_DARK = (128, 82, 40)
TRUNK = (130, 88, 48)
SUN = (255, 222, 96)
SHADOW = (40, 40, 60)
CONFETTI = ((235, 64, 52), (250, 200, 40), (60, 170, 230), (120, 200, 80),
            (230, 110, 200), (255, 140, 30))


def sky_and_water(canvas, horizon):
    canvas.gradient_rect(0, 0, canvas.width, horizon, SKY_TOP, SKY_HORIZON)
    canvas.gradient_rect(0, horizon, canvas.width, canvas.height, WATER_FAR, WATER_NEAR)
    # Highlights get longer and further apart towards the viewer, which gives depth.
    rows = 9
    for k in range(rows):
        t = (k + 0.5) / rows
        y = horizon + (canvas.height - horizon) * t ** 1.3
        length = 4 + 10 * t
        step = 18 + 30 * t
        x = (k * GOLDEN % 1) * step
        while x < canvas.width:
            canvas.line(x, y, x + length, y, 0.8 + t, mix(WATER_FAR, WHITE, 0.45))
            x += step


def sun(canvas, cx, cy, radius):
    canvas.disc(cx, cy, radius * 1.5, mix(SUN, SKY_HORIZON, 0.6))
    canvas.disc(cx, cy, radius * 1.2, mix(SUN, SKY_HORIZON, 0.3))
    canvas.disc(cx, cy, radius, SUN)


def cloud(canvas, cx, cy, size):
    for dx, dy, r in ((-1.0, 0.2, 0.55), (0.0, -0.15, 0.75), (1.0, 0.15, 0.6), (0.4, 0.3, 0.6)):
        canvas.disc(cx + dx * size, cy + dy * size, r * size, WHITE)


def palm(canvas, x, ground, height):
    top = (x + 0.25 * height, ground - height)
    trunk = [(x + 0.25 * height * (k / 6) ** 2, ground - height * k / 6) for k in range(7)]
    canvas.polyline(trunk, 0.09 * height, TRUNK)
    for angle in (-160, -125, -90, -55, -20, 15, 195):
        rad = math.radians(angle)
        tip = (top[0] + math.cos(rad) * 0.45 * height, top[1] + math.sin(rad) * 0.3 * height + 0.12 * height)
        middle = ((top[0] + tip[0]) / 2, min(top[1], tip[1]) - 0.06 * height)
        canvas.polyline([top, middle, tip], 0.07 * height, GRASS_DARK)
    for dx in (-0.04, 0.05):
        canvas.disc(top[0] + dx * height, top[1] + 0.05 * height, 0.045 * height, TRUNK)


def bush(canvas, cx, ground, size):
    for dx, r in ((-0.6, 0.55), (0.6, 0.55), (0.0, 0.75)):
        canvas.disc(cx + dx * size, ground - r * size, r * size, GRASS_DARK)


def raft(canvas, cx, deck_y, width, logs):
    """Logs seen slightly from above, back to front, lying on the water at deck_y."""
    thickness = width / 9
    canvas.ellipse(cx, deck_y + thickness * (logs - 0.3), width * 0.62, thickness * 1.4,
                   mix(FOAM, WHITE, 0.1))
    for k in range(logs):
        y = deck_y + k * thickness * 0.8
        shade = mix(LOG_LIGHT, LOG_DARK, k / max(1, logs - 1) * 0.6)
        half = width / 2 - thickness / 2
        canvas.line(cx - half, y, cx + half, y, thickness, mix(shade, LOG_DARK, 0.35))
        canvas.line(cx - half, y - thickness * 0.15, cx + half, y - thickness * 0.15,
                    thickness * 0.55, shade)
    rope = mix(LOG_LIGHT, (250, 240, 210), 0.6)
    for x in (cx - width * 0.3, cx + width * 0.3):
        canvas.line(x, deck_y - thickness * 0.5, x, deck_y + (logs - 0.4) * thickness * 0.8,
                    thickness * 0.25, rope)


def shadowed_text(canvas, x, y, text, colour, px):
    canvas.text(x + px * 0.6, y + px * 0.6, text, SHADOW, px)
    canvas.text(x, y, text, colour, px)


def centred_text(canvas, y, text, colour, px):
    shadowed_text(canvas, (canvas.width - text_width(text, px)) / 2, y, text, colour, px)


def about_picture():
    canvas = Canvas(200, 260, SKY_TOP, SMOOTHING)
    horizon = 118
    sky_and_water(canvas, horizon)
    sun(canvas, 164, 58, 13)
    cloud(canvas, 42, 62, 11)
    cloud(canvas, 118, 88, 8)
    # A far shore, hazy with distance.
    canvas.ellipse(150, horizon, 70, 7, mix(GRASS_DARK, SKY_HORIZON, 0.55))
    centred_text(canvas, 14, "QUILLMERE", WHITE, 4)

    island(canvas, 26, 152, 70, 18)
    palm(canvas, 10, 148, 44)
    for who, x in (("dad", 34), ("mom", 52), ("son1", 70), ("daughter1", 82)):
        draw_person(canvas, who, x, 150, 26)
    island(canvas, 186, 186, 62, 16)
    bush(canvas, 194, 182, 7)
    for who, x in (("son2", 150), ("daughter2", 164)):
        draw_person(canvas, who, x, 184, 26)

    raft(canvas, 96, 220, 78, 4)
    # The oar runs through the policeman's hand, so he is the one rowing.
    canvas.line(124, 194, 143, 247, 2.4, LOG_DARK)
    canvas.ellipse(144, 249, 3, 5, LOG_DARK)
    draw_person(canvas, "thief", 80, 220, 40, arms=(20, 25), facing=1, mood="ouch")
    draw_person(canvas, "police", 114, 220, 40, arms=(40, 20), facing=1)
    return canvas.downsampled()


def confetti(canvas, top, bottom, count):
    # Spread by the golden ratio rather than by a random generator: every build
    # draws the same picture, and the pieces never clump.
    for k in range(count):
        x = (k * GOLDEN % 1) * canvas.width
        y = top + ((k * GOLDEN * GOLDEN + 0.37 * k / count) % 1) * (bottom - top)
        angle = k * 2.4
        dx, dy = math.cos(angle) * 2.4, math.sin(angle) * 2.4
        ex, ey = -dy * 0.45, dx * 0.45
        canvas.polygon([(x - dx - ex, y - dy - ey), (x + dx - ex, y + dy - ey),
                        (x + dx + ex, y + dy + ey), (x - dx + ex, y - dy + ey)],
                       CONFETTI[k % len(CONFETTI)])


def bunting(canvas, y, sag):
    points = [(x, y + sag * math.sin(math.pi * x / canvas.width)) for x in range(0, canvas.width + 1, 5)]
    canvas.polyline(points, 0.8, (120, 90, 70))
    for k, x in enumerate(range(8, canvas.width, 16)):
        yy = y + sag * math.sin(math.pi * x / canvas.width)
        canvas.polygon([(x - 5, yy), (x + 5, yy), (x, yy + 9)], CONFETTI[k % len(CONFETTI)])


def cookie_plate(canvas, cx, cy):
    canvas.ellipse(cx, cy + 1.5, 30, 9, (150, 150, 160))
    canvas.ellipse(cx, cy, 30, 9, (248, 248, 252))
    canvas.ellipse(cx, cy, 23, 6.5, (226, 228, 236))
    chips = (52, 30, 20)
    for k, (dx, dy) in enumerate(((-13, 0), (0, 1), (13, 0), (-6, -4), (7, -4), (0, -7))):
        x, y = cx + dx, cy + dy - 2
        canvas.ellipse(x, y + 0.8, 7, 4.2, (150, 92, 40))
        canvas.ellipse(x, y, 7, 4.2, (212, 150, 80))
        for j in range(3):
            a = k * 1.7 + j * 2.1
            canvas.disc(x + math.cos(a) * 3.6, y + math.sin(a) * 2.0, 0.9, chips)


def picnic_blanket(canvas, cx, cy, back, front, depth, columns=10, rows=3):
    """A checked blanket seen in perspective: back and front are half-widths."""
    colours = ((212, 60, 60), (250, 240, 235))

    def corner(i, j):
        half = back + (front - back) * j / rows
        return cx - half + 2 * half * i / columns, cy - depth / 2 + depth * j / rows

    for i in range(columns):
        for j in range(rows):
            canvas.polygon([corner(i, j), corner(i + 1, j), corner(i + 1, j + 1), corner(i, j + 1)],
                           colours[(i + j) % 2])


def complete_picture():
    canvas = Canvas(300, 200, SKY_TOP, SMOOTHING)
    horizon = 104
    sky_and_water(canvas, horizon)
    sun(canvas, 272, 60, 13)
    cloud(canvas, 40, 50, 10)
    confetti(canvas, 4, 140, 70)
    bunting(canvas, 2, 10)
    centred_text(canvas, 22, "MISSION COMPLETE!", (255, 214, 60), 3)

    raft(canvas, 30, 124, 54, 3)
    island(canvas, 166, 178, 160, 50)
    palm(canvas, 270, 150, 56)
    picnic_blanket(canvas, 150, 181, 52, 64, 22)
    raised = ((150, 160), (165, 135), (120, 170), (170, 150))
    for k, who in enumerate(LINE_UP):
        x = 40 + k * 31
        draw_person(canvas, who, x, 160, 46, arms=raised[k % len(raised)],
                    facing=1 if k < 4 else -1)
    cookie_plate(canvas, 150, 180)
    return canvas.downsampled()


ICON_PALETTE = (
    (0, 0, 0), (18, 46, 118), (34, 98, 196), (104, 176, 240), (255, 255, 255),
    (92, 52, 22), (152, 96, 46), (214, 164, 92), (214, 44, 44), (236, 140, 130),
    (190, 224, 250), (60, 140, 220), (24, 72, 160), (236, 206, 150), (120, 74, 34),
    (70, 120, 200),
)


def icon_image(size):
    """The raft on blue water, laid out on a 32-unit grid. Edges sit on even
    units so that the 16-pixel image stays crisp rather than blurring between
    palette colours."""
    u = size / 32
    navy, blue, light, white, dark, brown, tan, red, foam = (
        ICON_PALETTE[i] for i in (1, 2, 3, 4, 5, 6, 7, 8, 10))
    canvas = Canvas(size, size, None, 4)
    canvas.rounded_rect(0, 0, size, size, 6 * u, navy)
    canvas.rounded_rect(2 * u, 2 * u, 30 * u, 30 * u, 4 * u, blue)
    canvas.rounded_rect(2 * u, 2 * u, 30 * u, 18 * u, 4 * u, light)
    canvas.fill_rect(2 * u, 12 * u, 30 * u, 18 * u, light)
    canvas.fill_rect(4 * u, 26 * u, 12 * u, 28 * u, foam)
    canvas.fill_rect(20 * u, 26 * u, 28 * u, 28 * u, foam)
    canvas.fill_rect(16 * u, 4 * u, 18 * u, 18 * u, dark)
    canvas.polygon([(18 * u, 4 * u), (28 * u, 18 * u), (18 * u, 18 * u)], white)
    canvas.polygon([(16 * u, 8 * u), (16 * u, 18 * u), (8 * u, 18 * u)], red)
    for k, colour in enumerate((tan, brown, dark)):
        canvas.rounded_rect(4 * u, (18 + 2 * k) * u, 28 * u, (20 + 2 * k) * u, 1 * u, colour)
    return canvas.downsampled().rows()


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--out", required=True, help="directory to write the files to")
    out = parser.parse_args().out
    os.makedirs(out, exist_ok=True)
    outputs = {
        "about.bmp": bmp_file(about_picture()),
        "complete.bmp": bmp_file(complete_picture()),
        "Quillmere.ico": icon_file([icon_image(32), icon_image(16)], ICON_PALETTE),
    }
    for name, data in outputs.items():
        with open(os.path.join(out, name), "wb") as f:
            f.write(data)


if __name__ == "__main__":
    main()
