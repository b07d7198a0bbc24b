#include "base/command_line.h"

#include <strings.h>

#include <cstdio>
#include <cstdlib>
#include <functional>

#include "base/saturating.h"

namespace tk {
namespace {

// One row per option: name, whether it takes a value, and what it does.
struct OptionRule {
  const char* name;
  bool takesValue;
  std::function<void(CommandLine&, const char* value)> apply;
};

// Decimal; text that is not a number reads as 0, a number beyond the int range as its nearest end.
int toInt(const char* text) { return saturatedInt(static_cast<int64_t>(strtoll(text, nullptr, 10))); }

const std::vector<OptionRule>& optionRules() {
  static const std::vector<OptionRule> rules = {
      {"-framestart", true, [](CommandLine& c, const char* v) { c.viewer.frameStart = toInt(v); c.viewer.flags |= VIEWER_FRAMESTART; }},
      {"-paused", false, [](CommandLine& c, const char*) { c.viewer.flags |= VIEWER_PAUSED; }},
      {"-ride", false, [](CommandLine& c, const char*) { c.viewer.flags |= VIEWER_RIDE; }},
      {"-rideopts", true, [](CommandLine& c, const char* v) { c.viewer.rideOptions = toInt(v); }},
      {"-ridespeed", true, [](CommandLine& c, const char* v) { c.viewer.rideSpeed = toInt(v); }},
      {"-nomusic", false, [](CommandLine& c, const char*) { c.viewer.flags &= ~VIEWER_MUSIC; }},
      {"-syncupdate", false, [](CommandLine& c, const char*) { c.viewer.flags |= VIEWER_SYNCUPDATE; }},
      {"-noidleinactive", false, [](CommandLine& c, const char*) { c.viewer.flags |= VIEWER_NOIDLEINACTIVE; }},
      {"-display", true, [](CommandLine& c, const char* v) {
         int w, h;
         if (sscanf(v, "%dx%d", &w, &h) == 2) { c.overrides.width = w; c.overrides.height = h; }
       }},
      {"-windowed", true, [](CommandLine& c, const char* v) { c.overrides.windowed = toInt(v); }},
      {"-windowpos", true, [](CommandLine& c, const char* v) {
         int x, y;
         if (sscanf(v, "%d,%d", &x, &y) == 2) { c.overrides.windowX = x; c.overrides.windowY = y; }
       }},
      {"-stereo", true, [](CommandLine& c, const char* v) { c.overrides.stereo = toInt(v); }},
      {"-vsync", true, [](CommandLine& c, const char* v) { c.overrides.vsync = toInt(v); }},
      {"-userlog", false, [](CommandLine& c, const char*) { c.userLog = true; }},
      {"-cap", true, [](CommandLine& c, const char* v) { c.demo.captureBase = v; }},
      {"-capfps", true, [](CommandLine& c, const char* v) { c.demo.captureRate = static_cast<float>(atof(v)); }},
      {"-startpart", true, [](CommandLine& c, const char* v) { c.demo.startPart = toInt(v); }},
      {"-console", false, [](CommandLine&, const char*) {}},  // handled at process start
  };
  return rules;
}

const OptionRule* findRule(const std::string& word) {
  for (const OptionRule& rule : optionRules())
    if (word == rule.name) return &rule;
  return nullptr;
}

bool extensionIs(const std::string& extension, std::initializer_list<const char*> choices) {
  for (const char* choice : choices)
    if (strcasecmp(extension.c_str(), choice) == 0) return true;
  return false;
}

}  // namespace

CommandLine parseInteractiveOptions(const std::vector<std::string>& words) {
  CommandLine line;
  for (size_t i = 1; i < words.size(); ++i) {
    const std::string& word = words[i];
    if (word.empty() || word[0] != '-') {
      if (line.file.empty()) line.file = word;
      continue;
    }
    const OptionRule* rule = findRule(word);
    if (!rule) continue;  // unknown options are skipped
    if (!rule->takesValue) {
      rule->apply(line, nullptr);
    } else if (i + 1 < words.size()) {
      rule->apply(line, words[++i].c_str());
    } else {
      line.warnings.push_back("option '" + word + "' needs a value and was ignored");
    }
  }
  return line;
}

RunMode runModeForFile(const std::string& name) {
  if (name.find(".demo.ini") != std::string::npos) return RunMode::DemoPlayer;
  if (name.find(".lws.ini") != std::string::npos) return RunMode::SceneViewer;
  size_t dot = name.rfind('.');
  if (dot == std::string::npos) return RunMode::Unsupported;
  std::string extension = name.substr(dot);
  if (extensionIs(extension, {".tesk", ".tscn"})) return RunMode::SceneViewer;
  if (extensionIs(extension, {".x", ".lwo", ".obj"})) return RunMode::ObjectViewer;
  if (extensionIs(extension, {".lua", ".tlua"})) return RunMode::Script;
  return RunMode::Unsupported;
}

}  // namespace tk
