#include "demo/demo_description.h"

#include <gtest/gtest.h>

#include "base/files/ini_file.h"
#include "base/log.h"
#include "demo/demo_loader.h"
#include "tests/support/capture_stdout.h"

namespace tk {
namespace {

DemoDescription parse(const std::string& text, bool* ok = nullptr) {
  disableMessageBoxes();
  std::unique_ptr<IniFile> ini = IniFile::fromText(text);
  DemoDescription demo;
  bool read = ini && readDemoDescription(*ini, &demo);
  if (ok) *ok = read;
  return demo;
}

TEST(DemoDescriptionTest, PartsKeysAndDefaults) {
  DemoDescription demo = parse(
      "[Setup]\nMusicDirectory = music\n"
      "[Intro_Part]\ntime = 500\ntimereset = 1\nmusic = a.mp3\npalette = p\npalette.g = 7\npalette.b = 9\n"
      "directory = scenes/a\nfilename = a.tscn\ncamerarange = 1 50\nreuseobjects = 1\n"
      "fader.0.time = 0\n"
      "extra.3.directory = x\nextra.3.filename = x.tscn\nextra.3.time = 100\n"
      "shader.0.name = Glow.hlsl\nshader.0.length = 40\n"
      "[setup2]\nfoo = 1\n"
      "[part_two]\n");
  EXPECT_EQ(demo.musicDirectory, "music");
  ASSERT_EQ(demo.parts.size(), 2u);  // "setup2" is not a part
  const DemoPart& intro = demo.parts[0];
  EXPECT_EQ(intro.name, "intro_part");
  EXPECT_EQ(intro.time, 500);
  EXPECT_EQ(intro.timeBase, 0);  // time reset
  EXPECT_EQ(intro.paletteChannel, 1);
  EXPECT_EQ(intro.paletteValue, 7);
  EXPECT_FLOAT_EQ(intro.cameraFar, 50.0f);
  ASSERT_EQ(intro.faders.size(), 1u);
  EXPECT_EQ(intro.faders[0].length, 1000);
  EXPECT_EQ(intro.faders[0].fadeLength, 1000);
  EXPECT_EQ(intro.faders[0].colour, 0u);
  EXPECT_FALSE(intro.faders[0].fadeIn);
  ASSERT_EQ(intro.extras.size(), 1u);  // index 3 packed first
  EXPECT_EQ(intro.extras[0].time, 100);
  ASSERT_EQ(intro.shaders.size(), 1u);
  EXPECT_EQ(intro.shaders[0].length, 40);
  const DemoPart& two = demo.parts[1];
  EXPECT_EQ(two.time, -1);
  EXPECT_EQ(two.timeBase, -1);
  EXPECT_FLOAT_EQ(two.cameraNear, 0.1f);
  EXPECT_EQ(two.paletteChannel, -1);
}

TEST(DemoDescriptionTest, IndexedEntryLimits) {
  std::string text = "[part]\n";
  for (int n = 0; n < 21; ++n) {
    std::string i = std::to_string(n);
    text += "extra." + i + ".directory = d\nextra." + i + ".filename = f" + i + "\n";
    text += "shader." + i + ".name = s" + i + "\nfader." + i + ".time = " + i + "\n";
  }
  text += "fader.1.time = -1\nfader.2.fadein = -1\nfader.3.fadein = 0\nfader.4.color = 0xFF102030\n";
  DemoDescription demo = parse(text);
  const DemoPart& part = demo.parts[0];
  EXPECT_EQ(part.extras.size(), 15u);
  EXPECT_EQ(part.extras.back().fileName, "f14");
  EXPECT_EQ(part.shaders.size(), 10u);
  ASSERT_EQ(part.faders.size(), 19u);  // 0 .. 19 read, fader 1 is off (-1)
  EXPECT_EQ(part.faders[1].time, 2);
  EXPECT_FALSE(part.faders[1].fadeIn);
  EXPECT_TRUE(part.faders[2].fadeIn);
  EXPECT_EQ(part.faders[3].colour, 0xFF102030u);
}

TEST(DemoDescriptionTest, FilesWithoutPlayableParts) {
  bool ok = true;
  test::CapturedStdout out;
  parse("[setup]\nmusicdirectory = m\n", &ok);
  EXPECT_FALSE(ok);
  EXPECT_NE(out.take().find("ERROR : No parts!"), std::string::npos);
  std::string many;
  for (int i = 0; i < 65; ++i) many += "[part" + std::to_string(i) + "]\ntime = " + std::to_string(i) + "\n";
  parse(many, &ok);
  EXPECT_FALSE(ok);
  EXPECT_NE(out.take().find("Too many parts: 65"), std::string::npos);
}

// Start times: each part names its scene's music through this table.
struct TimingCase {
  const char* ini;
  std::vector<std::string> sceneMusic;
  std::vector<int> offsets;
  const char* error;  // empty: succeeds
  std::vector<int> times;
};

TEST(DemoStartTimesTest, RulesAndErrors) {
  TimingCase cases[] = {
      {"[part0]\ntime=0\nmusic=song.mp3\n[part1]\n", {"", "music/song.ogg"}, {0, 2500}, "", {0, 2500}},
      {"[part0]\ntime=1000\ntimereset=1\nmusic=song.mp3\n[part1]\n", {"", "song.mp3"}, {0, 700}, "", {1000, 700}},
      {"[part0]\ntime=0\n[part1]\nmusic=x.mp3\n", {"", ""}, {0, 0},
       "Part part1: no time, but music specified in the part, impossible to determine time begin of the part", {}},
      {"[part0]\ntime=0\n[part1]\n", {"", ""}, {0, 0},
       "Part part1: no time, and no music specified in scene, impossible to determine time begin of the part", {}},
      {"[part0]\ntime=0\n[part1]\n", {"", "song"}, {0, 0},
       "Part part1: when no time in part and a music in the scene, there must be a music before", {}},
      {"[part0]\ntime=0\nmusic=other.mp3\n[part1]\n", {"", "song"}, {0, 0},
       "Part part1: when no time in part, the music in the scene must be the same than the previous music", {}},
      {"[part0]\ntime=0\nmusic=song.mp3\n[part1]\ntime=10\ntimereset=1\n[part2]\n", {"", "", "song"}, {0, 0, 0},
       "Part part2: timereset no supported before a part that has a music within the scene", {}},
      {"[part0]\ntime=0\nmusic=song.mp3\n[part1]\ntime=50\n", {"", "song.mp3"}, {0, 0},
       "Part part1: music within the scene, with a time in the part :the music must not be the same music than previous",
       {}},
      {"[part0]\ntime=0\n[part1]\ntime=50\n", {"", "song.mp3"}, {0, 40},
       "Part part1: music within the scene, with a time in the part :the music offset within the scene must be zero", {}},
  };
  for (const TimingCase& c : cases) {
    DemoDescription demo = parse(c.ini);
    ASSERT_EQ(demo.parts.size(), c.sceneMusic.size()) << c.ini;
    for (size_t i = 0; i < demo.parts.size(); ++i) demo.parts[i].ids.scene = static_cast<int>(i);
    test::CapturedStdout out;
    bool ok = computeStartTimes(
        &demo, [&](const DemoPart& p) { return c.sceneMusic[p.ids.scene]; },
        [&](const DemoPart& p) { return c.offsets[p.ids.scene]; });
    std::string printed = out.take();
    if (*c.error) {
      EXPECT_FALSE(ok) << c.ini;
      EXPECT_NE(printed.find(std::string("ERROR : ") + c.error), std::string::npos) << printed;
      continue;
    }
    ASSERT_TRUE(ok) << printed;
    for (size_t i = 0; i < c.times.size(); ++i) EXPECT_EQ(demo.parts[i].time, c.times[i]) << c.ini << " part " << i;
  }
}

TEST(DemoStartTimesTest, TimedPartTakesItsScenesMusic) {
  DemoDescription demo = parse("[part0]\ntime=0\n[part1]\ntime=50\n");
  ASSERT_EQ(demo.parts.size(), 2u);
  for (size_t i = 0; i < demo.parts.size(); ++i) demo.parts[i].ids.scene = static_cast<int>(i);
  ASSERT_TRUE(computeStartTimes(
      &demo, [](const DemoPart& p) { return p.ids.scene == 1 ? std::string("audio/Theme.wav") : std::string(); },
      [](const DemoPart&) { return 0; }));
  EXPECT_EQ(demo.parts[1].music, "Theme.mp3");
}

}  // namespace
}  // namespace tk
