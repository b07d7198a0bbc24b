#include "effects/binds/last_frame_bind.h"

#include "effects/binds/bind_helpers.h"

namespace tk {
namespace {

enum : int { kPrevView, kPrevProjection, kPrevViewProjection, kViewToPrevClip };

const STkMatrixSemantic kLastFrameSemantics[] = {
    {"PrevView", kPrevView, true},
    {"PrevProjection", kPrevProjection, false},
    {"PrevViewProjection", kPrevViewProjection, false},
    {"ViewInversePrevViewProjection", kViewToPrevClip, false},
};

}  // namespace

STkBindResult CTkEffectBindLastFrameInfo::getBindFunction(const STkFxConstBind& constant, int privateData[2]) {
  if (constant.semantic == "Fps") return bindAnswer(uploadFps);
  int id = 0, variant = 0;
  if (!parseMatrixSemantic(constant.semantic, kLastFrameSemantics,
                           static_cast<int>(sizeof kLastFrameSemantics / sizeof kLastFrameSemantics[0]), &id, &variant))
    return STkBindResult();
  privateData[0] = id;
  privateData[1] = variant;
  return bindAnswer(uploadFrameMatrix);
}

// Without a record of the previous frame the constants keep their values.
void CTkEffectBindLastFrameInfo::uploadFrameMatrix(ITkEffectBind* bind, irr::video::IMaterialRendererServices* services,
                                                   const STkFxConstBind& constant, const int privateData[2]) {
  const STkBindEnvironment& environment = static_cast<CTkEffectBindLastFrameInfo*>(bind)->environment_;
  const ITkFrameHistoryView* last = environment.lastFrame;
  if (!last) return;
  const irr::core::matrix4& view = last->getLastView();
  const irr::core::matrix4& projection = last->getLastProjection();
  irr::core::matrix4 matrix;
  switch (privateData[0]) {
    case kPrevView: matrix = view; break;
    case kPrevProjection: matrix = projection; break;
    case kPrevViewProjection: matrix = firstThen(view, projection); break;
    default: {
      if (!environment.device) return;
      const irr::core::matrix4& currentView = environment.device->getVideoDriver()->getTransform(irr::video::ETS_VIEW);
      matrix = firstThen(inverseOrSelf(currentView), view, projection);
      break;
    }
  }
  matrix = matrixVariant(matrix, privateData[1]);
  tk::uploadMatrix(services, constant, matrix.pointer());
}

void CTkEffectBindLastFrameInfo::uploadFps(ITkEffectBind* bind, irr::video::IMaterialRendererServices* services,
                                           const STkFxConstBind& constant, const int*) {
  const ITkFrameHistoryView* last = static_cast<CTkEffectBindLastFrameInfo*>(bind)->environment_.lastFrame;
  if (last) uploadScalar(services, constant, last->getFramesPerSecond());
}

}  // namespace tk
