#pragma once
// Building TF files byte by byte from the format's tables, and loading bytes
// while capturing what the reader prints.

#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <string>

#include "tests/support/capture_stdout.h"
#include "tf/tf_load.h"

namespace tk::test {

inline std::string be32(uint32_t word) {
  return std::string{static_cast<char>(word >> 24), static_cast<char>(word >> 16), static_cast<char>(word >> 8),
                     static_cast<char>(word)};
}

inline uint32_t floatWord(float value) {
  uint32_t word;
  std::memcpy(&word, &value, 4);
  return word;
}

inline std::string words(std::initializer_list<uint32_t> list) {
  std::string out;
  for (uint32_t w : list) out += be32(w);
  return out;
}

inline std::string floats(std::initializer_list<float> list) {
  std::string out;
  for (float f : list) out += be32(floatWord(f));
  return out;
}

// The name and NULs up to (length + 4) rounded down to a multiple of 4.
inline std::string nameField(const std::string& name) {
  return name + std::string((name.size() + 4) / 4 * 4 - name.size(), '\0');
}

inline std::string chunk(const char* id, const std::string& payload) {
  return std::string(id, 4) + be32(static_cast<uint32_t>(payload.size())) + payload;
}

inline std::string node(const std::string& name, const std::string& children) {
  return chunk("NODE", nameField(name) + children);
}
inline std::string nval(const std::string& name, uint32_t type, const std::string& data) {
  return chunk("NVAL", nameField(name) + be32(type) + data);
}
inline std::string narr(const std::string& name, uint32_t type, const std::string& avals) {
  return chunk("NARR", nameField(name) + be32(type) + avals);
}
inline std::string aval(const std::string& data) { return chunk("AVAL", data); }
inline std::string str(const std::string& text) { return text + std::string(1, '\0'); }

inline std::string form(const std::string& chunks) {
  return "FORM" + be32(static_cast<uint32_t>(chunks.size() + 4)) + "TSKF" + chunks;
}

// A scene fragment in the text encoding, and the same tree built chunk by chunk.
inline const char* exampleSceneText() {
  return "// scene exported for the engine\n"
         "{ Scene\n"
         "{ SceneInfo\n"
         "frameStart I4 0\n"
         "frameEnd I4 250\n"
         "framesPerSecond FP 25\n"
         "}\n"
         "{ Objects\n"
         "{ Object\n"
         "filename STR objects/box.lwo\n"
         "position FP_C [\n"
         "RUN 251 0.0\n"
         "RUN 248 0.0 DAT 3 0.25 0.5 1.0\n"
         "RUN 251 2.0\n"
         "]\n"
         "}\n"
         "}\n"
         "}\n";
}

inline std::string exampleSceneBinary() {
  std::string info = nval("frameStart", 0, words({0})) + nval("frameEnd", 0, words({250})) +
                     nval("framesPerSecond", 2, floats({25}));
  std::string position = aval(words({0, 251, 0})) + aval(words({0, 248, 0, 1, 3}) + floats({0.25f, 0.5f, 1.0f})) +
                         aval(words({0, 251, floatWord(2.0f)}));
  std::string object = nval("filename", 3, str("objects/box.lwo")) + narr("position", 4, position);
  return form(node("Scene", node("SceneInfo", info) + node("Objects", node("Object", object))));
}

struct Loaded {
  TfDocPtr doc;
  std::string messages;  // what the reader printed
};

inline Loaded loadBytes(const std::string& bytes) {
  CapturedStdout out;
  TfDocPtr doc(TF_LoadMemory(bytes.data(), bytes.size()));
  return Loaded{std::move(doc), out.take()};
}

}  // namespace tk::test
