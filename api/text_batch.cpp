#include "api/text_batch.h"

namespace tk {

irr::gui::IGUIFontBitmap* CTkTextBatch::batchable(irr::gui::IGUIFont* font) {
  if (!font || font->getType() != irr::gui::EGFT_BITMAP) return nullptr;
  auto* bitmap = static_cast<irr::gui::IGUIFontBitmap*>(font);
  return bitmap->getSpriteBank() ? bitmap : nullptr;
}

bool CTkTextBatch::singleLine(const wchar_t* text) {
  for (; *text; ++text)
    if (*text == L'\n' || *text == L'\r') return false;
  return true;
}

void CTkTextBatch::add(const wchar_t* text, int x, int y) {
  irr::gui::IGUISpriteBank* bank = font_->getSpriteBank();
  const irr::s32 kerning = font_->getKerningWidth();
  for (; *text; ++text) {
    const wchar_t* letter = text;
    // The font answers the letter's overhang alone, and adds the previous
    // letter's underhang when given one: asked with the letter twice, the
    // difference is its underhang.
    const irr::s32 overhang = font_->getKerningWidth(letter) - kerning;
    const irr::s32 underhang = font_->getKerningWidth(letter, letter) - kerning - overhang;
    const irr::u32 sprite = font_->getSpriteNoFromChar(letter);
    irr::s32 width = 0;
    if (sprite < bank->getSprites().size() && bank->getSprites()[sprite].Frames.size() > 0) {
      const irr::u32 rectangle = bank->getSprites()[sprite].Frames[0].rectNumber;
      if (rectangle < bank->getPositions().size()) width = bank->getPositions()[rectangle].getWidth();
    }
    x += underhang;
    // The display library's fonts leave the space out of their draws.
    if (*letter != L' ') {
      sprites_.push_back(sprite);
      positions_.push_back(irr::core::position2di(x, y));
    }
    x += width + overhang + kerning;
  }
}

void CTkTextBatch::draw(irr::video::SColor colour) {
  if (!sprites_.empty()) font_->getSpriteBank()->draw2DSpriteBatch(sprites_, positions_, nullptr, colour);
  sprites_.set_used(0);
  positions_.set_used(0);
}

}  // namespace tk
