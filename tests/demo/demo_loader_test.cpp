// What the demo loader says about files and parts it cannot load.
#include <gtest/gtest.h>

#include "demo/demo_loader.h"
#include "scene/scene_slots.h"
#include "tests/api/commands_fixture.h"
#include "tests/support/capture_stdout.h"

namespace tk {
namespace {

class DemoLoaderTest : public test::EngineCommandsTest {
 protected:
  void TearDown() override {
    setLoadFailureReporting(false);
    test::EngineCommandsTest::TearDown();
  }
};

struct LoadCase {
  const char* what;
  const char* demo;  // null: no demo file at all
  int result;
  const char* line;  // a line the log must hold
};

TEST_F(DemoLoaderTest, FailuresAreNamedWithTheirReason) {
  test::TempFolder folder;
  folder.write("part.tscn", "{ Scene\n{ Cameras\n{ C\n}\n}\n{ Objects\n{ O\ntfilename STR nowhere.obj\n}\n}\n}\n");
  folder.write("extra.tscn", "{ Scene\n{ Objects\n{ O\ntfilename STR gone.obj\n}\n}\n}\n");
  const LoadCase cases[] = {
      {"no demo file", nullptr, -1, "ERROR : Fail to load DEMO: No such file or directory"},
      {"a part's object", "[part1]\ntime = 0\nfilename = part.tscn\n[part2]\ntime = 100\n", 0,
       "ERROR : The object id=1 'nowhere.obj' cannot be loaded"},
      {"an extra's object",
       "[part1]\ntime = 0\nfilename = part.tscn\nextra.0.directory = .\nextra.0.filename = extra.tscn\n"
       "[part2]\ntime = 100\n",
       0, "ERROR : The object id=2 'gone.obj' cannot be loaded"},
      {"a part's scene", "[part1]\ntime = 0\nfilename = gone.tscn\n[part2]\ntime = 100\n", -1,
       "ERROR : Failed to load scene file 'gone.tscn', error: No such file or directory"},
  };
  int index = 0;
  for (const LoadCase& c : cases) {
    const std::string name = "d" + std::to_string(index++) + ".demo.ini";
    const std::string path = c.demo ? folder.write(name, c.demo) : folder.path() + "/" + name;
    setLogThreshold(LOG_ERROR);
    test::CapturedStdout out;
    DemoDescription demo;
    DemoIdCounters counters;
    EXPECT_EQ(tkDemoLoad(&demo, path.c_str(), &counters), c.result) << c.what;
    std::string line = c.line;
    const size_t placeholder = line.find("DEMO");
    if (placeholder != std::string::npos) line.replace(placeholder, 4, path);
    const std::string printed = out.take();
    EXPECT_NE(printed.find(line), std::string::npos) << c.what << "\n" << printed;
    if (c.result == 0) unloadDemo(&demo);
  }
}

}  // namespace
}  // namespace tk
