// Command renderers drawing on OpenGL, read back pixel by pixel: asymmetric
// pictures and render targets must come out upright wherever they are read
// and written.
#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "api/camera_commands.h"
#include "api/effect_commands.h"
#include "api/engine_items.h"
#include "api/object_commands.h"
#include "api/surface_commands.h"
#include "base/log.h"
#include "effects/runtime/effect.h"
#include "platform/screenshot/frame_keeper.h"
#include "render/commands/renderer_cmds.h"
#include "render/engine.h"
#include "render/renderer_ctx_adv.h"
#include "render/renderer_start.h"
#include "render/tk_manager.h"
#include "startup/sys_setup.h"
#include "surfaces/lightwave_parameters.h"
#include "tests/support/runtime_base_directory.h"
#include "tests/support/capture_stdout.h"
#include "tests/support/gl_engine.h"

namespace tk {
namespace {

constexpr int kWidth = 64;
constexpr int kHeight = 32;

// The left half shows A, the right half B, each whole.
constexpr const char* kSideBySide = R"(// [TESK_BEGIN]
// texture A
// texture B
// [TESK_END]
sampler2D A : register(s0);
sampler2D B : register(s1);
struct VSOut { float4 position : POSITION; float2 uv : TEXCOORD0; };
VSOut vs_main(float4 p : POSITION, float2 uv : TEXCOORD0) { VSOut o; o.position = p; o.uv = uv; return o; }
float4 ps_main(float2 uv : TEXCOORD0) : COLOR {
  return uv.x < 0.5 ? tex2D(A, float2(uv.x * 2, uv.y)) : tex2D(B, float2(uv.x * 2 - 1, uv.y));
}
)";

// The texture on s0 over the whole target.
constexpr const char* kShow = R"(// [TESK_BEGIN]
// texture A
// [TESK_END]
sampler2D A : register(s0);
struct VSOut { float4 position : POSITION; float2 uv : TEXCOORD0; };
VSOut vs_main(float4 p : POSITION, float2 uv : TEXCOORD0) { VSOut o; o.position = p; o.uv = uv; return o; }
float4 ps_main(float2 uv : TEXCOORD0) : COLOR { return tex2D(A, uv); }
)";

// The picture on COLOR0, its colours turned (red to blue, green to red,
// blue to green) on COLOR1.
constexpr const char* kTwoTargets = R"(// [TESK_BEGIN]
// texture A
// [TESK_END]
sampler2D A : register(s0);
struct VSOut { float4 position : POSITION; float2 uv : TEXCOORD0; };
struct PSOut { float4 c0 : COLOR0; float4 c1 : COLOR1; };
VSOut vs_main(float4 p : POSITION, float2 uv : TEXCOORD0) { VSOut o; o.position = p; o.uv = uv; return o; }
PSOut ps_main(float2 uv : TEXCOORD0) {
  PSOut o;
  o.c0 = tex2D(A, uv);
  o.c1 = o.c0.gbra;
  return o;
}
)";

// Which of the picture's four colours a pixel shows: 'r', 'g', 'b', 'w', or '?'.
// Blue by default, green in its "depth" technique.
constexpr const char* kTwoTechniques = R"(// [TESK_BEGIN]
// config techniques : depth
// float4x4 WorldViewProjection : WorldViewProjection : vertex
// [TESK_END]
float4x4 WorldViewProjection;
float4 vs_main(float4 p : POSITION) : POSITION { return mul(WorldViewProjection, p); }
#ifdef USE_TECH_DEPTH
float4 ps_main() : COLOR { return float4(0, 1, 0, 1); }
#else
float4 ps_main() : COLOR { return float4(0, 0, 1, 1); }
#endif
)";

char colourAt(const std::vector<uint8_t>& pixels, int x, int y) {
  const uint8_t* p = &pixels[(y * kWidth + x) * 3];
  const bool r = p[0] > 160, g = p[1] > 160, b = p[2] > 160;
  if (r && g && b) return 'w';
  if (r && !g && !b) return 'r';
  if (!r && g && !b) return 'g';
  if (!r && !g && b) return 'b';
  return '?';
}

// The four quadrants' centres of the left half and of the right half, as
// colours, top left, top right, bottom left, bottom right.
std::string halves(const std::vector<uint8_t>& pixels) {
  std::string seen;
  for (int half : {0, 32})
    for (int y : {8, 24})
      for (int x : {8, 24}) seen += colourAt(pixels, half + x, y);
  return seen;
}

using Connections = std::vector<RenderConnection>;

class RendererCmdsGlTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(test::startGlEngine(kWidth, kHeight), 0);
    driver = tkEngine().driver;
    manager = tkEngine().manager;
    CTkRendererManager* renderers = manager->getRendererManager();
    ASSERT_TRUE(renderers->createRenderTargets(3));
    ASSERT_TRUE(renderers->targets().create("Copy", {kWidth, kHeight}, irr::video::ECF_A8R8G8B8, false, false));
    test::RuntimeBaseDirectory runtime;
    context = renderers->createRendererCtxAdv(manager->getRenderServices(), manager->getEffectManager(), ctxAdvFiles(false));
    ASSERT_TRUE(context);
    // 2 x 2: red top left, green top right, blue bottom left, white bottom right.
    irr::video::IImage* image = driver->createImage(irr::video::ECF_A8R8G8B8, {2, 2});
    image->setPixel(0, 0, irr::video::SColor(255, 255, 0, 0));
    image->setPixel(1, 0, irr::video::SColor(255, 0, 255, 0));
    image->setPixel(0, 1, irr::video::SColor(255, 0, 0, 255));
    image->setPixel(1, 1, irr::video::SColor(255, 255, 255, 255));
    driver->setTextureCreationFlag(irr::video::ETCF_CREATE_MIP_MAPS, false);
    ASSERT_TRUE(driver->addTexture("Picture", image));
    image->drop();
    sideBySide = manager->getEffectManager()->createEffect(folder.write("two.fx", kSideBySide).c_str(), -1, {});
    show = manager->getEffectManager()->createEffect(folder.write("show.fx", kShow).c_str(), -1, {});
    ASSERT_TRUE(sideBySide && show);
  }
  void TearDown() override {
    if (sideBySide) sideBySide->drop();
    if (show) show->drop();
    if (context) context->drop();
    tkSysShutdown();
  }

  STkRenderCmdDesc shader(CTkEffect* effect, Connections inputs, Connections outputs) const {
    STkRenderCmdDesc d;
    d.name = "shader";
    d.cmd = "Shader";
    d.inputs = std::move(inputs);
    d.outputs = std::move(outputs);
    STkRenderCmdParam p;
    p.name = "Shader";
    p.kind = RP_EFFECT;
    p.effect = effect;
    d.parameters.push_back(p);
    return d;
  }
  static STkRenderCmdDesc clear(const char* target) {
    STkRenderCmdDesc d;
    d.name = "clear";
    d.cmd = "Clear";
    d.outputs = {{"Color0", target}};
    STkRenderCmdParam on;
    on.name = "ClearTarget";
    on.integer = 1;
    d.parameters.push_back(on);
    return d;
  }
  CTkRendererCmds* build(const std::vector<STkRenderCmdDesc>& list) {
    return manager->getRendererManager()->createRendererCmds(context, manager->getRenderServices(),
                                                             manager->getVideoDriverExt(), list);
  }
  // One frame of the renderer into `display` (none: the screen), then the
  // screen read back; with a display texture, that texture is copied to the
  // screen first.
  std::vector<uint8_t> frame(CTkRendererCmds* renderer, irr::video::ITexture* display = nullptr) {
    driver->beginScene(true, true, irr::video::SColor(255, 0, 0, 0));
    renderer->render(display);
    if (display) {
      driver->setRenderTarget(irr::video::ERT_FRAME_BUFFER, true, true, irr::video::SColor(255, 0, 0, 0));
      manager->getRenderServices()->copyTexture(display);
    }
    frameKeeper().keepBackBuffer(kWidth, kHeight);
    driver->endScene();
    return test::lastFrameRgb();
  }

  static STkRenderCmdDesc renderObjects(std::vector<STkRenderCmdParam> parameters) {
    STkRenderCmdDesc d;
    d.name = "objects";
    d.cmd = "Render Objects";
    d.outputs = {{"Color0", "Display"}};
    d.parameters = std::move(parameters);
    return d;
  }
  static STkRenderCmdParam text(const char* name, const char* value) {
    STkRenderCmdParam p;
    p.name = name;
    p.kind = RP_TEXT;
    p.text = value;
    return p;
  }
  static STkRenderCmdParam integer(const char* name, int value) {
    STkRenderCmdParam p;
    p.name = name;
    p.integer = value;
    return p;
  }
  // A flat unlit square of `size` centred at (x, y, 0), facing the camera.
  void addSquare(int id, const char* colour, float x, float y, float size, unsigned mask) {
    const std::string name = "square" + std::to_string(id);
    folder.write(name + ".mtl", std::string("newmtl m\nKd ") + colour + "\n");
    const float h = size / 2;
    char obj[512];
    snprintf(obj, sizeof obj, "mtllib %s.mtl\nv %g %g 0\nv %g %g 0\nv %g %g 0\nv %g %g 0\nusemtl m\nf 1 2 3\nf 1 3 4\n",
             name.c_str(), x - h, y - h, x + h, y - h, x + h, y + h, x - h, y + h);
    ASSERT_EQ(LoadObject(folder.write(name + ".obj", obj).c_str(), id), 0);
    irr::scene::ISceneNode* node = tkEngine().objects->get(id)->node;
    node->setMaterialFlag(irr::video::EMF_LIGHTING, false);
    node->setMaterialFlag(irr::video::EMF_BACK_FACE_CULLING, false);
    SetObjectSelectionMask(id, mask);
  }
  static char at(const std::vector<uint8_t>& pixels, int x, int y) { return colourAt(pixels, x, y); }

  irr::video::IVideoDriver* driver = nullptr;
  CTkManager* manager = nullptr;
  CTkRendererCtxAdv* context = nullptr;
  CTkEffect* sideBySide = nullptr;
  CTkEffect* show = nullptr;
  test::TempFolder folder;
};

// A render target on s0 and a picture on s1 of one Shader: both upright.
TEST_F(RendererCmdsGlTest, ARenderTargetAndAPictureReadByOneShaderAreBothUpright) {
  struct Case {
    const char* name;
    std::vector<STkRenderCmdDesc> list;
    const char* halves;
  } cases[] = {
      {"two pictures", {shader(sideBySide, {{"s0", "Picture"}, {"s1", "Picture"}}, {{"Color0", "Display"}})},
       "rgbwrgbw"},
      {"target and picture",
       {shader(show, {{"s0", "Picture"}}, {{"Color0", "Copy"}}),
        shader(sideBySide, {{"s0", "Copy"}, {"s1", "Picture"}}, {{"Color0", "Display"}})},
       "rgbwrgbw"},
      {"picture and target",
       {shader(show, {{"s0", "Picture"}}, {{"Color0", "Copy"}}),
        shader(sideBySide, {{"s0", "Picture"}, {"s1", "Copy"}}, {{"Color0", "Display"}})},
       "rgbwrgbw"},
  };
  for (const Case& c : cases) {
    CTkRendererCmds* renderer = build(c.list);
    ASSERT_TRUE(renderer) << c.name;
    EXPECT_EQ(halves(frame(renderer)), c.halves) << c.name;
    renderer->drop();
  }
}

// Color0 empty: the screen is the only target, whatever Color2 names.
TEST_F(RendererCmdsGlTest, Color2AloneDrawsToTheScreen) {
  CTkRendererCmds* renderer =
      build({clear("Copy"), shader(sideBySide, {{"s0", "Picture"}, {"s1", "Picture"}}, {{"Color2", "Copy"}})});
  ASSERT_TRUE(renderer);
  EXPECT_EQ(halves(frame(renderer)), "rgbwrgbw");
  renderer->drop();
}

// A frame rendered into a texture: "Display" is that texture, and it holds
// the picture upright.
TEST_F(RendererCmdsGlTest, DisplayIntoATexture) {
  irr::video::ITexture* image = driver->addRenderTargetTexture({kWidth, kHeight}, "Image");
  ASSERT_TRUE(image);
  CTkRendererCmds* renderer =
      build({clear("Display"), shader(sideBySide, {{"s0", "Picture"}, {"s1", "Picture"}}, {{"Color0", "Display"}})});
  ASSERT_TRUE(renderer);
  EXPECT_EQ(halves(frame(renderer, image)), "rgbwrgbw");
  renderer->drop();
}

// COLOR0 and COLOR1 of one Shader go to two targets at once.
TEST_F(RendererCmdsGlTest, MultipleTargets) {
  CTkEffect* twoTargets = manager->getEffectManager()->createEffect(folder.write("mrt.fx", kTwoTargets).c_str(), -1, {});
  ASSERT_TRUE(twoTargets);
  ASSERT_TRUE(manager->getRendererManager()->targets().create("Second", {kWidth, kHeight}, irr::video::ECF_A8R8G8B8,
                                                              false, false));
  CTkRendererCmds* renderer = build({shader(twoTargets, {{"s0", "Picture"}}, {{"Color0", "Copy"}, {"Color1", "Second"}}),
                                     shader(sideBySide, {{"s0", "Copy"}, {"s1", "Second"}}, {{"Color0", "Display"}})});
  ASSERT_TRUE(renderer);
  EXPECT_EQ(halves(frame(renderer)), "rgbwbrgw");
  renderer->drop();
  twoTargets->drop();
}

// Squares seen by the scene camera: red (set 1) and blue (set 2) side by
// side, green (set 4) above the middle.
TEST_F(RendererCmdsGlTest, RenderObjectsSetsAndMirrorView) {
  PositionCamera(0, 0, -10);
  tkEngine().camera->setTarget(irr::core::vector3df(0, 0, 0));
  addSquare(1, "1 0 0", -4, 0, 3, 1);
  addSquare(2, "0 0 1", 4, 0, 3, 2);
  addSquare(3, "0 1 0", 0, 4, 3, 4);
  // The default renderer's frame: where the squares stand on the screen.
  driver->beginScene(true, true, irr::video::SColor(255, 0, 0, 0));
  rendering().defaultRenderer->render(nullptr);
  frameKeeper().keepBackBuffer(kWidth, kHeight);
  driver->endScene();
  const std::vector<uint8_t> reference = test::lastFrameRgb();
  const irr::core::position2di red(40, 16), blue(22, 16), above(32, 6), below(32, 26);
  ASSERT_EQ(at(reference, red.X, red.Y), 'r');
  ASSERT_EQ(at(reference, blue.X, blue.Y), 'b');
  ASSERT_EQ(at(reference, above.X, above.Y), 'g');
  struct Case {
    const char* name;
    std::vector<STkRenderCmdParam> parameters;
    char red, blue, above, below;
  } cases[] = {
      {"all", {integer("RenderList", 0)}, 'r', 'b', 'g', '?'},
      {"solid list", {integer("RenderList", 1)}, 'r', 'b', 'g', '?'},
      {"hide set 1", {integer("RenderList", 0), integer("HideSet", 1)}, '?', 'b', 'g', '?'},
      {"show sets 1 and 4", {integer("RenderList", 0), integer("ShowSet", 5)}, 'r', '?', 'g', '?'},
      {"show 2, hide 2", {integer("RenderList", 0), integer("ShowSet", 2), integer("HideSet", 2)}, '?', '?', '?', '?'},
      {"mirrored", {integer("RenderList", 0), integer("View", 1)}, 'r', 'b', '?', 'g'},
      {"unknown technique", {integer("RenderList", 0), text("Technique", "nothere")}, '?', '?', '?', '?'},
  };
  for (const Case& c : cases) {
    CTkRendererCmds* renderer = build({clear("Display"), renderObjects(c.parameters)});
    ASSERT_TRUE(renderer) << c.name;
    const std::vector<uint8_t> pixels = frame(renderer);
    if (c.parameters.size() == 1) { EXPECT_EQ(pixels, reference) << c.name; }  // all of the scene, as the default draws it
    EXPECT_EQ(at(pixels, red.X, red.Y), c.red) << c.name;
    EXPECT_EQ(at(pixels, blue.X, blue.Y), c.blue) << c.name;
    EXPECT_EQ(at(pixels, above.X, above.Y), c.above) << c.name;
    EXPECT_EQ(at(pixels, below.X, below.Y), c.below) << c.name;
    renderer->drop();
  }
}

// With a technique only the objects whose effect has it are drawn, with it;
// without one every object draws as its own material says.
TEST_F(RendererCmdsGlTest, ATechniqueDrawsOnlyTheObjectsThatHaveIt) {
  PositionCamera(0, 0, -10);
  tkEngine().camera->setTarget(irr::core::vector3df(0, 0, 0));
  addSquare(1, "1 0 0", -4, 0, 3, 1);
  addSquare(2, "1 0 0", 4, 0, 3, 1);
  ASSERT_EQ(LoadEffect(folder.write("techniques.fx", kTwoTechniques).c_str(), 7), 0);
  SetObjectSurfaceEffect(2, 0, 7);
  SetObjectSurfaceParamInt(2, 0, kLwSidedness, 3);  // double-sided: the square faces away from the camera
  UpdateObjectFromSurfaces(2);
  const irr::core::position2di plain(40, 16), withEffect(22, 16);
  const struct {
    const char* technique;
    char plain, withEffect;
  } cases[] = {{"", 'r', 'b'}, {"Default", 'r', 'b'}, {"depth", '?', 'g'}};
  for (const auto& c : cases) {
    CTkRendererCmds* renderer =
        build({clear("Display"), renderObjects({integer("RenderList", 0), text("Technique", c.technique)})});
    ASSERT_TRUE(renderer) << c.technique;
    const std::vector<uint8_t> pixels = frame(renderer);
    EXPECT_EQ(at(pixels, plain.X, plain.Y), c.plain) << c.technique;
    EXPECT_EQ(at(pixels, withEffect.X, withEffect.Y), c.withEffect) << c.technique;
    renderer->drop();
  }
}

// The debug view lays "NormalRTT" upright over the screen's top left corner,
// only when it is on. Its 160 x 120 thumbnail covers this small window: the
// centre of the target's top left quadrant (16, 8) lands at (40, 30).
TEST_F(RendererCmdsGlTest, DebugViewShowsTheNormalTargetUpright) {
  CTkRendererCmds* renderer = build({shader(show, {{"s0", "Picture"}}, {{"Color0", "NormalRTT"}}), clear("Display")});
  ASSERT_TRUE(renderer);
  EXPECT_EQ(at(frame(renderer), 40, 30), '?');  // off: the screen as the list cleared it
  context->getFrameSettings().debugView = 1;
  EXPECT_EQ(at(frame(renderer), 40, 30), 'r');  // the picture's top left quadrant
  renderer->drop();
}

}  // namespace
}  // namespace tk
