// Every bound command against the command manifest (tests/script/
// command_manifest.txt, one line per command of the tk library): the same
// name, argument kinds, optional arguments and results. The commands not bound
// yet are listed.
#include <gtest/gtest.h>

#include <fstream>
#include <iostream>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "script/command_table.h"
#include "tests/script/script_fixture.h"

namespace tk {
namespace {

struct ManifestEntry {
  std::string family;
  std::string line;
};

// Name -> entry, in the manifest's order of families.
std::map<std::string, ManifestEntry> readManifest(std::vector<std::string>* order) {
  std::ifstream in(TESK_SOURCE_DIR "/tests/script/command_manifest.txt");
  std::map<std::string, ManifestEntry> entries;
  std::string line, family;
  while (std::getline(in, line)) {
    if (line.empty()) continue;
    if (line[0] == '#') {
      family = line.substr(2);
      continue;
    }
    std::string name = line.substr(0, line.find('('));
    EXPECT_TRUE(entries.emplace(name, ManifestEntry{family, line}).second) << "listed twice: " << name;
    order->push_back(name);
  }
  return entries;
}

std::vector<std::string> tokensOf(const char* text) {
  std::vector<std::string> tokens;
  std::string token;
  for (const char* p = text;; ++p) {
    if (*p == ' ' || *p == 0) {
      if (!token.empty()) tokens.push_back(token);
      token.clear();
      if (*p == 0) break;
    } else {
      token += *p;
    }
  }
  return tokens;
}

std::string joined(const std::vector<std::string>& tokens, size_t from, size_t to) {
  std::string text;
  for (size_t i = from; i < to; ++i) text += (i > from ? ", " : "") + tokens[i];
  return text;
}

// A row written the manifest's way: Name(a, b[, c]) -> r, s
std::string describe(const CommandRow& row) {
  std::vector<std::string> arguments = tokensOf(row.arguments);
  size_t required = arguments.size() - row.optional;
  std::string text = std::string(row.name) + "(" + joined(arguments, 0, required);
  if (row.optional > 0) text += (required > 0 ? "[, " : "[") + joined(arguments, required, arguments.size()) + "]";
  text += ")";
  std::vector<std::string> results = tokensOf(row.results);
  if (!results.empty()) text += " -> " + joined(results, 0, results.size());
  return text;
}

TEST(CommandManifestTest, EveryBoundCommandMatchesItsManifestLine) {
  std::vector<std::string> order;
  std::map<std::string, ManifestEntry> manifest = readManifest(&order);
  ASSERT_EQ(manifest.size(), static_cast<size_t>(kCommandCount));

  std::set<std::string> bound;
  CommandTable table = commandTable();
  for (size_t i = 0; i < table.count; ++i) {
    const CommandRow& row = table.rows[i];
    EXPECT_TRUE(bound.insert(row.name).second) << "bound twice: " << row.name;
    auto entry = manifest.find(row.name);
    if (entry == manifest.end()) {
      ADD_FAILURE() << "not in the manifest: " << row.name;
      continue;
    }
    EXPECT_EQ(describe(row), entry->second.line);
  }

  std::string unbound;
  std::string family;
  int count = 0;
  for (const std::string& name : order) {
    if (bound.count(name)) continue;
    const ManifestEntry& entry = manifest[name];
    if (entry.family != family) unbound += "\n  " + (family = entry.family) + ":";
    unbound += " " + name;
    ++count;
  }
  std::cout << table.count << " of " << manifest.size() << " commands bound; not bound yet (" << count
            << "):" << unbound << "\n";
}

// Only the commands the library is documented to run without an engine do so.
TEST(CommandManifestTest, CommandsWithoutSetupAreTheDocumentedOnes) {
  std::set<std::string> withoutSetup;
  CommandTable table = commandTable();
  for (size_t i = 0; i < table.count; ++i)
    if (!table.rows[i].needsEngine) withoutSetup.insert(table.rows[i].name);
  EXPECT_EQ(withoutSetup, (std::set<std::string>{"Setup", "Term", "IsSetup", "FileRequester", "MessageBox",
                                                  "ScreenModeDialog", "ScreenModeOption"}));
}

using TkTableTest = test::ScriptTest;

TEST_F(TkTableTest, HoldsExactlyTheBoundCommands) {
  size_t fields = 0;
  lua_getglobal(L, "tk");
  lua_pushnil(L);
  while (lua_next(L, -2)) {
    ++fields;
    EXPECT_TRUE(lua_iscfunction(L, -1));
    EXPECT_NE(findCommand(lua_tostring(L, -2)), nullptr) << lua_tostring(L, -2);
    lua_pop(L, 1);
  }
  lua_pop(L, 1);
  EXPECT_EQ(fields, commandTable().count);
}

}  // namespace
}  // namespace tk
