#!/usr/bin/env python3
"""Writes the showcase demo: three scenes beside the orbit example, a small
scene that rides in front of the camera as an extra, and showcase.demo.ini.

Parts: orbit (0-4 s, fading in from black), towers (4-8 s, with the badge extra
from 5 to 7 s), the gallery example, which draws its frame with its own render
command list (8-12 s), the courtyard example, lit by shadow-casting lights with
glow, streaks, a focus pull and anti-aliasing from its render settings
(12-16 s), rings (16-20 s, fading out to black), then the end mark at 20 s.
The music is music/showcase.mp3 (make_tune.sh).
"""
import math
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
SCENES = os.path.join(HERE, "scenes")
sys.path.insert(0, os.path.join(SCENES, "lib"))
import tscn  # noqa: E402


def towers():
    folder = os.path.join(SCENES, "towers")
    os.makedirs(folder, exist_ok=True)
    tscn.cube_mesh(os.path.join(folder, "block.obj"), "amber", (0.95, 0.6, 0.15))
    tscn.cube_mesh(os.path.join(folder, "floor.obj"), "slate", (0.3, 0.32, 0.4), size=1.0)
    tl = tscn.Timeline(4)
    cam = tscn.camera(
        tscn.channel3("position", [tl.curve(lambda t: 40 * math.sin(0.4 * t)), tl.constant(14),
                                   tl.curve(lambda t: -40 * math.cos(0.4 * t))]),
        tscn.channel3("rotation", [tl.curve(lambda t: -0.4 * t), tl.constant(0.3), tl.constant(0)]))
    objects = ["{ Objects"]
    objects += tscn.obj("Floor", "floor.obj", ["position FP 0 -1 0"], ["rotation FP 0 0 0"], ["scale FP 30 0.2 30"])
    for i in range(9):
        x, z = (i % 3 - 1) * 10, (i // 3 - 1) * 10
        rise = 0.3 * i
        height = lambda t, rise=rise: max(0.2, min(3.0, 3.0 * (t - rise)))
        objects += tscn.obj("Tower%d" % i, "block.obj",
                            tscn.channel3("position", [tl.constant(x), tl.curve(height), tl.constant(z)]),
                            tscn.channel3("rotation", [tl.curve(lambda t, i=i: 0.3 * i + 0.5 * t), tl.constant(0),
                                                       tl.constant(0)]),
                            tscn.channel3("scale", [tl.constant(2), tl.curve(height), tl.constant(2)]))
    objects += ["}"]
    lights = ["{ Lights"] + tscn.light("Sun", 0, ["rotation FP -0.6 0.9 0", "rawColor FP 1 0.9 0.8",
                                                   "intensity FP 1"]) + ["}"]
    tscn.write(os.path.join(folder, "towers.tscn"),
               tscn.scene([tl.info(), ["{ BackdropInfo", "zenith FP 0.25 0.12 0.08", "}"],
                           ["{ LightInfo", "ambient FP 0.2 0.2 0.25", "}"], cam, lights, objects]),
               "Towers: written by examples/make_showcase.py")


def rings():
    folder = os.path.join(SCENES, "rings")
    os.makedirs(folder, exist_ok=True)
    tscn.torus_mesh(os.path.join(folder, "ring.obj"), "gold", (0.9, 0.75, 0.3), ring=10, tube=1.2)
    tl = tscn.Timeline(4)
    cam = tscn.camera(tscn.channel3("position", [tl.constant(0), tl.constant(0), tl.curve(lambda t: -60 + 6 * t)]),
                      tscn.channel3("rotation", [tl.constant(0), tl.constant(0), tl.curve(lambda t: 0.2 * t)]))
    objects = ["{ Objects"]
    for i in range(5):
        objects += tscn.obj("Ring%d" % i, "ring.obj", ["position FP 0 0 %d" % (i * 6)],
                            tscn.channel3("rotation", [tl.curve(lambda t, i=i: (i + 1) * 0.6 * t), tl.constant(
                                1.5708), tl.curve(lambda t, i=i: 0.4 * i * t)]),
                            ["scale FP %s %s %s" % ((1 - 0.12 * i,) * 3)])
    objects += ["}"]
    lights = ["{ Lights"]
    lights += tscn.light("Key", 0, ["rotation FP 0.3 0.5 0", "rawColor FP 1 1 1", "intensity FP 0.9"])
    lights += tscn.light("Glow", 1, tscn.channel3("position", [tl.curve(lambda t: 20 * math.sin(1.5 * t)),
                                                               tl.curve(lambda t: 20 * math.cos(1.5 * t)),
                                                               tl.constant(-10)]) +
                         ["rawColor FP 0.3 0.5 1", "intensity FP 1", "falloff I4 1", "range FP 80"])
    lights += ["}"]
    tscn.write(os.path.join(folder, "rings.tscn"),
               tscn.scene([tl.info(), ["{ BackdropInfo", "zenith FP 0.02 0.02 0.06", "}"],
                           ["{ LightInfo", "ambient FP 0.1 0.1 0.15", "}"], cam, lights, objects]),
               "Rings: written by examples/make_showcase.py")


def badge():
    """A small spinning cube that rides in front of the camera (an extra scene)."""
    folder = os.path.join(SCENES, "badge")
    os.makedirs(folder, exist_ok=True)
    tscn.cube_mesh(os.path.join(folder, "badge.obj"), "mint", (0.3, 0.95, 0.6), size=0.6)
    tl = tscn.Timeline(4)
    objects = ["{ Objects"] + tscn.obj(
        "Badge", "badge.obj", ["position FP 3 -1.5 8"],
        tscn.channel3("rotation", [tl.curve(lambda t: 3 * t), tl.curve(lambda t: 2 * t), tl.constant(0)]),
        ["scale FP 1 1 1"]) + ["}"]
    tscn.write(os.path.join(folder, "badge.tscn"), tscn.scene([tl.info(), objects]),
               "Badge: written by examples/make_showcase.py")


DEMO = """; Showcase demo: five scenes to music (one drawing its own frame with a render command list,
; one lit by shadow-casting lights), an extra scene, a timed shader and two colour fades.
[setup]
musicdirectory = music
shadersdirectory = shaders

[part1_orbit]
time = 0
music = showcase.mp3
directory = scenes/orbit
filename = orbit.tscn
camerarange = 0.1 1000
fader.0.time = 0
fader.0.length = 1000
fader.0.fadelength = 1000
fader.0.color = 0xFF000000
fader.0.fadein = 1

[part2_towers]
time = 4000
directory = scenes/towers
filename = towers.tscn
extra.0.directory = scenes/badge
extra.0.filename = badge.tscn
extra.0.time = 5000
extra.0.length = 2000

[part3_gallery]
time = 8000
directory = scenes/gallery
filename = gallery.tscn
camerarange = 0.1 100

[part4_courtyard]
time = 12000
directory = scenes/courtyard
filename = courtyard.tscn

[part5_rings]
time = 16000
directory = scenes/rings
filename = rings.tscn
shader.0.name = Dusk.hlsl     ; a warm grade from 16.5 s to 18.5 s
shader.0.time = 16500
shader.0.length = 2000
fader.0.time = 18500
fader.0.length = 1500
fader.0.fadelength = 1500
fader.0.color = 0xFF000000

[part6_end]
time = 20000
"""

if __name__ == "__main__":
    towers()
    rings()
    badge()
    with open(os.path.join(HERE, "showcase.demo.ini"), "w") as f:
        f.write(DEMO)
    print("wrote the showcase scenes and showcase.demo.ini")
