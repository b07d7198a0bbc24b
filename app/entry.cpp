#include "app/entry.h"

#include <irrlicht.h>
#include <unistd.h>

#include "base/command_line.h"
#include "render/engine.h"
#include "base/files/file_layer.h"
#include "base/log.h"
#include "viewer/object_viewer.h"
#include "app/run_modes.h"
#include "engine/setup_file.h"
#include "base/startup_record.h"
#include "engine/sys_setup.h"
#include "platform/ui/file_requester.h"
#include "viewer/scene_viewer.h"
#include "platform/window/window.h"
#include "demo/demo_player.h"
#include "packaging/tool_modes.h"
#include "tf/tf_convert.h"
#include "script/script_host.h"

namespace tk {
namespace {

const std::vector<FileFilter>& chooserFilters() {
  static const std::vector<FileFilter> filters = {
      {"All supported", "*.tscn;*.x;*.demo.ini;*.lua;*.tlua"},
      {"Tesk Scene (.tscn)", "*.tscn"},
      {"Tesk Demo (demo.ini)", "*.demo.ini"},
      {"DirectX Object(.x)", "*.x"},
      {"Lua script(.lua)", "*.lua;*.tlua"},
      {"All", "*.*"},
  };
  return filters;
}

// A mode whose loop is not part of this program reports it instead of pretending.
int missingLoop(const char* what) {
  logError("%s is not available in this build", what);
  return -1;
}

int runDemoPlayer(const std::string& file, const DemoOptions& options) {
  if (options.captureBase.empty()) return playDemo(file.c_str(), options.startPart);
  float rate = options.captureRate == 0 ? 30.0f : options.captureRate;
  return captureDemo(file.c_str(), options.startPart, options.captureBase.c_str(), rate);
}

int runScript(const std::string& file) {
  setBaseDirectory(startupRecord().programDirectory.c_str());
  auto& handler = runModeHandlers().scriptHost;
  return handler ? handler(file, false) : missingLoop("The script host");
}

// Modes 1 to 3 read the setup file and start the engine first.
int runWithEngine(RunMode mode, const CommandLine& line) {
  if (readSetupFile("tesk-setup.ini", startupRecord().programDirectory.c_str(), &line.overrides,
                    mode == RunMode::DemoPlayer) != 0)
    return -1;
  showWindow(tkEngine().device);
  restoreWindow(tkEngine().device);
  switch (mode) {
    case RunMode::ObjectViewer: runObjectViewer(line.file.c_str()); break;
    case RunMode::SceneViewer: runSceneViewer(line.file, line.viewer); break;
    case RunMode::DemoPlayer: runDemoPlayer(line.file, line.demo); break;
    default: log(LOG_ERROR, "Unkwon run mode %d", static_cast<int>(mode)); break;
  }
  tkSysShutdown();
  return 0;
}

// The binary conversion: a scene file (asked for when not given) is written in
// the binary encoding beside itself. Needs no display and no engine.
int convertSceneToBinary(std::string file) {
  if (file.empty()) {
    file = runFileRequester("Open Tesk scene for binary convert",
                            {{"Tesk Scene (lws.ini)", "*.lws.ini"}, {"All", "*.*"}});
    if (file.empty()) {
      log(LOG_ERROR, "no file given");
      return -1;
    }
  }
  return tkConvertSceneToBinary(file) ? 0 : -1;
}

}  // namespace

RunModeHandlers& runModeHandlers() {
  static RunModeHandlers handlers;
  return handlers;
}

int tkMain(int argc, char** argv) {
  registerScriptHost();
  tkSysInit(argc, argv);
  const std::vector<std::string>& words = startupRecord().words;

  if (words.size() >= 2 && words[1] == "-binary") return convertSceneToBinary(words.size() >= 3 ? words[2] : "");
  int toolExitCode = 0;
  if (runToolOrPackedStart(startupRecord().programPath, words, &toolExitCode)) return toolExitCode;

  CommandLine line = parseInteractiveOptions(words);
  for (const std::string& warning : line.warnings) log(LOG_WARN, "%s", warning.c_str());
  if (line.userLog) {
    setLogThreshold(LOG_WARN);
    disableMessageBoxes();
  }
  if (line.file.empty()) {
    line.file = runFileRequester("Open Tesk file", chooserFilters());
    if (line.file.empty()) {
      log(LOG_ERROR, "no file given");
      return -1;
    }
  }

  RunMode mode = runModeForFile(line.file);
  switch (mode) {
    case RunMode::ObjectViewer:
    case RunMode::SceneViewer:
    case RunMode::DemoPlayer: return runWithEngine(mode, line);
    case RunMode::Script: runScript(line.file); return 0;
    default:
      logError("File format of '%s' is not supported", line.file.c_str());
      return -1;
  }
}

}  // namespace tk
