#include "demo/demo_description.h"

#include <cstdio>
#include <string>

#include "base/files/ini_file.h"
#include "base/log.h"

namespace tk {
namespace {

constexpr size_t kTextMax = 127, kNameMax = 39;

std::string capped(const char* text, size_t limit = kTextMax) { return std::string(text).substr(0, limit); }

// Keys of one part: "<part>:<key>", and indexed "<part>:<group>.<n>.<key>".
class PartKeys {
 public:
  PartKeys(const IniFile& ini, const std::string& part) : ini_(ini), part_(part) {}
  std::string key(const std::string& name) const { return part_ + ":" + name; }
  std::string indexed(const char* group, int n, const char* name) const {
    return key(std::string(group) + "." + std::to_string(n) + "." + name);
  }
  bool has(const std::string& k) const { return ini_.has(k.c_str()); }
  std::string text(const std::string& k) const { return capped(ini_.getString(k.c_str(), "")); }
  int integer(const std::string& k, int fallback) const { return ini_.getInt(k.c_str(), fallback); }
  unsigned word(const std::string& k, unsigned fallback) const { return ini_.getWord(k.c_str(), fallback); }

 private:
  const IniFile& ini_;
  std::string part_;
};

void readPalette(const PartKeys& keys, DemoPart* part) {
  static const char* const channels[] = {"palette.r", "palette.g", "palette.b"};
  for (int c = 0; c < 3; ++c) {
    if (!keys.has(keys.key(channels[c]))) continue;
    part->paletteChannel = c;
    part->paletteValue = keys.integer(keys.key(channels[c]), 0);
    return;
  }
}

void readExtras(const PartKeys& keys, DemoPart* part) {
  for (int n = 0; n < kIndexedKeyLimit && part->extras.size() < kMaxExtras; ++n) {
    std::string directory = keys.indexed("extra", n, "directory"), file = keys.indexed("extra", n, "filename");
    if (!keys.has(directory) || !keys.has(file)) continue;
    DemoExtra e;
    e.directory = keys.text(directory);
    e.fileName = keys.text(file);
    e.time = keys.integer(keys.indexed("extra", n, "time"), 0);
    e.length = keys.integer(keys.indexed("extra", n, "length"), 0);
    e.reuseObjects = keys.integer(keys.indexed("extra", n, "reuseobjects"), 0);
    e.flushObjects = keys.integer(keys.indexed("extra", n, "flushobjects"), 0);
    part->extras.push_back(e);
  }
}

void readShaders(const PartKeys& keys, DemoPart* part) {
  for (int n = 0; n < kIndexedKeyLimit && part->shaders.size() < kMaxShaders; ++n) {
    std::string name = keys.indexed("shader", n, "name");
    if (!keys.has(name)) continue;
    DemoShader s;
    s.name = keys.text(name);
    s.time = keys.integer(keys.indexed("shader", n, "time"), 0);
    s.length = keys.integer(keys.indexed("shader", n, "length"), 0);
    part->shaders.push_back(s);
  }
}

void readFaders(const PartKeys& keys, DemoPart* part) {
  for (int n = 0; n < kIndexedKeyLimit && part->faders.size() < kMaxFaders; ++n) {
    std::string time = keys.indexed("fader", n, "time");
    if (!keys.has(time) || keys.integer(time, -1) == -1) continue;
    DemoFader f;
    f.time = keys.integer(time, 0);
    f.length = keys.integer(keys.indexed("fader", n, "length"), 1000);
    f.fadeLength = keys.integer(keys.indexed("fader", n, "fadelength"), 1000);
    f.colour = keys.word(keys.indexed("fader", n, "color"), 0);
    std::string fadeIn = keys.indexed("fader", n, "fadein");
    f.fadeIn = keys.has(fadeIn) && keys.integer(fadeIn, -1) != -1;
    part->faders.push_back(f);
  }
}

DemoPart readPart(const IniFile& ini, const std::string& section) {
  PartKeys keys(ini, section);
  DemoPart part;
  part.name = capped(section.c_str(), kNameMax);
  part.time = keys.integer(keys.key("time"), -1);
  part.timeReset = keys.integer(keys.key("timereset"), 0);
  part.timeBase = part.timeReset ? 0 : part.time;
  part.music = keys.text(keys.key("music"));
  part.palette = keys.text(keys.key("palette"));
  readPalette(keys, &part);
  part.directory = keys.text(keys.key("directory"));
  part.fileName = keys.text(keys.key("filename"));
  sscanf(keys.text(keys.key("camerarange")).c_str(), "%f %f", &part.cameraNear, &part.cameraFar);
  part.reuseObjects = keys.integer(keys.key("reuseobjects"), 0);
  part.flushObjects = keys.integer(keys.key("flushobjects"), 0);
  readExtras(keys, &part);
  readShaders(keys, &part);
  readFaders(keys, &part);
  return part;
}

}  // namespace

bool readDemoDescription(const IniFile& ini, DemoDescription* demo) {
  *demo = DemoDescription();
  demo->musicDirectory = capped(ini.getString("setup:musicdirectory", ""));
  demo->paletteDirectory = capped(ini.getString("setup:palettedirectory", ""));
  demo->shadersDirectory = capped(ini.getString("setup:shadersdirectory", ""));
  std::vector<std::string> partSections;
  for (int i = 0; i < ini.sectionCount(); ++i) {
    std::string section = ini.sectionName(i);
    if (section.find("part") != std::string::npos) partSections.push_back(section);
  }
  if (partSections.empty()) {
    logError("No parts!");
    return false;
  }
  // Parts past the capacity cannot be played: refusing the file says so at once.
  if (partSections.size() > kMaxDemoParts) {
    logError("Too many parts: %d (a demo holds at most %d)", static_cast<int>(partSections.size()), kMaxDemoParts);
    return false;
  }
  for (const std::string& section : partSections) demo->parts.push_back(readPart(ini, section));
  return true;
}

}  // namespace tk
