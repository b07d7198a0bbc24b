#include "packaging/tool_modes.h"

#include "packaging/pack_tools.h"
#include "packaging/packed_archive.h"

namespace tk {
namespace {

// OUT IN tools: a failing tool reports a non-zero exit code, so that build
// scripts notice.
bool runPackTool(const std::string& program, const std::vector<std::string>& w, int* exitCode) {
  const std::string& tool = w[1];
  int result;
  if (tool == "-demoexe") result = packDemo(program, w[2], w[3], PackStorage::InProgram);
  else if (tool == "-demodat") result = packDemo(program, w[2], w[3], PackStorage::SideFile);
  else if (tool == "-direxe") result = packFolder(program, w[2], w[3], PackStorage::InProgram);
  else if (tool == "-dirdat") result = packFolder(program, w[2], w[3], PackStorage::SideFile);
  else if (tool == "-dirlistexe") result = packFileList(program, w[2], w[3]);
  else return false;
  *exitCode = result == 0 ? 0 : 1;
  return true;
}

}  // namespace

bool runPackingTool(const std::string& programPath, const std::vector<std::string>& words, int* exitCode) {
  if (words.size() == 4 && runPackTool(programPath, words, exitCode)) return true;
  if (words.size() == 3 && words[1] == "-exersc") {
    *exitCode = packEngineResources(programPath, words[2]) == 0 ? 0 : 1;
    return true;
  }
  if (words.size() == 2 && words[1] == "-extract" && packedArchivePresent(programPath)) {
    *exitCode = extractPackedScene(programPath) == 0 ? 0 : 1;
    return true;
  }
  return false;
}

}  // namespace tk
