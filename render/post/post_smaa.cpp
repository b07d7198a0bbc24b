#include "render/post/post_smaa.h"

#include "base/log.h"
#include "effects/runtime/effect.h"
#include "render/render_services.h"

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
  // Every pass writes every pixel: the targets need no clearing.
  edges_.draw(target, edgeSource);
  weights_.draw(work, target);
  blend_.draw(toScreen ? nullptr : target, source, work);
}

}  // namespace tk
