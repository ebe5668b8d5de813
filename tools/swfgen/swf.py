"""A small SWF writer: shapes (DefineShape3), sprites, PlaceObject2, frames and AVM1 actions.

Only what the sample movies need. Coordinates are in pixels and turned into twips here;
everything is rounded to integers before it is written, so the output is the same on every run.
"""
import math
import struct
import zlib

TWIPS = 20


def twips(value):
    return int(round(value * TWIPS))


class BitWriter:
    """Bit fields written most significant bit first, padded to whole bytes."""

    def __init__(self):
        self.bits = []

    def unsigned(self, value, count):
        assert 0 <= value < (1 << count) or count == 0
        self.bits.extend((value >> (count - 1 - i)) & 1 for i in range(count))

    def signed(self, value, count):
        assert -(1 << (count - 1)) <= value < (1 << (count - 1))
        self.unsigned(value & ((1 << count) - 1), count)

    def bytes(self):
        padded = self.bits + [0] * (-len(self.bits) % 8)
        return bytes(
            sum(bit << (7 - i) for i, bit in enumerate(padded[n:n + 8])) for n in range(0, len(padded), 8)
        )


def signed_bits(*values):
    """The fewest bits that hold every value as a signed field."""
    return max(1 + max(v, -v - 1).bit_length() for v in values)


def rect(x_min, x_max, y_min, y_max):
    """A RECT record from twips."""
    n = signed_bits(x_min, x_max, y_min, y_max)
    w = BitWriter()
    w.unsigned(n, 5)
    for v in (x_min, x_max, y_min, y_max):
        w.signed(v, n)
    return w.bytes()


def matrix(x=0.0, y=0.0, scale_x=1.0, scale_y=1.0, degrees=0.0):
    """A MATRIX record: scale, then rotate (clockwise on screen), then translate by (x, y) pixels."""
    a = math.radians(degrees)
    cos, sin = math.cos(a), math.sin(a)
    sx, sy = round(scale_x * cos * 65536), round(scale_y * cos * 65536)
    r0, r1 = round(scale_x * sin * 65536), round(-scale_y * sin * 65536)
    w = BitWriter()
    w.unsigned(1, 1)
    n = signed_bits(sx, sy)
    w.unsigned(n, 5)
    w.signed(sx, n)
    w.signed(sy, n)
    has_rotate = r0 != 0 or r1 != 0
    w.unsigned(1 if has_rotate else 0, 1)
    if has_rotate:
        n = signed_bits(r0, r1)
        w.unsigned(n, 5)
        w.signed(r0, n)
        w.signed(r1, n)
    tx, ty = twips(x), twips(y)
    n = signed_bits(tx, ty) if (tx or ty) else 0
    w.unsigned(n, 5)
    if n:
        w.signed(tx, n)
        w.signed(ty, n)
    return w.bytes()


def rgba(color):
    """A colour given as 0xRRGGBB or 0xRRGGBBAA (opaque when 6 digits)."""
    if color <= 0xFFFFFF:
        color = (color << 8) | 0xFF
    return struct.pack(">I", color)


def solid(color):
    return b"\x00" + rgba(color)


def gradient(kind, x, y, width, height, stops, degrees=0.0):
    """A linear (0x10) or radial (0x12) gradient fill over the box centred at (x, y) pixels.

    stops: (ratio 0..255, colour) pairs."""
    m = matrix(x, y, twips(width) / 32768, twips(height) / 32768, degrees)
    records = b"".join(bytes([ratio]) + rgba(color) for ratio, color in stops)
    return bytes([kind]) + m + bytes([len(stops)]) + records


def linear(x, y, width, height, stops, degrees=0.0):
    return gradient(0x10, x, y, width, height, stops, degrees)


def radial(x, y, radius, stops):
    return gradient(0x12, x, y, 2 * radius, 2 * radius, stops)


def line_style(width, color):
    return struct.pack("<H", twips(width)) + rgba(color)


class Path:
    """Drawing commands in pixels; each contour starts with move() and takes a fill and a line."""

    def __init__(self):
        self.commands = []

    def move(self, x, y, fill=0, line=0):
        self.commands.append(("move", twips(x), twips(y), fill, line))
        return self

    def line(self, x, y):
        self.commands.append(("line", twips(x), twips(y)))
        return self

    def curve(self, cx, cy, x, y):
        self.commands.append(("curve", twips(cx), twips(cy), twips(x), twips(y)))
        return self

    def polygon(self, points, fill=0, line=0):
        self.move(*points[0], fill=fill, line=line)
        for p in points[1:] + points[:1]:
            self.line(*p)
        return self

    def rectangle(self, left, top, right, bottom, fill=0, line=0):
        return self.polygon([(left, top), (right, top), (right, bottom), (left, bottom)], fill, line)

    def circle(self, x, y, r, fill=0, line=0):
        """A circle of eight quadratic curves."""
        self.move(x + r, y, fill=fill, line=line)
        control = r / math.cos(math.pi / 8)
        for k in range(8):
            mid = (k + 0.5) * math.pi / 4
            end = (k + 1) * math.pi / 4
            self.curve(x + control * math.cos(mid), y + control * math.sin(mid),
                       x + r * math.cos(end), y + r * math.sin(end))
        return self

    def round_rectangle(self, left, top, right, bottom, r, fill=0, line=0):
        self.move(left + r, top, fill=fill, line=line)
        self.line(right - r, top).curve(right, top, right, top + r)
        self.line(right, bottom - r).curve(right, bottom, right - r, bottom)
        self.line(left + r, bottom).curve(left, bottom, left, bottom - r)
        self.line(left, top + r).curve(left, top, left + r, top)
        return self


def tag(code, body):
    if len(body) < 0x3F:
        return struct.pack("<H", (code << 6) | len(body)) + body
    return struct.pack("<HI", (code << 6) | 0x3F, len(body)) + body


def define_shape(shape_id, fills, lines, path):
    """DefineShape3 (colours with alpha). Style indices in the path count from 1; 0 is none."""
    fill_bits = max(1, len(fills).bit_length())
    line_bits = max(1, len(lines).bit_length())
    w = BitWriter()
    w.unsigned(fill_bits, 4)
    w.unsigned(line_bits, 4)
    x = y = 0
    xs, ys = [], []
    for command in path.commands:
        if command[0] == "move":
            _, nx, ny, fill, line = command
            w.unsigned(0, 1)  # style change
            w.unsigned(0, 1)  # new styles
            w.unsigned(1, 1)  # line style
            w.unsigned(1, 1)  # fill style 1
            w.unsigned(1, 1)  # fill style 0
            w.unsigned(1, 1)  # move to
            n = signed_bits(nx, ny)
            w.unsigned(n, 5)
            w.signed(nx, n)
            w.signed(ny, n)
            w.unsigned(fill, fill_bits)
            w.unsigned(0, fill_bits)
            w.unsigned(line, line_bits)
            x, y = nx, ny
        elif command[0] == "line":
            dx, dy = command[1] - x, command[2] - y
            n = max(2, signed_bits(dx, dy))
            w.unsigned(1, 1)
            w.unsigned(1, 1)
            w.unsigned(n - 2, 4)
            w.unsigned(1, 1)  # general line
            w.signed(dx, n)
            w.signed(dy, n)
            x, y = command[1], command[2]
        else:
            cdx, cdy = command[1] - x, command[2] - y
            adx, ady = command[3] - command[1], command[4] - command[2]
            n = max(2, signed_bits(cdx, cdy, adx, ady))
            w.unsigned(1, 1)
            w.unsigned(0, 1)
            w.unsigned(n - 2, 4)
            for v in (cdx, cdy, adx, ady):
                w.signed(v, n)
            xs.append(command[1])
            ys.append(command[2])
            x, y = command[3], command[4]
        xs.append(x)
        ys.append(y)
    w.unsigned(0, 6)  # end of shape
    pad = max((int(line_width) for line_width in (struct.unpack("<H", s[:2])[0] for s in lines)), default=0)
    bounds = rect(min(xs) - pad, max(xs) + pad, min(ys) - pad, max(ys) + pad)
    styles = bytes([len(fills)]) + b"".join(fills) + bytes([len(lines)]) + b"".join(lines)
    return tag(32, struct.pack("<H", shape_id) + bounds + styles + w.bytes())


def place(depth, character=None, m=None, name=None):
    """PlaceObject2: a new character at depth, or a move of the one there (character None)."""
    flags = (0x20 if name else 0) | (0x04 if m else 0) | (0x02 if character is not None else 0x01)
    body = bytes([flags]) + struct.pack("<H", depth)
    if character is not None:
        body += struct.pack("<H", character)
    if m:
        body += m
    if name:
        body += name.encode("ascii") + b"\x00"
    return tag(26, body)


def show_frame():
    return tag(1, b"")


def end():
    return tag(0, b"")


def define_sprite(sprite_id, frames, tags):
    return tag(39, struct.pack("<HH", sprite_id, frames) + b"".join(tags) + end())


# ---- AVM1 actions ----
def push(*values):
    data = b""
    for v in values:
        if isinstance(v, str):
            data += b"\x00" + v.encode("ascii") + b"\x00"
        else:
            data += b"\x07" + struct.pack("<i", v)
    return b"\x96" + struct.pack("<H", len(data)) + data


GET_VARIABLE = b"\x1c"
SET_VARIABLE = b"\x1d"
SET_PROPERTY = b"\x23"
NEW_OBJECT = b"\x40"
CALL_METHOD = b"\x52"
ADD = b"\x47"
MULTIPLY = b"\x0c"
DIVIDE = b"\x0d"
MODULO = b"\x3f"
SET_MEMBER = b"\x4f"
POP = b"\x17"
STOP = b"\x07"
PROPERTY_ROTATION = 10

# GetURL2 flags: load variables (instead of a movie or a page), the method to send variables with.
LOAD_VARIABLES = 0x80
SEND_GET = 0x01
SEND_POST = 0x02


def get_url2(flags):
    """Pops the target, then the URL; what it does depends on the flags and the target."""
    return b"\x9a" + struct.pack("<HB", 1, flags)


def jump(offset):
    """Jumps by offset bytes, counted from the end of this action."""
    return b"\x99" + struct.pack("<Hh", 2, offset)


def do_action(*actions):
    return tag(12, b"".join(actions) + b"\x00")


def movie(width, height, frame_rate, frame_count, tags, version=8):
    """The whole uncompressed movie (FWS)."""
    body = rect(0, twips(width), 0, twips(height)) + struct.pack("<HH", frame_rate << 8, frame_count)
    body += tag(69, struct.pack("<I", 0))  # file attributes: AVM1, local playback
    body += b"".join(tags) + end()
    return b"FWS" + bytes([version]) + struct.pack("<I", 8 + len(body)) + body


def compressed(fws):
    """The same movie zlib-compressed (CWS); the length field keeps the uncompressed size."""
    return b"CWS" + fws[3:8] + zlib.compress(fws[8:], 9)
