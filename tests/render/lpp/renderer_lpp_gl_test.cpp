// The light pre-pass frame on OpenGL, read back pixel by pixel: unlit, on a
// scene whose objects sit in the upper left only (a picture upside down or
// mirrored puts them elsewhere), where surfaces show their ambient and
// emissive terms; and lit, on a floor lit from one side and shadowed by an L.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "api/camera_commands.h"
#include "api/engine_items.h"
#include "api/light_commands.h"
#include "api/object_commands.h"
#include "api/surface_commands.h"
#include "base/files/file_layer.h"
#include "effects/runtime/effect.h"
#include "effects/runtime/effect_manager.h"
#include "platform/screenshot/frame_keeper.h"
#include "render/engine.h"
#include "render/lpp/renderer_lpp.h"
#include "render/render_services.h"
#include "render/renderer_ctx_adv.h"
#include "render/renderer_start.h"
#include "render/tk_manager.h"
#include "startup/sys_setup.h"
#include "surfaces/lightwave_parameters.h"
#include "tests/support/capture_stdout.h"
#include "tests/support/gl_engine.h"

namespace tk {
namespace {

constexpr int kWidth = 96;
constexpr int kHeight = 48;

using irr::core::vector3df;

// A full-screen effect of the post chain that runs at the named point and
// maps the picture's colour c to `expression`.
std::string chainEffect(const char* name, const char* expression) {
  std::string header = "// [TESK_BEGIN]\n";
  if (name[0]) header += std::string("// config render : ") + name + "\n";
  header += "// texture Scene : : clamp_to_edge noMipMap\n// [TESK_END]\n";
  return header +
         "sampler2D Scene : register(s0);\n"
         "struct VSOut { float4 position : POSITION; float2 uv : TEXCOORD0; };\n"
         "VSOut vs_main(float4 p : POSITION, float2 uv : TEXCOORD0) { VSOut o; o.position = p; o.uv = uv; return o; }\n"
         "float4 ps_main(float2 uv : TEXCOORD0) : COLOR { float4 c = tex2D(Scene, uv); return " +
         expression + "; }\n";
}

// The engine on OpenGL with its default renderer, and the frame read back.
class LppFrameGlTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(test::startGlEngine(kWidth, kHeight), 0);
    driver = tkEngine().driver;
    manager = tkEngine().manager;
    renderer = dynamic_cast<CTkRendererLpp*>(rendering().defaultRenderer);
    ASSERT_TRUE(renderer) << "the light pre-pass renderer is the default on OpenGL";
    context = rendering().advancedContext;
    ASSERT_TRUE(context);
  }
  void TearDown() override { tkSysShutdown(); }

  // A double-sided square of size 3 centred at (x, y, z) with a LightWave
  // surface: full diffuse, colour, luminosity and transparency as given.
  void addSquare(int id, float x, float y, float z, vector3df colour, float luminosity, float transparency) {
    const float h = 1.5f;
    char vertices[256];
    snprintf(vertices, sizeof vertices, "v %g %g %g\nv %g %g %g\nv %g %g %g\nv %g %g %g\nf 1 3 2\nf 1 4 3\n", x - h,
             y - h, z, x + h, y - h, z, x + h, y + h, z, x - h, y + h, z);
    addObject(id, vertices, colour, luminosity, transparency);
  }

  // A double-sided object of the given OBJ vertices and faces with a
  // LightWave surface: full diffuse, colour, luminosity and transparency as
  // given.
  void addObject(int id, const std::string& geometry, vector3df colour, float luminosity, float transparency) {
    const std::string name = "object" + std::to_string(id);
    char mtl[64];
    snprintf(mtl, sizeof mtl, "newmtl m\nKd %g %g %g\n", colour.X, colour.Y, colour.Z);
    folder.write(name + ".mtl", mtl);
    const std::string obj = "mtllib " + name + ".mtl\nusemtl m\n" + geometry;
    ASSERT_EQ(LoadObject(folder.write(name + ".obj", obj).c_str(), id), 0);
    SetObjectSurfaceParamFloat(id, 0, kLwLuminosity, luminosity);
    SetObjectSurfaceParamFloat(id, 0, kLwDiffuse, 1);
    SetObjectSurfaceParamFloat(id, 0, kLwTransparency, transparency);
    SetObjectSurfaceParamInt(id, 0, kLwSidedness, 3);
    // The renderer's effect for the surface, as scene loading gives it.
    const std::string file = resolveFile(transparency > 0 ? "Forward.hlsl" : "Lpp.hlsl");
    ASSERT_EQ(LoadEffectForObjectSurface(file.c_str(), 10 + id, id, 0), 0);
    SetObjectSurfaceEffect(id, 0, 10 + id);
    UpdateObjectFromSurfaces(id);
  }

  // One frame into `display` (none: the screen); then `shown` (the display
  // when none is given) copied to the screen and the screen read back.
  std::vector<uint8_t> frame(irr::video::ITexture* display = nullptr, irr::video::ITexture* shown = nullptr) {
    driver->beginScene(true, true, irr::video::SColor(255, 0, 0, 0));
    renderer->render(display);
    if (!shown) shown = display;
    if (shown) manager->getRenderServices()->copyTextureInto(nullptr, shown);
    frameKeeper().keepBackBuffer(kWidth, kHeight);
    driver->endScene();
    return test::lastFrameRgb();
  }

  // The same scene drawn straight onto the screen by the simple renderer,
  // through the same surface effects: where it shows what, the pre-pass
  // frame must too.
  std::vector<uint8_t> simpleFrame() {
    CTkRendererSimple simple(tkEngine().device, rendering().context);
    driver->beginScene(true, true, irr::video::SColor(255, 0, 0, 0));
    simple.render(nullptr);
    frameKeeper().keepBackBuffer(kWidth, kHeight);
    driver->endScene();
    return test::lastFrameRgb();
  }
  static irr::video::SColor at(const std::vector<uint8_t>& rgb, const irr::core::position2di& pixel) {
    if (rgb.size() != static_cast<size_t>(kWidth * kHeight * 3)) return irr::video::SColor(0);
    const uint8_t* p = &rgb[(static_cast<size_t>(pixel.Y) * kWidth + pixel.X) * 3];
    return irr::video::SColor(255, p[0], p[1], p[2]);
  }
  // The bytes of the frame drawn into an image that differ from `screen`.
  int differingFromAnImage(const std::vector<uint8_t>& screen) {
    irr::video::ITexture* image = driver->addRenderTargetTexture({kWidth, kHeight}, "Image", irr::video::ECF_A8R8G8B8);
    EXPECT_TRUE(image);
    if (!image) return -1;
    const std::vector<uint8_t> imaged = frame(image);
    driver->removeTexture(image);
    if (imaged.size() != screen.size()) return -1;
    int differing = 0;
    for (size_t i = 0; i < screen.size(); ++i) differing += std::abs(screen[i] - imaged[i]) > 2;
    return differing;
  }
  static void expectColour(irr::video::SColor seen, int r, int g, int b, const char* where) {
    const int tolerance = 4;
    EXPECT_NEAR(static_cast<int>(seen.getRed()), r, tolerance) << where;
    EXPECT_NEAR(static_cast<int>(seen.getGreen()), g, tolerance) << where;
    EXPECT_NEAR(static_cast<int>(seen.getBlue()), b, tolerance) << where;
  }

  irr::video::IVideoDriver* driver = nullptr;
  CTkManager* manager = nullptr;
  CTkRendererLpp* renderer = nullptr;
  CTkRendererCtxAdv* context = nullptr;
  test::TempFolder folder;
};

class RendererLppGlTest : public LppFrameGlTest {
 protected:
  void SetUp() override {
    LppFrameGlTest::SetUp();
    if (HasFatalFailure()) return;
    tkEngine().sceneManager->setAmbientLight(irr::video::SColorf(0.2f, 0.2f, 0.2f, 1.0f));
    PositionCamera(0, 0, -6);
    tkEngine().camera->setTarget(vector3df(0, 0, 0));
    SetCameraRange(1, 12);
    // Orange, opaque; a half transparent blue square in front of its right half.
    addSquare(1, -3, 1, 0, {1, 0.5f, 0}, 0.5f, 0);
    addSquare(2, -1.5f, 1, -1, {0, 0, 1}, 0.8f, 0.5f);
  }

  // Pixels on the opaque square alone, where the transparent one covers it,
  // on the transparent one alone, and in an empty corner. OBJ files are
  // right-handed: the loader mirrors x, so the squares show on the right.
  const irr::core::position2di opaque{70, 14}, behind{60, 14}, transparent{51, 14}, empty{20, 40};
};

// The G-buffer: the opaque square's view-space normal faces the camera and
// its depth is half the far distance; elsewhere "nothing here" (no normal,
// far depth). The transparent square writes no normal.
TEST_F(RendererLppGlTest, GBufferHoldsTheSolidSurfacesNormalsAndDepthUpright) {
  irr::video::ITexture* normal = manager->getRendererManager()->targets().findTexture("NormalRTT");
  irr::video::ITexture* depth = manager->getRendererManager()->targets().findTexture("DepthRTT");
  ASSERT_TRUE(normal && depth);
  const std::vector<uint8_t> normals = frame(nullptr, normal);
  expectColour(at(normals, opaque), 128, 128, 0, "normal of the opaque square");
  expectColour(at(normals, transparent), 128, 128, 128, "normal under the transparent square");
  expectColour(at(normals, empty), 128, 128, 128, "normal of the empty corner");
  const std::vector<uint8_t> depths = frame(nullptr, depth);
  EXPECT_NEAR(at(depths, opaque).getRed(), 128, 4);
  EXPECT_NEAR(at(depths, empty).getRed(), 255, 1);
}

// No lights: the opaque square is its colour times ambient plus luminosity
// (0.2 + 0.5), the transparent one blends half of its emissive blue over it
// and over the background; an image of the frame equals the screen.
TEST_F(RendererLppGlTest, UnlitFrameShowsAmbientAndEmissiveWithTheTransparentPassOverTheOpaqueOne) {
  const std::vector<uint8_t> screen = frame();
  expectColour(at(screen, opaque), 178, 89, 0, "opaque");
  expectColour(at(screen, behind), 89, 45, 128, "transparent over opaque");
  expectColour(at(screen, transparent), 0, 0, 128, "transparent over the background");
  expectColour(at(screen, empty), 0, 0, 0, "background");
  const std::vector<uint8_t> straight = simpleFrame();
  for (const irr::core::position2di& pixel : {opaque, behind, transparent, empty}) {
    const irr::video::SColor seen = at(straight, pixel);
    expectColour(at(screen, pixel), seen.getRed(), seen.getGreen(), seen.getBlue(), "as the simple renderer draws it");
  }

  EXPECT_EQ(differingFromAnImage(screen), 0);
}

// Under the colour-space viewer the linear picture is encoded as sRGB.
TEST_F(RendererLppGlTest, ColourSpaceViewerEncodesTheFrame) {
  context->getRenderSettings().colorSpaceViewer = 1;
  const std::vector<uint8_t> screen = frame();
  expectColour(at(screen, opaque), 218, 161, 0, "opaque, encoded");
  expectColour(at(screen, transparent), 0, 0, 188, "transparent, encoded");
}

// The named chains run at their points of the frame, in order: "lightpost"
// on the light buffer (the surfaces then read 0.2 of diffuse light),
// "solidpost" after the opaque pass, "transpost" after the transparent one,
// "prepost", then the unnamed chain. Each step is a different affine map, so
// another order gives other colours.
TEST_F(RendererLppGlTest, NamedPostChainsRunInFrameOrder) {
  test::CapturedStdout quiet;
  const struct {
    const char* name;
    const char* expression;
  } steps[] = {{"", "float4(c.rgb + 0.25, 1)"},
               {"prepost", "float4(c.rgb * 0.5, 1)"},
               {"transpost", "float4(c.rgb + 0.25, 1)"},
               {"solidpost", "float4(c.rgb * 0.5, 1)"},
               {"lightpost", "float4(0.2, 0.2, 0.2, 0)"}};
  std::vector<CTkEffect*> effects;
  for (const auto& step : steps) {
    const std::string file = folder.write(std::string("chain_") + step.name + ".fx", chainEffect(step.name, step.expression));
    CTkEffect* effect = manager->getEffectManager()->createEffect(file.c_str(), -1, {});
    ASSERT_TRUE(effect) << step.name;
    effects.push_back(effect);
  }
  context->setPostEffects(effects);
  for (CTkEffect* effect : effects) effect->drop();
  const std::vector<uint8_t> screen = frame();
  // Opaque: (1, 0.5, 0) x (0.2 + 0.2 + 0.5) halved, + 0.25, halved, + 0.25.
  expectColour(at(screen, opaque), 153, 124, 96, "opaque");
  // Background: 0 halved, + 0.25, halved, + 0.25.
  expectColour(at(screen, empty), 96, 96, 96, "background");
  context->setPostEffects({});
}

// Glow spreads from surfaces by their glow value: with glow on, the background
// and a surface that does not glow keep their colours, and a pixel beside the
// opaque square only brightens once the square glows.
TEST_F(RendererLppGlTest, GlowSpreadsFromGlowingSurfacesOnly) {
  context->getFrameSettings().backgroundColor = 0xFF304060;
  const irr::core::position2di beside{70, 32};
  const std::vector<uint8_t> plain = frame();
  STkRenderSettings& settings = context->getRenderSettings();
  settings.glowEnable = 1;
  settings.glowIntensity = 4;
  settings.glowRadius = 16;
  const std::vector<uint8_t> glowOn = frame();
  const struct {
    irr::core::position2di pixel;
    const char* where;
  } unchanged[] = {{opaque, "the opaque square"}, {beside, "beside it"}, {empty, "the background"}};
  for (const auto& probe : unchanged) {
    const irr::video::SColor seen = at(plain, probe.pixel);
    expectColour(at(glowOn, probe.pixel), seen.getRed(), seen.getGreen(), seen.getBlue(), probe.where);
  }
  SetObjectSurfaceParamFloat(1, 0, kLwGlowValue, 1);
  const std::vector<uint8_t> halo = frame();
  EXPECT_GT(at(halo, beside).getRed(), at(plain, beside).getRed() + 20);
}

// The debug view draws the G-buffer's normals over the top left of the
// screen, only when it is on.
TEST_F(RendererLppGlTest, DebugViewShowsTheNormalsOverTheScreen) {
  const irr::core::position2di corner(2, 2);
  auto pixel = [&](const std::vector<uint8_t>& rgb) {
    const uint8_t* p = &rgb[(corner.Y * kWidth + corner.X) * 3];
    return irr::video::SColor(255, p[0], p[1], p[2]);
  };
  expectColour(pixel(frame()), 0, 0, 0, "debug view off");
  context->getFrameSettings().debugView = 1;
  expectColour(pixel(frame()), 128, 128, 128, "the normals' empty corner");
}

// A white floor of light pre-pass surfaces at y = 0 seen from above and in
// front, under a dim ambient light; the lights come with each test.
class LitFrameGlTest : public LppFrameGlTest {
 protected:
  void SetUp() override {
    LppFrameGlTest::SetUp();
    if (HasFatalFailure()) return;
    tkEngine().sceneManager->setAmbientLight(irr::video::SColorf(0.1f, 0.1f, 0.1f, 1.0f));
    PositionCamera(0, 8, -8);
    RotateCamera(45, 0, 0);  // looking at the origin
    SetCameraRange(1, 40);
    addObject(1, "v -10 0 -10\nv -10 0 10\nv 10 0 10\nv 10 0 -10\nf 1 2 3\nf 1 3 4\n", {1, 1, 1}, 0, 0);
    SetObjectSurfaceParamFloat(1, 0, kLwSpecularity, 0);
  }

  // A box of the given centre and size that casts shadows. OBJ files are
  // right-handed: the loader mirrors x, so the file holds -x.
  void addCaster(int id, vector3df centre, vector3df size) {
    centre.X = -centre.X;
    const vector3df a = centre - size / 2, b = centre + size / 2;
    std::string geometry;
    for (int i = 0; i < 8; ++i) {
      char vertex[96];
      snprintf(vertex, sizeof vertex, "v %g %g %g\n", i & 1 ? b.X : a.X, i & 2 ? b.Y : a.Y, i & 4 ? b.Z : a.Z);
      geometry += vertex;
    }
    geometry += "f 1 2 4 3\nf 5 6 8 7\nf 1 2 6 5\nf 3 4 8 7\nf 1 3 7 5\nf 2 4 8 6\n";
    addObject(id, geometry, {1, 1, 1}, 0, 0);
    SetObjectCastShadows(id, true);
  }

  // Where a point of the floor lands in the frame (after a frame, which
  // places the camera).
  irr::core::position2di pixelOf(const vector3df& point) {
    const irr::core::position2di pixel =
        tkEngine().sceneManager->getSceneCollisionManager()->getScreenCoordinatesFrom3DPosition(point, tkEngine().camera);
    EXPECT_TRUE(pixel.X >= 0 && pixel.X < kWidth && pixel.Y >= 0 && pixel.Y < kHeight) << point.X << "," << point.Z;
    return pixel;
  }

  // The mean brightness of columns [from, to) of the frame.
  static float meanOfColumns(const std::vector<uint8_t>& rgb, int from, int to) {
    float sum = 0;
    for (int y = 0; y < kHeight; ++y)
      for (int x = from; x < to; ++x) {
        const irr::video::SColor c = at(rgb, {x, y});
        sum += c.getRed() + c.getGreen() + c.getBlue();
      }
    return sum / (3.0f * kHeight * (to - from));
  }
};

// A spot light over the floor's -x side, looking down: the floor under it
// lit, 1 - 16/100 by the fall-off, on top of the ambient 0.1; the other side
// ambient only. The camera looks along +z, so the left half of the picture is
// the bright one. An image of the frame equals the screen.
TEST_F(LitFrameGlTest, SpotLightLightsItsSideOfTheFloor) {
  MakeLight(1);
  SetSpotLight(1, 30, 40);
  PositionLight(1, -3, 4, 0);
  RotateLight(1, 90, 0, 0);
  SetLightRange(1, 10);
  const std::vector<uint8_t> screen = frame();
  const irr::video::SColor lit = at(screen, pixelOf({-3, 0, 0}));
  const irr::video::SColor unlit = at(screen, pixelOf({3, 0, 0}));
  expectColour(lit, 240, 240, 240, "under the spot light");
  expectColour(unlit, 26, 26, 26, "the other side");
  EXPECT_GT(meanOfColumns(screen, 0, kWidth / 2), meanOfColumns(screen, kWidth / 2, kWidth) + 6);
  EXPECT_EQ(differingFromAnImage(screen), 0);
}

// An L of boxes 2 above the floor under a shadow-casting distant light that
// shines down and towards the camera (-z), so the shadow falls 2 nearer the
// camera than the L and in its sight: the arm along z at x = -1.5 and the arm
// along x at z = -1.5 throw their shadows to x = -1.5 for z in -4.25..0.25
// and to z = -3.5 for x in -2..2. Shadowed floor takes the light times the
// shadow colour (0.25, 0.5, 0).
TEST_F(LitFrameGlTest, AnLShapedCasterShadowsTheFloorTheRightWayRound) {
  addCaster(2, {-1.5f, 2, 0}, {1, 0.5f, 4});
  addCaster(3, {0, 2, -1.5f}, {4, 0.5f, 1});
  MakeLight(1);
  SetDirectionalLight(1, 135, 0, 0);
  PositionLight(1, 0, 7, 7);
  SetLightShadow(1, true);
  ColorLightShadow(1, 0x408000);
  const std::vector<uint8_t> screen = frame();
  // White floor: 0.1 + cos 45 degrees of the light, times the shadow colour
  // in the shadow.
  const struct {
    vector3df point;
    bool shadowed;
  } probes[] = {{{-1.5f, 0, -1.5f}, true}, {{1.5f, 0, -3.5f}, true}, {{-1.5f, 0, -3.5f}, true},
                {{1.5f, 0, -1.5f}, false}, {{-1.5f, 0, -5.5f}, false}, {{3.5f, 0, -3.5f}, false}};
  for (const auto& probe : probes) {
    const irr::video::SColor seen = at(screen, pixelOf(probe.point));
    const std::string where = std::to_string(probe.point.X) + "," + std::to_string(probe.point.Z);
    if (probe.shadowed)
      expectColour(seen, 71, 116, 26, ("shadowed at " + where).c_str());
    else
      expectColour(seen, 206, 206, 206, ("lit at " + where).c_str());
  }
}

}  // namespace
}  // namespace tk
