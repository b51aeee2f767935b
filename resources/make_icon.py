#!/usr/bin/env python3
"""Draws quillory.ico: a grey, extruded capital A with a magenta butterfly in
front of it, on a transparent background, at 128, 64, 48, 32 and 16 pixels.

Only exact float arithmetic and sqrt are used (no trigonometry from the C
library), so every run on every machine writes the same bytes.

    python3 resources/make_icon.py [output.ico]
"""
import math
import os
import struct
import sys

SIZES = (128, 64, 48, 32, 16)
SAMPLES_PER_SIDE = 1024  # supersampling grid of every image, before averaging

# Light falls from the top left.
LIGHT = (-0.6, -0.8)
EXTRUSION = (0.045, 0.05)


def lerp(a, b, t):
    return a + (b - a) * t


def clamp01(t):
    return 0.0 if t < 0.0 else 1.0 if t > 1.0 else t


def mix(c0, c1, t):
    t = clamp01(t)
    return tuple(lerp(a, b, t) for a, b in zip(c0, c1))


def flat(colour):
    return lambda u, v: colour


def linear_gradient(c0, c1, start, end):
    (x0, y0), (x1, y1) = start, end
    dx, dy = x1 - x0, y1 - y0
    length2 = dx * dx + dy * dy
    return lambda u, v: mix(c0, c1, ((u - x0) * dx + (v - y0) * dy) / length2)


def radial_gradient(c0, c1, centre, radius):
    cx, cy = centre
    return lambda u, v: mix(c0, c1, math.sqrt((u - cx) * (u - cx) + (v - cy) * (v - cy)) / radius)


# --- geometry ---------------------------------------------------------------

def edge_normal(p, q):
    """Unit normal of p->q pointing away from the solid: outward of a clockwise
    outline, into a counter-clockwise hole (y down)."""
    dx, dy = q[0] - p[0], q[1] - p[1]
    n = math.sqrt(dx * dx + dy * dy)
    return (dy / n, -dx / n)


def signed_area(points):
    return sum(p[0] * q[1] - q[0] * p[1] for p, q in zip(points, points[1:] + points[:1])) / 2


def clockwise(points):
    """Screen coordinates (y down): positive area means clockwise on screen."""
    return points if signed_area(points) > 0 else points[::-1]


def inset(points, distance):
    """Moves every edge of a contour into the solid and joins the moved edges at
    their intersections."""
    count = len(points)
    lines = []
    for i in range(count):
        p, q = points[i], points[(i + 1) % count]
        nx, ny = edge_normal(p, q)
        lines.append(((p[0] - nx * distance, p[1] - ny * distance), (q[0] - p[0], q[1] - p[1])))
    result = []
    for i in range(count):
        (p1, d1), (p2, d2) = lines[i - 1], lines[i]
        cross = d1[0] * d2[1] - d1[1] * d2[0]
        if abs(cross) < 1e-12:
            result.append(p2)
            continue
        t = ((p2[0] - p1[0]) * d2[1] - (p2[1] - p1[1]) * d2[0]) / cross
        result.append((p1[0] + d1[0] * t, p1[1] + d1[1] * t))
    return result


def cubic(p0, p1, p2, p3, steps):
    points = []
    for k in range(steps):
        t = k / steps
        s = 1 - t
        a, b, c, d = s * s * s, 3 * s * s * t, 3 * s * t * t, t * t * t
        points.append((a * p0[0] + b * p1[0] + c * p2[0] + d * p3[0],
                       a * p0[1] + b * p1[1] + c * p2[1] + d * p3[1]))
    return points


def closed_curve(segments, steps=24):
    """A closed path of cubic segments, each (start, control, control); the end of
    a segment is the start of the next."""
    points = []
    for i, (p0, c0, c1) in enumerate(segments):
        p3 = segments[(i + 1) % len(segments)][0]
        points += cubic(p0, c0, c1, p3, steps)
    return points


def ellipse(centre, rx, ry, steps=12):
    # Four quarter arcs; 0.5523 makes a cubic close to a circle.
    k = 0.5523
    cx, cy = centre
    return closed_curve([
        ((cx, cy - ry), (cx + k * rx, cy - ry), (cx + rx, cy - k * ry)),
        ((cx + rx, cy), (cx + rx, cy + k * ry), (cx + k * rx, cy + ry)),
        ((cx, cy + ry), (cx - k * rx, cy + ry), (cx - rx, cy + k * ry)),
        ((cx - rx, cy), (cx - rx, cy - k * ry), (cx - k * rx, cy - ry)),
    ], steps)


def transform(points, scale, rotation, offset):
    """Scale, rotate by (cos, sin) and move; a rational (cos, sin) keeps it exact."""
    c, s = rotation
    return [(offset[0] + scale * (c * x - s * y), offset[1] + scale * (s * x + c * y)) for x, y in points]


def mirror(points):
    return [(-x, y) for x, y in points[::-1]]


# --- the drawing ------------------------------------------------------------

class Picture:
    """Shapes in painting order: (contours, colour function). Coordinates run
    from 0 to 1 across the image, y down; contours are filled even-odd."""

    def __init__(self):
        self.shapes = []

    def add(self, contours, paint):
        self.shapes.append(([list(c) for c in contours], paint))


def letter_a():
    """The outline of a capital A (clockwise) and its triangular counter (counter-clockwise)."""
    top, foot = 0.05, 0.80
    apex_left, apex_right = 0.335, 0.505
    foot_left, foot_right = 0.02, 0.82
    stroke = 0.19  # horizontal width of a leg
    bar_top, bar_bottom = 0.535, 0.655

    def left_outer(y):
        return lerp(apex_left, foot_left, (y - top) / (foot - top))

    def right_outer(y):
        return lerp(apex_right, foot_right, (y - top) / (foot - top))

    outer = [
        (apex_left, top), (apex_right, top), (foot_right, foot), (foot_right - stroke, foot),
        (right_outer(bar_bottom) - stroke, bar_bottom), (left_outer(bar_bottom) + stroke, bar_bottom),
        (foot_left + stroke, foot), (foot_left, foot),
    ]
    # The counter's apex lies where the inner edges of the legs meet.
    slope_left = (foot_left - apex_left) / (foot - top)
    slope_right = (foot_right - apex_right) / (foot - top)
    gap = (apex_right - stroke) - (apex_left + stroke)
    counter_top = top + gap / (slope_left - slope_right)
    counter = [
        (left_outer(counter_top) + stroke, counter_top),
        (left_outer(bar_top) + stroke, bar_top),
        (right_outer(bar_top) - stroke, bar_top),
    ]
    return clockwise(outer), clockwise(counter)[::-1]


def draw_letter(picture, px):
    outer, counter = letter_a()
    contours = [outer, counter]
    dx, dy = EXTRUSION

    # The back face first, then every side that faces the viewer, then the front.
    back = [[(x + dx, y + dy) for x, y in c] for c in contours]
    picture.add(back, flat((62, 64, 70)))
    for contour in contours:
        for i, p in enumerate(contour):
            q = contour[(i + 1) % len(contour)]
            nx, ny = edge_normal(p, q)
            if nx * dx + ny * dy <= 0:
                continue
            # Sides facing down are darker than sides facing right.
            shade = 118 + 22 * nx - 40 * ny
            side = [p, q, (q[0] + dx, q[1] + dy), (p[0] + dx, p[1] + dy)]
            picture.add([side], linear_gradient((shade, shade, shade + 6), (shade * 0.72, shade * 0.72, shade * 0.72 + 6),
                                                p, (p[0] + dx, p[1] + dy)))

    # A bevel around the front face catches the light on its upper-left edges.
    bevel = max(0.022, 0.9 / px)
    inner = [inset(c, bevel) for c in contours]
    for contour, inner_contour in zip(contours, inner):
        for i, p in enumerate(contour):
            j = (i + 1) % len(contour)
            nx, ny = edge_normal(p, contour[j])
            lit = -(nx * LIGHT[0] + ny * LIGHT[1])  # 1 facing the light, -1 away from it
            shade = 172 - 62 * lit
            picture.add([[p, contour[j], inner_contour[j], inner_contour[i]]], flat((shade, shade, shade + 6)))
    picture.add(inner, linear_gradient((218, 220, 226), (136, 138, 147), (0.2, 0.05), (0.75, 0.85)))


def butterfly_wings():
    """Right-hand wings in the butterfly's own frame: body along y, root at the origin."""
    upper = closed_curve([
        ((0.02, -0.06), (0.10, -0.30), (0.30, -0.46)),
        ((0.46, -0.40), (0.58, -0.35), (0.56, -0.16)),
        ((0.44, -0.02), (0.32, 0.06), (0.14, 0.04)),
        ((0.03, 0.02), (0.00, 0.00), (0.01, -0.03)),
    ])
    lower = closed_curve([
        ((0.02, 0.01), (0.16, 0.02), (0.34, 0.04)),
        ((0.38, 0.16), (0.40, 0.30), (0.28, 0.36)),
        ((0.16, 0.40), (0.08, 0.30), (0.03, 0.14)),
    ])
    return upper, lower


def draw_butterfly(picture, px):
    # At 16 pixels the butterfly needs a few more pixels and a thinner outline to stay bright.
    small = px <= 16
    scale, rotation = (0.54 if small else 0.50), (24 / 25, 7 / 25)
    centre = (0.665 if small else 0.685), 0.72

    def place(points):
        return clockwise(transform(points, scale, rotation, centre))

    def at(point):
        return transform([point], scale, rotation, centre)[0]

    edge = 0.6 / px if small else max(0.016, 0.85 / px)
    upper, lower = butterfly_wings()
    deep, bright, pale = (112, 0, 90), (226, 18, 170), (255, 120, 226)
    for wing, glow in ((lower, (0.22, 0.22)), (upper, (0.34, -0.28))):
        for sign in (1, -1):
            outline = place(wing if sign > 0 else mirror(wing))
            picture.add([outline], flat(deep))
            picture.add([inset(outline, edge)],
                        radial_gradient(pale, bright, at((sign * glow[0], glow[1])), 0.42 * scale))
    if px >= 32:
        for sign in (1, -1):
            picture.add([place(ellipse((sign * 0.38, -0.26), 0.055, 0.045))], flat((255, 228, 246)))
    # Antennae as thin quads from the head outwards, then the body over the wing roots.
    if px >= 48:
        for sign in (1, -1):
            a, b = (sign * 0.02, -0.20), (sign * 0.16, -0.42)
            w = 0.012
            picture.add([place([(a[0] - w, a[1]), (a[0] + w, a[1]), (b[0] + w, b[1]), (b[0] - w, b[1])])], flat(deep))
            picture.add([place(ellipse(b, 0.03, 0.03, 6))], flat(deep))
    body = place(ellipse((0.0, 0.02), 0.05, 0.25))
    picture.add([body], flat((70, 0, 58)))
    picture.add([inset(body, edge * 0.8)], linear_gradient((200, 40, 160), (96, 0, 78), at((-0.04, -0.2)), at((0.04, 0.25))))
    picture.add([place(ellipse((0.0, -0.25), 0.05, 0.05))], flat((80, 0, 64)))


def picture_for(px):
    picture = Picture()
    draw_letter(picture, px)
    draw_butterfly(picture, px)
    return picture


# --- rasterising ------------------------------------------------------------

def fill(ids, n, contours, shape_id):
    """Marks every sample whose centre lies inside the contours (even-odd).
    Edges are taken with their end points in one fixed order, so shapes that
    share an edge meet without gap or overlap."""
    edges = []
    for contour in contours:
        for i, p in enumerate(contour):
            q = contour[(i + 1) % len(contour)]
            if p[1] == q[1]:
                continue
            (x0, y0), (x1, y1) = sorted((p, q), key=lambda point: (point[1], point[0]))
            edges.append((y0 * n, y1 * n, x0 * n, (x1 - x0) / (y1 - y0)))
    if not edges:
        return
    low = max(0, math.ceil(min(e[0] for e in edges) - 0.5))
    high = min(n, math.ceil(max(e[1] for e in edges) - 0.5))
    mark = bytes([shape_id]) * n
    for row in range(low, high):
        y = row + 0.5
        crossings = sorted(x0 + (y - y0) * step for y0, y1, x0, step in edges if y0 <= y < y1)
        base = row * n
        for a, b in zip(crossings[0::2], crossings[1::2]):
            first = max(0, math.ceil(a - 0.5))
            last = min(n, math.ceil(b - 0.5))
            if first < last:
                ids[base + first:base + last] = mark[:last - first]


def render(px):
    """The image as rows of (r, g, b, a), top row first."""
    picture = picture_for(px)
    assert len(picture.shapes) < 256
    n = SAMPLES_PER_SIDE
    factor = n // px
    ids = bytearray(n * n)
    for index, (contours, _) in enumerate(picture.shapes):
        fill(ids, n, contours, index + 1)
    paints = [None] + [paint for _, paint in picture.shapes]
    per_pixel = factor * factor
    rows = []
    for py in range(px):
        row = []
        counts = [dict() for _ in range(px)]
        for sy in range(py * factor, (py + 1) * factor):
            line = ids[sy * n:(sy + 1) * n]
            for x in range(px):
                block = line[x * factor:(x + 1) * factor]
                tally = counts[x]
                if block.count(block[0]) == factor:
                    tally[block[0]] = tally.get(block[0], 0) + factor
                else:
                    for shape_id in block:
                        tally[shape_id] = tally.get(shape_id, 0) + 1
        v = (py + 0.5) / px
        for x, tally in enumerate(counts):
            u = (x + 0.5) / px
            r = g = b = 0.0
            covered = 0
            for shape_id, count in tally.items():
                if shape_id:
                    cr, cg, cb = paints[shape_id](u, v)
                    r, g, b = r + cr * count, g + cg * count, b + cb * count
                    covered += count
            if covered:
                row.append((int(r / covered + 0.5), int(g / covered + 0.5), int(b / covered + 0.5),
                            (covered * 255 + per_pixel // 2) // per_pixel))
            else:
                row.append((0, 0, 0, 0))
        rows.append(row)
    return rows


# --- the .ico file ----------------------------------------------------------

def dib(rows):
    """A 32-bit BGRA bitmap with its AND mask, bottom row first, as icons store it."""
    px = len(rows)
    header = struct.pack('<IiiHHIIiiII', 40, px, 2 * px, 1, 32, 0, 0, 0, 0, 0, 0)
    colour = b''.join(bytes((b, g, r, a)) for row in reversed(rows) for r, g, b, a in row)
    mask_stride = ((px + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(rows):
        bits = bytearray(mask_stride)
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    return header + colour + bytes(mask)


def ico(images):
    directory = struct.pack('<HHH', 0, 1, len(images))
    offset = len(directory) + 16 * len(images)
    entries, data = b'', b''
    for px, image in images:
        entries += struct.pack('<BBBBHHII', px % 256, px % 256, 0, 0, 1, 32, len(image), offset + len(data))
        data += image
    return directory + entries + data


def main():
    target = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(os.path.abspath(__file__)), 'quillory.ico')
    with open(target, 'wb') as out:
        out.write(ico([(px, dib(render(px))) for px in SIZES]))


if __name__ == '__main__':
    main()
