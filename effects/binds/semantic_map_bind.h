#pragma once
// A bind whose semantics are declared at run time: the code that makes it
// declares named values (float to float4x4) and refreshes them, and every
// constant carrying one of those names as its semantic receives the value.

#include <map>
#include <string>
#include <vector>

#include "effects/binds/effect_bind.h"

namespace tk {

class ITkEffectBindSemanticMap : public ITkEffectBind {
 public:
  // Declares a value of parameter type `type` (2 float ... 6 float4x4), all
  // zeros; false when the name is already declared (the first one stays) or
  // the type is not one of those.
  virtual bool addSemantic(const char* name, int type) = 0;
  // Writes the first float; false for an undeclared name.
  virtual bool setFloat(const char* name, float value) = 0;
  // Copies `size` bytes (at most 64) to the start of the value; false for an
  // undeclared name.
  virtual bool setFloatArray(const char* name, const float* data, int size) = 0;
};

class CTkEffectBindSemanticMap : public ITkEffectBindSemanticMap {
 public:
  STkBindResult getBindFunction(const STkFxConstBind& constant, int privateData[2]) override;
  bool addSemantic(const char* name, int type) override;
  bool setFloat(const char* name, float value) override;
  bool setFloatArray(const char* name, const float* data, int size) override;

 private:
  struct Value {
    int type = 0;
    int floatCount = 0;
    float floats[16] = {};
  };
  static void upload(ITkEffectBind* bind, irr::video::IMaterialRendererServices* services,
                     const STkFxConstBind& constant, const int privateData[2]);
  Value* find(const char* name);

  std::map<std::string, int> names_;  // name → index in values_
  std::vector<Value> values_;
};

}  // namespace tk
