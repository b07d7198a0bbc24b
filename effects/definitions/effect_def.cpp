#include "effects/definitions/effect_def.h"

#include "effects/definitions/effect_value_text.h"

namespace tk {
namespace {

template <typename T>
const T* at(const std::vector<T>& list, int index) {
  if (index < 0 || index >= static_cast<int>(list.size())) return nullptr;
  return &list[index];
}

// A missing parameter reads as zeros and fails.
template <typename T>
bool readParameter(const SParameter* parameter, T* values, int count,
                   bool (*read)(const std::string&, T*, int)) {
  if (parameter) return read(parameter->value, values, count);
  for (int i = 0; i < count; ++i) values[i] = T{};
  return false;
}

}  // namespace

const SParameter* findNamed(const std::vector<SParameter>& list, const std::string& name) {
  for (const SParameter& entry : list) {
    if (entry.name == name) return &entry;
  }
  return nullptr;
}

void setNamed(std::vector<SParameter>* list, const std::string& name, const std::string& value) {
  for (SParameter& entry : *list) {
    if (entry.name == name) {
      entry.value = value;
      return;
    }
  }
  SParameter entry;
  entry.name = name;
  entry.value = value;
  list->push_back(entry);
}

STkEffectDesc CTkEffectDef::getDesc() const {
  STkEffectDesc desc;
  desc.title = title;
  desc.subject = subject;
  desc.comments = comments;
  desc.parameterCount = static_cast<int>(parameters.size());
  desc.techniqueCount = static_cast<int>(techniques.size());
  desc.compileFlagCount = static_cast<int>(compileFlags.size());
  return desc;
}

const STechnique* CTkEffectDef::getTechnique(int index) const { return at(techniques, index); }

const STechnique* CTkEffectDef::getTechniqueByName(const char* name) const {
  if (!name) return nullptr;
  for (const STechnique& technique : techniques) {
    if (technique.name == name) return &technique;
  }
  return nullptr;
}

const SPass* CTkEffectDef::getPass(int technique, int pass) const {
  const STechnique* t = getTechnique(technique);
  return t ? at(t->passes, pass) : nullptr;
}

const SShader* CTkEffectDef::getShader(int technique, int pass, int shader) const {
  const SPass* p = getPass(technique, pass);
  return p ? at(p->shaders, shader) : nullptr;
}

const SState* CTkEffectDef::getState(int technique, int pass, int state) const {
  const SPass* p = getPass(technique, pass);
  return p ? at(p->states, state) : nullptr;
}

const SParameter* CTkEffectDef::getTechniqueAnnotation(int technique, int index) const {
  const STechnique* t = getTechnique(technique);
  return t ? at(t->annotations, index) : nullptr;
}

const SParameter* CTkEffectDef::getPassAnnotation(int technique, int pass, int index) const {
  const SPass* p = getPass(technique, pass);
  return p ? at(p->annotations, index) : nullptr;
}

const SParameter* CTkEffectDef::getParameter(int index) const { return at(parameters, index); }

const SParameter* CTkEffectDef::getParameterByName(const char* name) const {
  return name ? findNamed(parameters, name) : nullptr;
}

int CTkEffectDef::getParameterIndex(const char* name) const {
  if (!name) return -1;
  for (size_t i = 0; i < parameters.size(); ++i) {
    if (parameters[i].name == name) return static_cast<int>(i);
  }
  return -1;
}

const SParameter* CTkEffectDef::getCompileFlag(int index) const { return at(compileFlags, index); }

bool CTkEffectDef::getFloat(int parameter, float* value) const {
  return getFloatArray(parameter, value, 1);
}

bool CTkEffectDef::getFloatArray(int parameter, float* values, int count) const {
  return readParameter(getParameter(parameter), values, count, readFloatValues);
}

bool CTkEffectDef::getBool(int parameter, bool* value) const {
  int number = 0;
  bool ok = getInt(parameter, &number);
  *value = number != 0;
  return ok;
}

bool CTkEffectDef::getInt(int parameter, int* value) const {
  return getIntArray(parameter, value, 1);
}

bool CTkEffectDef::getIntArray(int parameter, int* values, int count) const {
  return readParameter(getParameter(parameter), values, count, readIntValues);
}

bool CTkEffectDef::getMatrix(int parameter, float* values16) const {
  return getFloatArray(parameter, values16, 16);
}

int CTkEffectDef::addParameter(const SParameter& parameter) {
  int existing = getParameterIndex(parameter.name.c_str());
  if (existing >= 0) return existing;
  parameters.push_back(parameter);
  return static_cast<int>(parameters.size()) - 1;
}

}  // namespace tk
