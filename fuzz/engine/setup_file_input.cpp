#include <memory>
#include <string>

#include "base/files/ini_file.h"
#include "fuzz/engine/fuzz_inputs.h"
#include "startup/setup_file.h"
#include "startup/sys_setup.h"

namespace tk::fuzz {

int setupFile(const uint8_t* data, size_t size) {
  prepareProcess();
  std::unique_ptr<IniFile> ini = IniFile::fromText(std::string(reinterpret_cast<const char*>(data), size));
  if (!ini) return 0;
  SysSetup setup = setupFromIni(*ini);
  DisplayRecord overrides;
  applyOverrides(overrides, &setup);
  if (tkSysSetup(setup) == 0) tkSysShutdown();
  return 0;
}

}  // namespace tk::fuzz
