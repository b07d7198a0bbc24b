#pragma once
// A reader of one effect file format into an effect definition.

#include <irrlicht.h>

#include <string>

#include "effects/definitions/effect_def.h"
#include "effects/shader_macro.h"

namespace tk {

class FileLayer;

class ITkEffectDefLoader : public virtual irr::IReferenceCounted {
 public:
  // True for the files of this loader's format (by extension).
  virtual bool isLoadableEffectFile(const char* path) const = 0;
  // True when the definition read from a file differs with the macros asked.
  virtual bool dependsOnMacros() const = 0;
  // A new definition (the caller owns one reference) or null. `error`
  // receives the failure text, and is emptied when the file was read whole.
  // `driverFlag` is true for the display library's OpenGL driver in the sense
  // of formats that carry one profile per graphics API.
  virtual CTkEffectDef* createEffectDef(FileLayer& files, const char* path,
                                        const ShaderMacroList& macros, bool driverFlag,
                                        std::string* error) = 0;
};

}  // namespace tk
