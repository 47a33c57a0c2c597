"""The eight islanders as the pictures and clips draw them.

Each person keeps the same colours and headgear everywhere, so a player who
has seen the About picture recognises the thief or Mom in a clip.
"""
import math
from collections import namedtuple

from raster import WHITE

SKIN = (243, 196, 152)
SHOE = (60, 40, 30)
STICK = (140, 90, 40)
DARK = (35, 30, 35)
MOUTH = (150, 40, 40)
BADGE = (250, 205, 40)

Person = namedtuple("Person", "label child shirt legs dress hair style")

PEOPLE = {
    "dad": Person("DAD", False, (46, 139, 87), (92, 70, 52), False, (80, 50, 28), "moustache"),
    "mom": Person("MOM", False, (214, 52, 71), SKIN, True, (130, 62, 24), "long hair"),
    "son1": Person("SON", True, (250, 160, 20), (60, 90, 165), False, (205, 150, 60), "short hair"),
    "son2": Person("SON", True, (60, 170, 210), (60, 90, 165), False, (110, 70, 35), "short hair"),
    "daughter1": Person("DAUGHTER", True, (236, 110, 180), SKIN, True, (150, 80, 30), "pigtails"),
    "daughter2": Person("DAUGHTER", True, (150, 100, 210), SKIN, True, (225, 175, 80), "pigtails"),
    "police": Person("POLICE", False, (38, 60, 140), (25, 35, 80), False, (60, 40, 25), "police"),
    "thief": Person("THIEF", False, WHITE, (70, 70, 75), False, DARK, "robber"),
}

# The order the islanders line up in when they are all together.
LINE_UP = ("dad", "son1", "son2", "mom", "daughter1", "daughter2", "police", "thief")


def person_height(who, size):
    return size * (0.72 if PEOPLE[who].child else 1.0)


def _limb_end(x, y, angle, length, side):
    # Angles count from hanging straight down, swinging out to the given side.
    rad = math.radians(angle)
    return x + side * math.sin(rad) * length, y + math.cos(rad) * length


def _arm(canvas, person, shoulder, angle, side, h, stick):
    """Returns where the arm reaches: the stick's tip if it holds one, else the hand."""
    sx, sy = shoulder
    elbow = _limb_end(sx, sy, angle, 0.2 * h, side)
    hand = _limb_end(sx, sy, angle, 0.36 * h, side)
    reach = hand
    if stick:
        reach = _limb_end(sx, sy, angle, 0.78 * h, side)
        canvas.line(hand[0], hand[1], reach[0], reach[1], 0.07 * h, STICK)
    canvas.line(sx, sy, elbow[0], elbow[1], 0.085 * h, person.shirt)
    canvas.line(elbow[0], elbow[1], hand[0], hand[1], 0.065 * h, SKIN)
    canvas.disc(hand[0], hand[1], 0.045 * h, SKIN)
    return reach


def _legs(canvas, person, x, foot_y, hip_y, h):
    for side in (-1, 1):
        foot_x = x + side * 0.09 * h
        canvas.line(x + side * 0.05 * h, hip_y, foot_x, foot_y - 0.04 * h, 0.085 * h, person.legs)
        canvas.ellipse(foot_x + side * 0.02 * h, foot_y - 0.02 * h, 0.06 * h, 0.03 * h, SHOE)


def _body(canvas, person, x_top, x_hip, top, hip_y, foot_y, h):
    if person.dress:
        hem = foot_y - 0.22 * h
        canvas.polygon([(x_top - 0.09 * h, top), (x_top + 0.09 * h, top),
                        (x_hip + 0.2 * h, hem), (x_hip - 0.2 * h, hem)], person.shirt)
        return
    bottom = hip_y + 0.03 * h
    canvas.polygon([(x_top - 0.11 * h, top), (x_top + 0.11 * h, top),
                    (x_hip + 0.1 * h, bottom), (x_hip - 0.1 * h, bottom)], person.shirt)
    if person.style == "robber":
        for k in range(1, 5):
            t = k / 4.6
            y = top + t * (bottom - top)
            x = x_top + t * (x_hip - x_top)
            canvas.fill_rect(x - 0.1 * h, y, x + 0.1 * h, y + 0.04 * h, DARK)
    if person.style == "police":
        canvas.disc(x_top - 0.05 * h, top + 0.09 * h, 0.025 * h, BADGE)


def _hair_behind(canvas, person, cx, cy, r):
    if person.style == "long hair":
        # Strands down both sides only: hair under the chin reads as a beard.
        for side in (-1, 1):
            canvas.ellipse(cx + side * 0.78 * r, cy + 0.55 * r, 0.5 * r, 1.2 * r, person.hair)
    elif person.style == "pigtails":
        for side in (-1, 1):
            canvas.disc(cx + side * 1.05 * r, cy + 0.25 * r, 0.45 * r, person.hair)


def _headgear(canvas, person, cx, cy, r):
    if person.style == "police":
        canvas.fill_rect(cx - 1.05 * r, cy - 1.15 * r, cx + 1.05 * r, cy - 0.35 * r, person.shirt)
        canvas.fill_rect(cx - 1.25 * r, cy - 0.45 * r, cx + 1.25 * r, cy - 0.25 * r, DARK)
        canvas.disc(cx, cy - 0.75 * r, 0.2 * r, BADGE)
    elif person.style == "robber":
        canvas.ellipse(cx, cy - 0.45 * r, 1.05 * r, 0.65 * r, DARK)
        canvas.fill_rect(cx - 1.0 * r, cy - 0.2 * r, cx + 1.0 * r, cy + 0.2 * r, DARK)


def _face(canvas, person, cx, cy, r, facing, mood):
    look = facing * 0.12 * r
    eye_colour = WHITE if person.style == "robber" else DARK
    for side in (-1, 1):
        canvas.disc(cx + look + side * 0.38 * r, cy, max(0.6, 0.14 * r), eye_colour)
    if person.style == "moustache":
        canvas.ellipse(cx + look, cy + 0.42 * r, 0.38 * r, 0.12 * r, person.hair)
    if mood == "ouch":
        canvas.ellipse(cx + look, cy + 0.6 * r, 0.2 * r, 0.25 * r, MOUTH)
    elif mood == "angry":
        brow = max(0.8, 0.13 * r)
        for side in (-1, 1):
            ex = cx + look + side * 0.38 * r
            canvas.line(ex - side * 0.3 * r, cy - 0.2 * r, ex + side * 0.25 * r, cy - 0.42 * r,
                        brow, DARK)
        canvas.polyline([(cx + look - 0.3 * r, cy + 0.7 * r), (cx + look, cy + 0.55 * r),
                         (cx + look + 0.3 * r, cy + 0.7 * r)], max(0.8, 0.1 * r), MOUTH)
    else:
        canvas.polyline([(cx + look - 0.35 * r, cy + 0.55 * r), (cx + look, cy + 0.72 * r),
                         (cx + look + 0.35 * r, cy + 0.55 * r)], max(0.8, 0.1 * r), MOUTH)


def _head(canvas, person, cx, cy, r, facing, mood):
    _hair_behind(canvas, person, cx, cy, r)
    canvas.disc(cx, cy, r, person.hair)
    canvas.ellipse(cx, cy + 0.15 * r, 0.92 * r, 0.85 * r, SKIN)
    _headgear(canvas, person, cx, cy, r)
    _face(canvas, person, cx, cy, r, facing, mood)


def draw_person(canvas, who, x, foot_y, size, arms=(15, 15), facing=1, lean=0.0,
                stick=False, mood="happy"):
    """Draws a person standing on foot_y, an adult being size tall.

    arms gives the angles of the arm on the facing side and of the other arm,
    each from hanging down (0) through held out sideways (90) to raised (180).
    lean moves the head and shoulders sideways, as when dodging a blow.
    mood is "happy", "angry" or "ouch". Returns where the facing arm reaches.
    """
    person = PEOPLE[who]
    h = person_height(who, size)
    r = h * (0.14 if person.child else 0.12)
    hip_y = foot_y - 0.42 * h
    top = foot_y - h + 2 * r + 0.02 * h
    upper_x = x + lean
    shoulders = {side: (upper_x + side * 0.09 * h, top + 0.04 * h) for side in (-1, 1)}
    _arm(canvas, person, shoulders[-facing], arms[1], -facing, h, False)
    _legs(canvas, person, x, foot_y, hip_y, h)
    _body(canvas, person, upper_x, x, top, hip_y, foot_y, h)
    _head(canvas, person, x + lean * 1.2, foot_y - h + r, r, facing, mood)
    return _arm(canvas, person, shoulders[facing], arms[0], facing, h, stick)
