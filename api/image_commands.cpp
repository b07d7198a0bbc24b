#include "api/image_commands.h"

#include <string>

#include "api/draw_queue.h"
#include "api/effect_commands.h"
#include "api/render_frame.h"
#include "base/files/file_layer.h"
#include "base/log.h"
#include "render/engine.h"

namespace tk {
namespace {

int g_imageColour = 0xFFFFFF;
int g_imageAlpha = 255;

IdTable<CTkImageItem>* images() { return tkEngine().images; }

CTkImageItem* imageOrReport(int id) {
  CTkImageItem* item = images() ? images()->find(id) : nullptr;
  if (!item) logErrorCode(kErrorArgument1, "Image ID %d does not exist. %s", id, idErrorText());
  return item;
}

// Takes the ID for a new entry; null after reporting.
CTkImageItem* takeId(int id) {
  auto* item = new CTkImageItem();
  if (!images() || images()->add(id, item) != 0) {
    logErrorCode(kErrorArgument2, "invalid Image ID %d : %s", id, idErrorText());
    delete item;
    return nullptr;
  }
  return item;
}

void freeId(int id) {
  if (!images() || !images()->get(id)) return;
  delete images()->get(id);
  images()->remove(id);
}

irr::u32 imageColour() { return drawColour(g_imageAlpha, static_cast<unsigned>(g_imageColour)); }

// The render target of an ID: the one an earlier MakeImage left with the
// driver when it has the size, else a new one in its place, so that making
// an image again never piles up targets of one name.
irr::video::ITexture* renderTargetFor(int id, const irr::core::dimension2du& size) {
  irr::video::IVideoDriver* driver = tkEngine().driver;
  const irr::core::stringc name = imageTargetName(id);
  if (irr::video::ITexture* old = driver->findTexture(name)) {
    if (old->isRenderTarget() && old->getOriginalSize() == size) return old;
    drawQueue().forgetTexture(old);
    driver->removeTexture(old);
  }
  const bool mipMaps = driver->getTextureCreationFlag(irr::video::ETCF_CREATE_MIP_MAPS);
  driver->setTextureCreationFlag(irr::video::ETCF_CREATE_MIP_MAPS, false);
  irr::video::ITexture* target = driver->addRenderTargetTexture(size, name, irr::video::ECF_A8R8G8B8);
  driver->setTextureCreationFlag(irr::video::ETCF_CREATE_MIP_MAPS, mipMaps);
  return target;
}

bool sizeFits(int width, int height) {
  if (width <= 0 || height <= 0) return false;
  const irr::core::dimension2du limit = tkEngine().driver->getMaxTextureSize();
  return static_cast<irr::u32>(width) <= limit.Width && static_cast<irr::u32>(height) <= limit.Height;
}

}  // namespace

irr::core::stringc imageTargetName(int id) { return irr::core::stringc("tkRtImage") + irr::core::stringc(id); }

int LoadImage(const char* file, int id) {
  CTkImageItem* item = takeId(id);
  if (!item) return -1;
  // Found as every engine file is: the current folder, the known folders, an archive.
  const std::string path = fileLayer().absolutePath(resolveFile(file).c_str());
  item->texture = tkEngine().driver ? tkEngine().driver->getTexture(path.c_str()) : nullptr;
  if (!item->texture) {
    logErrorCode(kErrorArgument1, "Failed to load image '%s'", file);
    freeId(id);
    return -1;
  }
  return 0;
}

int MakeImage(int width, int height, int id) {
  CTkImageItem* item = takeId(id);
  if (!item) return -1;
  if (tkEngine().driver && sizeFits(width, height))
    item->texture = renderTargetFor(id, irr::core::dimension2du(width, height));
  if (!item->texture) {
    logErrorCode(kErrorArgument1, "Failed to make image");
    freeId(id);
    return -1;
  }
  return 0;
}

void RenderToImage(int id, bool clear) {
  CTkImageItem* item = imageOrReport(id);
  if (!item) return;
  if (!item->texture->isRenderTarget()) {
    logErrorCode(kErrorArgument1, "Image ID %d is not renderable", id);
    return;
  }
  renderFrameInto(item->texture, clear);
}

void SetImageColor(int colour) { g_imageColour = colour; }
void SetImageAlpha(int alpha) { g_imageAlpha = alpha; }

void PasteImage(int id, int x, int y, bool alpha) { PasteImageStretch(id, x, y, -1, -1, alpha); }

void PasteImageStretch(int id, int x, int y, int width, int height, bool alpha) {
  if (CTkImageItem* item = imageOrReport(id))
    drawQueue().addImage(item->texture, x, y, width, height, alpha, imageColour());
}

void PasteImageWithEffect(int id, int x, int y, int width, int height, int effectId) {
  CTkImageItem* item = imageOrReport(id);
  if (!item || !effectOrReport(effectId, 6)) return;
  drawQueue().addImageWithEffect(item->texture, x, y, width, height, imageColour(), effectId);
}

bool ImageExist(int id) { return getImageTexture(id) != nullptr; }

void DeleteImage(int id) {
  if (images() && images()->get(id)) freeId(id);
}

int ImageWidth(int id) {
  irr::video::ITexture* texture = getImageTexture(id);
  return texture ? static_cast<int>(texture->getOriginalSize().Width) : 0;
}

int ImageHeight(int id) {
  irr::video::ITexture* texture = getImageTexture(id);
  return texture ? static_cast<int>(texture->getOriginalSize().Height) : 0;
}

irr::video::ITexture* getImageTexture(int id) {
  CTkImageItem* item = images() ? images()->get(id) : nullptr;
  return item ? item->texture : nullptr;
}

void releaseImages() {
  if (images())
    for (int id = 0; id < images()->capacity(); ++id) freeId(id);
  g_imageColour = 0xFFFFFF;
  g_imageAlpha = 255;
}

}  // namespace tk
