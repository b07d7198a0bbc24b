#pragma once
// A large generated scene for the TF benchmarks: many objects, each with baked
// position, rotation and scale channels, written as TF text and as a JSON
// document of the same content (the same number texts, one JSON array per
// value: its type keyword, then its data).

#include <charconv>
#include <cmath>
#include <cstdint>
#include <string>

namespace tk::bench {

struct SceneTexts {
  std::string tf;
  std::string json;
};

class SceneWriter {
 public:
  SceneTexts build(int objects, int frames) {
    tf_.clear();
    json_.clear();
    tf_ += "// generated scene\n{ Scene\n";
    json_ += "{\"Scene\":{";
    openRecord("SceneInfo", true);
    integerValue("frameStart", 0, true);
    integerValue("frameEnd", frames - 1, false);
    closeRecord();
    openRecord("Objects", false);
    for (int i = 0; i < objects; ++i) writeObject(i, frames, i == 0);
    closeRecord();
    tf_ += "}\n";
    json_ += "}}";
    return {tf_, json_};
  }

 private:
  void openRecord(const char* name, bool first) {
    tf_ += std::string("{ ") + name + "\n";
    json_ += std::string(first ? "" : ",") + "\"" + name + "\":{";
  }
  void closeRecord() {
    tf_ += "}\n";
    json_ += "}";
  }
  void integerValue(const char* name, int value, bool first) {
    tf_ += std::string(name) + " I4 " + std::to_string(value) + "\n";
    json_ += std::string(first ? "" : ",") + "\"" + name + "\":[\"I4\"," + std::to_string(value) + "]";
  }
  void number(float value) {
    char text[32];
    char* end = std::to_chars(text, text + sizeof text, value).ptr;
    tf_.append(text, end);
    json_.append(text, end);
  }

  // One FP_C array of three components: a DAT curve, a DAT curve and a RUN.
  void channel(const char* name, int frames, float scale, float phase) {
    tf_ += std::string(name) + " FP_C [\n";
    json_ += std::string(",\"") + name + "\":[\"FP_C[]\"";
    for (int component = 0; component < 3; ++component) {
      bool constant = component == 2;
      tf_ += constant ? "RUN " : "DAT ";
      json_ += constant ? ",[\"RUN\"," : ",[\"DAT\",";
      tf_ += std::to_string(frames);
      json_ += std::to_string(frames);
      int samples = constant ? 1 : frames;
      for (int k = 0; k < samples; ++k) {
        tf_ += ' ';
        json_ += ',';
        number(scale * std::sin(phase + 0.01f * static_cast<float>(k) * static_cast<float>(component + 1)));
      }
      tf_ += '\n';
      json_ += ']';
    }
    tf_ += "]\n";
    json_ += "]";
  }

  void writeObject(int i, int frames, bool first) {
    openRecord("Object", first);
    std::string file = "objects/object" + std::to_string(i) + ".lwo";
    tf_ += "filename STR " + file + "\n";
    json_ += "\"filename\":[\"STR\",\"" + file + "\"]";
    integerValue("id", i, false);
    channel("position", frames, 12.5f, static_cast<float>(i));
    channel("rotation", frames, 3.1f, 0.5f * static_cast<float>(i));
    closeRecord();
  }

  std::string tf_, json_;
};

}  // namespace tk::bench
