#pragma once
// A render command as a command renderer is built from: the scene's record
// with its effect and light parameters turned into the items themselves.

#include <irrlicht.h>

#include <string>
#include <vector>

#include "render/render_command_record.h"

namespace tk {

class CTkEffect;

struct STkRenderCmdParam {
  std::string name;
  int kind = RP_INTEGER;
  float vector[3] = {0, 0, 0};  // RP_FLOAT uses the first
  int integer = 0;
  std::string text;
  CTkEffect* effect = nullptr;                 // RP_EFFECT; not held by the description
  irr::scene::ILightSceneNode* light = nullptr;  // RP_LIGHT; not held by the description
};

struct STkRenderCmdDesc {
  std::string name;
  std::string cmd;
  std::vector<RenderConnection> inputs;
  std::vector<RenderConnection> outputs;
  std::vector<STkRenderCmdParam> parameters;

  const STkRenderCmdParam* parameter(const std::string& parameterName) const;
  // Integer parameters (a float is truncated); `fallback` when absent.
  int integer(const std::string& parameterName, int fallback) const;
  float number(const std::string& parameterName, float fallback) const;
  std::string text(const std::string& parameterName) const;
  CTkEffect* effect(const std::string& parameterName) const;
  irr::scene::ILightSceneNode* light(const std::string& parameterName) const;
};

}  // namespace tk
