#pragma once
// Boxes, lines and texts over the frame, queued in the 2D draw queue with the
// drawing state (ink, text colour and alpha, font) of the moment they are called.

#include <cstddef>
#include <optional>
#include <string>

namespace tk {

void Ink(int colour);
void InkAlpha(int alpha);
void Box(int x1, int y1, int x2, int y2);
void Line(int x1, int y1, int x2, int y2);
// An unknown effect reports "Effect ID %d does not exist. %s" (code 5) and queues nothing.
void BoxWithEffect(int x1, int y1, int x2, int y2, int effectId);

// The text is UTF-8, cut to 511 characters.
void Text(int x, int y, const char* text, size_t length);
// An empty name selects the default font; a font that cannot be loaded reports
// "The font '%s' cannot be loaded" (code 1) and the current one stays.
void SetTextFont(const char* file);
std::optional<std::string> TextFont();
void SetTextColor(unsigned colour);
void SetTextAlpha(int alpha);
int TextColor();
int TextAlpha();
int TextWidth(const char* text, size_t length);
int TextHeight(const char* text, size_t length);

// Back to the first values (white ink and text, opaque, the default font).
void resetDrawState();

}  // namespace tk
