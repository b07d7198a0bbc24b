#include "api/draw_queue.h"

#include "api/text_batch.h"
#include "base/log.h"

namespace tk {
namespace {

void reportFull() { logErrorCode(kErrorNoArgument, "too many 2D draws in one frame"); }

STkDrawEntry shape(DrawKind kind, int x1, int y1, int x2, int y2, irr::u32 colour) {
  STkDrawEntry entry{};
  entry.kind = kind;
  entry.x1 = x1, entry.y1 = y1, entry.x2 = x2, entry.y2 = y2;
  entry.colour = colour;
  return entry;
}

irr::core::recti naturalOr(const STkDrawEntry& entry) {
  if (entry.x2 >= 0 && entry.y2 >= 0) return {entry.x1, entry.y1, entry.x1 + entry.x2, entry.y1 + entry.y2};
  const irr::core::dimension2du size = entry.texture->getOriginalSize();
  return {entry.x1, entry.y1, entry.x1 + static_cast<int>(size.Width), entry.y1 + static_cast<int>(size.Height)};
}

}  // namespace

CTkDrawQueue& drawQueue() {
  static CTkDrawQueue* queue = new CTkDrawQueue();  // large; lives as long as the process
  return *queue;
}

STkDrawEntry* CTkDrawQueue::next() {
  if (count_ >= kDrawQueueCapacity) {
    reportFull();
    return nullptr;
  }
  return &entries_[count_++];
}

bool CTkDrawQueue::addText(irr::gui::IGUIFont* font, int x, int y, irr::u32 colour, const char* utf8,
                           size_t length) {
  if (texts_ >= kDrawTextSlots) {
    reportFull();
    return false;
  }
  STkDrawEntry* entry = next();
  if (!entry) return false;
  *entry = shape(DrawKind::Text, x, y, 0, 0, colour);
  entry->font = font;
  entry->textSlot = texts_++;
  utf8ToWide(utf8, length, textStore_[entry->textSlot], kWideTextMax + 1);
  return true;
}

bool CTkDrawQueue::addImage(irr::video::ITexture* texture, int x, int y, int width, int height, bool alpha,
                            irr::u32 colour) {
  STkDrawEntry* entry = next();
  if (!entry) return false;
  *entry = shape(DrawKind::Image, x, y, width, height, colour);
  entry->texture = texture;
  entry->alpha = alpha;
  return true;
}

bool CTkDrawQueue::addLine(int x1, int y1, int x2, int y2, irr::u32 colour) {
  STkDrawEntry* entry = next();
  if (entry) *entry = shape(DrawKind::Line, x1, y1, x2, y2, colour);
  return entry != nullptr;
}

bool CTkDrawQueue::addBox(int x1, int y1, int x2, int y2, irr::u32 colour) {
  STkDrawEntry* entry = next();
  if (entry) *entry = shape(DrawKind::Box, x1, y1, x2, y2, colour);
  return entry != nullptr;
}

bool CTkDrawQueue::addBoxWithEffect(int x1, int y1, int x2, int y2, irr::u32 colour, int effectId) {
  STkDrawEntry* entry = next();
  if (!entry) return false;
  *entry = shape(DrawKind::BoxWithEffect, x1, y1, x2, y2, colour);
  entry->effectId = effectId;
  return true;
}

bool CTkDrawQueue::addImageWithEffect(irr::video::ITexture* texture, int x, int y, int width, int height,
                                      irr::u32 colour, int effectId) {
  STkDrawEntry* entry = next();
  if (!entry) return false;
  *entry = shape(DrawKind::ImageWithEffect, x, y, width, height, colour);
  entry->texture = texture;
  entry->effectId = effectId;
  return true;
}

void CTkDrawQueue::forgetTexture(irr::video::ITexture* texture) {
  for (int i = 0; i < count_; ++i)
    if (entries_[i].texture == texture) entries_[i].texture = nullptr;
}

void CTkDrawQueue::clear() {
  count_ = 0;
  texts_ = 0;
}

void CTkDrawQueue::flush(irr::video::IVideoDriver* driver, irr::gui::IGUIFont* defaultFont,
                         ITkEffectDraws* effects) {
  for (int i = 0; i < count_; ++i) {
    const STkDrawEntry& entry = entries_[i];
    const irr::video::SColor colour(entry.colour);
    switch (entry.kind) {
      case DrawKind::Text: i = drawTexts(defaultFont, i); break;
      case DrawKind::Image:
        if (entry.texture) drawImage(driver, entry);
        break;
      case DrawKind::Line: driver->draw2DLine({entry.x1, entry.y1}, {entry.x2, entry.y2}, colour); break;
      case DrawKind::Box:
        driver->draw2DRectangle({entry.x1, entry.y1, entry.x2, entry.y2}, colour, colour, colour, colour);
        break;
      case DrawKind::BoxWithEffect:
      case DrawKind::ImageWithEffect: drawThroughEffect(effects, entry); break;
    }
  }
  clear();
}

bool CTkDrawQueue::batchableText(irr::gui::IGUIFont* defaultFont, int index, irr::gui::IGUIFont* font,
                                 irr::u32 colour) const {
  if (index >= count_) return false;
  const STkDrawEntry& entry = entries_[index];
  return entry.kind == DrawKind::Text && (entry.font ? entry.font : defaultFont) == font && entry.colour == colour &&
         CTkTextBatch::singleLine(textStore_[entry.textSlot]);
}

int CTkDrawQueue::drawTexts(irr::gui::IGUIFont* defaultFont, int first) {
  const STkDrawEntry& entry = entries_[first];
  irr::gui::IGUIFont* font = entry.font ? entry.font : defaultFont;
  irr::gui::IGUIFontBitmap* bitmap = CTkTextBatch::batchable(font);
  if (!bitmap || !batchableText(defaultFont, first, font, entry.colour)) {
    drawText(defaultFont, entry);
    return first;
  }
  // The texts that follow in the same font and colour go in the same batch.
  CTkTextBatch batch(bitmap);
  int last = first;
  for (int i = first; batchableText(defaultFont, i, font, entry.colour); ++i) {
    batch.add(textStore_[entries_[i].textSlot], entries_[i].x1, entries_[i].y1);
    last = i;
  }
  batch.draw(irr::video::SColor(entry.colour));
  return last;
}

void CTkDrawQueue::drawText(irr::gui::IGUIFont* defaultFont, const STkDrawEntry& entry) {
  irr::gui::IGUIFont* font = entry.font ? entry.font : defaultFont;
  const wchar_t* text = textStore_[entry.textSlot];
  if (!font || !text[0]) return;
  // Without clipping: the rectangle only places the text.
  font->draw(text, irr::core::recti(entry.x1, entry.y1, entry.x1, entry.y1), irr::video::SColor(entry.colour));
}

void CTkDrawQueue::drawImage(irr::video::IVideoDriver* driver, const STkDrawEntry& entry) {
  const irr::video::SColor colour(entry.colour);
  const irr::core::dimension2du size = entry.texture->getOriginalSize();
  const irr::core::recti source(0, 0, static_cast<int>(size.Width), static_cast<int>(size.Height));
  if (entry.x2 < 0 || entry.y2 < 0) {
    driver->draw2DImage(entry.texture, {entry.x1, entry.y1}, source, nullptr, colour, entry.alpha);
    return;
  }
  const irr::video::SColor corners[4] = {colour, colour, colour, colour};
  driver->enableMaterial2D(true);
  driver->draw2DImage(entry.texture, naturalOr(entry), source, nullptr, corners, entry.alpha);
  driver->enableMaterial2D(false);
}

void CTkDrawQueue::drawThroughEffect(ITkEffectDraws* effects, const STkDrawEntry& entry) {
  CTkEffect* effect = effects ? effects->effect(entry.effectId) : nullptr;
  if (!effect || (entry.kind == DrawKind::ImageWithEffect && !entry.texture)) return;
  const irr::core::recti rectangle = entry.kind == DrawKind::BoxWithEffect
                                         ? irr::core::recti(entry.x1, entry.y1, entry.x2, entry.y2)
                                         : naturalOr(entry);
  effects->draw(effect, entry.kind == DrawKind::ImageWithEffect ? entry.texture : nullptr, rectangle,
                irr::video::SColor(entry.colour));
}

}  // namespace tk
