"""Meshes with texture coordinates and normals, pictures, and the surface
records of scene objects, for the example scenes' generators."""
import math
import os
import struct


def write_bmp(path, size, pixel):
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
    with open(path, "wb") as f:
        f.write(header + info + data)


def write_mesh(folder, name, verts, uvs, normals, faces, material, colour):
    with open(os.path.join(folder, name + ".mtl"), "w") as f:
        f.write("newmtl %s\nKd %.3f %.3f %.3f\nKs 0.2 0.2 0.2\nNs 20\n" % (material, *colour))
    with open(os.path.join(folder, name + ".obj"), "w") as f:
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


def surface_mesh(folder, name, point, nu, nv, material, colour, tiles=(1, 1)):
    """A parametric surface: point(u, v) in [0, 1]^2 gives (position, normal)."""
    verts, uvs, normals = [], [], []
    for i in range(nu + 1):
        for j in range(nv + 1):
            p, n = point(i / nu, j / nv)
            verts.append(p)
            normals.append(n)
            uvs.append((tiles[0] * i / nu, tiles[1] * j / nv))
    write_mesh(folder, name, verts, uvs, normals, grid_faces(nu, nv), material, colour)


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


def cube_mesh(folder, name, size, material, colour):
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
    write_mesh(folder, name, verts, uvs, normals, faces, material, colour)


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
