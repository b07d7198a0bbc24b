#!/usr/bin/env python3
"""Writes a large TF scene for tests and benchmarks.

usage: make-large-scene.py OUT.tscn [--objects N] [--frames F] [--meshes M]
                           [--surfaces S] [--animated-surfaces A] [--macro-sets V]

N objects (default 2000) each move, turn and scale along channels of F samples
(default 1000): position as DAT blocks, rotation as a DAT heading with RUN pitch
and bank, scale as RUN then DAT. They name M different mesh files (default 8),
written beside the scene as small cubes, so that most objects share a mesh.
With S surfaces (default 0) each cube has S materials and each object a scene
object of S surfaces (constant colour, diffuse, specularity and glossiness;
the first A of them, all by default, with a luminosity channel of F samples);
object i's surfaces take macro set i % V of V (default 1, at most 4): opaque,
see-through, translucent or both.
"""
import argparse
import math
import os


def cube(path, size, materials=0):
    """With materials, the 12 triangles are split between that many of them."""
    s = size
    verts = [(x * s, y * s, z * s) for x in (-1, 1) for y in (-1, 1) for z in (-1, 1)]
    faces = [(1, 3, 7), (1, 7, 5), (2, 6, 8), (2, 8, 4), (1, 2, 4), (1, 4, 3),
             (5, 7, 8), (5, 8, 6), (3, 4, 8), (3, 8, 7), (1, 5, 6), (1, 6, 2)]
    library = os.path.splitext(path)[0] + ".mtl"
    with open(path, "w") as f:
        if materials:
            f.write("mtllib %s\n" % os.path.basename(library))
            with open(library, "w") as m:
                m.writelines("newmtl m%d\nKd 0.8 0.8 0.8\n" % k for k in range(materials))
        for v in verts:
            f.write("v %g %g %g\n" % v)
        per = max(1, len(faces) // materials) if materials else len(faces)
        for i, (a, b, c) in enumerate(faces):
            if materials and i % per == 0 and i // per < materials:
                f.write("usemtl m%d\n" % (i // per))
            f.write("f %d %d %d\n" % (a, b, c))


# The parameters that set macro set k (0 to 3) apart from the others.
def macro_set(k):
    params = []
    if k & 1:
        params.append(("Transparency", "FP 0.5"))
    if k & 2:
        params.append(("Translucency", "FP 0.3"))
    return params


def surfaces(name, count, animated, frames, k):
    out = ["{ SceneObject", "filename STR %s.lwo" % name, "{ Surfaces"]
    glow = dat([0.5 + 0.5 * math.sin(f * 0.02) for f in range(frames)])
    for i in range(count):
        params = [("BaseColor", "FP 0.8 0.6 0.4"), ("Diffuse", "FP 0.9"), ("Specularity", "FP 0.3"),
                  ("Glossiness", "FP 0.5"), ("Luminosity", "FP_C " + glow if i < animated else "FP 0.5")]
        params += macro_set(k)
        out += ["{ Surface", "name STR s%d" % i, "{ Parameters"]
        for key, value in params:
            out += ["{ %s" % key, "value %s" % value, "}"]
        out += ["}", "}"]
    return out + ["}", "}"]


def dat(values):
    return "DAT %d %s" % (len(values), " ".join("%.4f" % v for v in values))


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("out")
    parser.add_argument("--objects", type=int, default=2000)
    parser.add_argument("--frames", type=int, default=1000)
    parser.add_argument("--meshes", type=int, default=8)
    parser.add_argument("--surfaces", type=int, default=0)
    parser.add_argument("--animated-surfaces", type=int, default=-1)
    parser.add_argument("--macro-sets", type=int, default=1)
    args = parser.parse_args()
    folder = os.path.dirname(os.path.abspath(args.out))
    for m in range(args.meshes):
        cube(os.path.join(folder, "large_mesh_%d.obj" % m), 0.5 + 0.1 * m, args.surfaces)
    n, frames = args.objects, args.frames
    out = ["// large scene: %d objects, %d frames" % (n, frames), "{ Scene", "{ SceneInfo", "frameStart I4 0",
           "frameEnd I4 %d" % (frames - 1), "frameStep I4 1", "framesPerSecond FP 30", "}",
           "{ Cameras", "{ Camera", "position FP 0 20 -120", "rotation FP 0 0.2 0", "zoomFactor FP 3.2", "}", "}",
           "{ Lights", "{ Light", "name STR Sun", "type I4 0", "rotation FP 0.5 0.8 0", "rawColor FP 1 1 1",
           "intensity FP 1", "}", "}", "{ Objects"]
    for i in range(n):
        radius = 5 + (i % 50)
        phase = i * 0.37
        xs = [radius * math.sin(phase + k * 0.01) for k in range(frames)]
        zs = [radius * math.cos(phase + k * 0.01) for k in range(frames)]
        ys = [(i % 7) + math.sin(k * 0.05 + i) for k in range(frames)]
        heading = [phase + k * 0.02 for k in range(frames)]
        half = frames // 2
        grow = [1 + 0.5 * k / half for k in range(frames - half)]
        out += ["{ Object", "name STR obj%d" % i, "tfilename STR large_mesh_%d.obj" % (i % args.meshes),
                "filename STR obj%d.lwo" % i,
                "position FP_C [", dat(xs), dat(ys), dat(zs), "]",
                "rotation FP_C [", dat(heading), "RUN %d 0.1" % frames, "RUN %d 0" % frames, "]",
                "scale FP_C [", "RUN %d 1 %s" % (half, dat(grow)), "RUN %d 1 %s" % (half, dat(grow)),
                "RUN %d 1 %s" % (half, dat(grow)), "]", "}"]
    out += ["}"]
    if args.surfaces:
        out += ["{ SceneObjects"]
        for i in range(n):
            animated = args.surfaces if args.animated_surfaces < 0 else args.animated_surfaces
            out += surfaces("obj%d" % i, args.surfaces, animated, frames, i % args.macro_sets)
        out += ["}"]
    out += ["}"]
    with open(args.out, "w") as f:
        f.write("\n".join(out) + "\n")


if __name__ == "__main__":
    main()
