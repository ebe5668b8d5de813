#!/usr/bin/env python3
"""Writes the sample flash controls into res/flash/ (or the folder given): an analogue clock that
shows the real time, a weather badge with a turning sun and a level meter. Run it by hand and commit
what it writes; the output is the same on every run."""
import math
import os
import sys

from swf import (ADD, CALL_METHOD, DIVIDE, GET_VARIABLE, MODULO, MULTIPLY, NEW_OBJECT, PROPERTY_ROTATION,
                 SET_PROPERTY, SET_VARIABLE, Path, compressed, define_shape, define_sprite, do_action,
                 line_style, linear, matrix, movie, place, push, radial, show_frame, solid)


def call_on_date(method):
    """d.<method>() onto the stack."""
    return push(0, "d") + GET_VARIABLE + push(method) + CALL_METHOD


def set_rotation(target, *value):
    return push(target, PROPERTY_ROTATION) + b"".join(value) + SET_PROPERTY


def hand(shape_id, length, tail, width, color):
    path = Path().polygon([(-width / 2, tail), (-width / 4, -length), (width / 4, -length), (width / 2, tail)],
                          fill=1)
    return define_shape(shape_id, [solid(color)], [], path)


def clock():
    """80 x 80; the hands are turned every frame by a script that reads new Date()."""
    size, cx, cy = 80, 40, 40
    face = Path().circle(cx, cy, 37, fill=1, line=1)
    for k in range(12):
        a = math.radians(k * 30)
        inner = 30 if k % 3 == 0 else 32
        corners = []
        for r, side in ((inner, -1), (34, -1), (34, 1), (inner, 1)):
            half = 1.2 if k % 3 == 0 else 0.7
            corners.append((cx + r * math.sin(a) + side * half * math.cos(a),
                            cy - r * math.cos(a) + side * half * math.sin(a)))
        face.polygon(corners, fill=2)
    tags = [
        define_shape(1, [radial(cx - 8, cy - 10, 48, [(0, 0xFFFFFF), (200, 0xE4E8EE), (255, 0xC8CED8)]),
                         solid(0x39424E)], [line_style(2, 0x39424E)], face),
        hand(2, 19, 4, 4.5, 0x202830),
        hand(3, 28, 5, 3.2, 0x202830),
        hand(4, 31, 7, 1.4, 0xD8343A),
        define_shape(5, [solid(0xD8343A)], [], Path().circle(0, 0, 2.6, fill=1)),
    ]
    for sprite_id, shape_id in ((6, 2), (7, 3), (8, 4)):
        tags.append(define_sprite(sprite_id, 1, [place(1, shape_id), show_frame()]))
    tags += [place(1, 1), place(2, 6, matrix(cx, cy), "hour"), place(3, 7, matrix(cx, cy), "minute"),
             place(4, 8, matrix(cx, cy), "second"), place(5, 5, matrix(cx, cy))]
    script = do_action(
        push("d", 0, "Date"), NEW_OBJECT, SET_VARIABLE,
        set_rotation("hour", call_on_date("getHours"), push(12), MODULO, push(30), MULTIPLY,
                     call_on_date("getMinutes"), push(2), DIVIDE, ADD),
        set_rotation("minute", call_on_date("getMinutes"), push(6), MULTIPLY,
                     call_on_date("getSeconds"), push(10), DIVIDE, ADD),
        set_rotation("second", call_on_date("getSeconds"), push(6), MULTIPLY),
    )
    tags += [script, show_frame(), script, show_frame()]
    return movie(size, size, 12, 2, tags)


def weather():
    """120 x 60: a sun whose rays turn (a moved PlaceObject2 per frame) behind a cloud."""
    width, height, sun_x, sun_y = 120, 60, 34, 28
    rays = Path()
    for k in range(8):
        a = math.radians(k * 45)
        def at(r, da):
            return (r * math.sin(a + math.radians(da)), -r * math.cos(a + math.radians(da)))
        rays.polygon([at(15, -11), at(25, 0), at(15, 11)], fill=1)
    tags = [
        define_shape(1, [linear(width / 2, height / 2, height, height, [(0, 0x3C8EDC), (255, 0x9CCFF5)], 90)],
                     [line_style(1, 0xFFFFFFA0)], Path().round_rectangle(0.5, 0.5, width - 0.5, height - 0.5, 10,
                                                                           fill=1, line=1)),
        define_shape(2, [solid(0xFFB627)], [], rays),
        define_sprite(3, 1, [place(1, 2), show_frame()]),
        define_shape(4, [radial(-4, -4, 16, [(0, 0xFFF6B0), (140, 0xFFD23A), (255, 0xF59A16)])], [],
                     Path().circle(0, 0, 13, fill=1)),
        define_shape(5, [solid(0xF6F9FC)], [], Path().circle(0, 0, 10, fill=1)),
        define_shape(6, [solid(0xF6F9FC)], [], Path().round_rectangle(56, 38, 104, 50, 6, fill=1)),
        place(1, 1),
        place(3, 4, matrix(sun_x, sun_y)),
        place(4, 6),
        place(5, 5, matrix(68, 38, 0.9, 0.9)),
        place(6, 5, matrix(81, 33, 1.3, 1.3)),
        place(7, 5, matrix(94, 40, 0.95, 0.95)),
    ]
    frames = 9
    for f in range(frames):
        tags += [place(2, 3 if f == 0 else None, matrix(sun_x, sun_y, degrees=f * 45 / frames)), show_frame()]
    return movie(width, height, 12, frames, tags)


def meter():
    """200 x 60: sixteen bars whose levels move; a cover in the background colour hides each bar's top."""
    width, height, bars, pitch, left, top, bar_height = 200, 60, 16, 11, 13, 8, 44
    background = 0x1E252E
    tags = [
        define_shape(1, [solid(background)], [line_style(1, 0x5C6B7C)],
                     Path().round_rectangle(0.5, 0.5, width - 0.5, height - 0.5, 6, fill=1, line=1)),
        define_shape(2, [linear(4, bar_height / 2, bar_height, bar_height,
                                [(0, 0xF03C3C), (80, 0xF5D33A), (150, 0x46D45E), (255, 0x2EB34A)], 90)],
                     [], Path().rectangle(0, 0, 8, bar_height, fill=1)),
        define_shape(3, [solid(background)], [], Path().rectangle(-0.5, -1, 8.5, bar_height, fill=1)),
        place(1, 1),
    ]
    for b in range(bars):
        tags.append(place(2 + b, 2, matrix(left + b * pitch, top)))
    frames = 12
    for f in range(frames):
        for b in range(bars):
            phase = 2 * math.pi * f / frames
            level = 0.5 + 0.3 * math.sin(phase + b * 0.7) + 0.15 * math.sin(3 * phase - b * 1.3)
            level = round(min(0.97, max(0.05, level)), 2)
            tags.append(place(20 + b, 3 if f == 0 else None, matrix(left + b * pitch, top, 1.0, 1 - level)))
        tags.append(show_frame())
    return movie(width, height, 15, frames, tags)


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "..", "res", "flash")
    os.makedirs(out, exist_ok=True)
    clock_movie = clock()
    outputs = {
        "clock.swf": clock_movie,
        "clock-compressed.swf": compressed(clock_movie),
        "weather.swf": weather(),
        "meter.swf": meter(),
    }
    for name, data in outputs.items():
        with open(os.path.join(out, name), "wb") as f:
            f.write(data)


if __name__ == "__main__":
    main()
