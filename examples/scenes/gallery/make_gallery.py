#!/usr/bin/env python3
"""Writes gallery.tscn, the example scene that draws its own frame with a
render command list, with its meshes and picture.

Three pieces on pedestals behind a glass pane, in a long hall that fades into
fog. The scene's commands: two screen-sized textures make the flip-flop set
Gallery[]; a light pre-pass of its own (a "depth" pass into NormalRTT and
DepthRTT, a Light Pass into LightRTT); Clear; the solid objects, which read
the light buffer, then the transparent ones; Fog.hlsl, a full-screen shader reading the
picture and the depth; Flash.hlsl, a white flash from 3.0 to 3.4 seconds
("UseStartEnd"); a soft glow; SMAA on the edges (Antialias); and Post
Processing to the screen. The camera walks down the
hall. 8 seconds at 25 frames per second.
"""
import math
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "lib"))
from surfaced import cube_mesh, param, plane, scene_object, sphere, surface_mesh, torus, write_bmp  # noqa: E402
from tscn import Timeline, camera, channel3, light, obj, scene, write  # noqa: E402

T = Timeline(8)


def tiles(x, y):
    """Stone tiles with dark joints, 4 by 4 over the picture."""
    joint = x % 16 in (0, 15) or y % 16 in (0, 15)
    shade = 150 + 30 * (((x // 16) * 7 + (y // 16) * 3) % 3)
    return (60, 55, 50) if joint else (shade, shade - 10, shade - 25)


# ---- the command list -------------------------------------------------------------

def connections(name, pairs):
    lines = ["{ %s" % name]
    for slot, reference in pairs:
        lines += ["{ C", "name STR %s" % slot, "value STR %s" % reference, "}"]
    return lines + ["}"]


def command(name, cmd, inputs=(), outputs=(), parameters=()):
    lines = ["{ Command", "name STR %s" % name, "cmd STR %s" % cmd]
    lines += connections("Inputs", inputs) + connections("Outputs", outputs)
    lines += ["{ Parameters"]
    for p in parameters:
        lines += p
    return lines + ["}", "}"]


def value(name, text):
    return ["{ P", "name STR %s" % name, "value %s" % text, "}"]


def effect(name, filename, parameters):
    lines = ["{ P", "name STR %s" % name, "{ Effect", "filename STR %s" % filename, "{ Parameters"]
    for parameter, text in parameters:
        lines += ["{ %s" % parameter, "value %s" % text, "}"]
    return lines + ["}", "}", "}"]


def create_texture(name):
    return command("Create " + name, "Create Texture", parameters=[
        value("Name", "STR " + name), value("ColorFormat", "I4 0"), value("Size", "I4 1"),
        value("SizeWidth", "I4 0"), value("SizeHeight", "I4 0"), value("OwnZBuffer", "I4 0")])


def render_commands():
    picture = [("Color0", "Gallery[]")]
    commands = create_texture("Gallery[0]") + create_texture("Gallery[1]")
    # The light pre-pass: normals and depth of the solid objects, their lights
    # summed into LightRTT (the volumes tested against that depth), then the
    # objects drawn with their surfaces, which read the light buffer.
    commands += command("Clear normals", "Clear", outputs=[("Color0", "NormalRTT")], parameters=[
        value("ClearTarget", "I4 1"), value("ClearZBuffer", "I4 1"), value("ClearColor", "FP 0.5 0.5 1")])
    commands += command("Clear depth", "Clear", outputs=[("Color0", "DepthRTT")], parameters=[
        value("ClearTarget", "I4 1"), value("ClearZBuffer", "I4 0"), value("ClearColor", "FP 1 1 1")])
    commands += command("Depth", "Render Objects", outputs=[("Color0", "NormalRTT"), ("Color1", "DepthRTT")],
                        parameters=[value("RenderList", "I4 1"), value("Technique", "STR depth")])
    commands += command("Lights", "Light Pass", outputs=[("Color0", "LightRTT")])
    commands += command("Clear picture", "Clear", outputs=picture, parameters=[
        value("ClearTarget", "I4 1"), value("ClearZBuffer", "I4 1"), value("UseBgColor", "I4 1")])
    commands += command("Solid objects", "Render Objects", outputs=picture, parameters=[
        value("RenderList", "I4 1"), value("RenderPass", "I4 0")])
    commands += command("Glass", "Render Objects", outputs=picture, parameters=[
        value("RenderList", "I4 2"), value("RenderPass", "I4 1")])
    commands += command("Fog", "Shader", inputs=[("s0", "Gallery[]"), ("s1", "DepthRTT")], outputs=picture,
                        parameters=[effect("Shader", "Fog.hlsl", [("FogColor", "FP 0.55 0.6 0.7"),
                                                                  ("FogStart", "FP 0.15")])])
    commands += command("Flash", "Shader", inputs=[("s0", "Gallery[]")], outputs=picture, parameters=[
        value("UseStartEnd", "I4 1"), value("StartTime", "FP 3.0"), value("EndTime", "FP 3.4"),
        effect("Shader", "Flash.hlsl", [("Strength", "FP 0.6")])])
    commands += command("Glow", "Glow", inputs=[("Source", "Gallery[]")], outputs=picture, parameters=[
        value("Radius", "FP 32"), value("Intensity", "FP 0.05")])
    commands += command("Smooth edges", "Antialias",
                        inputs=[("Source", "Gallery[]"), ("Work", "BackRTT[0]"), ("History", "BackRTT[1]")],
                        outputs=picture)
    commands += command("To screen", "Post Processing", inputs=[("Source", "Gallery[]")],
                        outputs=[("Color0", "Display")])
    return ["{ TeskRenderCommands", "{ Commands"] + commands + ["}", "}"]


# ---- the scene ----------------------------------------------------------------------

def placed(name, mesh, position, rotation="rotation FP 0 0 0", scale="scale FP 1 1 1"):
    return obj(name, mesh, ["position FP %g %g %g" % position], [rotation] if isinstance(rotation, str) else rotation,
               [scale])


def main():
    write_bmp(os.path.join(HERE, "tiles.bmp"), 64, tiles)
    surface_mesh(HERE, "floor", plane(1), 1, 1, "floor", (0.7, 0.7, 0.7), tiles=(4, 24))
    surface_mesh(HERE, "ball", sphere(1.0), 24, 12, "ball", (0.8, 0.2, 0.15))
    surface_mesh(HERE, "ring", torus(0.9, 0.35), 24, 12, "ring", (0.7, 0.45, 0.25))
    cube_mesh(HERE, "block", 1.0, "block", (0.6, 0.6, 0.6))

    turn = lambda period: T.curve(lambda t: 2 * math.pi * t / period)
    objects = []
    objects += placed("Floor", "floor.obj", (0, 0, 24), scale="scale FP 12 1 72")
    for i, x in enumerate((-4, 0, 4)):
        objects += placed("Pedestal%d" % i, "block.obj", (x, 0.75, 8), scale="scale FP 0.8 0.75 0.8")
    objects += placed("Ball", "ball.obj", (-4, 2.6, 8))
    objects += placed("Ring", "ring.obj", (0, 2.6, 8), channel3("rotation", [turn(6), T.constant(1.2), T.constant(0)]))
    objects += placed("Cube", "block.obj", (4, 2.4, 8),
                      channel3("rotation", [turn(-9), T.constant(0.6), T.constant(0.4)]), "scale FP 0.7 0.7 0.7")
    for i in range(10):
        objects += placed("Column%d" % i, "block.obj", (-6 if i % 2 else 6, 3, 14 + 8 * (i // 2)),
                          scale="scale FP 0.5 3 0.5")
    objects += placed("Pane", "block.obj", (0, 1.8, 3), scale="scale FP 3.2 1.6 0.05")

    stone = [param("BaseColor", "FP 1 1 1", "tiles.bmp"), param("Diffuse", "FP 0.9"), param("VertexColoring", "FP 0")]
    scene_objects = []
    scene_objects += scene_object("Floor.lwo", "Stone", stone)
    for i in range(3):
        scene_objects += scene_object("Pedestal%d.lwo" % i, "Marble", [
            param("BaseColor", "FP 0.85 0.85 0.8"), param("Specularity", "FP 0.3"), param("VertexColoring", "FP 0")])
    for i in range(10):
        scene_objects += scene_object("Column%d.lwo" % i, "Stone", stone)
    scene_objects += scene_object("Ball.lwo", "Lacquer", [
        param("BaseColor", "FP 0.8 0.15 0.1"), param("Specularity", "FP 0.9"), param("Glossiness", "FP 0.8"),
        param("VertexColoring", "FP 0")])
    scene_objects += scene_object("Ring.lwo", "Brass", [
        param("BaseColor", "FP 0.8 0.6 0.25"), param("Specularity", "FP 0.6"), param("Glossiness", "FP 0.6"),
        param("VertexColoring", "FP 0")])
    scene_objects += scene_object("Cube.lwo", "Jade", [
        param("BaseColor", "FP 0.2 0.6 0.4"), param("Luminosity", "FP 0.2"), param("VertexColoring", "FP 0")])
    scene_objects += scene_object("Pane.lwo", "Glass", [
        param("BaseColor", "FP 0.7 0.85 1"), param("Transparency", "FP 0.7"), param("Specularity", "FP 0.5"),
        param("Sidedness", "I4 3"), param("VertexColoring", "FP 0")])

    # The camera walks from the hall's far end towards the pane, looking back down the hall.
    walk = lambda t: -6 + 5 * (1 - math.cos(math.pi * t / 8)) / 2
    cam = camera(channel3("position", [T.curve(lambda t: 1.5 * math.sin(t / 2)), T.constant(2.6), T.curve(walk)]),
                 channel3("rotation", [T.curve(lambda t: -0.1 * math.sin(t / 2)), T.constant(0.05),
                                       T.constant(0)]), zoom=2.2)
    lights = ["{ Lights",
              *light("Sun", 0, ["rotation FP 0.5 0.9 0", "rawColor FP 1 0.95 0.85", "intensity FP 0.9"]),
              *light("Lamp", 1, ["position FP 0 5 6", "rawColor FP 1 0.85 0.6", "intensity FP 0.8",
                                 "falloff I4 1", "range FP 30"]),
              "}"]
    lines = scene([T.info(), ["{ BackdropInfo", "zenith FP 0.55 0.6 0.7", "}"],
                   ["{ LightInfo", "ambient FP 0.15 0.15 0.18", "}"], cam, lights,
                   ["{ Objects"] + objects + ["}"], ["{ SceneObjects"] + scene_objects + ["}"],
                   render_commands()])
    write(os.path.join(HERE, "gallery.tscn"), lines, "Gallery: written by make_gallery.py")


main()
