#pragma once
// A render command as a scene file describes it: its name, its type, its
// texture connections and its parameters.

#include <string>
#include <vector>

namespace tk {

struct RenderConnection {
  std::string slot;       // "Source", "s0", "Color0", ...
  std::string reference;  // a texture reference: a name, "Display", or a flip-flop set
};

// Kinds of a render parameter's value.
enum RenderParameterKind {
  RP_FLOAT = 1,
  RP_VECTOR = 2,   // three floats
  RP_INTEGER = 3,
  RP_TEXT = 4,
  RP_EFFECT = 5,   // index of the scene's renderer shader
  RP_LIGHT = 6,    // index of a light of the scene
};

struct RenderParameter {
  std::string name;
  int kind = RP_INTEGER;
  float vector[3] = {0, 0, 0};  // RP_FLOAT uses the first
  int integer = 0;              // RP_INTEGER, RP_EFFECT, RP_LIGHT
  std::string text;             // RP_TEXT
};

struct STkRenderCommandRecord {
  std::string name;
  std::string cmd;
  std::vector<RenderConnection> inputs;
  std::vector<RenderConnection> outputs;
  std::vector<RenderParameter> parameters;

  const RenderParameter* parameter(const std::string& parameterName) const;
  // An integer parameter, or -1 when absent.
  int integer(const std::string& parameterName) const;
  // A text parameter, or empty when absent.
  std::string text(const std::string& parameterName) const;
};

}  // namespace tk
