#pragma once
// Resolves the `#include` files of one compile through the engine file layer,
// so that includes inside a mounted archive are found. It searches the source
// file's folder first, then the folders of the files it already opened, and
// records every file it opened: the compiled shader depends on them.

#include "effects/shaders/glslang_hlsl.h"

#include <string>
#include <vector>

namespace tk {

class CTkShaderIncluder : public glslang::TShader::Includer {
 public:
  explicit CTkShaderIncluder(const std::string& sourcePath);

  IncludeResult* includeLocal(const char* headerName, const char* includerName, size_t depth) override;
  IncludeResult* includeSystem(const char* headerName, const char* includerName, size_t depth) override;
  void releaseInclude(IncludeResult* result) override;

  // Normalised paths of the files opened, in opening order.
  const std::vector<std::string>& openedFiles() const { return opened_; }
  // Why an include was refused although it was found: it nests brackets too
  // deeply (see hlsl_nesting.h). Empty when none was.
  const std::string& refusal() const { return refusal_; }

 private:
  IncludeResult* open(const char* name, bool reportFailure);

  std::vector<std::string> directories_;
  std::vector<std::string> opened_;
  std::string refusal_;
};

// The folder of a path ("." for a bare name), without a trailing "/".
std::string shaderDirectoryOf(const std::string& path);
// The path with "/" separators, made absolute through the file layer and with
// "." and ".." resolved: the one spelling under which dependencies are compared.
std::string normalisedShaderPath(const std::string& path);

}  // namespace tk
