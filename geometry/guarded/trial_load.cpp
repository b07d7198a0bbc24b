#include "geometry/guarded/trial_load.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <thread>

#include "geometry/guarded/zero_filled_read_file.h"

// Present when a sanitizer runtime is linked in.
extern "C" void __sanitizer_set_death_callback(void (*callback)(void)) __attribute__((weak));
extern "C" void __sanitizer_set_report_fd(void* fd) __attribute__((weak));

namespace tk {
namespace {

constexpr int kLoadedStatus = 0;
constexpr int kRefusedStatus = 3;

// A fault in the child ends it at once and silently: the crash handlers and
// reports it inherited (the sanitizers', a fuzzer's, the parent's own) belong
// to the parent.
void dieQuietlyOnFaults() {
  if (__sanitizer_set_death_callback) __sanitizer_set_death_callback(nullptr);
  const int nowhere = open("/dev/null", O_WRONLY);
  if (__sanitizer_set_report_fd && nowhere >= 0) __sanitizer_set_report_fd(reinterpret_cast<void*>(intptr_t(nowhere)));
  struct sigaction plain {};
  plain.sa_handler = SIG_DFL;
  sigemptyset(&plain.sa_mask);
  for (int fault : {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT, SIGTRAP}) sigaction(fault, &plain, nullptr);
}

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kAddressSanitizer = true;
#elif defined(__has_feature)
constexpr bool kAddressSanitizer = __has_feature(address_sanitizer);
#else
constexpr bool kAddressSanitizer = false;
#endif

// The address space the process has now, from /proc (read without stdio).
size_t addressSpaceInUse() {
  const int statm = open("/proc/self/statm", O_RDONLY);
  if (statm < 0) return 0;
  char text[64] = {};
  const ssize_t got = read(statm, text, sizeof text - 1);
  close(statm);
  return got > 0 ? std::strtoul(text, nullptr, 10) * static_cast<size_t>(sysconf(_SC_PAGESIZE)) : 0;
}

// A damaged file can make a loader ask for gigabytes: the child gets the
// address space it has now plus 1 GiB and 64 times the file. Address sanitizer
// builds reserve far more address space than they use, and their allocator
// refuses such requests itself.
void limitMemory(size_t fileBytes) {
  const size_t inUse = addressSpaceInUse();
  if (kAddressSanitizer || inUse == 0) return;
  const rlim_t limit = rlim_t(inUse) + (rlim_t(1) << 30) + rlim_t(fileBytes) * 64;
  const struct rlimit space = {limit, limit};
  setrlimit(RLIMIT_AS, &space);
}

// A fault leaves no core file behind.
void dumpNoCore() {
  const struct rlimit none = {0, 0};
  setrlimit(RLIMIT_CORE, &none);
}

// Runs in the forked child: only this thread exists there, so it touches
// nothing the parent's other threads may have held (no engine log, no
// parent device), and leaves with _exit so no exit handler of the parent runs.
[[noreturn]] void loadInChild(const std::string& bytes, const irr::io::path& name) {
  dieQuietlyOnFaults();
  limitMemory(bytes.size());
  dumpNoCore();
  irr::SIrrlichtCreationParameters parameters;
  parameters.DriverType = irr::video::EDT_NULL;
  parameters.LoggingLevel = irr::ELL_NONE;
  irr::IrrlichtDevice* device = irr::createDeviceEx(parameters);
  if (!device) _exit(kRefusedStatus);
  irr::io::IReadFile* file = new CTkZeroFilledReadFile(bytes, name);
  irr::scene::IAnimatedMesh* mesh = device->getSceneManager()->getMesh(file);
  _exit(mesh ? kLoadedStatus : kRefusedStatus);
}

std::chrono::milliseconds timeLimit(size_t bytes) {
  return std::chrono::milliseconds(2000 + bytes / 1000);  // 2 s, and 1 s more per megabyte
}

TrialLoad outcomeOf(int status) {
  if (WIFEXITED(status)) return WEXITSTATUS(status) == kLoadedStatus ? TrialLoad::Loaded : TrialLoad::Refused;
  return TrialLoad::Crashed;
}

}  // namespace

TrialLoad trialLoad(const std::string& bytes, const irr::io::path& name) {
  const pid_t child = fork();
  if (child < 0) return TrialLoad::Refused;
  if (child == 0) loadInChild(bytes, name);
  const auto deadline = std::chrono::steady_clock::now() + timeLimit(bytes.size());
  auto pause = std::chrono::microseconds(200);
  for (;;) {
    int status = 0;
    const pid_t done = waitpid(child, &status, WNOHANG);
    if (done == child) return outcomeOf(status);
    if (done < 0 && errno != EINTR) return TrialLoad::Refused;
    if (std::chrono::steady_clock::now() >= deadline) break;
    std::this_thread::sleep_for(pause);
    pause = std::min(pause * 2, std::chrono::microseconds(20000));
  }
  kill(child, SIGKILL);
  while (waitpid(child, nullptr, 0) < 0 && errno == EINTR) {
  }
  return TrialLoad::TimedOut;
}

const char* trialLoadText(TrialLoad outcome) {
  switch (outcome) {
    case TrialLoad::Loaded: return "loaded";
    case TrialLoad::Refused: return "not readable";
    case TrialLoad::Crashed: return "damaged: its loader failed on it";
    case TrialLoad::TimedOut: return "damaged: its loader did not finish";
  }
  return "";
}

}  // namespace tk
