#!/usr/bin/python3
"""Drives the built program as a person would, in a real X session: types with xdotool,
reads what a screen reader would read through AT-SPI, looks at the screen's pixels.

    tests/x-session.sh tests/e2e/drill_e2e.py PATH/TO/tervalo
"""
import subprocess
import sys
import tempfile
import time

import pyatspi

PROGRAM = sys.argv[1]
failures = []


def check(condition, message):
    if not condition:
        failures.append(message)
        print("FAIL: " + message, flush=True)


def wait_for(predicate, timeout=10.0):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        try:
            value = predicate()
        except Exception:  # the accessibility tree may be mid-update
            value = None
        if value:
            return value
        time.sleep(0.05)
    return None


def xdotool(*arguments):
    subprocess.run(["xdotool", *arguments], check=True)


def program_frame():
    for app in pyatspi.Registry.getDesktop(0):
        if app is None:
            continue
        for child in app:
            if child is not None and child.getRoleName() == "frame" and child.name == "Tervalo":
                return child
    return None


def find(frame, role, name_prefix):
    return pyatspi.findDescendant(frame, lambda node: node is not None and node.getRoleName() == role
                                  and node.name.startswith(name_prefix))


def text_of(node):
    return node.queryText().getText(0, -1)


def labels(frame):
    return find(frame, "label", "题目：").name, find(frame, "label", "反馈：").name


def pixel(x, y):
    with tempfile.NamedTemporaryFile(suffix=".png") as shot:
        subprocess.run(["import", "-window", "root", shot.name], check=True)
        spot = "p{%d,%d}" % (x, y)
        channels = ",".join("%%[fx:int(255*%s.%s)]" % (spot, channel) for channel in "rgb")
        out = subprocess.run(["convert", shot.name, "-format", channels, "info:"],
                             check=True, capture_output=True, text=True).stdout
    return tuple(int(v) for v in out.split(","))


def is_cyan(rgb):
    return abs(rgb[0] - 0) < 40 and abs(rgb[1] - 182) < 40 and abs(rgb[2] - 214) < 40


def xwininfo(*arguments):
    return subprocess.run(["xwininfo", *arguments], check=True, capture_output=True, text=True).stdout


def frame_geometry():
    """The outer geometry as the window manager draws it: openbox's frame window."""
    client = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^Tervalo$"],
                            check=True, capture_output=True, text=True).stdout.split()[0]
    parent = next(line.split()[3] for line in xwininfo("-tree", "-id", client).splitlines()
                  if "Parent window id" in line)
    values = dict(line.strip().split(":", 1) for line in xwininfo("-id", parent).splitlines() if ":" in line)
    return tuple(int(values[key]) for key in
                 ("Absolute upper-left X", "Absolute upper-left Y", "Width", "Height"))


def frame_height(_frame):
    return frame_geometry()[3]


def start():
    # A screen reader is up before the program: the registry must know it when the program registers.
    pyatspi.Registry.getDesktop(0).childCount
    process = subprocess.Popen([PROGRAM])
    frame = wait_for(program_frame)
    if frame is None:
        process.kill()
        sys.exit("the program's window did not appear on the accessibility bus")
    wait_for(lambda: find(frame, "text", "答案").getState().contains(pyatspi.STATE_FOCUSED))
    return process, frame


def answer(frame, typed, key, prompt, feedback):
    if typed:
        xdotool("type", "--delay", "20", typed)
    xdotool("key", key)
    expected = ("题目：" + prompt, "反馈：" + feedback)
    got = wait_for(lambda: labels(frame) == expected and labels(frame), 5)
    check(got == expected, "after %r + %s: expected %s, got %s" % (typed, key, expected, labels(frame)))
    check(text_of(find(frame, "text", "答案")) == "", "the answer box is emptied after %r" % typed)


def drill_by_keyboard():
    process, frame = start()
    box = find(frame, "text", "答案")
    check(labels(frame) == ("题目：1/20", "反馈："), "first question: %s" % (labels(frame),))
    check(box.getState().contains(pyatspi.STATE_FOCUSED), "the answer box has the focus at start")
    check(find(frame, "push button", "").name == "显示", "the button says 显示")

    answer(frame, "5", "Return", "1/11", "1/20=5%")
    answer(frame, "9", "Return", "1/11", "错误")
    answer(frame, "9.1", "KP_Enter", "8.3%", "1/11=9.1%")
    answer(frame, "1/12", "shift+Return", "33.3%", "1/12=8.3%")
    answer(frame, " 1/3", "Return", "33.3%", "错误")
    answer(frame, "", "Return", "33.3%", "错误")
    answer(frame, "1/3", "ctrl+Return", "12.5%", "1/3=33.3%")

    # The picture can be seen only at the full height.
    picture = find(frame, "", "分数与百分数换算表") or pyatspi.findDescendant(
        frame, lambda node: node is not None and node.name == "分数与百分数换算表")
    extents = picture.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    spot = (extents.x + 389, extents.y + 4)  # the cyan ground at the picture's top-right
    check(frame_height(frame) == 103, "compact outer height: %d" % frame_height(frame))
    check(not is_cyan(pixel(*spot)), "the picture is hidden at the compact height")
    xdotool("key", "Tab")
    xdotool("key", "space")
    check(wait_for(lambda: frame_height(frame) == 364, 5), "full outer height: %d" % frame_height(frame))
    check(wait_for(lambda: is_cyan(pixel(*spot)), 5), "the picture shows at the full height: %s at %s"
          % (pixel(*spot), spot))
    check(find(frame, "push button", "").name == "隐藏", "the button says 隐藏")
    xdotool("key", "Return")  # Enter on the button neither judges nor toggles
    xdotool("key", "Tab")
    xdotool("type", "37.5")
    xdotool("key", "Escape")  # closes without judging the typed text
    check(process.wait(10) == 0, "Esc ends the program with 0")


def close_button():
    process, frame = start()
    xdotool("type", "12")
    x, y, width, _ = frame_geometry()
    # openbox draws the close button at the right end of the title bar.
    xdotool("mousemove", str(x + width - 10), str(y + 10), "click", "1")
    check(process.wait(10) == 0, "the close button ends the program with 0")


drill_by_keyboard()
close_button()
print("drill_e2e: %s" % ("ok" if not failures else "%d failures" % len(failures)))
sys.exit(1 if failures else 0)
