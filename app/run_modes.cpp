#include "app/run_modes.h"

#include <iterator>

#include "base/files/file_layer.h"
#include "base/log.h"
#include "base/message_box.h"
#include "base/startup_record.h"
#include "demo/demo_player.h"
#include "packaging/packed_archive.h"
#include "platform/window/window.h"
#include "render/engine.h"
#include "script/script_host.h"
#include "startup/setup_file.h"
#include "startup/sys_setup.h"
#include "viewer/object_viewer.h"
#include "viewer/scene_viewer.h"

namespace tk {
namespace {

int runObjectViewerMode(const RunRequest& request) { return runObjectViewer(request.file.c_str()); }

int runSceneViewerMode(const RunRequest& request) { return runSceneViewer(request.file, request.options.viewer); }

int runDemoPlayerMode(const RunRequest& request) {
  const DemoOptions& demo = request.options.demo;
  if (demo.captureBase.empty()) return playDemo(request.file.c_str(), demo.startPart);
  const float rate = demo.captureRate == 0 ? 30.0f : demo.captureRate;
  return captureDemo(request.file.c_str(), demo.startPart, demo.captureBase.c_str(), rate);
}

int runScriptMode(const RunRequest& request) {
  // A loose script finds the engine's runtime data beside the program; a packed
  // one in the archive, whose base the packed start has set.
  if (!request.packed) setBaseDirectory(startupRecord().programDirectory.c_str());
  return runScript(request.file, request.packed);
}

// What a packed archive plays, in the order it is looked for.
const char* const kPackedFiles[] = {"tesk.demo.ini", "tesk.tscn", "main.lua"};

// Mounts the archive, starts the engine from the setup file found on disk and
// plays the first of the packed files the archive holds through its mode's row.
// -1 when the archive or the setup fails, or when the demo or scene fails; a
// script's error status when it ends on an error.
int runPackedStartMode(const RunRequest&) {
  const std::string& program = startupRecord().programPath;
  if (!mountPackedArchive(program)) {
    logError("Failed to load resources from executable");
    return -1;
  }
  setRunningPacked(true);
  if (readSetupFile("tesk-setup.ini", "/", nullptr, true) != 0) return -1;
  int result = 0;
  for (const char* file : kPackedFiles) {
    if (!fileExists(file)) continue;
    RunRequest packed;
    packed.file = file;
    packed.options.viewer.flags = 0;
    packed.packed = true;
    // A failing demo or scene, or a script ended by an error, fails the start.
    result = runModeRow(runModeForFile(file))->run(packed);
    break;
  }
  tkSysShutdown();
  return result;
}

constexpr RunModeRow kRunModes[] = {
    {RunMode::ObjectViewer, "object viewer", EngineStart::FromSetupFile, runObjectViewerMode},
    {RunMode::SceneViewer, "scene viewer", EngineStart::FromSetupFile, runSceneViewerMode},
    {RunMode::DemoPlayer, "demo player", EngineStart::FromSetupFileWithDialog, runDemoPlayerMode},
    {RunMode::PackedStart, "packed start", EngineStart::ByTheMode, runPackedStartMode},
    {RunMode::Script, "script host", EngineStart::ByTheMode, runScriptMode},
};

// One row per mode, at the index of its number less one.
constexpr bool rowsInModeOrder() {
  for (size_t i = 0; i < std::size(kRunModes); ++i)
    if (static_cast<size_t>(kRunModes[i].mode) != i + 1) return false;
  return true;
}
static_assert(std::size(kRunModes) == static_cast<size_t>(RunMode::Script), "one row per run mode");
static_assert(rowsInModeOrder(), "rows in the order of the modes' numbers");

// A mode's loop answers 0 when it worked; anything else (-1, or a script's
// error status) is a failed run, which build scripts and CI must be able to see.
int exitCodeOf(int loopResult) { return loopResult == 0 ? 0 : kRunFailed; }

}  // namespace

const RunModeRow* runModeRow(RunMode mode) {
  const size_t index = static_cast<size_t>(mode);
  return index >= 1 && index <= std::size(kRunModes) ? &kRunModes[index - 1] : nullptr;
}

int runMode(RunMode mode, const RunRequest& request) {
  const RunModeRow* row = runModeRow(mode);
  if (!row) {
    log(LOG_ERROR, "Unkwon run mode %d", static_cast<int>(mode));
    return -1;
  }
  // A capture runs with nobody watching: nothing may wait for a key or a choice.
  const bool unattended = mode == RunMode::DemoPlayer && !request.options.demo.captureBase.empty();
  if (unattended) setMessageBoxesOnScreen(false);
  if (row->engineStart == EngineStart::ByTheMode) return exitCodeOf(row->run(request));
  const bool dialogAllowed = row->engineStart == EngineStart::FromSetupFileWithDialog && !unattended;
  if (readSetupFile("tesk-setup.ini", startupRecord().programDirectory.c_str(), &request.options.overrides,
                    dialogAllowed) != 0)
    return -1;
  showWindow(tkEngine().device);
  restoreWindow(tkEngine().device);
  const int result = row->run(request);
  tkSysShutdown();
  return exitCodeOf(result);
}

}  // namespace tk
