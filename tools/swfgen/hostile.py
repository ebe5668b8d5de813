#!/usr/bin/env python3
"""Writes two hostile test movies into the folder given (tests run it; nothing is committed):

hostile.swf  tries to reach the network beyond the page's own origin on its first frame: variables
             loaded by GET and POST, LoadVars.sendAndLoad, XML.load, a movie loaded into a level
             and a form posted to a window, all to PROBE (an http://host:port address). On its third
             frame it loads variables from /hostile-done on its own origin and stops, so a test
             knows the attempts were made frames earlier.
loop.swf     loops forever in its first frame's script.

Usage: hostile.py OUT_FOLDER PROBE"""
import os
import sys

from swf import (CALL_METHOD, GET_VARIABLE, LOAD_VARIABLES, NEW_OBJECT, POP, SEND_GET, SEND_POST, SET_MEMBER,
                 SET_VARIABLE, STOP, Path, define_shape, do_action, get_url2, jump, movie, place, push,
                 show_frame, solid)


def new_object(variable, class_name):
    return push(variable, 0, class_name) + NEW_OBJECT + SET_VARIABLE


def call(variable, method, *arguments):
    """variable.method(arguments...), its result dropped. Arguments go on the stack last first."""
    data = b""
    for argument in reversed(arguments):
        data += push(argument[1]) + GET_VARIABLE if isinstance(argument, tuple) else push(argument)
    return data + push(len(arguments), variable) + GET_VARIABLE + push(method) + CALL_METHOD + POP


def badge():
    """A bright square, so that the movie is seen to play."""
    return [define_shape(1, [solid(0x20C040)], [], Path().rectangle(0, 0, 60, 60, fill=1)), place(1, 1)]


def hostile(probe):
    attempts = do_action(
        push("cmd", "reboot"), SET_VARIABLE,
        push(probe + "/vars-get", "_level0"), get_url2(LOAD_VARIABLES | SEND_GET),
        push(probe + "/vars-post", "_level0"), get_url2(LOAD_VARIABLES | SEND_POST),
        new_object("lv", "LoadVars"),
        push("lv") + GET_VARIABLE + push("cmd", "reboot") + SET_MEMBER,
        call("lv", "sendAndLoad", probe + "/loadvars", ("var", "lv"), "POST"),
        new_object("x", "XML"),
        call("x", "load", probe + "/xml"),
        push(probe + "/movie.swf", "_level5"), get_url2(0),
        push(probe + "/form", "_self"), get_url2(SEND_POST),
    )
    done = do_action(push("/hostile-done", "_level0"), get_url2(LOAD_VARIABLES), STOP)
    return movie(60, 60, 12, 3, badge() + [attempts, show_frame(), show_frame(), done, show_frame()])


def loop():
    return movie(60, 60, 12, 1, badge() + [do_action(jump(-5)), show_frame()])


def main():
    out, probe = sys.argv[1], sys.argv[2]
    os.makedirs(out, exist_ok=True)
    for name, data in (("hostile.swf", hostile(probe)), ("loop.swf", loop())):
        with open(os.path.join(out, name), "wb") as f:
            f.write(data)


if __name__ == "__main__":
    main()
