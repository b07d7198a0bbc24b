#pragma once
// The glyphs of many texts in one bitmap font and colour, drawn with one
// sprite batch instead of one font draw per text: the display library lays
// each text out the way its font's own draw does (an underhang before each
// letter, its width, overhang and the font's kerning after it) and sends the
// glyphs down in one call per font picture.

#include <irrlicht.h>

namespace tk {

class CTkTextBatch {
 public:
  // A font that can be batched: a bitmap font; others draw text by text.
  static irr::gui::IGUIFontBitmap* batchable(irr::gui::IGUIFont* font);
  // Texts with line breaks are laid out by the font itself.
  static bool singleLine(const wchar_t* text);

  explicit CTkTextBatch(irr::gui::IGUIFontBitmap* font) : font_(font) {}

  void add(const wchar_t* text, int x, int y);
  void draw(irr::video::SColor colour);
  bool empty() const { return sprites_.empty(); }

 private:
  irr::gui::IGUIFontBitmap* font_;
  irr::core::array<irr::u32> sprites_;
  irr::core::array<irr::core::position2di> positions_;
};

}  // namespace tk
