"""Small helpers for writing example scenes in the TF text encoding.

Channels are written one sample per frame; rotations are heading, pitch, bank in
radians. Meshes are written as Wavefront OBJ files with a material each.
"""
import math


def fmt(x):
    return repr(round(x, 6))


def dat(values):
    return "DAT %d %s" % (len(values), " ".join(fmt(v) for v in values))


def run(count, value):
    return "RUN %d %s" % (count, fmt(value))


def channel3(name, lines):
    """A three-component channel: one line of blocks per component."""
    return ["%s FP_C [" % name] + lines + ["]"]


class Timeline:
    def __init__(self, seconds, fps=25):
        self.fps = fps
        self.frames = int(seconds * fps) + 1

    def samples(self, fn):
        """fn(time in seconds) at every frame."""
        return [fn(i / self.fps) for i in range(self.frames)]

    def constant(self, value):
        return run(self.frames, value)

    def curve(self, fn):
        return dat(self.samples(fn))

    def info(self):
        return ["{ SceneInfo", "frameStart I4 0", "frameEnd I4 %d" % (self.frames - 1), "frameStep I4 1",
                "framesPerSecond FP %d" % self.fps, "}"]


def camera(position, rotation, zoom=3.2, resolution=(1280, 720)):
    return ["{ Cameras", "{ Camera"] + position + rotation + [
        "zoomFactor FP %s" % fmt(zoom), "resolution I4 %d %d" % resolution, "}", "}"]


def light(name, kind, extra):
    return ["{ Light", "name STR %s" % name, "type I4 %d" % kind] + extra + ["}"]


def obj(name, mesh, position, rotation, scale):
    return ["{ Object", "name STR %s" % name, "tfilename STR %s" % mesh, "filename STR %s.lwo" % name] + \
        position + rotation + scale + ["}"]


def scene(parts):
    out = ["{ Scene"]
    for part in parts:
        out += part
    return out + ["}"]


def write(path, lines, comment):
    with open(path, "w") as f:
        f.write("// %s\n" % comment)
        f.write("\n".join(lines) + "\n")


def write_obj(path, verts, faces, material, colour):
    name = path.rsplit("/", 1)[-1].rsplit(".", 1)[0]
    with open(path.rsplit(".", 1)[0] + ".mtl", "w") as f:
        f.write("newmtl %s\nKa 0.1 0.1 0.1\nKd %.3f %.3f %.3f\nKs 0.3 0.3 0.3\nNs 20\n" % (material, *colour))
    with open(path, "w") as f:
        f.write("mtllib %s.mtl\no %s\n" % (name, name))
        for v in verts:
            f.write("v %g %g %g\n" % v)
        f.write("usemtl %s\n" % material)
        for face in faces:
            f.write("f " + " ".join(str(i) for i in face) + "\n")


def cube_mesh(path, material, colour, size=1.0):
    s = size
    verts = [(x * s, y * s, z * s) for x in (-1, 1) for y in (-1, 1) for z in (-1, 1)]
    faces = [(1, 3, 7), (1, 7, 5), (2, 6, 8), (2, 8, 4), (1, 2, 4), (1, 4, 3),
             (5, 7, 8), (5, 8, 6), (3, 4, 8), (3, 8, 7), (1, 5, 6), (1, 6, 2)]
    write_obj(path, verts, faces, material, colour)


def torus_mesh(path, material, colour, ring=10.0, tube=4.0, nu=48, nv=24):
    verts, faces = [], []
    for i in range(nu):
        u = 2 * math.pi * i / nu
        for j in range(nv):
            v = 2 * math.pi * j / nv
            verts.append(((ring + tube * math.cos(v)) * math.cos(u), tube * math.sin(v),
                          (ring + tube * math.cos(v)) * math.sin(u)))
    index = lambda i, j: (i % nu) * nv + (j % nv) + 1
    for i in range(nu):
        for j in range(nv):
            a, b, c, d = index(i, j), index(i + 1, j), index(i + 1, j + 1), index(i, j + 1)
            faces += [(a, d, c), (a, c, b)]
    write_obj(path, verts, faces, material, colour)
