#!/usr/bin/env python3
"""Draws rimtrace's icon and bitmaps.

Run from anywhere:  python3 res/art/draw_art.py
Writes into res/ (the directory above this script):
  background.bmp     bitmap 129, 195 x 150 background tile
  trace_left.bmp     bitmap 131, 226 x 148, left edge current
  trace_bottom.bmp   bitmap 132, 226 x 148, bottom edge current
  trace_right.bmp    bitmap 133, 227 x 148, right edge current
  trace_top.bmp      bitmap 134, 227 x 148, top edge current
  rimtrace.ico       icon 128, 16/24/32/48 px (32-bit BMP) and 256 px (PNG)

Standard library only. Shapes are polygons in pixel coordinates; each is rasterised to an
anti-aliased coverage mask (exact coverage across a row, 16 samples down it) and composited
onto a straight-alpha RGBA canvas. The output is the same byte for byte on every run.
"""

import math
import os
import struct
import zlib

SUBROWS = 16

# ---------------------------------------------------------------------------------------------
# Colours (0..255 RGB)

CARD = (252, 252, 253)
CARD_BORDER = (196, 201, 208)
BEZEL_DARK = (38, 42, 49)
BEZEL_LIGHT = (62, 68, 78)
BEZEL_EDGE = (92, 99, 110)
SURFACE_TOP = (250, 251, 252)
SURFACE_BOTTOM = (234, 238, 242)
SURFACE_LINE = (200, 206, 214)
TRAY = (52, 57, 65)
FAINT_ARROW = (190, 197, 206)
RED = (214, 40, 40)
SKIN = (243, 200, 163)
SKIN_LINE = (146, 96, 66)
SLEEVE = (58, 108, 178)
SLEEVE_LINE = (34, 70, 124)
PEN_BODY = (70, 78, 92)
PEN_HIGHLIGHT = (128, 138, 153)
PEN_LINE = (34, 38, 46)
TILE_BASE = (228, 230, 233)
TILE_DOT = (213, 216, 221)
SHADOW = (0, 0, 0)

# ---------------------------------------------------------------------------------------------
# Geometry: a shape is a list of contours, a contour a list of (x, y) points. All contours
# are made counter-clockwise (in y-down pixel space) so overlapping pieces unite under the
# non-zero winding rule; a hole is a contour with the opposite turn.


def signed_area(contour):
    area = 0.0
    for i, (x0, y0) in enumerate(contour):
        x1, y1 = contour[(i + 1) % len(contour)]
        area += x0 * y1 - x1 * y0
    return area / 2.0


def oriented(contour, positive=True):
    if (signed_area(contour) >= 0) == positive:
        return list(contour)
    return list(reversed(contour))


def arc(cx, cy, rx, ry, a0, a1, steps):
    return [(cx + rx * math.cos(a0 + (a1 - a0) * i / steps),
             cy + ry * math.sin(a0 + (a1 - a0) * i / steps)) for i in range(steps + 1)]


def segments_for(radius):
    return max(12, int(radius * 6))


def rect(x0, y0, x1, y1):
    return [oriented([(x0, y0), (x1, y0), (x1, y1), (x0, y1)])]


def round_rect_contour(x0, y0, x1, y1, r):
    n = segments_for(r) // 4 + 2
    pts = []
    pts += arc(x1 - r, y0 + r, r, r, -math.pi / 2, 0, n)
    pts += arc(x1 - r, y1 - r, r, r, 0, math.pi / 2, n)
    pts += arc(x0 + r, y1 - r, r, r, math.pi / 2, math.pi, n)
    pts += arc(x0 + r, y0 + r, r, r, math.pi, 3 * math.pi / 2, n)
    return oriented([p for i, p in enumerate(pts) if p != pts[i - 1]])


def round_rect(x0, y0, x1, y1, r):
    return [round_rect_contour(x0, y0, x1, y1, r)]


def ring(outer, inner):
    """Outer shape minus inner shape, both single contours."""
    return [oriented(outer), oriented(inner, positive=False)]


def ellipse(cx, cy, rx, ry, angle=0.0):
    n = segments_for(max(rx, ry))
    ca, sa = math.cos(angle), math.sin(angle)
    pts = []
    for i in range(n):
        t = 2 * math.pi * i / n
        x, y = rx * math.cos(t), ry * math.sin(t)
        pts.append((cx + x * ca - y * sa, cy + x * sa + y * ca))
    return [oriented(pts)]


def circle(cx, cy, r):
    return ellipse(cx, cy, r, r)


def polygon(points):
    return [oriented(points)]


def unit(dx, dy):
    length = math.hypot(dx, dy)
    return dx / length, dy / length


def stroke(points, width, closed=False):
    """A polyline of the given width with round joins and round ends."""
    half = width / 2.0
    shape = []
    pairs = list(zip(points, points[1:]))
    if closed:
        pairs.append((points[-1], points[0]))
    for (x0, y0), (x1, y1) in pairs:
        if (x0, y0) == (x1, y1):
            continue
        ux, uy = unit(x1 - x0, y1 - y0)
        nx, ny = -uy * half, ux * half
        shape.append(oriented([(x0 + nx, y0 + ny), (x1 + nx, y1 + ny), (x1 - nx, y1 - ny),
                               (x0 - nx, y0 - ny)]))
    for x, y in points:
        shape += circle(x, y, half)
    return shape


def capsule(p0, p1, r):
    """A bar with round ends as one contour, so its outline has no seams inside."""
    angle = math.atan2(p1[1] - p0[1], p1[0] - p0[0])
    n = segments_for(r) // 2 + 2
    pts = arc(p1[0], p1[1], r, r, angle - math.pi / 2, angle + math.pi / 2, n)
    pts += arc(p0[0], p0[1], r, r, angle + math.pi / 2, angle + 3 * math.pi / 2, n)
    return [oriented(pts)]


def arrow(tail, tip, shaft_width, head_length, head_width):
    ux, uy = unit(tip[0] - tail[0], tip[1] - tail[1])
    bx, by = tip[0] - ux * head_length, tip[1] - uy * head_length
    nx, ny = -uy * head_width / 2, ux * head_width / 2
    # The shaft runs a little into the head so no seam shows between them.
    shaft = stroke([tail, (bx + ux, by + uy)], shaft_width)
    head = polygon([tip, (bx + nx, by + ny), (bx - nx, by - ny)])
    return shaft + head


class Affine:
    """x' = a x + b y + c, y' = d x + e y + f."""

    def __init__(self, a=1.0, b=0.0, c=0.0, d=0.0, e=1.0, f=0.0):
        self.m = (a, b, c, d, e, f)

    @staticmethod
    def rotation(angle):
        ca, sa = math.cos(angle), math.sin(angle)
        return Affine(ca, -sa, 0, sa, ca, 0)

    @staticmethod
    def translation(dx, dy):
        return Affine(1, 0, dx, 0, 1, dy)

    @staticmethod
    def scaling(sx, sy):
        return Affine(sx, 0, 0, 0, sy, 0)

    def then(self, other):
        """This transform followed by other."""
        a, b, c, d, e, f = self.m
        A, B, C, D, E, F = other.m
        return Affine(A * a + B * d, A * b + B * e, A * c + B * f + C,
                      D * a + E * d, D * b + E * e, D * c + E * f + F)

    def point(self, p):
        a, b, c, d, e, f = self.m
        return (a * p[0] + b * p[1] + c, d * p[0] + e * p[1] + f)

    def shape(self, contours):
        # A mirroring transform flips every turn; re-orient so unions keep working.
        flips = self.m[0] * self.m[4] - self.m[1] * self.m[3] < 0
        out = []
        for contour in contours:
            moved = [self.point(p) for p in contour]
            out.append(list(reversed(moved)) if flips else moved)
        return out


# ---------------------------------------------------------------------------------------------
# Rasteriser


class Mask:
    """Coverage 0..1 over the box [x0, x0 + w) x [y0, y0 + h) of a canvas."""

    def __init__(self, x0, y0, w, h, cov):
        self.x0, self.y0, self.w, self.h, self.cov = x0, y0, w, h, cov


def rasterise(contours, width, height):
    edges = []
    xs = []
    for contour in contours:
        for i, (xa, ya) in enumerate(contour):
            xb, yb = contour[(i + 1) % len(contour)]
            xs.append(xa)
            if ya == yb:
                continue
            if ya < yb:
                edges.append((ya, yb, xa, (xb - xa) / (yb - ya), 1))
            else:
                edges.append((yb, ya, xb, (xa - xb) / (ya - yb), -1))
    if not edges:
        return None
    y_first = max(0, int(math.floor(min(e[0] for e in edges))))
    y_end = min(height, int(math.ceil(max(e[1] for e in edges))))
    x_first = max(0, int(math.floor(min(xs))))
    x_end = min(width, int(math.ceil(max(xs))))
    bw, bh = x_end - x_first, y_end - y_first
    if bw <= 0 or bh <= 0:
        return None
    edges.sort(key=lambda e: e[0])
    cov = [0.0] * (bw * bh)
    weight = 1.0 / SUBROWS
    active = []
    next_edge = 0
    for py in range(y_first, y_end):
        while next_edge < len(edges) and edges[next_edge][0] < py + 1:
            active.append(edges[next_edge])
            next_edge += 1
        active = [e for e in active if e[1] > py]
        part = [0.0] * (bw + 1)
        diff = [0.0] * (bw + 2)
        for k in range(SUBROWS):
            sy = py + (k + 0.5) / SUBROWS
            crossings = sorted((xa + (sy - ya) * slope - x_first, d)
                               for ya, yb, xa, slope, d in active if ya <= sy < yb)
            winding = 0
            start = 0.0
            for x, d in crossings:
                before = winding
                winding += d
                if before == 0 and winding != 0:
                    start = x
                elif before != 0 and winding == 0:
                    a, b = max(start, 0.0), min(x, float(bw))
                    if b <= a:
                        continue
                    ia, ib = int(a), int(b)
                    if ia == ib:
                        part[ia] += (b - a) * weight
                    else:
                        part[ia] += (ia + 1 - a) * weight
                        diff[ia + 1] += weight
                        diff[ib] -= weight
                        part[ib] += (b - ib) * weight
        row = (py - y_first) * bw
        run = 0.0
        for i in range(bw):
            run += diff[i]
            cov[row + i] = min(1.0, part[i] + run)
    return Mask(x_first, y_first, bw, bh, cov)


def blurred(mask, radius, width, height):
    """The mask widened by a soft edge (three box-blur passes each way)."""
    pad = 3 * radius
    x0, y0 = max(0, mask.x0 - pad), max(0, mask.y0 - pad)
    x1, y1 = min(width, mask.x0 + mask.w + pad), min(height, mask.y0 + mask.h + pad)
    w, h = x1 - x0, y1 - y0
    grid = [0.0] * (w * h)
    for j in range(mask.h):
        for i in range(mask.w):
            grid[(mask.y0 - y0 + j) * w + mask.x0 - x0 + i] = mask.cov[j * mask.w + i]

    def box(values, lines, line_step, step, length):
        span = 2 * radius + 1
        for line in range(lines):
            base = line * line_step
            src = [values[base + k * step] for k in range(length)]
            total = 0.0
            for k in range(-radius, radius + 1):
                total += src[min(max(k, 0), length - 1)]
            for k in range(length):
                values[base + k * step] = total / span
                total += src[min(k + radius + 1, length - 1)] - src[max(k - radius, 0)]

    for _ in range(3):
        box(grid, h, w, 1, w)
        box(grid, w, 1, w, h)
    return Mask(x0, y0, w, h, grid)


class Canvas:
    def __init__(self, width, height, background=None):
        self.w, self.h = width, height
        n = width * height
        r, g, b = background if background else (0, 0, 0)
        self.r, self.g, self.b = [float(r)] * n, [float(g)] * n, [float(b)] * n
        self.a = [1.0 if background else 0.0] * n

    def paint(self, shape, colour, opacity=1.0, soften=0):
        """Composite the shape over the canvas; colour is (r, g, b) or a function of (x, y)."""
        mask = rasterise(shape, self.w, self.h)
        if mask is None:
            return
        if soften:
            mask = blurred(mask, soften, self.w, self.h)
        shade = colour if callable(colour) else (lambda x, y: colour)
        for j in range(mask.h):
            y = mask.y0 + j
            for i in range(mask.w):
                alpha = mask.cov[j * mask.w + i] * opacity
                if alpha <= 0.0:
                    continue
                x = mask.x0 + i
                idx = y * self.w + x
                cr, cg, cb = shade(x + 0.5, y + 0.5)
                below = self.a[idx] * (1.0 - alpha)
                out = alpha + below
                self.r[idx] = (cr * alpha + self.r[idx] * below) / out
                self.g[idx] = (cg * alpha + self.g[idx] * below) / out
                self.b[idx] = (cb * alpha + self.b[idx] * below) / out
                self.a[idx] = out

    def outlined(self, shape, fill, line, line_width):
        """Fill a shape and draw a line along its border."""
        self.paint(shape, fill)
        for contour in shape:
            self.paint(stroke(contour, line_width, closed=True), line)

    def rgba(self, x, y):
        idx = y * self.w + x

        def channel(v):
            return max(0, min(255, int(round(v))))

        return (channel(self.r[idx]), channel(self.g[idx]), channel(self.b[idx]),
                channel(self.a[idx] * 255.0))


def vertical_gradient(top_colour, bottom_colour, y0, y1):
    def shade(x, y):
        t = min(1.0, max(0.0, (y - y0) / (y1 - y0)))
        return tuple(a + (b - a) * t for a, b in zip(top_colour, bottom_colour))

    return shade


# ---------------------------------------------------------------------------------------------
# File formats


def bmp24(canvas, width=None):
    """24-bit bottom-up BMP; width larger than the canvas repeats its last column."""
    width = width or canvas.w
    stride = (width * 3 + 3) & ~3
    rows = []
    for y in reversed(range(canvas.h)):
        row = bytearray()
        for x in range(width):
            r, g, b, _ = canvas.rgba(min(x, canvas.w - 1), y)
            row += bytes((b, g, r))
        row += bytes(stride - len(row))
        rows.append(bytes(row))
    pixels = b"".join(rows)
    info = struct.pack("<IiiHHIIiiII", 40, width, canvas.h, 1, 24, 0, len(pixels), 2835, 2835,
                       0, 0)
    header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(pixels), 0, 0, 14 + len(info))
    return header + info + pixels


def png(canvas):
    raw = bytearray()
    for y in range(canvas.h):
        raw.append(0)
        for x in range(canvas.w):
            raw += bytes(canvas.rgba(x, y))

    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data +
                struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))

    ihdr = struct.pack(">IIBBBBB", canvas.w, canvas.h, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", ihdr) +
            chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b""))


def icon_bmp(canvas):
    """An icon image: 32-bit BGRA bottom-up with its AND mask (set where fully clear)."""
    size = canvas.w
    pixels = bytearray()
    for y in reversed(range(size)):
        for x in range(size):
            r, g, b, a = canvas.rgba(x, y)
            pixels += bytes((b, g, r, a))
    mask_stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for y in reversed(range(size)):
        row = bytearray(mask_stride)
        for x in range(size):
            if canvas.rgba(x, y)[3] == 0:
                row[x // 8] |= 0x80 >> (x % 8)
        mask += row
    info = struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, 32, 0, len(pixels) + len(mask), 0,
                       0, 0, 0)
    return info + bytes(pixels) + bytes(mask)


def ico(canvases):
    images = [png(c) if c.w >= 256 else icon_bmp(c) for c in canvases]
    offset = 6 + 16 * len(images)
    directory = struct.pack("<HHH", 0, 1, len(images))
    for canvas, data in zip(canvases, images):
        side = 0 if canvas.w >= 256 else canvas.w
        directory += struct.pack("<BBBBHHII", side, side, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    return directory + b"".join(images)


# ---------------------------------------------------------------------------------------------
# The instruction pictures: a card with the board, arrows round its edges and a hand with a pen.

PICTURE_W, PICTURE_H = 226, 148
BEZEL = (27.0, 20.0, 199.0, 121.0)
SURFACE = (35.0, 28.0, 191.0, 111.0)
ARROW_OFFSET = 10.0  # from the frame to the arrows beside it
ARROW_CORNER_GAP = 4.0
TRAY_DEPTH = 3.0  # how far the pen tray hangs below the frame

LEFT, BOTTOM, RIGHT, TOP = "left", "bottom", "right", "top"


def draw_card(canvas):
    canvas.paint(ring([(0, 0), (PICTURE_W, 0), (PICTURE_W, PICTURE_H), (0, PICTURE_H)],
                      [(1, 1), (PICTURE_W - 1, 1), (PICTURE_W - 1, PICTURE_H - 1),
                       (1, PICTURE_H - 1)]), CARD_BORDER)


def draw_board(canvas):
    x0, y0, x1, y1 = BEZEL
    canvas.paint(round_rect(x0 + 1, y0 + 3, x1 + 1, y1 + 4, 6), SHADOW, 0.28, soften=3)
    # The pen tray under the board.
    canvas.paint(round_rect(88, y1 - 3, 138, y1 + TRAY_DEPTH + 1, 2), TRAY)
    canvas.paint(rect(92, y1 + 1, 134, y1 + 2), BEZEL_EDGE)
    bezel = vertical_gradient(BEZEL_LIGHT, BEZEL_DARK, y0, y1)
    canvas.paint(round_rect(x0, y0, x1, y1, 5), bezel)
    # A thin lighter rim makes the bezel read as a raised frame.
    canvas.paint(ring(round_rect_contour(x0, y0, x1, y1, 5),
                      round_rect_contour(x0 + 1, y0 + 1, x1 - 1, y1 - 1, 4)), BEZEL_EDGE, 0.7)
    sx0, sy0, sx1, sy1 = SURFACE
    surface = vertical_gradient(SURFACE_TOP, SURFACE_BOTTOM, sy0, sy1)
    canvas.paint(rect(sx0, sy0, sx1, sy1), surface)
    # Inner shadow along the top and left of the surface where it meets the frame.
    canvas.paint(rect(sx0, sy0, sx1, sy0 + 1), SURFACE_LINE)
    canvas.paint(rect(sx0, sy0, sx0 + 1, sy1), SURFACE_LINE)


def edge_arrow_ends(edge):
    """Tail and tip of the arrow beside an edge, outside the frame, in the tracing direction."""
    x0, y0, x1, y1 = BEZEL
    off, gap = ARROW_OFFSET, ARROW_CORNER_GAP
    if edge == LEFT:
        return (x0 - off, y0 + gap), (x0 - off, y1 - gap)
    if edge == BOTTOM:
        y = y1 + TRAY_DEPTH + off
        return (x0 + gap, y), (x1 - gap, y)
    if edge == RIGHT:
        return (x1 + off, y1 - gap), (x1 + off, y0 + gap)
    return (x1 - gap, y0 - off), (x0 + gap, y0 - off)


def draw_arrows(canvas, current):
    for edge in (LEFT, BOTTOM, RIGHT, TOP):
        if edge != current:
            tail, tip = edge_arrow_ends(edge)
            canvas.paint(arrow(tail, tip, 2.0, 6.5, 7.5), FAINT_ARROW)
    tail, tip = edge_arrow_ends(current)
    canvas.paint(arrow(tail, tip, 3.2, 10.0, 11.0), RED)


def dashed(start, end, width, dash, gap):
    """Dashes with round ends from start towards end."""
    length = math.hypot(end[0] - start[0], end[1] - start[1])
    ux, uy = unit(end[0] - start[0], end[1] - start[1])
    shape = []
    at = 0.0
    while at < length:
        stop = min(at + dash, length)
        shape += stroke([(start[0] + ux * at, start[1] + uy * at),
                         (start[0] + ux * stop, start[1] + uy * stop)], width)
        at = stop + gap
    return shape


def draw_trace_path(canvas, edge):
    """A light dashed line where the pen will go, from the start corner along the edge."""
    sx0, sy0, sx1, sy1 = SURFACE
    inset, margin = 3.5, 6.0
    start, _ = start_corner(edge)
    end = {
        LEFT: (sx0 + inset, sy1 - margin),
        BOTTOM: (sx1 - margin, sy1 - inset),
        RIGHT: (sx1 - inset, sy0 + margin),
        TOP: (sx0 + margin, sy0 + inset),
    }[edge]
    canvas.paint(dashed(start, end, 1.6, 4.0, 3.0), RED, 0.6)


def start_corner(edge):
    """The surface corner where tracing of the edge begins, and the way into the surface."""
    sx0, sy0, sx1, sy1 = SURFACE
    inset = 3.5
    return {
        LEFT: ((sx0 + inset, sy0 + inset), (1, 1)),
        BOTTOM: ((sx0 + inset, sy1 - inset), (1, -1)),
        RIGHT: ((sx1 - inset, sy1 - inset), (-1, -1)),
        TOP: ((sx1 - inset, sy0 + inset), (-1, 1)),
    }[edge]


def pen_parts():
    """A stylus with its tip at the origin, lying along +x: (shape, fill, line), back to front."""
    body = round_rect(9.5, -2.8, 52, 2.8, 2.8)
    ferrule = rect(7, -2.8, 10, 2.8)
    nib = polygon([(0, 0), (7.5, -2.5), (7.5, 2.5)])
    return [(body, PEN_BODY, PEN_LINE), (ferrule, PEN_HIGHLIGHT, PEN_LINE),
            (nib, PEN_LINE, PEN_LINE)]


def hand_parts():
    """The hand holding the pen, in the pen's frame with the thumb up: (shape, fill, line),
    back to front."""
    forearm_frame = Affine.rotation(math.radians(28)).then(Affine.translation(40, 9))
    forearm = forearm_frame.shape(rect(0, -8.5, 20, 8.5))
    cuff = forearm_frame.shape(round_rect(15, -10.5, 33, 10.5, 2.5))
    fist = ellipse(29, 5, 13.5, 11, math.radians(15))
    knuckles = [circle(24.5, 17.0, 3.6), circle(20.5, 13.2, 4.0), circle(18.5, 8.2, 4.2)]
    index = capsule((13.5, 4.0), (27, 3.0), 3.7)
    thumb = capsule((16, -4.0), (31, -8.5), 3.9)
    parts = [(forearm, SKIN, SKIN_LINE), (cuff, SLEEVE, SLEEVE_LINE), (fist, SKIN, SKIN_LINE)]
    parts += [(k, SKIN, SKIN_LINE) for k in knuckles]
    parts += pen_parts()
    parts += [(index, SKIN, SKIN_LINE), (thumb, SKIN, SKIN_LINE)]
    return parts


def draw_hand(canvas, tip, inward, scale=0.7):
    dx, dy = inward
    angle = math.atan2(dy * math.sin(math.radians(38)), dx * math.cos(math.radians(38)))
    frame = Affine.scaling(scale, scale)
    if dx < 0:
        # Keep the thumb on the upper side whichever way the pen points.
        frame = frame.then(Affine.scaling(1, -1))
    frame = frame.then(Affine.rotation(angle)).then(Affine.translation(*tip))
    parts = [(frame.shape(shape), fill, line) for shape, fill, line in hand_parts()]
    silhouette = [contour for shape, _, _ in parts for contour in shape]
    canvas.paint(Affine.translation(1.5, 2.5).shape(silhouette), SHADOW, 0.22, soften=2)
    for shape, fill, line in parts:
        canvas.outlined(shape, fill, line, 1.0)


def instruction_picture(edge):
    canvas = Canvas(PICTURE_W, PICTURE_H, CARD)
    draw_card(canvas)
    draw_board(canvas)
    draw_arrows(canvas, edge)
    draw_trace_path(canvas, edge)
    tip, inward = start_corner(edge)
    draw_hand(canvas, tip, inward)
    return canvas


# ---------------------------------------------------------------------------------------------
# The background tile: light gray with a staggered grid of small dots. The pitch divides both
# sides of the tile, and dots near a side are drawn again one tile over, so tiles join
# without a seam.

TILE_W, TILE_H = 195, 150
DOT_PITCH = 15.0
DOT_RADIUS = 1.3


def background_tile():
    canvas = Canvas(TILE_W, TILE_H, TILE_BASE)
    dots = []
    for row in range(int(TILE_H / DOT_PITCH)):
        y = DOT_PITCH * (row + 0.5)
        # Every dot is centred on a pixel so all of them look alike.
        shift = 7.5 if row % 2 == 0 else 0.5
        for col in range(int(TILE_W / DOT_PITCH)):
            x = shift + DOT_PITCH * col
            for wrap_x in (-TILE_W, 0, TILE_W):
                for wrap_y in (-TILE_H, 0, TILE_H):
                    dots += circle(x + wrap_x, y + wrap_y, DOT_RADIUS)
    canvas.paint(dots, TILE_DOT)
    return canvas


# ---------------------------------------------------------------------------------------------
# The icon: the board with its left edge traced in red. Laid out on a 16-unit grid and scaled;
# the smaller sizes leave out detail that would only blur.

ICON_SIZES = (16, 24, 32, 48, 256)


def icon(size):
    u = size / 16.0
    canvas = Canvas(size, size)
    if size >= 48:
        canvas.paint(round_rect(0.7 * u, 3.2 * u, 15.5 * u, 13.4 * u, 1.5 * u), SHADOW, 0.3,
                     soften=max(1, size // 48))
    canvas.paint(round_rect(5 * u, 12 * u, 11 * u, 13.5 * u, 0.5 * u), TRAY)
    canvas.paint(round_rect(0.5 * u, 2.5 * u, 15.5 * u, 12.5 * u, 1.5 * u),
                 vertical_gradient(BEZEL_LIGHT, BEZEL_DARK, 2.5 * u, 12.5 * u))
    canvas.paint(rect(2 * u, 4 * u, 14 * u, 11 * u),
                 vertical_gradient(SURFACE_TOP, SURFACE_BOTTOM, 4 * u, 11 * u))
    if size < 24:
        canvas.paint(rect(3 * u, 4.5 * u, 5 * u, 10.5 * u), RED)
    elif size < 32:
        down = arrow((3.6 * u, 4.8 * u), (3.6 * u, 10.7 * u), 1.5 * u, 2.6 * u, 3.2 * u)
        canvas.paint(down, RED)
    else:
        # Large enough for the pen: it is drawing the red line down the left edge.
        tip = (3.6 * u, 10.0 * u)
        canvas.paint(stroke([(3.6 * u, 4.9 * u), tip], 1.25 * u), RED)
        frame = Affine.scaling(u / 5.5, u / 5.5).then(Affine.rotation(math.radians(-52)))
        frame = frame.then(Affine.translation(*tip))
        line_width = max(1.0, size / 64.0)
        for shape, fill, line in pen_parts():
            canvas.outlined(frame.shape(shape), fill, line, line_width)
    return canvas


# ---------------------------------------------------------------------------------------------


def main():
    out = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    files = {
        "background.bmp": bmp24(background_tile()),
        "trace_left.bmp": bmp24(instruction_picture(LEFT)),
        "trace_bottom.bmp": bmp24(instruction_picture(BOTTOM)),
        # The right and top pictures are one column wider; the window draws 226 columns of
        # every picture, so the extra column only repeats the card's edge.
        "trace_right.bmp": bmp24(instruction_picture(RIGHT), PICTURE_W + 1),
        "trace_top.bmp": bmp24(instruction_picture(TOP), PICTURE_W + 1),
        "rimtrace.ico": ico([icon(size) for size in ICON_SIZES]),
    }
    for name, data in files.items():
        with open(os.path.join(out, name), "wb") as f:
            f.write(data)
        print(f"wrote {name} ({len(data)} bytes)")


if __name__ == "__main__":
    main()
