#include "music/music.h"

#include <gtest/gtest.h>
#include <irrlicht.h>
#include <zip.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <thread>

#include "base/files/file_layer.h"
#include "base/log.h"
#include "tests/music/generated_audio.h"
#include "tests/support/capture_stdout.h"

namespace tk {
namespace {

using Clock = std::chrono::steady_clock;

double millisecondsBetween(Clock::time_point from, Clock::time_point to) {
  return std::chrono::duration<double, std::milli>(to - from).count();
}

// A position read together with the wall-clock interval around the read.
struct TimedPosition {
  int position;
  Clock::time_point before, after;
};

TimedPosition readPosition(int id) {
  TimedPosition read;
  read.before = Clock::now();
  read.position = GetMusicPosition(id);
  read.after = Clock::now();
  return read;
}

void expectLastError(int code, const std::string& text) {
  std::string recorded;
  int recordedCode = 0;
  ASSERT_TRUE(takeLastError(&recorded, &recordedCode)) << "nothing recorded, expected: " << text;
  EXPECT_EQ(recordedCode, code);
  EXPECT_EQ(recorded, text);
  clearLastError();
}

class MusicTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    // Silent and on the system clock on every machine, with or without a sound device.
    setenv("TESK_AUDIO_SINK", "fakesink", 1);
    audio_ = new test::TempFolder();
    mp3_ = audio_->path() + "/tone.mp3";
    ogg_ = audio_->path() + "/tone.ogg";
    ASSERT_TRUE(test::writeTone(mp3_, test::AudioFormat::Mp3, 3));
    ASSERT_TRUE(test::writeTone(ogg_, test::AudioFormat::OggVorbis, 2));
  }
  static void TearDownTestSuite() {
    delete audio_;
    audio_ = nullptr;
  }

  void SetUp() override {
    setenv("TMPDIR", tempDir_.path().c_str(), 1);
    installPlainFileLayer();
    ASSERT_EQ(musicStartup(), 0);
    clearLastError();
  }
  void TearDown() override {
    musicShutdown();
    EXPECT_TRUE(temporaryCopies().empty()) << "shutdown left temporary copies";
    unsetenv("TMPDIR");
    clearLastError();
  }

  std::vector<std::string> temporaryCopies() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(tempDir_.path())) {
      std::string name = entry.path().filename().string();
      if (name.rfind("TM_", 0) == 0) names.push_back(name);
    }
    return names;
  }

  static test::TempFolder* audio_;
  static std::string mp3_, ogg_;
  test::TempFolder tempDir_;
};

test::TempFolder* MusicTest::audio_ = nullptr;
std::string MusicTest::mp3_;
std::string MusicTest::ogg_;

TEST_F(MusicTest, IdsWithoutMusicAreReportedWithCode1) {
  EXPECT_EQ(MusicExist(3), 0);
  struct Command {
    const char* name;
    int (*run)(int id);
  };
  const Command commands[] = {
      {"PlayMusic", PlayMusic},        {"StopMusic", StopMusic},
      {"PauseMusic", PauseMusic},      {"ResumeMusic", ResumeMusic},
      {"GetMusicPosition", GetMusicPosition}, {"DeleteMusic", DeleteMusic},
      {"SetMusicPosition", [](int id) { return SetMusicPosition(id, 10); }},
  };
  for (const Command& command : commands) {
    SCOPED_TRACE(command.name);
    EXPECT_EQ(command.run(3), -1);
    expectLastError(1, "Music ID 3 does not exist. id 3 does not exist");
    EXPECT_EQ(command.run(50), -1);
    expectLastError(1, "Music ID 50 does not exist. invalid ID 50 greater or equals than 50");
  }
  EXPECT_EQ(MusicVolume(3), 0);
  expectLastError(1, "Music ID 3 does not exist. id 3 does not exist");
  SetMusicVolume(-1, 50);
  expectLastError(1, "Music ID -1 does not exist. invalid negative ID -1");
}

TEST_F(MusicTest, BadFilesLeaveTheIdFreeAndNoTemporaryCopy) {
  test::TempFolder data;
  struct BadFile {
    std::string path;
    int code;
    std::string message;
  };
  const BadFile cases[] = {
      {data.path() + "/missing.mp3", 2, "LoadMusic ID 4 : Cannot load file '" + data.path() + "/missing.mp3'"},
      {data.write("empty.mp3", ""), -1, "Failed to load mp3"},
      {data.write("notes.ogg", std::string(5000, 'x')), -1, "Failed to load mp3"},
  };
  for (const BadFile& bad : cases) {
    SCOPED_TRACE(bad.path);
    EXPECT_EQ(LoadMusic(bad.path.c_str(), 4), -1);
    expectLastError(bad.code, bad.message);
    EXPECT_EQ(MusicExist(4), 0);
    EXPECT_TRUE(temporaryCopies().empty());
  }
}

TEST_F(MusicTest, LoadNeedsAFreeIdInRange) {
  ASSERT_EQ(LoadMusic(mp3_.c_str(), 1), 0);
  EXPECT_EQ(LoadMusic(mp3_.c_str(), 1), -1);
  expectLastError(2, "invalid Music ID 1 : id 1 already exist");
  EXPECT_EQ(LoadMusic(mp3_.c_str(), 50), -1);
  expectLastError(2, "invalid Music ID 50 : invalid ID 50 greater or equals than 50");
  EXPECT_EQ(temporaryCopies().size(), 1u);
}

TEST_F(MusicTest, TemporaryCopyLivesAsLongAsTheMusic) {
  ASSERT_EQ(LoadMusic(mp3_.c_str(), 7), 0);
  ASSERT_EQ(LoadMusic("", 8), -1);  // a failed load in between frees its slot again
  ASSERT_EQ(LoadMusic(ogg_.c_str(), 9), 0);
  std::vector<std::string> copies = temporaryCopies();
  ASSERT_EQ(copies.size(), 2u);
  std::sort(copies.begin(), copies.end(), [](const std::string& a, const std::string& b) {
    return a.substr(a.size() - 6) < b.substr(b.size() - 6);
  });
  EXPECT_EQ(copies[0].substr(copies[0].size() - 6), "_0.mp3");
  EXPECT_EQ(copies[1].substr(copies[1].size() - 6), "_1.ogg");
  EXPECT_EQ(DeleteMusic(7), 0);
  EXPECT_EQ(MusicExist(7), 0);
  ASSERT_EQ(temporaryCopies().size(), 1u);
  EXPECT_EQ(DeleteMusic(7), -1);
  clearLastError();
}

TEST_F(MusicTest, VolumeIsStoredInHundredthsOfDecibel) {
  ASSERT_EQ(LoadMusic(ogg_.c_str(), 2), 0);
  EXPECT_EQ(MusicVolume(2), 100);
  for (auto [set, answered] : {std::pair{50, 50}, {75, 73}, {10, 9}, {0, 0}, {150, 100}}) {
    SetMusicVolume(2, set);
    EXPECT_EQ(MusicVolume(2), answered) << set;
  }
  std::string text;
  EXPECT_FALSE(takeLastError(&text, nullptr)) << text;
}

// The position must follow the wall clock: the demo player and the scene viewer
// use it as their clock, also on machines without a sound device.
TEST_F(MusicTest, PositionFollowsTheWallClockWhilePlaying) {
  ASSERT_EQ(LoadMusic(mp3_.c_str(), 1), 0);
  EXPECT_EQ(GetMusicPosition(1), 0);
  Clock::time_point playCalled = Clock::now();
  ASSERT_EQ(PlayMusic(1), 0);
  Clock::time_point playReturned = Clock::now();
  std::this_thread::sleep_for(std::chrono::milliseconds(1000));
  TimedPosition read = readPosition(1);
  // Playback started somewhere between the call and its return.
  EXPECT_GE(read.position, millisecondsBetween(playReturned, read.before) - 50);
  EXPECT_LE(read.position, millisecondsBetween(playCalled, read.after) + 50);
}

TEST_F(MusicTest, PauseKeepsThePositionAndResumeGoesOn) {
  ASSERT_EQ(LoadMusic(ogg_.c_str(), 1), 0);
  ASSERT_EQ(PlayMusic(1), 0);
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  ASSERT_EQ(PauseMusic(1), 0);
  int paused = GetMusicPosition(1);
  EXPECT_GT(paused, 200);
  std::this_thread::sleep_for(std::chrono::milliseconds(200));
  EXPECT_NEAR(GetMusicPosition(1), paused, 5);
  ASSERT_EQ(ResumeMusic(1), 0);
  Clock::time_point resumed = Clock::now();
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  TimedPosition read = readPosition(1);
  EXPECT_NEAR(read.position - paused, millisecondsBetween(resumed, read.before), 50);
}

TEST_F(MusicTest, SeekingLandsOnTheTarget) {
  ASSERT_EQ(LoadMusic(mp3_.c_str(), 1), 0);
  // Before the first play the position set is the position read.
  ASSERT_EQ(SetMusicPosition(1, 1500), 0);
  EXPECT_NEAR(GetMusicPosition(1), 1500, 50);
  ASSERT_EQ(PlayMusic(1), 0);
  std::this_thread::sleep_for(std::chrono::milliseconds(200));
  Clock::time_point seekCalled = Clock::now();
  ASSERT_EQ(SetMusicPosition(1, 700), 0);
  TimedPosition read = readPosition(1);
  EXPECT_GE(read.position, 700 - 50);
  EXPECT_LE(read.position, 700 + millisecondsBetween(seekCalled, read.after) + 50);
}

TEST_F(MusicTest, PlayingAgainRestartsFromTheCurrentPosition) {
  ASSERT_EQ(LoadMusic(mp3_.c_str(), 1), 0);
  ASSERT_EQ(SetMusicPosition(1, 1000), 0);
  ASSERT_EQ(PlayMusic(1), 0);
  ASSERT_EQ(PlayMusic(1), 0);
  EXPECT_GE(GetMusicPosition(1), 1000 - 50);
  ASSERT_EQ(StopMusic(1), 0);
  int stopped = GetMusicPosition(1);
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  EXPECT_NEAR(GetMusicPosition(1), stopped, 5);
  EXPECT_EQ(PauseMusic(1), 0);  // not playing: nothing to pause
}

// Reads the position (which is when the music finds out) until it says why it
// stopped or the deadline passes; the fault found.
std::string faultWithin(int id, int milliseconds) {
  const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(milliseconds);
  while (Clock::now() < deadline) {
    GetMusicPosition(id);
    std::string fault = musicClockFault(id);
    if (!fault.empty()) return fault;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return "";
}

// Those who take the music as their clock learn when it stops moving on.
TEST_F(MusicTest, AMusicThatEndsSaysSoUntilItIsSeekedBack) {
  EXPECT_EQ(musicClockFault(1), "no such music");
  ASSERT_EQ(LoadMusic(mp3_.c_str(), 1), 0);
  EXPECT_EQ(musicClockFault(1), "");
  ASSERT_EQ(SetMusicPosition(1, 2500), 0);
  ASSERT_EQ(PlayMusic(1), 0);
  EXPECT_EQ(musicClockFault(1), "");  // playing on
  EXPECT_EQ(faultWithin(1, 5000), "it ended");
  ASSERT_EQ(SetMusicPosition(1, 1000), 0);
  EXPECT_EQ(musicClockFault(1), "");
}

// A block of zeroed bytes shortens the music: it ends early, and says so.
TEST_F(MusicTest, ADamagedMusicEndsEarlyAndSaysSo) {
  std::string tune;
  ASSERT_TRUE(readWholeFile(mp3_.c_str(), &tune));
  tune.replace(tune.size() / 3, tune.size() / 4, tune.size() / 4, '\0');
  test::TempFolder data;
  const std::string damaged = data.write("damaged.mp3", tune);
  ASSERT_EQ(LoadMusic(damaged.c_str(), 1), 0);
  ASSERT_EQ(PlayMusic(1), 0);
  const Clock::time_point played = Clock::now();
  EXPECT_EQ(faultWithin(1, 5000), "it ended");
  EXPECT_LT(millisecondsBetween(played, Clock::now()), 2800);  // the whole tone lasts 3 s
}

// Builds a zip archive holding one file and mounts it on a null device's file system.
class MountedArchive {
 public:
  MountedArchive(const std::string& archivePath, const char* entry, const std::string& contents) {
    int error = 0;
    zip_t* archive = zip_open(archivePath.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    data_ = contents;
    zip_source_t* source = zip_source_buffer(archive, data_.data(), data_.size(), 0);
    zip_file_add(archive, entry, source, ZIP_FL_OVERWRITE);
    zip_close(archive);
    device_ = irr::createDevice(irr::video::EDT_NULL);
    device_->getFileSystem()->addFileArchive(archivePath.c_str(), true, false, irr::io::EFAT_ZIP);
    installDeviceFileLayer(device_->getFileSystem());
  }
  ~MountedArchive() {
    installPlainFileLayer();
    device_->drop();
  }

 private:
  std::string data_;
  irr::IrrlichtDevice* device_;
};

TEST_F(MusicTest, MusicInsideAMountedArchivePlays) {
  std::string tune;
  ASSERT_TRUE(readWholeFile(mp3_.c_str(), &tune));
  test::TempFolder packed;
  MountedArchive archive(packed.path() + "/data.zip", "music/packed.mp3", tune);
  ASSERT_FALSE(std::filesystem::exists("music/packed.mp3"));
  ASSERT_EQ(LoadMusic("music/packed.mp3", 5), 0);
  ASSERT_EQ(SetMusicPosition(5, 2500), 0);
  EXPECT_NEAR(GetMusicPosition(5), 2500, 50);
  EXPECT_EQ(PlayMusic(5), 0);
  EXPECT_EQ(DeleteMusic(5), 0);
}

}  // namespace
}  // namespace tk
