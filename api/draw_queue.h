#pragma once
// The 2D draws a frame collects (boxes, lines, texts, images, and boxes and
// images drawn through an effect), played back in call order over the
// finished frame and then forgotten.

#include <irrlicht.h>

#include <cstddef>
#include <cstdint>

#include "api/wide_text.h"

namespace tk {

class CTkEffect;

constexpr int kDrawQueueCapacity = 1024;
constexpr int kDrawTextSlots = 64;

enum class DrawKind : uint8_t { Text = 1, Image, Line, Box, BoxWithEffect, ImageWithEffect };

// A draw's colour: the alpha cut to 0 ... 255 over the colour's low 24 bits,
// so that neither an alpha past 255 nor a colour with a top byte spoils the other.
inline irr::u32 drawColour(int alpha, unsigned colour) {
  const unsigned a = alpha < 0 ? 0u : alpha > 255 ? 255u : static_cast<unsigned>(alpha);
  return a << 24 | (colour & 0xFFFFFFu);
}

struct STkDrawEntry {
  DrawKind kind;
  // Corners (x1, y1, x2, y2) of lines and boxes; position and size (x, y,
  // width, height) of images, a negative size meaning natural size; the
  // position of a text in x1, y1.
  int x1, y1, x2, y2;
  irr::u32 colour;
  irr::video::ITexture* texture;  // images
  bool alpha;                     // images: use the texture's alpha channel
  int effectId;                   // draws through an effect
  irr::gui::IGUIFont* font;       // texts; none: the default font
  int textSlot;                   // texts
};

// Draws through an effect: the kept quad over the rectangle, for the flush.
class ITkEffectDraws {
 public:
  virtual ~ITkEffectDraws() = default;
  // The effect under an ID, or none when it is gone.
  virtual CTkEffect* effect(int id) = 0;
  virtual void draw(CTkEffect* effect, irr::video::ITexture* image, const irr::core::recti& rectangle,
                    irr::video::SColor colour) = 0;
};

class CTkDrawQueue {
 public:
  // Each answers false, after reporting "too many 2D draws in one frame", when it is full.
  bool addText(irr::gui::IGUIFont* font, int x, int y, irr::u32 colour, const char* utf8, size_t length);
  bool addImage(irr::video::ITexture* texture, int x, int y, int width, int height, bool alpha, irr::u32 colour);
  bool addLine(int x1, int y1, int x2, int y2, irr::u32 colour);
  bool addBox(int x1, int y1, int x2, int y2, irr::u32 colour);
  bool addBoxWithEffect(int x1, int y1, int x2, int y2, irr::u32 colour, int effectId);
  bool addImageWithEffect(irr::video::ITexture* texture, int x, int y, int width, int height, irr::u32 colour,
                          int effectId);

  // Draws every entry in order onto the current target, then empties the queue.
  void flush(irr::video::IVideoDriver* driver, irr::gui::IGUIFont* defaultFont, ITkEffectDraws* effects);
  void clear();
  // Drops the queued draws of a texture about to be removed from the driver.
  void forgetTexture(irr::video::ITexture* texture);

  int size() const { return count_; }
  int textCount() const { return texts_; }
  const STkDrawEntry& entry(int index) const { return entries_[index]; }
  const wchar_t* text(int slot) const { return textStore_[slot]; }

 private:
  STkDrawEntry* next();
  void drawImage(irr::video::IVideoDriver* driver, const STkDrawEntry& entry);
  // Draws the text at `first` and those after it that can share its batch;
  // answers the index of the last one drawn.
  int drawTexts(irr::gui::IGUIFont* defaultFont, int first);
  bool batchableText(irr::gui::IGUIFont* defaultFont, int index, irr::gui::IGUIFont* font, irr::u32 colour) const;
  void drawText(irr::gui::IGUIFont* defaultFont, const STkDrawEntry& entry);
  void drawThroughEffect(ITkEffectDraws* effects, const STkDrawEntry& entry);

  STkDrawEntry entries_[kDrawQueueCapacity];
  int count_ = 0;
  wchar_t textStore_[kDrawTextSlots][kWideTextMax + 1];
  int texts_ = 0;
};

// The queue the frame function plays back.
CTkDrawQueue& drawQueue();

}  // namespace tk
