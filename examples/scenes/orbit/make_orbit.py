#!/usr/bin/env python3
"""Writes orbit.tscn, the example scene, in the text encoding.

A torus turns over a ground plane while two cubes (one mesh, shared) orbit it,
a point light circles and dims, and the camera dollies in. 10 seconds at 25
frames per second: frames 0 to 250, one sample per frame.
"""
import math
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "lib"))
from tscn import channel3, dat, obj, run  # noqa: E402

FRAMES = 251
FPS = 25


def samples(fn):
    return [fn(i / FPS) for i in range(FRAMES)]


def orbit(radius, height, phase, turns):
    ang = lambda t: phase + 2 * math.pi * turns * t / 10
    return [dat(samples(lambda t: radius * math.sin(ang(t)))),
            run(FRAMES, height),
            dat(samples(lambda t: radius * math.cos(ang(t))))]


lines = ["// Orbit: written by make_orbit.py", "{ Scene",
         "{ SceneInfo", "frameStart I4 0", "frameEnd I4 250", "frameStep I4 1", "framesPerSecond FP 25", "}",
         "{ BackdropInfo", "zenith FP 0.08 0.1 0.2", "}",
         "{ LightInfo", "ambient FP 0.15 0.15 0.2", "}",
         "{ Cameras", "{ Camera"]
lines += channel3("position", [run(FRAMES, 0), run(FRAMES, 8), dat(samples(lambda t: -45 + 1.5 * t))])
lines += channel3("rotation", [run(FRAMES, 0), run(FRAMES, 0.2), run(FRAMES, 0)])
lines += ["zoomFactor FP 3.2", "resolution I4 1280 720", "}", "}"]
lines += ["{ Lights",
          "{ Light", "name STR Sun", "type I4 0", "rotation FP 0.5 0.9 0", "rawColor FP 1 0.95 0.9",
          "intensity FP 0.9", "}",
          "{ Light", "name STR Lamp", "type I4 1"]
lines += channel3("position", orbit(15, 6, 0, 1))
lines += ["rawColor FP 0.4 0.6 1", "intensity FP_C %s %s" % (run(125, 1.0), run(126, 0.5)),
          "falloff I4 1", "range FP 60", "}", "}"]
lines += ["{ Objects"]
lines += obj("Ground", "ground.obj", ["position FP 0 -3 0"], ["rotation FP 0 0 0"], ["scale FP 1 1 1"])
lines += obj("Torus", "torus.obj", ["position FP 0 2 0"],
             channel3("rotation", [dat(samples(lambda t: 2 * math.pi * t / 10)), run(FRAMES, 0.3), run(FRAMES, 0)]),
             ["scale FP 0.5 0.5 0.5"])
grow = [run(125, 1.0), dat([1.0 + 0.5 * i / 125 for i in range(1, 127)])]
lines += obj("CubeA", "cube.obj", channel3("position", orbit(12, 0, 0, 1)),
             channel3("rotation", [dat(samples(lambda t: 4 * math.pi * t / 10)), run(FRAMES, 0), run(FRAMES, 0)]),
             ["scale FP_C [", "%s %s" % tuple(grow), "%s %s" % tuple(grow), "%s %s" % tuple(grow), "]"])
lines += obj("CubeB", "cube.obj", channel3("position", orbit(12, 0, math.pi, 1)),
             ["rotation FP 0 0 0.785398"], ["scale FP 1 1 1"])
lines += ["}", "}"]
open(os.path.join(os.path.dirname(os.path.abspath(__file__)), "orbit.tscn"), "w").write("\n".join(lines) + "\n")
