"""Colours and shapes of the islands, shared by the pictures and the clips so
that the game's world looks the same wherever it appears."""
from raster import WHITE, mix

WATER_FAR = (84, 158, 214)
SAND = (238, 212, 150)
SAND_SHADE = (214, 182, 118)
GRASS = (96, 172, 72)
FOAM = mix(WATER_FAR, WHITE, 0.5)


def island(canvas, cx, cy, rx, ry):
    """A grassy island in a ring of surf; the grass top is about 0.3 * ry above cy."""
    canvas.ellipse(cx, cy + 0.25 * ry, rx * 1.06, ry * 1.1, FOAM)
    canvas.ellipse(cx, cy, rx, ry, SAND_SHADE)
    canvas.ellipse(cx, cy - 0.12 * ry, rx * 0.97, ry * 0.85, SAND)
    canvas.ellipse(cx, cy - 0.3 * ry, rx * 0.85, ry * 0.6, GRASS)
