#include "effects/definitions/tesk_technique_parser.h"

#include <algorithm>
#include <tuple>
#include <cstring>

#include "effects/definitions/tesk_header_line.h"

namespace tk {
namespace {

constexpr size_t kMaxDescriptionLength = 511;

bool startsWith(const std::string& text, const char* prefix) {
  return text.compare(0, std::strlen(prefix), prefix) == 0;
}

bool contains(const std::vector<std::string>& list, const std::string& item) {
  return std::find(list.begin(), list.end(), item) != list.end();
}

std::string upperAscii(std::string text) {
  for (char& c : text) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return text;
}

SShader makeShader(int stage, const char* entry, int profile, const std::string& source) {
  SShader shader;
  shader.stage = stage;
  shader.entry = entry;
  shader.profile = profile;
  shader.source = source;
  return shader;
}

void appendTechnique(const std::string& name, CTkEffectDef* def) {
  STechnique technique;
  technique.name = name;
  SPass pass;
  pass.shaders.push_back(makeShader(kStageVertex, "vs_main", kProfileVs30, def->sourcePath));
  pass.shaders.push_back(makeShader(kStagePixel, "ps_main", kProfilePs30, def->sourcePath));
  technique.passes.push_back(pass);
  def->techniques.push_back(technique);
}

// A named technique sees TECH_NDFLT and TECH_<NAME> in its conditions, and its
// shaders are compiled with USE_ in front of both.
void addTechniqueMacro(const std::string& macro, TeskTechniqueContext& context,
                       std::vector<std::string>* macros) {
  macros->push_back(macro);
  for (SShader& shader : context.pass().shaders) {
    shader.inlineDefines.push_back("#define USE_" + macro);
  }
}

// The line a chain of "//TESK_PP:D:NAME:" / "//TESK_PP:U:NAME:" prefixes leaves
// when every condition holds; otherwise the line unchanged (which no line kind
// takes up, so it is ignored).
std::string applyConditions(const std::string& line, const std::vector<std::string>& macros) {
  static const std::string kPrefix = "//TESK_PP:";
  std::string rest = line;
  while (startsWith(rest, kPrefix.c_str())) {
    const size_t kind = kPrefix.size();
    if (rest.size() < kind + 2 || rest[kind + 1] != ':') return line;
    if (rest[kind] != 'D' && rest[kind] != 'U') return line;
    const size_t nameEnd = rest.find(':', kind + 2);
    if (nameEnd == std::string::npos) return line;
    const bool defined = contains(macros, rest.substr(kind + 2, nameEnd - kind - 2));
    if (defined != (rest[kind] == 'D')) return line;
    rest.erase(0, nameEnd + 1);
  }
  return rest;
}

// "//" followed by a character that is not a space and lies outside '0'..'z'
// ("///", "//-", "//<tab>") marks a comment of the header block.
bool isHeaderComment(const std::string& line) {
  if (!startsWith(line, "//")) return false;
  const char next = line.size() > 2 ? line[2] : '\0';
  return next != ' ' && (next < '0' || next > 'z');
}

// "//key rest": the rest after the spaces that follow the key, or false.
bool keyedText(const std::string& line, const char* key, std::string* rest) {
  const std::string prefix = std::string("//") + key + " ";
  if (!startsWith(line, prefix.c_str())) return false;
  const size_t begin = line.find_first_not_of(' ', prefix.size());
  *rest = begin == std::string::npos ? std::string() : line.substr(begin);
  return true;
}

bool parseDescriptionOrFlag(const std::string& line, bool compileFlagsAllowed,
                            TeskTechniqueContext& context) {
  CTkEffectDef& def = *context.def;
  std::string rest;
  struct Description {
    const char* key;
    std::string* text;
  };
  for (const Description& description : {Description{"title", &def.title},
                                         Description{"subject", &def.subject},
                                         Description{"comments", &def.comments}}) {
    if (keyedText(line, description.key, &rest)) {
      *description.text = rest.substr(0, kMaxDescriptionLength);
      return true;
    }
  }
  if (!keyedText(line, "cflag", &rest)) return false;
  const std::vector<std::string> name = splitWords(rest, " \t", 1);
  if (compileFlagsAllowed && !name.empty()) {
    const std::string macro = "USE_" + name[0];
    bool known = false;
    for (const SParameter& flag : def.compileFlags) known = known || flag.value == macro;
    if (!known) def.compileFlags.push_back(SParameter{"cflag", macro, "", 0, {}, {}});
  }
  return true;
}

bool parseHeaderLine(const std::string& rawLine, const std::vector<std::string>& macros,
                     bool compileFlagsAllowed, TeskTechniqueContext& context) {
  const std::string line = applyConditions(rawLine, macros);
  if (isHeaderComment(line)) return true;
  if (parseDescriptionOrFlag(line, compileFlagsAllowed, context)) return true;
  const TeskHeaderLine cut = cutHeaderLine(line);
  const std::string kind = cut.words.empty() ? std::string() : cut.words[0];
  if (equalsIgnoringCase(kind, "function")) return parseEntryPointLine(cut, context);
  if (equalsIgnoringCase(kind, "config")) return parseConfigLine(cut, context);
  if (equalsIgnoringCase(kind, "texture")) return parseTextureLine(cut, context);
  return parseParameterLine(cut, context);
}

// Line breaks in [from, to): "\r\n", "\n" and a lone "\r" count one each.
int lineBreaks(const std::string& text, size_t from, size_t to) {
  int count = 0;
  for (size_t i = from; i < to; ++i) {
    if (text[i] == '\n') ++count;
    if (text[i] == '\r' && (i + 1 >= text.size() || text[i + 1] != '\n')) ++count;
  }
  return count;
}

std::vector<std::string> conditionNames(const ShaderMacroList& macros) {
  std::vector<std::string> names;
  for (const SShaderMacro& macro : macros) {
    if (macro.name.empty()) continue;
    const bool prefixed = macro.name.compare(0, 4, "USE_") == 0;
    names.push_back(prefixed ? macro.name.substr(4) : macro.name);
  }
  return names;
}

}  // namespace

bool parseTeskTechnique(const std::string& source, const TeskTechniqueRequest& request,
                        CTkEffectDef* def, std::string* error, std::vector<TeskHeaderNote>* notes) {
  appendTechnique(request.name, def);
  TeskTechniqueContext context;
  context.def = def;
  context.notes = notes;
  context.technique = static_cast<int>(def->techniques.size()) - 1;
  context.name = request.name;

  std::vector<std::string> macros = request.macros;
  if (!request.name.empty() && request.name != "default") {
    addTechniqueMacro("TECH_NDFLT", context, &macros);
    addTechniqueMacro("TECH_" + upperAscii(request.name), context, &macros);
  }

  context.error = "Unknown error in Tesk shader";
  // The text ends at its first NUL, as the shader compiler reads it.
  const std::string text(source.c_str());
  bool inBlock = false;
  size_t pos = 0;
  size_t counted = 0;  // line breaks before `counted` are in context.line
  context.line = 1;
  while ((pos = text.find_first_not_of("\r\n", pos)) != std::string::npos) {
    context.line += lineBreaks(text, counted, pos);
    counted = pos;
    size_t end = text.find_first_of("\r\n", pos);
    if (end == std::string::npos) end = text.size();
    const std::string line = text.substr(pos, end - pos);
    pos = end;
    if (!inBlock) {
      inBlock = line.find("[TESK_BEGIN]") != std::string::npos;
      continue;
    }
    if (line.find("[TESK_END]") != std::string::npos) break;
    if (!parseHeaderLine(line, macros, request.compileFlagsAllowed, context)) {
      *error = context.error;
      return false;
    }
  }
  return true;
}

bool parseTeskEffect(const std::string& source, const ShaderMacroList& macros, CTkEffectDef* def,
                     std::string* error, std::vector<TeskHeaderNote>* notes) {
  // Every technique reads the same lines: each note is kept once.
  std::vector<TeskHeaderNote> seen;
  TeskTechniqueRequest request;
  request.compileFlagsAllowed = true;
  request.macros = conditionNames(macros);
  bool parsed = parseTeskTechnique(source, request, def, error, &seen);

  const SParameter* list = parsed ? findNamed(def->techniques[0].annotations, "techniques") : nullptr;
  const std::vector<std::string> names =
      list ? splitWords(list->value, " ", list->value.size()) : std::vector<std::string>();
  request.compileFlagsAllowed = false;
  for (const std::string& name : names) {
    request.name = name;
    if (!parseTeskTechnique(source, request, def, error, &seen)) {
      parsed = false;
      break;
    }
  }
  if (notes) {
    auto order = [](const TeskHeaderNote& a, const TeskHeaderNote& b) {
      return std::tie(a.line, a.textureFile, a.text) < std::tie(b.line, b.textureFile, b.text);
    };
    std::stable_sort(seen.begin(), seen.end(), order);
    seen.erase(std::unique(seen.begin(), seen.end()), seen.end());
    notes->insert(notes->end(), seen.begin(), seen.end());
  }
  return parsed;
}

}  // namespace tk
