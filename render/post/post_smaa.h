#pragma once
// SMAA: morphological anti-aliasing in three full-screen passes. Edges of the
// picture are found by luma, each edge is followed along its line (or its
// diagonal staircase) to learn its shape, and pixels are blended with their
// neighbours by the areas the reconstructed silhouette gives them. Two lookup
// tables drawn by tools/make-smaa-textures.py hold those areas and the
// search's last step.

#include <irrlicht.h>

#include <string>

#include "render/post/post_effect.h"
#include "render/post/post_smaa_pass.h"

namespace tk {

class CTkEffectManager;
class CTkRenderServices;

// The files SMAA is made of, resolved.
struct STkPostSMAAFiles {
  std::string edges;     // luma edge detection
  std::string weights;   // blending-weight calculation
  std::string blend;     // neighbourhood blending
  std::string gamma;     // linear to display encoding, for colour-space input
  std::string areaTable;
  std::string searchTable;
};

class CTkPostSMAA : public ITkPostSMAAPass {
 public:
  // The sizes the tables must have; the weight pass addresses them by texel.
  static const irr::core::dimension2du kAreaTableSize;
  static const irr::core::dimension2du kSearchTableSize;

  // Loads both tables (no mip maps, 32-bit colour; the driver's creation
  // flags are restored) and the four effects. Every part that fails logs its
  // message ("CTkPostSMAA failed to load <file>" for a table that is missing
  // or of the wrong size); answers ready().
  bool init(CTkEffectManager* effects, CTkRenderServices* services, const STkPostSMAAFiles& files);

  bool ready() const override;
  // Edges of `source` (or of its display encoding with `colorSpace`, drawn
  // into `work` first) into `target`, blend weights into `work`, then the
  // blended source into the screen (`toScreen`) or `target`. The three
  // textures must be distinct; otherwise nothing is drawn and the error is logged.
  void render(irr::video::ITexture* target, irr::video::ITexture* source, irr::video::ITexture* work, bool toScreen,
              bool colorSpace) override;

  irr::video::ITexture* areaTable() const { return areaTable_; }
  irr::video::ITexture* searchTable() const { return searchTable_; }

 private:
  void markEdges(irr::video::ITexture* edges, irr::video::ITexture* picture);
  void weighEdges(irr::video::ITexture* weights, irr::video::ITexture* edges);
  irr::video::ITexture* loadTable(irr::video::IVideoDriver* driver, const std::string& file,
                                  const irr::core::dimension2du& size);

  CTkRenderServices* services_ = nullptr;
  CTkPostEffect edges_;
  CTkPostEffect weights_;
  CTkPostEffect blend_;
  CTkPostEffect gamma_;
  irr::video::ITexture* areaTable_ = nullptr;
  irr::video::ITexture* searchTable_ = nullptr;
};

}  // namespace tk
