#!/usr/bin/env python3
"""Writes surfaces.tscn, the example scene of LightWave surfaces, with its
meshes and pictures.

Six objects on a textured floor, each showing one kind of surface: a colour
map (the floor), a normal map (a bumped torus), gloss (a sphere with a tight
highlight), transparency (a glass cube), luminosity (a lamp that glows up and
down) and a surface effect of its own (Glaze.hlsl, a pulsing rim on a cube).
A sun and a point light light them; the camera circles slowly. 8 seconds at
25 frames per second.
"""
import math
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "lib"))
from surfaced import cube_mesh, param, plane, scene_object, sphere, surface_mesh, torus, write_bmp  # noqa: E402
from tscn import Timeline, camera, channel3, light, obj, scene, write  # noqa: E402

T = Timeline(8)


# ---- pictures ---------------------------------------------------------------

def checker(x, y):
    light_square = (x // 8 + y // 8) % 2 == 0
    return (205, 190, 160) if light_square else (70, 85, 100)


def bumps(x, y):
    """A normal map of round bumps, 4 by 4 over the picture."""
    def height(px, py):
        u, v = (px % 16) / 16 - 0.5, (py % 16) / 16 - 0.5
        return max(0.0, 0.16 - u * u - v * v) * 6
    dx = height(x + 1, y) - height(x - 1, y)
    dy = height(x, y + 1) - height(x, y - 1)
    n = (-dx * 4, dy * 4, 1.0)
    length = math.sqrt(sum(c * c for c in n))
    return tuple(int((c / length * 0.5 + 0.5) * 255) for c in n)


# ---- the scene ------------------------------------------------------------------

def main():
    write_bmp(os.path.join(HERE, "checker.bmp"), 64, checker)
    write_bmp(os.path.join(HERE, "bumps.bmp"), 64, bumps)
    surface_mesh(HERE, "floor", plane(30), 1, 1, "floor", (0.8, 0.8, 0.8), tiles=(6, 6))
    surface_mesh(HERE, "torus", torus(2.0, 0.9), 48, 24, "copper", (0.7, 0.45, 0.25), tiles=(8, 2))
    surface_mesh(HERE, "sphere", sphere(1.6), 48, 24, "blue", (0.15, 0.25, 0.6))
    surface_mesh(HERE, "lamp", sphere(0.9), 32, 16, "lamp", (1.0, 0.8, 0.3))
    cube_mesh(HERE, "cube", 1.3, "cube", (0.6, 0.9, 1.0))

    turn = lambda period: T.curve(lambda t: 2 * math.pi * t / period)
    objects = []
    objects += obj("Floor", "floor.obj", ["position FP 0 -2 0"], ["rotation FP 0 0 0"], ["scale FP 1 1 1"])
    objects += obj("Bumped", "torus.obj", ["position FP -5 0.5 2"],
                   channel3("rotation", [turn(8), T.constant(0.9), T.constant(0)]), ["scale FP 1 1 1"])
    objects += obj("Glossy", "sphere.obj", ["position FP 0 0 4"], ["rotation FP 0 0 0"], ["scale FP 1 1 1"])
    objects += obj("Glass", "cube.obj", ["position FP 0 0 -2.5"],
                   channel3("rotation", [turn(16), T.constant(0.3), T.constant(0)]), ["scale FP 1 1 1"])
    objects += obj("Lamp", "lamp.obj", ["position FP 5 1.5 2"], ["rotation FP 0 0 0"], ["scale FP 1 1 1"])
    objects += obj("Glazed", "cube.obj", ["position FP 5 -0.5 -3"],
                   channel3("rotation", [turn(-10), T.constant(0.5), T.constant(0.3)]), ["scale FP 0.8 0.8 0.8"])
    # Each object names its scene object (its surfaces) by its LightWave file,
    # "<name>.lwo"; the glass and the glazed cube share one mesh.

    glow = T.curve(lambda t: 0.55 + 0.45 * math.sin(2 * math.pi * t / 2))
    scene_objects = []
    scene_objects += scene_object("Floor.lwo", "Floor", [
        param("BaseColor", "FP 1 1 1", "checker.bmp"), param("Diffuse", "FP 0.9"), param("Specularity", "FP 0.1")])
    scene_objects += scene_object("Bumped.lwo", "Copper", [
        param("BaseColor", "FP 0.8 0.5 0.3"), param("Bump", "FP 1", "bumps.bmp"), param("Diffuse", "FP 1"),
        param("Specularity", "FP 0.5"), param("Glossiness", "FP 0.5"), param("VertexColoring", "FP 0")])
    scene_objects += scene_object("Glossy.lwo", "Lacquer", [
        param("BaseColor", "FP 0.15 0.25 0.7"), param("Diffuse", "FP 0.8"), param("Specularity", "FP 1"),
        param("Glossiness", "FP 0.85"), param("VertexColoring", "FP 0")])
    scene_objects += scene_object("Glass.lwo", "Glass", [
        param("BaseColor", "FP 0.6 0.9 1"), param("Transparency", "FP 0.6"), param("Specularity", "FP 0.6"),
        param("Glossiness", "FP 0.7"), param("Sidedness", "I4 3"), param("VertexColoring", "FP 0")])
    scene_objects += scene_object("Lamp.lwo", "Glow", [
        param("BaseColor", "FP 1 0.8 0.3"), param("Luminosity", "FP_C " + glow), param("Diffuse", "FP 0.3"),
        param("VertexColoring", "FP 0")])
    scene_objects += scene_object("Glazed.lwo", "Glaze", [
        param("BaseColor", "FP 0.3 0.15 0.4"), param("VertexColoring", "FP 0")],
        effect=["filename STR Glaze.hlsl", "{ Parameters", "{ RimColor", "value FP 1 0.35 0.85", "}",
                "{ PulseRate", "value FP 1.5", "}", "}"])

    eye = lambda t: 2 * math.pi * (0.08 - t / 60)
    cam = camera(channel3("position", [T.curve(lambda t: 16 * math.sin(eye(t))), T.constant(6),
                                       T.curve(lambda t: -16 * math.cos(eye(t)))]),
                 channel3("rotation", [T.curve(lambda t: -eye(t)), T.constant(0.3), T.constant(0)]), zoom=2.6)
    lights = ["{ Lights",
              *light("Sun", 0, ["rotation FP 0.6 0.8 0", "rawColor FP 1 0.96 0.9", "intensity FP 0.85"]),
              *light("Fill", 1, ["position FP 4 4 -6", "rawColor FP 0.5 0.6 1", "intensity FP 0.6",
                                 "falloff I4 1", "range FP 40"]),
              "}"]
    lines = scene([T.info(), ["{ BackdropInfo", "zenith FP 0.05 0.06 0.1", "}"],
                   ["{ LightInfo", "ambient FP 0.12 0.12 0.15", "}"], cam, lights,
                   ["{ Objects"] + objects + ["}"], ["{ SceneObjects"] + scene_objects + ["}"]])
    write(os.path.join(HERE, "surfaces.tscn"), lines, "Surfaces: written by make_surfaces.py")


main()
