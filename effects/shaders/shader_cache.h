#pragma once
// The compiled-shader cache: a folder of translated shaders (GLSL and constant
// table) so that a later run translates nothing. Each cache file has an ".inf"
// beside it that says what it was made from.
//
// File names: folder!base!entry!<digest of the macros>!<tag of the source>.vso
// (".pso" for pixel shaders). The tag is the digest of the source's path
// relative to the base directory with its extension, so files of one base name
// in different folders, or with different extensions, never share a cache file.
//
// The ".inf" holds the macro string on its first line, then the source
// ("source <path>") and every file the compile read ("dep <content digest>
// <path>"), paths relative to the base directory when below it. With date
// checking on, an entry is served only when no dependency is newer than the
// cache file (nanosecond times) and every recorded dependency still has the
// content it was compiled from; the scan of quoted includes adds files the
// compile did not meet under the current macros.

#include <string>
#include <vector>

#include "effects/shaders/hlsl_translator.h"

namespace tk {

constexpr unsigned kShaderCacheRead = 0x1;
constexpr unsigned kShaderCacheCheckDates = 0x2;
constexpr unsigned kShaderCacheWrite = 0x4;

// For each macro (in the given, sorted order): name, a space, the value and
// "~". A "~" or "\" inside a name or value is preceded by "\", so that two
// different lists never give the same string.
std::string shaderMacroString(const ShaderMacroList& macros);

// The file name (without the folder) of a compile's cache file.
std::string shaderCacheFileName(const ShaderCompileRequest& request);

// The files a source depends on by the quoted `#include` lines found in its
// text (commented out or not), followed five levels deep, plus the source.
std::vector<std::string> scanShaderIncludes(const std::string& sourcePath);

class CTkShaderCache {
 public:
  void configure(const std::string& directory, unsigned mode);
  const std::string& directory() const { return directory_; }
  unsigned mode() const { return mode_; }

  // True with the cached shader and its dependencies when a valid entry exists.
  bool read(const ShaderCompileRequest& request, STkCompiledShader* shader, std::vector<std::string>* includes) const;
  // Stores a translation; a failure only loses the cached copy.
  void write(const ShaderCompileRequest& request, const ShaderTranslation& translation) const;

 private:
  std::string directory_;
  unsigned mode_ = 0;
};

}  // namespace tk
