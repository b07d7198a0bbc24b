#include "render/post/post_smaa.h"

#include "base/log.h"
#include "effects/runtime/effect.h"
#include "render/render_services.h"
#include "render/video_driver_ext.h"

namespace tk {
namespace {

// The texture creation flags a table load changes, restored on leaving.
// Turning one colour-depth or optimisation flag on turns the other three off,
// so all four are saved and put back as they were.
class TableCreationFlags {
 public:
  explicit TableCreationFlags(irr::video::IVideoDriver* driver) : driver_(driver) {
    for (int i = 0; i < kFlagCount; ++i) saved_[i] = driver_->getTextureCreationFlag(kFlags[i]);
    driver_->setTextureCreationFlag(irr::video::ETCF_CREATE_MIP_MAPS, false);
    driver_->setTextureCreationFlag(irr::video::ETCF_ALWAYS_32_BIT, true);
  }
  ~TableCreationFlags() {
    // Off first, then on: an "on" would turn off the flags of its group again.
    for (int i = 0; i < kFlagCount; ++i)
      if (!saved_[i]) driver_->setTextureCreationFlag(kFlags[i], false);
    for (int i = 0; i < kFlagCount; ++i)
      if (saved_[i]) driver_->setTextureCreationFlag(kFlags[i], true);
  }
  TableCreationFlags(const TableCreationFlags&) = delete;
  TableCreationFlags& operator=(const TableCreationFlags&) = delete;

 private:
  static constexpr int kFlagCount = 5;
  static constexpr irr::video::E_TEXTURE_CREATION_FLAG kFlags[kFlagCount] = {
      irr::video::ETCF_CREATE_MIP_MAPS, irr::video::ETCF_ALWAYS_16_BIT, irr::video::ETCF_ALWAYS_32_BIT,
      irr::video::ETCF_OPTIMIZED_FOR_QUALITY, irr::video::ETCF_OPTIMIZED_FOR_SPEED};
  irr::video::IVideoDriver* driver_;
  bool saved_[kFlagCount];
};

}  // namespace

const irr::core::dimension2du CTkPostSMAA::kAreaTableSize(128, 192);
const irr::core::dimension2du CTkPostSMAA::kSearchTableSize(10, 5);

bool CTkPostSMAA::init(CTkEffectManager* effects, CTkRenderServices* services, const STkPostSMAAFiles& files) {
  services_ = services;
  irr::video::IVideoDriver* driver = services ? services->driver() : nullptr;
  if (driver) {
    TableCreationFlags flags(driver);
    areaTable_ = loadTable(driver, files.areaTable, kAreaTableSize);
    searchTable_ = loadTable(driver, files.searchTable, kSearchTableSize);
  } else {
    log(LOG_ERROR, "CTkPostSMAA failed to load %s", files.areaTable.c_str());
  }
  edges_.load(effects, services, files.edges);
  weights_.load(effects, services, files.weights);
  blend_.load(effects, services, files.blend);
  gamma_.load(effects, services, files.gamma);
  if (weights_.loaded()) {
    weights_.effect()->setSamplerTexture("AreaTex", areaTable_);
    weights_.effect()->setSamplerTexture("SearchTex", searchTable_);
  }
  return ready();
}

irr::video::ITexture* CTkPostSMAA::loadTable(irr::video::IVideoDriver* driver, const std::string& file,
                                             const irr::core::dimension2du& size) {
  // The picture's own size: a table of another size would be read at the
  // wrong texels.
  irr::video::IImage* image = file.empty() ? nullptr : driver->createImageFromFile(file.c_str());
  const bool sized = image && image->getDimension() == size;
  if (image) image->drop();
  irr::video::ITexture* table = sized ? driver->getTexture(file.c_str()) : nullptr;
  if (!table) log(LOG_ERROR, "CTkPostSMAA failed to load %s", file.c_str());
  return table;
}

bool CTkPostSMAA::ready() const {
  return areaTable_ && searchTable_ && edges_.loaded() && weights_.loaded() && blend_.loaded() && gamma_.loaded();
}

// The edge pass also marks its pixels in depth: it keeps (and writes depth
// for) only the pixels with an edge, in a depth buffer of the engine's own,
// so that the scene's depth stays for what is drawn after anti-aliasing.
void CTkPostSMAA::markEdges(irr::video::ITexture* edges, irr::video::ITexture* picture) {
  irr::video::IVideoDriver* driver = services_->driver();
  driver->setRenderTarget(edges, true, false, irr::video::SColor(0, 0, 0, 0));
  ITkVideoDriverExt* ext = services_->videoDriverExt();
  const bool privateDepth = ext && ext->usePrivateDepth();
  driver->clearZBuffer();
  edges_.drawIntoCurrent(picture);
  if (privateDepth) ext->restoreSharedDepth();
}

// The weight pass is depth-tested for equality with the edge pass's marks:
// the rasteriser drops the pixels without edges before their shading, which
// would otherwise follow lines for every pixel of the screen. Those pixels
// keep the cleared zeros, which is their weight.
void CTkPostSMAA::weighEdges(irr::video::ITexture* weights, irr::video::ITexture* edges) {
  services_->driver()->setRenderTarget(weights, true, false, irr::video::SColor(0, 0, 0, 0));
  ITkVideoDriverExt* ext = services_->videoDriverExt();
  const bool privateDepth = ext && ext->usePrivateDepth();
  weights_.drawIntoCurrent(edges);
  if (privateDepth) ext->restoreSharedDepth();
}

void CTkPostSMAA::render(irr::video::ITexture* target, irr::video::ITexture* source, irr::video::ITexture* work,
                         bool toScreen, bool colorSpace) {
  if (!ready()) return;
  if (!target || !source || !work || target == source || target == work || source == work) {
    log(LOG_ERROR, "CTkPostSMAA needs three distinct textures: target, source and work");
    return;
  }
  irr::video::ITexture* edgeSource = source;
  if (colorSpace) {
    gamma_.draw(work, source);
    edgeSource = work;
  }
  markEdges(target, edgeSource);
  weighEdges(work, target);
  blend_.draw(toScreen ? nullptr : target, source, work);
}

}  // namespace tk
