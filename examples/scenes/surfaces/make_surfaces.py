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
import struct
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "lib"))
from tscn import Timeline, camera, channel3, light, obj, scene, write  # noqa: E402

T = Timeline(8)


# ---- pictures ---------------------------------------------------------------

def write_bmp(name, size, pixel):
    """A 24-bit picture; pixel(x, y) gives (r, g, b) with y = 0 the top row."""
    row = (size * 3 + 3) & ~3
    data = bytearray()
    for y in reversed(range(size)):  # BMP rows go bottom up
        line = bytearray()
        for x in range(size):
            r, g, b = pixel(x, y)
            line += bytes((b, g, r))
        data += line + bytes(row - len(line))
    header = struct.pack("<2sIHHI", b"BM", 54 + len(data), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, size, size, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    with open(os.path.join(HERE, name), "wb") as f:
        f.write(header + info + data)


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


# ---- meshes (with texture coordinates and normals) --------------------------------

def write_mesh(name, verts, uvs, normals, faces, material, colour):
    with open(os.path.join(HERE, name + ".mtl"), "w") as f:
        f.write("newmtl %s\nKd %.3f %.3f %.3f\nKs 0.2 0.2 0.2\nNs 20\n" % (material, *colour))
    with open(os.path.join(HERE, name + ".obj"), "w") as f:
        f.write("mtllib %s.mtl\no %s\n" % (name, name))
        f.writelines("v %.5f %.5f %.5f\n" % v for v in verts)
        f.writelines("vt %.5f %.5f\n" % t for t in uvs)
        f.writelines("vn %.5f %.5f %.5f\n" % n for n in normals)
        f.write("usemtl %s\n" % material)
        for face in faces:
            f.write("f " + " ".join("%d/%d/%d" % (i, i, i) for i in face) + "\n")


def grid_faces(nu, nv):
    index = lambda i, j: i * (nv + 1) + j + 1
    faces = []
    for i in range(nu):
        for j in range(nv):
            a, b, c, d = index(i, j), index(i + 1, j), index(i + 1, j + 1), index(i, j + 1)
            faces += [(a, d, c), (a, c, b)]
    return faces


def surface_mesh(name, point, nu, nv, material, colour, tiles=(1, 1)):
    """A parametric surface: point(u, v) in [0, 1]^2 gives (position, normal)."""
    verts, uvs, normals = [], [], []
    for i in range(nu + 1):
        for j in range(nv + 1):
            p, n = point(i / nu, j / nv)
            verts.append(p)
            normals.append(n)
            uvs.append((tiles[0] * i / nu, tiles[1] * j / nv))
    write_mesh(name, verts, uvs, normals, grid_faces(nu, nv), material, colour)


def sphere(radius):
    def point(u, v):
        a, b = -2 * math.pi * u, math.pi * v  # counter-clockwise seen from outside
        n = (math.sin(b) * math.cos(a), math.cos(b), math.sin(b) * math.sin(a))
        return tuple(radius * c for c in n), n
    return point


def torus(ring, tube):
    def point(u, v):
        a, b = 2 * math.pi * u, 2 * math.pi * v
        n = (math.cos(b) * math.cos(a), math.sin(b), math.cos(b) * math.sin(a))
        p = ((ring + tube * math.cos(b)) * math.cos(a), tube * math.sin(b), (ring + tube * math.cos(b)) * math.sin(a))
        return p, n
    return point


def plane(size):
    def point(u, v):
        return ((0.5 - u) * size, 0, (0.5 - v) * size), (0, 1, 0)
    return point


def cube_mesh(name, size, material, colour):
    """Each face its own four corners, its picture upright seen from outside."""
    verts, uvs, normals, faces = [], [], [], []
    s = size
    for axis in range(3):
        for sign in (1, -1):
            n = [0, 0, 0]
            n[axis] = sign
            # Two directions across the face: right and up as seen from outside.
            up = [0, 1, 0] if axis != 1 else [0, 0, -sign]
            right = [n[1] * up[2] - n[2] * up[1], n[2] * up[0] - n[0] * up[2], n[0] * up[1] - n[1] * up[0]]
            right = [-c for c in right]
            base = len(verts) + 1
            for (a, b), uv in zip(((-1, 1), (1, 1), (1, -1), (-1, -1)), ((0, 0), (1, 0), (1, 1), (0, 1))):
                verts.append(tuple(s * (n[k] + a * right[k] + b * up[k]) for k in range(3)))
                uvs.append(uv)
                normals.append(tuple(n))
            faces += [(base, base + 2, base + 1), (base, base + 3, base + 2)]  # counter-clockwise from outside
    write_mesh(name, verts, uvs, normals, faces, material, colour)


# ---- the scene ------------------------------------------------------------------

def param(name, value, image=None):
    lines = ["{ %s" % name, "value %s" % value]
    if image:
        lines += ["img_filename STR %s" % image, "img_colorspace I4 1"]
    return lines + ["}"]


def scene_object(filename, surface_name, parameters, effect=None):
    lines = ["{ SceneObject", "filename STR %s" % filename, "{ Surfaces", "{ Surface",
             "name STR %s" % surface_name, "{ Parameters"]
    for p in parameters:
        lines += p
    lines += ["}"]
    if effect:
        lines += ["{ Shader", "applyToSurface I4 0", "{ Effect"] + effect + ["}", "}"]
    return lines + ["}", "}", "}"]


def main():
    write_bmp("checker.bmp", 64, checker)
    write_bmp("bumps.bmp", 64, bumps)
    surface_mesh("floor", plane(30), 1, 1, "floor", (0.8, 0.8, 0.8), tiles=(6, 6))
    surface_mesh("torus", torus(2.0, 0.9), 48, 24, "copper", (0.7, 0.45, 0.25), tiles=(8, 2))
    surface_mesh("sphere", sphere(1.6), 48, 24, "blue", (0.15, 0.25, 0.6))
    surface_mesh("lamp", sphere(0.9), 32, 16, "lamp", (1.0, 0.8, 0.3))
    cube_mesh("cube", 1.3, "cube", (0.6, 0.9, 1.0))

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
