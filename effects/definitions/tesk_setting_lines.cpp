// Entry-point lines ("// function vertexMain : vsMain") and configuration
// lines ("// config depth_func : LEQUAL").

#include <string>

#include "effects/definitions/tesk_header_line.h"

namespace tk {
namespace {

void addPassState(SPass& pass, const std::string& name, const std::string& value) {
  SState state;
  state.name = name;
  state.value = value;
  pass.states.push_back(state);
}

// The words of "techniques", each followed by one space: "glow zprepass ".
std::string techniqueList(const std::string& value) {
  std::string list;
  for (const std::string& word : splitWords(value, " \r\n", 20)) list += word + " ";
  return list;
}

bool isValuedConfigKey(const std::string& key) {
  for (const char* known : {"baseMaterial", "render", "rendertarget", "techniques", "depth_test_enable", "depth_mask",
                             "depth_func"})
    if (equalsIgnoringCase(key, known)) return true;
  return false;
}

}  // namespace

bool parseEntryPointLine(const TeskHeaderLine& line, TeskTechniqueContext& context) {
  if (line.words.size() < 2) {
    context.error = countMessage("entry point has %d tokens0 less than 2", line.words.size());
    return false;
  }
  if (line.fields.size() < 2) {
    context.error = countMessage("entry point has %d tokens less than 1", line.fields.size() - 1);
    return false;
  }
  const std::string& stage = line.words[1];
  if (equalsIgnoringCase(stage, "vertexMain")) {
    context.vertexShader().entry = line.fields[1];
  } else if (equalsIgnoringCase(stage, "pixelMain")) {
    context.pixelShader().entry = line.fields[1];
  } else {
    context.note("unknown entry point '" + stage + "' is ignored");
  }
  return true;
}

bool parseConfigLine(const TeskHeaderLine& line, TeskTechniqueContext& context) {
  if (line.words.size() < 2) {
    context.error = countMessage("config has %d tokens0 less than 2", line.words.size());
    return false;
  }
  const std::string& key = line.words[1];
  const std::string value = line.field(1);
  STechnique& technique = context.techniqueRecord();
  SPass& pass = context.pass();

  // Keys without a value.
  if (equalsIgnoringCase(key, "tangents")) {
    setNamed(&technique.annotations, "tangents", "true");
    return true;
  }
  if (equalsIgnoringCase(key, "point_size_enable")) {
    addPassState(pass, "point_size_enable", "true");
    return true;
  }
  if (!isValuedConfigKey(key)) {
    context.note("unknown config key '" + key + "' is ignored");
    return true;
  }
  if (value.empty()) {
    context.note("config key '" + key + "' has no value and is ignored");
    return true;
  }

  if (equalsIgnoringCase(key, "baseMaterial")) {
    setNamed(&pass.annotations, "baseMaterial", value);
  } else if (equalsIgnoringCase(key, "render")) {
    setNamed(&technique.annotations, "render", value);
  } else if (equalsIgnoringCase(key, "rendertarget")) {
    setNamed(&technique.annotations, "rendertarget", value);
  } else if (equalsIgnoringCase(key, "techniques")) {
    setNamed(&technique.annotations, "techniques", techniqueList(value));
  } else {
    for (const char* state : {"depth_test_enable", "depth_mask", "depth_func"}) {
      if (equalsIgnoringCase(key, state)) addPassState(pass, state, value);
    }
  }
  return true;
}

}  // namespace tk
