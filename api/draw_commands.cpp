#include "api/draw_commands.h"

#include <cctype>

#include "api/draw_queue.h"
#include "api/effect_commands.h"
#include "base/files/file_layer.h"
#include "base/log.h"
#include "render/engine.h"

namespace tk {
namespace {

struct DrawState {
  int ink = 0xFFFFFF;
  int inkAlpha = 255;
  unsigned textColour = 0xFFFFFF;
  int textAlpha = 255;
  irr::gui::IGUIFont* font = nullptr;  // none: the default font
  std::string fontName;
};

DrawState g_state;

irr::gui::IGUIFont* measuringFont() {
  if (g_state.font) return g_state.font;
  irr::gui::IGUIEnvironment* gui = tkEngine().gui;
  return gui ? gui->getBuiltInFont() : nullptr;
}

irr::core::dimension2du measure(const char* text, size_t length) {
  irr::gui::IGUIFont* font = measuringFont();
  if (!font) return {0, 0};
  wchar_t wide[kWideTextMax + 1];
  utf8ToWide(text, length, wide, kWideTextMax + 1);
  return font->getDimension(wide);
}

irr::u32 inkColour() { return drawColour(g_state.inkAlpha, static_cast<unsigned>(g_state.ink)); }

// A font file the GUI can read: its bitmap fonts, never a TrueType file,
// which it would take for a picture; a picture without character marks
// gives a font with no characters, which is refused too.
irr::gui::IGUIFont* loadFont(const char* file) {
  irr::gui::IGUIEnvironment* gui = tkEngine().gui;
  const std::string name = file;
  const size_t dot = name.find_last_of('.');
  std::string extension = dot == std::string::npos ? "" : name.substr(dot + 1);
  for (char& c : extension) c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
  if (!gui || extension == "ttf" || extension == "otf") return nullptr;
  const std::string path = fileLayer().absolutePath(resolveFile(file).c_str());
  if (!tkEngine().device->getFileSystem()->existFile(path.c_str())) return nullptr;
  irr::gui::IGUIFont* font = gui->getFont(path.c_str());
  if (!font || font->getDimension(L"A").Width == 0) return nullptr;
  return font;
}

}  // namespace

void Ink(int colour) { g_state.ink = colour; }
void InkAlpha(int alpha) { g_state.inkAlpha = alpha; }
void Box(int x1, int y1, int x2, int y2) { drawQueue().addBox(x1, y1, x2, y2, inkColour()); }
void Line(int x1, int y1, int x2, int y2) { drawQueue().addLine(x1, y1, x2, y2, inkColour()); }

void BoxWithEffect(int x1, int y1, int x2, int y2, int effectId) {
  if (!effectOrReport(effectId, 5)) return;
  drawQueue().addBoxWithEffect(x1, y1, x2, y2, inkColour(), effectId);
}

void Text(int x, int y, const char* text, size_t length) {
  drawQueue().addText(g_state.font, x, y, drawColour(g_state.textAlpha, g_state.textColour), text, length);
}

void SetTextFont(const char* file) {
  if (!file || !*file) {
    g_state.font = nullptr;
    g_state.fontName.clear();
    return;
  }
  irr::gui::IGUIFont* font = loadFont(file);
  if (!font) {
    logErrorCode(kErrorArgument1, "The font '%s' cannot be loaded", file);
    return;
  }
  g_state.font = font;
  g_state.fontName = file;
}

std::optional<std::string> TextFont() {
  if (!g_state.font) return std::nullopt;
  return g_state.fontName;
}

void SetTextColor(unsigned colour) { g_state.textColour = colour & 0xFFFFFFu; }
void SetTextAlpha(int alpha) { g_state.textAlpha = alpha < 0 ? 0 : alpha > 255 ? 255 : alpha; }
int TextColor() { return static_cast<int>(g_state.textColour); }
int TextAlpha() { return g_state.textAlpha; }
int TextWidth(const char* text, size_t length) { return static_cast<int>(measure(text, length).Width); }
int TextHeight(const char* text, size_t length) { return static_cast<int>(measure(text, length).Height); }

void resetDrawState() { g_state = DrawState(); }

}  // namespace tk
