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

struct RenderParameter {
  std::string name;
  bool isText = false;
  std::string text;
  double number = 0;
  int effectIndex = -1;  // the scene's effect for an "Effect" sub-record, else -1
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
