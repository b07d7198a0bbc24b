#include "base/log.h"

#include <gtest/gtest.h>

#include "tests/support/capture_stdout.h"

namespace tk {
namespace {

class LogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setLogThreshold(LOG_INFO);
    disableMessageBoxes();
    clearLastError();
  }
  void TearDown() override { setLogThreshold(LOG_INFO); }
};

TEST_F(LogTest, PrintsLevelNameAndTextFollowedByLineEnd) {
  test::CapturedStdout out;
  log(LOG_INFO, "hello %d", 7);
  log(LOG_WARN | LOG_SHOW, "careful");
  log(7, "odd level");
  EXPECT_EQ(out.take(), "INFO : hello 7\n\nWARN : careful\n\n??? : odd level\n\n");
}

// Standard error is the debug channel: every message there is a line of its
// own, also the plain ones whose text has no line end (the readers' messages).
TEST_F(LogTest, DebugChannelGetsOneLinePerMessage) {
  test::CapturedStdout err(2);
  test::CapturedStdout out;
  print("line %d: Invalid line", 3);
  log(LOG_WARN, "careful");
  print("%s", "");
  EXPECT_EQ(err.take(), "line 3: Invalid line\nWARN : careful\n\n");
  EXPECT_EQ(out.take(), "line 3: Invalid line\nWARN : careful\n\n\n");
}

TEST_F(LogTest, ThresholdFiltersPrintingButNotRecording) {
  setLogThreshold(LOG_WARN);
  test::CapturedStdout out;
  log(LOG_INFO | LOG_RECORD, "quiet but kept");
  EXPECT_EQ(out.take(), "");
  std::string text;
  int code = 0;
  ASSERT_TRUE(takeLastError(&text, &code));
  EXPECT_EQ(text, "quiet but kept");
  EXPECT_EQ(code, -1);
}

TEST_F(LogTest, NoneThresholdSilencesErrors) {
  setLogThreshold(LOG_NONE);
  test::CapturedStdout out;
  logErrorCode(5, "failure");
  EXPECT_EQ(out.take(), "");
}

TEST_F(LogTest, ErrorCodeIsRecordedAndClearedSlotReportsMinusOne) {
  logErrorCode(2, "Scene ID %d is bad", 61);
  std::string text;
  int code = 0;
  ASSERT_TRUE(takeLastError(&text, &code));
  EXPECT_EQ(text, "Scene ID 61 is bad");
  EXPECT_EQ(code, 2);
  clearLastError();
  EXPECT_FALSE(takeLastError(&text, &code));
  EXPECT_EQ(code, -1);
}

TEST_F(LogTest, LongMessagesAreCutAt1023Characters) {
  std::string longText(3000, 'x');
  logErrorCode(1, "%s", longText.c_str());
  std::string text;
  int code;
  ASSERT_TRUE(takeLastError(&text, &code));
  EXPECT_EQ(text.size(), 1023u);
}

TEST_F(LogTest, LevelNames) {
  EXPECT_STREQ(logLevelName(0), "DEBUG");
  EXPECT_STREQ(logLevelName(3), "ERROR");
  EXPECT_STREQ(logLevelName(4), "NONE");
  EXPECT_STREQ(logLevelName(5), "???");
}

}  // namespace
}  // namespace tk
