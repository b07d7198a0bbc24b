#pragma once
// Bounded waits and checks shared by the watch tests.

#include <dirent.h>
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>

#include "base/log.h"

namespace tk::test {

// Polls `condition` every 5 ms until it holds or `timeoutMs` passed (a
// deadline generous enough for a loaded machine; passing cases return early).
template <typename Condition>
bool waitUntil(Condition condition, int timeoutMs = 10000) {
  auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  while (!condition()) {
    if (std::chrono::steady_clock::now() >= deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return true;
}

inline int threadCount() {
  int count = 0;
  if (DIR* tasks = opendir("/proc/self/task")) {
    while (dirent* entry = readdir(tasks)) count += entry->d_name[0] != '.';
    closedir(tasks);
  }
  return count;
}

// The recorded error and its code, then clears the slot; "" and -1 when none.
inline std::pair<std::string, int> takeError() {
  std::string text;
  int code = -1;
  takeLastError(&text, &code);
  clearLastError();
  return {text, code};
}

}  // namespace tk::test
