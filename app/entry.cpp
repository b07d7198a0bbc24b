#include "app/entry.h"

#include "app/program_info.h"
#include "app/run_modes.h"
#include "base/command_line.h"
#include "base/log.h"
#include "base/message_box.h"
#include "base/startup_record.h"
#include "packaging/packed_archive.h"
#include "packaging/tool_modes.h"
#include "platform/ui/file_requester.h"
#include "tf/tf_convert.h"

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

// The binary conversion: a scene file (asked for when not given) is written in
// the binary encoding beside itself. Needs no display and no engine.
int convertSceneToBinary(std::string file) {
  if (file.empty()) {
    file = runFileRequester(nullptr, "Open Tesk scene for binary convert",
                            {{"Tesk Scene (lws.ini)", "*.lws.ini"}, {"All", "*.*"}});
    if (file.empty()) {
      log(LOG_ERROR, "no file given");
      return -1;
    }
  }
  return tkConvertSceneToBinary(file) ? 0 : -1;
}

}  // namespace

int tkMain(int argc, char** argv) {
  tkSysInit(argc, argv);
  const std::vector<std::string>& words = startupRecord().words;

  if (words.size() >= 2 && words[1] == "-binary") return convertSceneToBinary(words.size() >= 3 ? words[2] : "");
  int toolExitCode = 0;
  if (runPackingTool(startupRecord().programPath, words, &toolExitCode)) return toolExitCode;
  if (answerInformationRequest(words, stdout)) return 0;
  if (packedArchivePresent(startupRecord().programPath)) return runMode(RunMode::PackedStart, RunRequest());

  CommandLine line = parseInteractiveOptions(words);
  for (const std::string& warning : line.warnings) log(LOG_WARN, "%s", warning.c_str());
  if (line.userLog) {
    setLogThreshold(LOG_WARN);
    disableMessageBoxes();
  }
  if (line.file.empty()) {
    line.file = runFileRequester(nullptr, "Open Tesk file", chooserFilters());
    if (line.file.empty()) {
      log(LOG_ERROR, "no file given");
      return -1;
    }
  }

  const RunMode mode = runModeForFile(line.file);
  if (mode == RunMode::Unsupported) {
    logError("File format of '%s' is not supported", line.file.c_str());
    return -1;
  }
  RunRequest request;
  request.file = line.file;
  request.options = line;
  return runMode(mode, request);
}

}  // namespace tk
