#pragma once
// One line of an effect file's header block, cut into fields and words, and
// the state of the technique that the line kinds add to.

#include <string>
#include <vector>

#include "effects/definitions/effect_def.h"

namespace tk {

struct TeskHeaderLine {
  std::vector<std::string> fields;  // cut at ':' and ';', spaces trimmed
  std::vector<std::string> words;   // field 0 cut at tabs, '/', spaces and line breaks
  // Field i, or empty when the line has fewer fields.
  std::string field(size_t i) const { return i < fields.size() ? fields[i] : std::string(); }
};

// Something a header line said that the parser let pass: what was ignored (or
// read otherwise than written), or a texture file that the loader, which knows
// where files are, should look for.
struct TeskHeaderNote {
  int line = 0;  // counted from 1
  std::string text;          // what was ignored; for a texture file its name
  bool textureFile = false;
  bool operator==(const TeskHeaderNote& other) const {
    return line == other.line && text == other.text && textureFile == other.textureFile;
  }
};

// What the line kinds add to while one technique is parsed.
struct TeskTechniqueContext {
  CTkEffectDef* def = nullptr;
  int technique = 0;          // index in def->techniques
  std::string name;           // the technique's name, empty for the default one
  int nextTextureSlot = 0;    // for texture lines without a slot
  std::string error;          // the failing line's message
  int line = 0;               // the line being parsed
  std::vector<TeskHeaderNote>* notes = nullptr;  // may be null: nothing is noted

  void note(const std::string& text, bool textureFile = false) {
    if (notes) notes->push_back(TeskHeaderNote{line, text, textureFile});
  }

  STechnique& techniqueRecord() { return def->techniques[technique]; }
  SPass& pass() { return techniqueRecord().passes[0]; }
  SShader& vertexShader() { return pass().shaders[0]; }
  SShader& pixelShader() { return pass().shaders[1]; }
};

// The cuts the header grammar uses.
TeskHeaderLine cutHeaderLine(const std::string& line);
// Pieces of `text` between any of `separators`, empty pieces skipped, at most `limit`.
std::vector<std::string> splitWords(const std::string& text, const char* separators, size_t limit);
// `text` without the spaces (not tabs) at both ends.
std::string trimSpaces(const std::string& text);
bool equalsIgnoringCase(const std::string& a, const char* b);
// A message with one count: countMessage("config has %d tokens0 less than 2", 1).
std::string countMessage(const char* format, size_t count);
// Adds a reference to the parameter (bind name = parameter name) once.
void addParameterBind(SShader& shader, const std::string& name);

// The line kinds after the first word has chosen them. Each answers false
// with `context.error` set when the line is malformed.
bool parseEntryPointLine(const TeskHeaderLine& line, TeskTechniqueContext& context);
bool parseConfigLine(const TeskHeaderLine& line, TeskTechniqueContext& context);
bool parseTextureLine(const TeskHeaderLine& line, TeskTechniqueContext& context);
bool parseParameterLine(const TeskHeaderLine& line, TeskTechniqueContext& context);

}  // namespace tk
