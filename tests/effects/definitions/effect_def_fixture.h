#pragma once
// Writes effect files into a temporary folder and reads them with the engine's
// own effect file loader.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "base/files/file_layer.h"
#include "effects/definitions/effect_def_loader_tesk.h"
#include "tests/support/capture_stdout.h"

namespace tk::test {

struct DropDef {
  void operator()(CTkEffectDef* def) const {
    if (def) def->drop();
  }
};
using DefPtr = std::unique_ptr<CTkEffectDef, DropDef>;

struct LoadedDef {
  DefPtr def;
  std::string error;
};

class EffectDefTest : public ::testing::Test {
 protected:
  void SetUp() override { installPlainFileLayer(); }

  // An effect file whose header block holds the given lines.
  std::string writeEffect(const std::string& headerLines, const std::string& name = "fx.hlsl") {
    return folder.write(name, "// [TESK_BEGIN]\n" + headerLines + "\n// [TESK_END]\n" + kBody);
  }

  LoadedDef loadFile(const std::string& path, const ShaderMacroList& macros = {}) {
    LoadedDef loaded;
    loaded.def.reset(loader.createEffectDef(fileLayer(), path.c_str(), macros, false,
                                            &loaded.error));
    return loaded;
  }

  LoadedDef load(const std::string& headerLines, const ShaderMacroList& macros = {}) {
    return loadFile(writeEffect(headerLines), macros);
  }

  static constexpr const char* kBody =
      "float4 vs_main(float4 p : POSITION) : POSITION { return p; }\n"
      "float4 ps_main() : COLOR { return 1; }\n";

  TempFolder folder;
  CTkEffectDefLoaderTesk loader;
};

}  // namespace tk::test
