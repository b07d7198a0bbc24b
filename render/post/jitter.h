#pragma once
// Sub-pixel jitter of the projection for temporal anti-aliasing: each frame
// drawn to the screen moves the picture by a fraction of a pixel, so that the
// blended history sees every edge at several positions.

#include <irrlicht.h>

namespace tk {

// The generator of the random pattern: s <- s * 214013 + 2531011 (32-bit
// wrap), answering (s >> 16) & 0x7FFF.
struct STkJitterRandom {
  irr::u32 state = 0;
  int next();
};

// The process-wide generator the random pattern draws from; it starts at 0
// and keeps its state from frame to frame.
STkJitterRandom& jitterRandom();

struct STkJitterOffset {
  float x = 0, y = 0;  // pixels
};

// The offset of frame `frame` (counted from 1) for a jitter setting: 1 the
// pattern of 2, 2 of 4, 3 of 8, any other non-zero value random (oy from the
// first output of `random`, ox from the second); 0 no offset.
STkJitterOffset jitterOffset(int setting, irr::u32 frame, STkJitterRandom* random);

// The clip-space translation (ox * 2 / width, oy * 2 / height, 0) for the
// frame, drawing from the process-wide generator for the random pattern.
irr::core::matrix4 jitterMatrix(int setting, irr::u32 frame, irr::u32 width, irr::u32 height);
// The translation as a matrix: (2 ox / width, 2 oy / height, 0) in elements 12 and 13.
irr::core::matrix4 jitterTranslation(const STkJitterOffset& offset, irr::u32 width, irr::u32 height);
// The projection followed by the jitter translation.
irr::core::matrix4 jitteredProjection(const irr::core::matrix4& projection, const irr::core::matrix4& jitter);

// The frame counters of the two renderer kinds; each counts the jittered
// frames of every renderer of its kind.
enum class EJitterCounter { LightPrePass, CommandRenderers };
// Counts one more jittered frame of that kind and answers its number (1 for the first).
irr::u32 nextJitterFrame(EJitterCounter counter);

}  // namespace tk
