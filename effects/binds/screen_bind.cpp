#include "effects/binds/screen_bind.h"

#include "effects/binds/bind_helpers.h"

namespace tk {
namespace {

// A row delivers the size itself when `a` is 0, else (b / (a × width), b / (a × height)).
struct ScreenRow {
  const char* semantic;
  bool ofTarget;
  int a;
  int b;
};

const ScreenRow kScreenRows[] = {
    {"TargetSize", true, 0, 0},
    {"PixelSize", true, 1, 1},
    {"HalfPixelSize", true, 2, 1},
    {"ScreenSize", false, 0, 0},
    {"ScreenPixelSize", false, 1, 1},
    {"ScreenHalfPixelSize", false, 2, 1},
    {"HalfScreenPixelSize", false, 1, 2},
    {"HalfScreenHalfPixelSize", false, 2, 2},
    {"QuarterScreenPixelSize", false, 1, 4},
    {"QuarterScreenHalfPixelSize", false, 2, 4},
};
constexpr int kScreenRowCount = static_cast<int>(sizeof kScreenRows / sizeof kScreenRows[0]);

}  // namespace

STkBindResult CTkEffectBindScreen::getBindFunction(const STkFxConstBind& constant, int privateData[2]) {
  for (int row = 0; row < kScreenRowCount; ++row) {
    if (constant.semantic != kScreenRows[row].semantic) continue;
    privateData[0] = row;
    return bindAnswer(upload);
  }
  return STkBindResult();
}

void CTkEffectBindScreen::upload(ITkEffectBind* bind, irr::video::IMaterialRendererServices* services,
                                 const STkFxConstBind& constant, const int privateData[2]) {
  auto* self = static_cast<CTkEffectBindScreen*>(bind);
  if (!self->environment_.device) return;
  irr::video::IVideoDriver* driver = self->environment_.device->getVideoDriver();
  const ScreenRow& row = kScreenRows[privateData[0]];
  const irr::core::dimension2du size = row.ofTarget ? driver->getCurrentRenderTargetSize() : driver->getScreenSize();
  const float width = static_cast<float>(size.Width);
  const float height = static_cast<float>(size.Height);
  float values[2] = {width, height};
  if (row.a != 0) {
    values[0] = static_cast<float>(row.b) / (static_cast<float>(row.a) * width);
    values[1] = static_cast<float>(row.b) / (static_cast<float>(row.a) * height);
  }
  uploadByName(services, constant, values, 2);
}

}  // namespace tk
