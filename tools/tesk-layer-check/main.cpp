// tesk-layer-check: keeps the engine's layers honest.
//   tesk-layer-check LAYERS SOURCE_DIR
// LAYERS is the table the build writes from the layers' own declarations, one
// layer a line, bottom first: "name: used1 used2 ...". A layer's code lives in
// the folder of the same name. Every `#include "folder/..."` must name the
// including layer itself or a layer it uses, directly or through the layers it
// uses. Prints each include that runs the wrong way with its file and line.
// Exit code 0 when all is well, 1 on a wrong include or a bad table, 2 on misuse.

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct Layer {
  std::vector<std::string> uses;
  std::set<std::string> reach;  // itself and everything below it
};

using LayerTable = std::map<std::string, Layer>;

bool readTable(const char* path, LayerTable* table, std::vector<std::string>* order) {
  std::ifstream in(path);
  if (!in) {
    std::fprintf(stderr, "cannot open layer table '%s'\n", path);
    return false;
  }
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    const size_t colon = line.find(':');
    if (colon == std::string::npos) {
      std::fprintf(stderr, "%s: malformed line '%s'\n", path, line.c_str());
      return false;
    }
    const std::string name = line.substr(0, colon);
    std::istringstream words(line.substr(colon + 1));
    Layer layer;
    for (std::string used; words >> used;) {
      if (!table->count(used)) {
        std::fprintf(stderr, "%s: layer '%s' uses '%s', which is not declared below it\n", path, name.c_str(),
                     used.c_str());
        return false;
      }
      layer.uses.push_back(used);
    }
    layer.reach.insert(name);
    for (const std::string& used : layer.uses) {
      const std::set<std::string>& below = (*table)[used].reach;
      layer.reach.insert(below.begin(), below.end());
    }
    (*table)[name] = layer;
    order->push_back(name);
  }
  return true;
}

// The quoted includes of a file with their line numbers.
std::vector<std::pair<int, std::string>> quotedIncludes(const fs::path& file) {
  std::vector<std::pair<int, std::string>> found;
  std::ifstream in(file);
  std::string line;
  for (int number = 1; std::getline(in, line); ++number) {
    size_t at = line.find_first_not_of(" \t");
    if (at == std::string::npos || line[at] != '#') continue;
    at = line.find_first_not_of(" \t", at + 1);
    if (at == std::string::npos || line.compare(at, 7, "include") != 0) continue;
    const size_t open = line.find('"', at + 7);
    const size_t close = open == std::string::npos ? open : line.find('"', open + 1);
    if (close == std::string::npos) continue;
    found.emplace_back(number, line.substr(open + 1, close - open - 1));
  }
  return found;
}

bool isSource(const fs::path& file) {
  const std::string ext = file.extension().string();
  return ext == ".h" || ext == ".cpp" || ext == ".inc";
}

int checkLayer(const fs::path& root, const std::string& name, const LayerTable& table) {
  int wrong = 0;
  const fs::path folder = root / name;
  if (!fs::is_directory(folder)) return 0;
  for (const fs::directory_entry& entry : fs::recursive_directory_iterator(folder)) {
    if (!entry.is_regular_file() || !isSource(entry.path())) continue;
    for (const auto& [line, included] : quotedIncludes(entry.path())) {
      const std::string target = included.substr(0, included.find('/'));
      if (target == included || !table.count(target)) continue;  // not a layer's header
      if (table.at(name).reach.count(target)) continue;
      std::printf("%s:%d: layer '%s' includes \"%s\" from layer '%s', which it does not use\n",
                  fs::relative(entry.path(), root).c_str(), line, name.c_str(), included.c_str(), target.c_str());
      ++wrong;
    }
  }
  return wrong;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: tesk-layer-check LAYERS SOURCE_DIR\n");
    return 2;
  }
  LayerTable table;
  std::vector<std::string> order;
  if (!readTable(argv[1], &table, &order)) return 1;
  int wrong = 0;
  for (const std::string& name : order) wrong += checkLayer(argv[2], name, table);
  if (wrong) std::printf("%d include(s) run against the layers\n", wrong);
  return wrong ? 1 : 0;
}
