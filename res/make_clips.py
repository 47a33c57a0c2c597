"""Draws the clips the "Can't Move" dialog plays when a move breaks a rule.

Usage: python3 make_clips.py --out DIR

Each clip loops one swing: the first person winds up and hits the second.
The files are the plainest kind of AVI the common animation control plays:
uncompressed bottom-up 8-bit frames, no sound, with an index.
"""
import argparse
import math
import os
import struct
import sys

# The build runs this from the source tree; keep it free of __pycache__.
sys.dont_write_bytecode = True
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from people import DARK, PEOPLE, draw_person  # noqa: E402
from raster import Canvas, bitmap_info_header, dib_pixels, palette_bytes, quantise, text_width  # noqa: E402
from scenery import island  # noqa: E402

WIDTH, HEIGHT = 160, 120
FRAMES_PER_SECOND = 8
# The control shows this colour as the dialog behind it, so nothing else may use it.
BACKGROUND = (250, 247, 238)
GROUND = 104
ADULT = 66
ATTACKER_X, VICTIM_X = 44, 108
STAR_OUTER = (245, 130, 30)
STAR_INNER = (255, 226, 60)

CLIPS = {
    "thief_dad.avi": ("thief", "dad"),
    "thief_mom.avi": ("thief", "mom"),
    "thief_son.avi": ("thief", "son1"),
    "thief_daughter.avi": ("thief", "daughter1"),
    "dad_daughter.avi": ("dad", "daughter1"),
    "mom_son.avi": ("mom", "son1"),
}

# One swing, frame by frame. The stick goes up behind the attacker (negative
# angles swing backwards) so that only the blow itself crosses the victim.
# Each frame gives the attacker's arm, as an angle or as None for the angle
# that meets the victim's head, plus an offset from it; the attacker's step
# forward; how far the victim leans away; the victim's arms; whether the blow lands.
SWING = (
    ((30, 0), 0, 0, (15, 15), False),
    ((-20, 0), -1, 0, (15, 15), False),
    ((-80, 0), -2, 0, (20, 20), False),
    ((-140, 0), -2, 0, (35, 30), False),
    ((190, 0), -1, 0, (70, 45), False),
    ((None, 40), 2, 1, (110, 70), False),
    ((None, 0), 4, 5, (150, 140), True),
    ((None, -6), 4, 6, (160, 150), True),
    ((45, 0), 2, 3, (120, 100), False),
    ((35, 0), 1, 1, (40, 30), False),
)
# Arm angles at which an adult's stick meets a grown-up's or a child's head.
HEAD_HEIGHT_ANGLE = {False: 100, True: 84}

AVIF_HASINDEX = 0x10
AVIIF_KEYFRAME = 0x10


def star(canvas, cx, cy, radius):
    for r, colour in ((radius, STAR_OUTER), (radius * 0.6, STAR_INNER)):
        canvas.polygon([(cx + math.cos(k * math.pi / 6) * r * (1 if k % 2 == 0 else 0.45),
                         cy + math.sin(k * math.pi / 6) * r * (1 if k % 2 == 0 else 0.45))
                        for k in range(12)], colour)


def label(canvas, x, text):
    px = 2
    canvas.text(round(x - text_width(text, px) / 2), 6, text, DARK, px)


def frame(attacker, victim, pose):
    (angle, offset), step, lean, victim_arms, hit = pose
    if angle is None:
        angle = HEAD_HEIGHT_ANGLE[PEOPLE[victim].child]
    canvas = Canvas(WIDTH, HEIGHT, BACKGROUND)
    island(canvas, WIDTH / 2, GROUND + 5, 74, 12)
    label(canvas, ATTACKER_X, PEOPLE[attacker].label)
    label(canvas, VICTIM_X, PEOPLE[victim].label)
    draw_person(canvas, victim, VICTIM_X, GROUND, ADULT, arms=victim_arms, facing=-1,
                lean=lean, mood="ouch" if lean else "happy")
    tip = draw_person(canvas, attacker, ATTACKER_X + step, GROUND, ADULT, arms=(angle + offset, 20),
                      facing=1, stick=True, mood="angry")
    if hit:
        star(canvas, tip[0] + 2, tip[1], 9)
    return canvas.rows()


def palette_of(frames):
    """Every colour the frames use, the background first so it is index 0."""
    colours = {BACKGROUND: 0}
    for rows in frames:
        for row in rows:
            for colour in row:
                colours.setdefault(colour, len(colours))
    if len(colours) > 256:
        raise ValueError("the clip needs more than 256 colours")
    return list(colours)


def chunk(fourcc, data):
    return fourcc + struct.pack("<I", len(data)) + data + b"\0" * (len(data) % 2)


def riff_list(kind, *chunks):
    return chunk(b"LIST", kind + b"".join(chunks))


def avi_file(frames):
    palette = palette_of(frames)
    images = [dib_pixels(quantise(rows, palette), 8) for rows in frames]
    size = len(images[0])
    count = len(images)
    main_header = struct.pack("<14I", 1000000 // FRAMES_PER_SECOND, size * FRAMES_PER_SECOND, 0,
                              AVIF_HASINDEX, count, 0, 1, size, WIDTH, HEIGHT, 0, 0, 0, 0)
    stream_header = struct.pack("<4s4sIHHIIIIIIIIhhhh", b"vids", b"DIB ", 0, 0, 0, 0, 1,
                                FRAMES_PER_SECOND, 0, count, size, 0xFFFFFFFF, 0,
                                0, 0, WIDTH, HEIGHT)
    stream_format = bitmap_info_header(WIDTH, HEIGHT, 8, size, len(palette)) + palette_bytes(palette)
    header = riff_list(b"hdrl", chunk(b"avih", main_header),
                       riff_list(b"strl", chunk(b"strh", stream_header), chunk(b"strf", stream_format)))
    movi = [chunk(b"00db", image) for image in images]
    # Index offsets count from the 'movi' fourcc, so the first frame is at 4.
    offsets = [4 + sum(len(c) for c in movi[:k]) for k in range(count)]
    index = b"".join(struct.pack("<4sIII", b"00db", AVIIF_KEYFRAME, offset, size)
                     for offset in offsets)
    body = header + riff_list(b"movi", *movi) + chunk(b"idx1", index)
    return chunk(b"RIFF", b"AVI " + body)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--out", required=True, help="directory to write the clips to")
    out = parser.parse_args().out
    os.makedirs(out, exist_ok=True)
    for name, (attacker, victim) in CLIPS.items():
        data = avi_file([frame(attacker, victim, pose) for pose in SWING])
        with open(os.path.join(out, name), "wb") as f:
            f.write(data)


if __name__ == "__main__":
    main()
