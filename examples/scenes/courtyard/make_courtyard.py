#!/usr/bin/env python3
"""Writes courtyard.tscn, the example scene of lights and shadows, with its
meshes and picture.

A paved courtyard at dusk closed on two sides by an L-shaped wall, with a
glowing orb floating over a plinth in the corner. Three lights, each casting
shadows: a low sun (a distant light whose shadow box follows the camera), a
soft spot light (a blurred shadow) aimed at the orb from the open side, and a
warm point light inside the wall's corner. The render settings ask for glow
with light streaks, SMAA with temporal blending and a jittered projection; the
camera swings round the orb while its focus is pulled from the wall onto the
orb. 4 seconds at 25 frames per second.
"""
import math
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "lib"))
from surfaced import cube_mesh, param, plane, scene_object, sphere, surface_mesh, write_bmp  # noqa: E402
from tscn import Timeline, camera, channel3, fmt, light, scene, write  # noqa: E402

T = Timeline(4)
ORB = (-2.0, 1.6, 2.0)


def paving(x, y):
    """Square flags with pale joints, 4 by 4 over the picture."""
    joint = x % 16 in (0, 15) or y % 16 in (0, 15)
    shade = 120 + 18 * (((x // 16) * 5 + (y // 16) * 3) % 4)
    return (170, 165, 150) if joint else (shade, shade - 6, shade - 16)


def aim(source, target):
    """Heading and pitch (radians) that turn +Z from source towards target; pitch up is negative."""
    dx, dy, dz = (t - s for s, t in zip(source, target))
    return math.atan2(dx, dz), -math.atan2(dy, math.hypot(dx, dz))


def placed(name, mesh, position, scale, casts=True, rotation=None):
    """An object; shadowOpts bit 2 makes it cast shadows."""
    lines = ["{ Object", "name STR %s" % name, "tfilename STR %s" % mesh, "filename STR %s.lwo" % name]
    lines += position if isinstance(position, list) else ["position FP %g %g %g" % position]
    lines += rotation or ["rotation FP 0 0 0"]
    lines += ["scale FP %g %g %g" % scale, "shadowOpts I4 %d" % (2 if casts else 0), "}"]
    return lines


def render_settings():
    """Glow with streaks, SMAA then temporal blending over a jittered projection, and the camera range."""
    return ["{ TeskRenderSettings",
            "CH_GLOW_ENABLE I4 1", "CH_GLOW_INTENSITY FP 0.5", "CH_GLOW_RADIUS FP 24",
            "CH_GLOW_SURFACE_INTENSITY FP 1",
            "CH_STREAK_ENABLE I4 1", "CH_STREAK_THRESHOLD FP 0.8", "CH_STREAK_INTENSITY FP 0.5",
            "CH_STREAK_TINT FP 1 0.9 0.7", "CH_STREAK_ATTENUATION FP 0.92", "CH_STREAK_ANGLE FP 0.35",
            "CH_AA_JITTER I4 1", "CH_AA_MODE I4 1", "CH_AA_BLENDING I4 2", "CH_AA_BLENDING_WEIGHT I4 3",
            "CH_CAMERARANGE_ENABLE I4 1", "CH_CAMERARANGE_MIN FP 0.1", "CH_CAMERARANGE_MAX FP 200",
            "}"]


def swing(t):
    """The camera's place: a quarter of a turn round the orb, rising a little."""
    a = math.radians(15 + 40 * (1 - math.cos(math.pi * t / 4)) / 2)
    return (ORB[0] + 9 * math.sin(a), 2.2 + 0.6 * t / 4, ORB[2] - 9 * math.cos(a))


def main():
    write_bmp(os.path.join(HERE, "paving.bmp"), 64, paving)
    surface_mesh(HERE, "ground", plane(1), 1, 1, "ground", (0.6, 0.6, 0.55), tiles=(6, 6))
    surface_mesh(HERE, "orb", sphere(1.0), 32, 16, "orb", (1.0, 0.85, 0.5))
    cube_mesh(HERE, "block", 1.0, "block", (0.7, 0.65, 0.6))

    bob = T.curve(lambda t: ORB[1] + 0.15 * math.sin(math.pi * t / 2))
    objects = []
    objects += placed("Ground", "ground.obj", (0, 0, 0), (24, 1, 24), casts=False)
    objects += placed("WallBack", "block.obj", (0, 1.5, 5), (7, 1.5, 0.3))
    objects += placed("WallSide", "block.obj", (-6.7, 1.5, -1), (0.3, 1.5, 6))
    objects += placed("Plinth", "block.obj", (ORB[0], 0.4, ORB[2]), (0.6, 0.4, 0.6))
    objects += placed("Orb", "orb.obj", channel3("position", [T.constant(ORB[0]), bob, T.constant(ORB[2])]),
                      (0.55, 0.55, 0.55))

    stone = [param("BaseColor", "FP 1 1 1", "paving.bmp"), param("Diffuse", "FP 0.9"), param("VertexColoring", "FP 0")]
    plaster = [param("BaseColor", "FP 0.85 0.78 0.7"), param("Diffuse", "FP 0.85"), param("VertexColoring", "FP 0")]
    scene_objects = []
    scene_objects += scene_object("Ground.lwo", "Paving", stone)
    scene_objects += scene_object("WallBack.lwo", "Plaster", plaster)
    scene_objects += scene_object("WallSide.lwo", "Plaster", plaster)
    scene_objects += scene_object("Plinth.lwo", "Plaster", plaster)
    scene_objects += scene_object("Orb.lwo", "Glowing", [
        param("BaseColor", "FP 1 0.85 0.55"), param("Luminosity", "FP 1"), param("GlowValue", "FP 1"),
        param("VertexColoring", "FP 0")])

    # Looking at the orb all the way, the focus pulled from the back wall onto it.
    places = T.samples(swing)
    turns = [aim(p, ORB) for p in places]
    wall_distance = lambda p: math.dist(p, (ORB[0], ORB[1], 5))
    focus = lambda t: (wall_distance(swing(t)) + (math.dist(swing(t), ORB) - wall_distance(swing(t))) *
                       min(1.0, max(0.0, (t - 1) / 2)))
    cam = camera(channel3("position", [T.curve(lambda t: swing(t)[i]) for i in range(3)]),
                 channel3("rotation", ["DAT %d %s" % (len(turns), " ".join(fmt(h) for h, _ in turns)),
                                       "DAT %d %s" % (len(turns), " ".join(fmt(p) for _, p in turns)),
                                       T.constant(0)]),
                 zoom=2.0)
    cam = cam[:-2] + ["flags I4 8", "focalDistance FP_C " + T.curve(focus), "fStop FP 2.8"] + cam[-2:]

    spot_at = (4.0, 5.0, -3.5)
    spot_heading, spot_pitch = aim(spot_at, ORB)
    lights = ["{ Lights",
              *light("Sun", 0, ["rotation FP 0.75 0.7 0", "rawColor FP 1 0.8 0.6", "intensity FP 0.8",
                                "shadowType I4 2", "shadowColor FP 0.1 0.1 0.2", "shadMapSize I4 1024",
                                "shadMapFuzz FP 0.5", "distantShadowPosition I4 1",
                                "distantShadowPositionOffset FP 30", "distantShadowDimWidth FP 30",
                                "distantShadowDimHeight FP 30"]),
              *light("Spot", 2, ["position FP %g %g %g" % spot_at,
                                 "rotation FP %s %s 0" % (fmt(spot_heading), fmt(spot_pitch)),
                                 "coneAngles FP 0.45 0.15", "rawColor FP 0.7 0.8 1", "intensity FP 0.9",
                                 "falloff I4 1", "range FP 25", "shadowType I4 2", "shadowColor FP 0 0 0.05",
                                 "shadMapSize I4 512", "shadMapFuzz FP 4"]),
              *light("Lamp", 1, ["position FP -5.6 2.6 4", "rawColor FP 1 0.6 0.3", "intensity FP 0.6",
                                 "falloff I4 1", "range FP 8", "shadowType I4 2", "shadMapSize I4 256"]),
              "}"]
    lines = scene([T.info(), ["{ BackdropInfo", "zenith FP 0.22 0.28 0.45", "}"],
                   ["{ LightInfo", "ambient FP 0.12 0.12 0.16", "}"], cam, lights,
                   ["{ Objects"] + objects + ["}"], ["{ SceneObjects"] + scene_objects + ["}"],
                   render_settings()])
    write(os.path.join(HERE, "courtyard.tscn"), lines, "Courtyard: written by make_courtyard.py")


main()
