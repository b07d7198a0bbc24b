#!/usr/bin/env python3
"""Writes a large TF scene for tests and benchmarks.

usage: make-large-scene.py OUT.tscn [--objects N] [--frames F] [--meshes M]

N objects (default 2000) each move, turn and scale along channels of F samples
(default 1000): position as DAT blocks, rotation as a DAT heading with RUN pitch
and bank, scale as RUN then DAT. They name M different mesh files (default 8),
written beside the scene as small cubes, so that most objects share a mesh.
"""
import argparse
import math
import os


def cube(path, size):
    s = size
    verts = [(x * s, y * s, z * s) for x in (-1, 1) for y in (-1, 1) for z in (-1, 1)]
    faces = [(1, 3, 7), (1, 7, 5), (2, 6, 8), (2, 8, 4), (1, 2, 4), (1, 4, 3),
             (5, 7, 8), (5, 8, 6), (3, 4, 8), (3, 8, 7), (1, 5, 6), (1, 6, 2)]
    with open(path, "w") as f:
        for v in verts:
            f.write("v %g %g %g\n" % v)
        for a, b, c in faces:
            f.write("f %d %d %d\n" % (a, b, c))


def dat(values):
    return "DAT %d %s" % (len(values), " ".join("%.4f" % v for v in values))


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("out")
    parser.add_argument("--objects", type=int, default=2000)
    parser.add_argument("--frames", type=int, default=1000)
    parser.add_argument("--meshes", type=int, default=8)
    args = parser.parse_args()
    folder = os.path.dirname(os.path.abspath(args.out))
    for m in range(args.meshes):
        cube(os.path.join(folder, "large_mesh_%d.obj" % m), 0.5 + 0.1 * m)
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
    out += ["}", "}"]
    with open(args.out, "w") as f:
        f.write("\n".join(out) + "\n")


if __name__ == "__main__":
    main()
