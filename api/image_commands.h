#pragma once
// Images by ID: pictures loaded from files and render-target images a whole
// frame can be drawn into, pasted over the frame through the 2D draw queue.

#include <irrlicht.h>

namespace tk {

struct CTkImageItem {
  irr::video::ITexture* texture = nullptr;
};

// 0, or -1 after reporting.
int LoadImage(const char* file, int id);
int MakeImage(int width, int height, int id);
void RenderToImage(int id, bool clear);
void SetImageColor(int colour);
void SetImageAlpha(int alpha);
void PasteImage(int id, int x, int y, bool alpha);
// A negative width or height pastes at the natural size.
void PasteImageStretch(int id, int x, int y, int width, int height, bool alpha);
void PasteImageWithEffect(int id, int x, int y, int width, int height, int effectId);
bool ImageExist(int id);
void DeleteImage(int id);
int ImageWidth(int id);
int ImageHeight(int id);

// The texture of an image, or none for an empty ID.
irr::video::ITexture* getImageTexture(int id);
// The render target an image ID's MakeImage uses: "tkRtImage" and the ID.
irr::core::stringc imageTargetName(int id);
// Frees every entry (at shutdown) and resets the image colour and alpha.
void releaseImages();

}  // namespace tk
