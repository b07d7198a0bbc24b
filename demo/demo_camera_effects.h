#pragma once
// The camera effects (timed full-screen shaders) a demo switches on and off.
// The demo reaches them through this table, so that they can be provided by
// the effect system and exercised on their own in tests.

#include <functional>
#include <string>

namespace tk {

struct DemoCameraEffects {
  // Makes camera effect `id` from an effect file; true when it exists afterwards.
  std::function<bool(int id, const std::string& file)> make;
  std::function<void(int id)> show;
  std::function<void(int id)> hide;
  std::function<void(int id)> remove;
};

// The table in use: the engine's camera effect commands.
DemoCameraEffects& demoCameraEffects();

}  // namespace tk
