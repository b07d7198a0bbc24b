#pragma once
// Fuzz inputs that run through the whole engine on the null driver. Each takes
// arbitrary bytes and returns 0; a fault shows as a sanitizer report or an
// abort. The libFuzzer targets call them (fuzz/CMakeLists.txt), and the unit
// tests replay the kept corpus and regression inputs through them.

#include <cstddef>
#include <cstdint>

namespace tk::fuzz {

// Bytes as a setup file: parsed, turned into start-up values and, when they
// parse, an engine started from them and shut down again.
int setupFile(const uint8_t* data, size_t size);
// Bytes as a packed archive: its members read by the archive reader, then the
// archive mounted on an engine started for it and read through the file layer
// and the display library's file system, under stored and Windows names.
int packedArchive(const uint8_t* data, size_t size);
// Bytes as a packed program file: its resource table read, its archive found
// and extracted, and a resource written into it (the others must stay).
int programTrailer(const uint8_t* data, size_t size);

// Bytes as a mesh file: the first byte picks the format (meshFileExtension),
// the rest is the file (an OBJ's material library "fuzz.mtl" follows its first
// NUL byte), loaded as an object by an engine started for it, then deleted.
int meshFile(const uint8_t* data, size_t size);
// The extension a mesh input's first byte picks: 0 ".obj", 1 ".x", 2 ".lwo",
// then the display library's other formats.
const char* meshFileExtension(uint8_t first);
// Bytes as a demo file: parsed into a demo description and given start times
// (the scenes' music made up from the parts, no engine).
int demoDescription(const uint8_t* data, size_t size);
// Bytes as a demo file beside a small scene, mesh and shader, loaded by the
// demo loader on a fresh engine, played a few steps on the capture clock and
// unloaded again.
int demoLoad(const uint8_t* data, size_t size);
// Bytes as a sequence of script command calls with hostile arguments, made
// through the Lua host on an engine set up by the input itself.
int scriptCommands(const uint8_t* data, size_t size);

// Bytes as a scene file beside a mesh of two materials, a picture and an
// effect, loaded into a scene by an engine started for it, animated a few
// steps and deleted.
int sceneLoad(const uint8_t* data, size_t size);

// Bytes as the kernel's joystick stream (the first byte picks how it is cut
// into reads): decoded whole and in pieces, the two records must agree.
int joystickStream(const uint8_t* data, size_t size);
// Bytes as a script's UTF-8 text: the text cut to the longest drawn text must
// be the beginning of the whole text, ended on a character.
int utf8Cut(const uint8_t* data, size_t size);

// Puts the process in the state every input expects: the null driver, no
// display, no message boxes, the log quiet. Safe to call more than once.
void prepareProcess();

}  // namespace tk::fuzz
