// Engine-owned textures on the GL driver: data round trips, sampling and
// drawing orientation, own depth, cube locks and display-library texture names.
#include <epoxy/gl.h>
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "base/log.h"
#include "render/engine.h"
#include "render/gl/engine_texture.h"
#include "render/gl/engine_texture_target.h"
#include "render/gl/gl_program.h"
#include "render/gl/gl_texture_name.h"
#include "render/gl/gl_video_driver_ext.h"
#include "render/gl/saved_gl_state.h"
#include "startup/sys_setup.h"
#include "tests/support/capture_stdout.h"
#include "tests/support/gl_engine.h"

namespace tk {
namespace {

constexpr int kScreen = 64;
constexpr unsigned kSamplingUnit = 4;

constexpr const char* kColourVertex = R"(#version 450 compatibility
void main() { gl_Position = gl_Vertex; gl_FrontColor = gl_Color; })";
constexpr const char* kColourFragment = R"(#version 450 compatibility
void main() { gl_FragColor = gl_Color; })";
// Pixel i of the target gets the sample at coordinate i.
constexpr const char* kSamplingFragment = R"(#version 450 compatibility
layout(binding = 4) uniform SAMPLER source;
uniform COORD coords[8];
void main() { gl_FragColor = texture(source, coords[int(gl_FragCoord.x)]); })";

GLuint linkedProgram(const std::string& fragment) {
  std::string log;
  GLuint program = linkGlslProgram(kColourVertex, fragment, &log);
  EXPECT_NE(program, 0u) << log;
  return program;
}

std::string replaced(std::string text, const std::string& from, const std::string& to) {
  return text.replace(text.find(from), from.size(), to);
}

// A rectangle in clip coordinates, counter-clockwise unless asked otherwise.
void drawRect(float x0, float y0, float x1, float y1, float z, irr::u32 argb, bool clockwise = false) {
  glColor4ub((argb >> 16) & 0xFF, (argb >> 8) & 0xFF, argb & 0xFF, argb >> 24);
  glBegin(GL_QUADS);
  glVertex3f(x0, y0, z);
  if (clockwise) {
    glVertex3f(x0, y1, z);
    glVertex3f(x1, y1, z);
    glVertex3f(x1, y0, z);
  } else {
    glVertex3f(x1, y0, z);
    glVertex3f(x1, y1, z);
    glVertex3f(x0, y1, z);
  }
  glEnd();
}

// Raw drawing behind the display library: its cached state saved and put back,
// and what it may have left switched on switched off.
class RawDrawing {
 public:
  explicit RawDrawing(const std::string& fragment = kColourFragment) : program_(linkedProgram(fragment)) {
    glGetBooleanv(GL_DEPTH_WRITEMASK, &depthMask_);
    glGetIntegerv(GL_DEPTH_FUNC, &depthFunc_);
    glGetIntegerv(GL_FRONT_FACE, &frontFace_);
    glGetIntegerv(GL_CULL_FACE_MODE, &cullFaceMode_);
    glUseProgram(program_);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_CULL_FACE);
    glDisable(GL_BLEND);
    glDepthMask(GL_TRUE);
  }
  ~RawDrawing() {
    glUseProgram(0);
    glDeleteProgram(program_);
    glDepthMask(depthMask_);
    glDepthFunc(depthFunc_);
    glFrontFace(frontFace_);
    glCullFace(cullFaceMode_);
  }
  GLuint program() const { return program_; }

 private:
  SavedGlState saved_;
  GLuint program_;
  GLboolean depthMask_;
  GLint depthFunc_, frontFace_, cullFaceMode_;
};

void clearTarget(irr::u32 argb) {
  glClearColor(((argb >> 16) & 0xFF) / 255.0f, ((argb >> 8) & 0xFF) / 255.0f, (argb & 0xFF) / 255.0f,
               (argb >> 24) / 255.0f);
  glClearDepth(1.0);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

// What `action` answers, with what it wrote to standard output in `logged`
// (checked after the capture ends, so that failures are seen).
template <typename Action>
auto logOf(Action action, std::string* logged) {
  test::CapturedStdout output;
  auto result = action();
  *logged = output.take();
  return result;
}

template <typename T>
std::vector<T> levelOf(const CTkEngineTexture* texture, int level, int face = 0) {
  std::vector<T> texels(texture->levelBytes(level) / sizeof(T));
  EXPECT_TRUE(texture->readLevel(level, face, texels.data()));
  return texels;
}

// A face of six distinguishable colours per face: its four quadrants differ.
irr::u32 quadrantColour(int face, bool top, bool left) {
  return 0xFF000000u | (40u * face + 20) << 16 | (top ? 0x30u : 0xC0u) << 8 | (left ? 0x11u : 0xEEu);
}

class EngineTextureTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(test::startGlEngine(kScreen, kScreen), 0);
    driver = tkEngine().driver;
  }
  void TearDown() override {
    for (CTkEngineTexture* texture : held) texture->drop();
    tkSysShutdown();
  }
  CTkEngineTexture* keep(CTkEngineTexture* texture) {
    if (texture) held.push_back(texture);
    return texture;
  }
  CTkEngineTexture* make(ETkTextureKind kind, ETkTextureFormat format, int size, int mipLevels = 1,
                         bool ownDepth = false) {
    STkEngineTextureDesc desc;
    desc.name = "made";
    desc.kind = kind;
    desc.format = format;
    desc.width = desc.height = size;
    desc.mipLevels = mipLevels;
    desc.ownDepth = ownDepth;
    return keep(CTkEngineTexture::create(desc));
  }
  // A cube whose faces are 4 x 4 images with quadrantColour quadrants.
  CTkEngineTexture* quadrantCube(bool mipMaps) {
    irr::video::IImage* faces[6];
    for (int face = 0; face < 6; ++face) {
      faces[face] = driver->createImage(irr::video::ECF_A8R8G8B8, irr::core::dimension2du(4, 4));
      for (irr::u32 y = 0; y < 4; ++y) {
        for (irr::u32 x = 0; x < 4; ++x) faces[face]->setPixel(x, y, quadrantColour(face, y < 2, x < 2));
      }
    }
    CTkEngineTexture* cube = keep(CTkEngineTexture::createCube("cube", faces, mipMaps));
    for (irr::video::IImage* image : faces) image->drop();
    return cube;
  }
  // The source sampled at each coordinate (2 or 3 floats each), as 8-bit ARGB.
  std::vector<irr::u32> sampled(CTkEngineTexture* source, const char* sampler, const std::vector<float>& coords,
                                int perCoord) {
    const int count = static_cast<int>(coords.size()) / perCoord;
    CTkEngineTexture* target = make(ETK_TEXTURE_2D, ETF_RGBA8, 8);
    {
      RawDrawing drawing(replaced(replaced(kSamplingFragment, "SAMPLER", sampler), "COORD",
                                  perCoord == 2 ? "vec2" : "vec3"));
      GLint location = glGetUniformLocation(drawing.program(), "coords");
      perCoord == 2 ? glUniform2fv(location, count, coords.data()) : glUniform3fv(location, count, coords.data());
      source->bindToUnit(kSamplingUnit);
      CTkEngineTextureTarget rendering;
      EXPECT_TRUE(rendering.bind(target, 0, 0));
      drawRect(-1, -1, 1, 1, 0, 0xFFFFFFFF);
      source->unbindFromUnit(kSamplingUnit);
    }
    std::vector<irr::u32> row = levelOf<irr::u32>(target, 0);
    row.resize(count);
    return row;
  }

  irr::video::IVideoDriver* driver = nullptr;
  std::vector<CTkEngineTexture*> held;
};

TEST_F(EngineTextureTest, DataComesBackAsGivenInEveryFormat) {
  struct Case {
    const char* what;
    ETkTextureKind kind;
    ETkTextureFormat format;
    int width, height, depth;
  };
  const Case cases[] = {
      {"2D 8-bit", ETK_TEXTURE_2D, ETF_RGBA8, 3, 2, 1},      {"2D sRGB", ETK_TEXTURE_2D, ETF_SRGBA8, 3, 2, 1},
      {"2D half", ETK_TEXTURE_2D, ETF_RGBA16F, 3, 2, 1},     {"2D float", ETK_TEXTURE_2D, ETF_RGBA32F, 3, 2, 1},
      {"2D R32F", ETK_TEXTURE_2D, ETF_R32F, 5, 3, 1},        {"volume 8-bit", ETK_TEXTURE_VOLUME, ETF_RGBA8, 4, 3, 2},
      {"volume float", ETK_TEXTURE_VOLUME, ETF_RGBA32F, 2, 3, 4},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    // Every texel different, and every value a finite number in the float formats.
    const size_t bytes = bytesPerTexel(c.format) * c.width * c.height * c.depth;
    std::vector<uint8_t> data(bytes);
    for (size_t i = 0; i < bytes / 2; ++i) {
      const uint16_t word = static_cast<uint16_t>(0x3000 + 7 * i);
      std::memcpy(&data[2 * i], &word, 2);
    }
    CTkEngineTexture* texture =
        keep(c.kind == ETK_TEXTURE_2D
                 ? CTkEngineTexture::create2D("data", c.format, c.width, c.height, data.data())
                 : CTkEngineTexture::createVolume("data", c.format, c.width, c.height, c.depth, data.data()));
    ASSERT_TRUE(texture);
    EXPECT_EQ(texture->getKind(), c.kind);
    EXPECT_NE(texture->getGLName(), 0u);
    EXPECT_EQ(texture->levelBytes(0), bytes);
    EXPECT_EQ(levelOf<uint8_t>(texture, 0), data);
  }
}

TEST_F(EngineTextureTest, CubeFacesFromImagesKeepTheirOrderAndRows) {
  CTkEngineTexture* cube = quadrantCube(true);
  ASSERT_TRUE(cube);
  EXPECT_EQ(cube->getKind(), ETK_TEXTURE_CUBE);
  EXPECT_EQ(cube->getFormat(), ETF_RGBA8);
  EXPECT_EQ(cube->getMipLevelCount(), 3);
  for (int face = 0; face < 6; ++face) {
    SCOPED_TRACE(face);
    std::vector<irr::u32> texels = levelOf<irr::u32>(cube, 0, face);
    EXPECT_EQ(texels[0], quadrantColour(face, true, true));
    EXPECT_EQ(texels[3], quadrantColour(face, true, false));
    EXPECT_EQ(texels[12], quadrantColour(face, false, true));
    EXPECT_EQ(texels[15], quadrantColour(face, false, false));
    // The generated 1 x 1 level averages the face's four quadrants.
    const irr::u32 mean = levelOf<irr::u32>(cube, 2, face)[0];
    EXPECT_NEAR((mean >> 16) & 0xFF, 40 * face + 20, 1);
    EXPECT_NEAR((mean >> 8) & 0xFF, (0x30 + 0xC0) / 2, 1);
  }
}

// Direct3D's face layout read through GL sampling: each direction lands in the
// quadrant that the face camera of that face sees it in.
TEST_F(EngineTextureTest, CubeSamplingFindsTheFaceAndQuadrantOfEachDirection) {
  CTkEngineTexture* cube = quadrantCube(false);
  ASSERT_TRUE(cube);
  struct Probe {
    float x, y, z;
    int face;
    bool top, left;
  };
  const Probe probes[] = {
      {1, 0.5f, 0.5f, 0, true, true},      {1, -0.5f, -0.5f, 0, false, false}, {-1, 0.5f, 0.5f, 1, true, false},
      {-0.5f, 1, -0.5f, 2, true, true},    {0.5f, -1, 0.5f, 3, true, false},   {-0.5f, -0.5f, 1, 4, false, true},
      {-0.5f, 0.5f, -1, 5, true, false},   {0.5f, 1, 0.5f, 2, false, false},
  };
  std::vector<float> coords;
  for (const Probe& p : probes) coords.insert(coords.end(), {p.x, p.y, p.z});
  std::vector<irr::u32> colours = sampled(cube, "samplerCube", coords, 3);
  for (size_t i = 0; i < colours.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(colours[i], quadrantColour(probes[i].face, probes[i].top, probes[i].left));
  }
}

TEST_F(EngineTextureTest, TextureCoordinatesStartAtTheFirstRowGiven) {
  // 2 x 2: row 0 red, green; row 1 blue, white. A volume of two such slices, the second darker.
  const irr::u32 texels[8] = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFFFF,
                              0xFF800000, 0xFF008000, 0xFF000080, 0xFF808080};
  CTkEngineTexture* flat = keep(CTkEngineTexture::create2D("flat", ETF_RGBA8, 2, 2, texels));
  CTkEngineTexture* volume = keep(CTkEngineTexture::createVolume("volume", ETF_RGBA8, 2, 2, 2, texels));
  ASSERT_TRUE(flat && volume);
  EXPECT_EQ(sampled(flat, "sampler2D", {0.25f, 0.25f, 0.75f, 0.25f, 0.25f, 0.75f}, 2),
            (std::vector<irr::u32>{texels[0], texels[1], texels[2]}));
  EXPECT_EQ(sampled(volume, "sampler3D", {0.75f, 0.25f, 0.25f, 0.25f, 0.75f, 0.75f}, 3),
            (std::vector<irr::u32>{texels[1], texels[6]}));
}

TEST_F(EngineTextureTest, SrgbTexturesDecodeOnlyWhenAsked) {
  const irr::u32 grey = 0xFF808080;
  CTkEngineTexture* texture = keep(CTkEngineTexture::create2D("srgb", ETF_SRGBA8, 1, 1, &grey));
  ASSERT_TRUE(texture);
  EXPECT_EQ(sampled(texture, "sampler2D", {0.5f, 0.5f}, 2)[0] & 0xFF, 0x80u);
  texture->setSrgbDecode(true);
  EXPECT_NEAR(static_cast<int>(sampled(texture, "sampler2D", {0.5f, 0.5f}, 2)[0] & 0xFF), 55, 1);
}

TEST_F(EngineTextureTest, MipLevelsAreGeneratedOrWrittenOneByOne) {
  std::vector<float> ramp(4 * 4 * 4);
  for (size_t i = 0; i < ramp.size(); ++i) ramp[i] = static_cast<float>(i);
  CTkEngineTexture* generated = keep(CTkEngineTexture::create2D("ramp", ETF_RGBA32F, 4, 4, ramp.data(), 0));
  ASSERT_TRUE(generated);
  EXPECT_EQ(generated->getMipLevelCount(), 3);
  std::vector<float> last = levelOf<float>(generated, 2);
  ASSERT_EQ(last.size(), 4u);
  EXPECT_NEAR(last[0], 30.0f, 1e-3f);  // the mean of the red channel: 0, 4, ..., 60
  EXPECT_NEAR(last[3], 33.0f, 1e-3f);

  CTkEngineTexture* manual = make(ETK_TEXTURE_2D, ETF_R32F, 4, 3);
  ASSERT_TRUE(manual);
  const float level1[4] = {1.5f, -2, 3, 4e6f};
  ASSERT_TRUE(manual->uploadLevel(1, 0, level1));
  EXPECT_EQ(levelOf<float>(manual, 1), std::vector<float>(level1, level1 + 4));
  EXPECT_EQ(levelOf<float>(manual, 0), std::vector<float>(16, 0.0f));
  EXPECT_EQ(levelOf<float>(manual, 2), std::vector<float>(1, 0.0f));
}

TEST_F(EngineTextureTest, UnusableDescriptionsMakeNoTexture) {
  struct Case {
    const char* what;
    STkEngineTextureDesc desc;
    const char* message;
  };
  auto desc = [](ETkTextureKind kind, int w, int h, int d, int mips, ETkTextureFormat format, bool ownDepth) {
    STkEngineTextureDesc result;
    result.name = "bad";
    result.kind = kind;
    result.width = w;
    result.height = h;
    result.depth = d;
    result.mipLevels = mips;
    result.format = format;
    result.ownDepth = ownDepth;
    return result;
  };
  const Case cases[] = {
      {"cube not square", desc(ETK_TEXTURE_CUBE, 8, 4, 1, 1, ETF_RGBA8, false), "cube faces must be square"},
      {"too many levels", desc(ETK_TEXTURE_2D, 8, 4, 1, 5, ETF_RGBA8, false), "more mip levels"},
      {"no size", desc(ETK_TEXTURE_2D, 0, 4, 1, 1, ETF_RGBA8, false), "bad size"},
      {"slices of a 2D texture", desc(ETK_TEXTURE_2D, 4, 4, 2, 1, ETF_RGBA8, false), "only volumes"},
      {"depth of a depth texture", desc(ETK_TEXTURE_2D, 4, 4, 1, 1, ETF_DEPTH, true), "an own depth buffer"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::string logged;
    CTkEngineTexture* made = logOf([&] { return CTkEngineTexture::create(c.desc); }, &logged);
    EXPECT_EQ(made, nullptr);
    EXPECT_NE(logged.find("ERROR : CTkEngineTexture 'bad': " + std::string(c.message)), std::string::npos);
  }
}

// The top-left quarter of the view, drawn into one level of one face, lands in
// the top-left quarter of that level: rows first in memory are the top ones.
TEST_F(EngineTextureTest, DrawingFillsTheLevelAsSeen) {
  struct Case {
    const char* what;
    ETkTextureKind kind;
    int face, level;
  };
  const Case cases[] = {
      {"2D level 1", ETK_TEXTURE_2D, 0, 1},
      {"cube +X level 0", ETK_TEXTURE_CUBE, 0, 0},
      {"cube -Z level 1", ETK_TEXTURE_CUBE, 5, 1},
  };
  const irr::u32 background = 0xFF102030, quarter = 0xFFE0C040;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    CTkEngineTexture* texture = make(c.kind, ETF_RGBA8, 8, 0);
    ASSERT_TRUE(texture);
    {
      RawDrawing drawing;
      CTkEngineTextureTarget target;
      ASSERT_TRUE(target.bind(texture, c.face, c.level));
      GLint viewport[4];
      glGetIntegerv(GL_VIEWPORT, viewport);
      EXPECT_EQ(viewport[2], 8 >> c.level);
      clearTarget(background);
      drawRect(-1, 0, 0, 1, 0, quarter);
    }
    const int size = 8 >> c.level;
    std::vector<irr::u32> texels = levelOf<irr::u32>(texture, c.level, c.face);
    for (int y = 0; y < size; ++y) {
      for (int x = 0; x < size; ++x) {
        ASSERT_EQ(texels[y * size + x], x < size / 2 && y < size / 2 ? quarter : background) << x << ", " << y;
      }
    }
    // Nothing else was drawn into.
    EXPECT_EQ(levelOf<irr::u32>(texture, c.level == 0 ? 1 : 0, c.face)[0], 0u);
    if (c.kind == ETK_TEXTURE_CUBE) {
      EXPECT_EQ(levelOf<irr::u32>(texture, c.level, (c.face + 1) % 6)[0], 0u);
    }
  }
}

// A face drawn through the +X face camera (up +Y, so +Z is on the left) is
// sampled back in the directions that camera looked.
TEST_F(EngineTextureTest, ADrawnCubeFaceIsSampledAsSeen) {
  CTkEngineTexture* cube = make(ETK_TEXTURE_CUBE, ETF_RGBA8, 8);
  ASSERT_TRUE(cube);
  const irr::u32 background = 0xFF000080, quarter = 0xFF00FF00;
  {
    RawDrawing drawing;
    CTkEngineTextureTarget target;
    ASSERT_TRUE(target.bind(cube, 0, 0));
    clearTarget(background);
    drawRect(-1, 0, 0, 1, 0, quarter);
  }
  EXPECT_EQ(sampled(cube, "samplerCube", {1, 0.5f, 0.5f, 1, 0.5f, -0.5f, 1, -0.5f, 0.5f}, 3),
            (std::vector<irr::u32>{quarter, background, background}));
}

TEST_F(EngineTextureTest, OwnDepthKeepsTheNearerDrawing) {
  const irr::u32 near = 0xFFFF0000, far = 0xFF00FF00;
  for (bool ownDepth : {true, false}) {
    SCOPED_TRACE(ownDepth);
    CTkEngineTexture* texture = make(ETK_TEXTURE_2D, ETF_RGBA8, 4, 1, ownDepth);
    ASSERT_TRUE(texture);
    EXPECT_EQ(texture->hasOwnDepth(), ownDepth);
    {
      RawDrawing drawing;
      CTkEngineTextureTarget target;
      ASSERT_TRUE(target.bind(texture, 0, 0));
      clearTarget(0);
      glEnable(GL_DEPTH_TEST);
      glDepthFunc(GL_LESS);
      drawRect(-1, -1, 1, 1, 0.2f, near);
      drawRect(-1, -1, 1, 1, 0.6f, far);
    }
    // Without a depth buffer there is no depth test: the last drawing wins.
    EXPECT_EQ(levelOf<irr::u32>(texture, 0), std::vector<irr::u32>(16, ownDepth ? near : far));
  }
}

TEST_F(EngineTextureTest, DepthTexturesReceiveDepth) {
  CTkEngineTexture* depth = make(ETK_TEXTURE_2D, ETF_DEPTH, 4);
  ASSERT_TRUE(depth);
  {
    RawDrawing drawing;
    CTkEngineTextureTarget target;
    ASSERT_TRUE(target.bind(depth, 0, 0));
    clearTarget(0);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LESS);
    drawRect(-1, 0, 0, 1, 0.25f, 0xFFFFFFFF);
  }
  std::vector<float> texels = levelOf<float>(depth, 0);
  EXPECT_FLOAT_EQ(texels[0], 0.25f);  // top left: clip depth runs 0 to 1, as the engine's projections build it
  EXPECT_FLOAT_EQ(texels[15], 1.0f);  // bottom right: cleared
}

TEST_F(EngineTextureTest, FrontFacesAreTheSameAsOnTheScreen) {
  CTkEngineTexture* texture = make(ETK_TEXTURE_2D, ETF_RGBA8, 4);
  ASSERT_TRUE(texture);
  {
    RawDrawing drawing;
    CTkEngineTextureTarget target;
    ASSERT_TRUE(target.bind(texture, 0, 0));
    clearTarget(0xFF000000);
    glEnable(GL_CULL_FACE);
    glCullFace(GL_BACK);
    glFrontFace(GL_CCW);
    drawRect(-1, -1, 0, 1, 0, 0xFFFF0000);                  // left half, counter-clockwise: drawn
    drawRect(0, -1, 1, 1, 0, 0xFF00FF00, /*clockwise=*/true);  // right half, clockwise: culled
  }
  std::vector<irr::u32> texels = levelOf<irr::u32>(texture, 0);
  EXPECT_EQ(texels[0], 0xFFFF0000u);
  EXPECT_EQ(texels[3], 0xFF000000u);
}

// After drawing into an engine texture the display library draws to the
// screen as before, and not into the texture.
TEST_F(EngineTextureTest, TheDisplayLibraryDrawsOnAfterwards) {
  CTkEngineTexture* texture = make(ETK_TEXTURE_CUBE, ETF_RGBA8, 4, 1, true);
  ASSERT_TRUE(texture);
  ASSERT_TRUE(driver->beginScene(true, true, irr::video::SColor(255, 0, 0, 0)));
  {
    RawDrawing drawing;
    CTkEngineTextureTarget target;
    ASSERT_TRUE(target.bind(texture, 2, 0));
    clearTarget(0xFFFF0000);
  }
  GLint viewport[4], framebuffer = -1, origin = 0;
  glGetIntegerv(GL_VIEWPORT, viewport);
  glGetIntegerv(GL_DRAW_FRAMEBUFFER_BINDING, &framebuffer);
  glGetIntegerv(GL_CLIP_ORIGIN, &origin);
  EXPECT_EQ(std::vector<GLint>(viewport, viewport + 4), (std::vector<GLint>{0, 0, kScreen, kScreen}));
  EXPECT_EQ(framebuffer, 0);
  EXPECT_EQ(origin, GL_LOWER_LEFT);
  driver->draw2DRectangle(irr::video::SColor(255, 0, 0, 255), irr::core::recti(0, 0, 16, 8));
  std::vector<irr::u32> screen(kScreen * kScreen);
  glReadBuffer(GL_BACK);
  glPixelStorei(GL_PACK_ALIGNMENT, 4);
  glReadPixels(0, 0, kScreen, kScreen, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV, screen.data());
  driver->endScene();
  // The screen reads back bottom-up: the library's top-left rectangle is in the last rows.
  EXPECT_EQ(screen[(kScreen - 1) * kScreen] & 0xFFFFFF, 0x0000FFu);
  EXPECT_EQ(screen[(kScreen - 8) * kScreen + 15] & 0xFFFFFF, 0x0000FFu);
  EXPECT_EQ(screen[(kScreen - 9) * kScreen] & 0xFFFFFF, 0u);
  EXPECT_EQ(screen[(kScreen - 1) * kScreen + 16] & 0xFFFFFF, 0u);
  EXPECT_EQ(levelOf<irr::u32>(texture, 0, 2), std::vector<irr::u32>(16, 0xFFFF0000u));
}

TEST_F(EngineTextureTest, TargetsRefuseVolumesAndMissingLevels) {
  CTkEngineTexture* cube = make(ETK_TEXTURE_CUBE, ETF_RGBA8, 4, 2);
  const irr::u32 texel = 0;
  CTkEngineTexture* volume = keep(CTkEngineTexture::createVolume("volume", ETF_RGBA8, 1, 1, 1, &texel));
  ASSERT_TRUE(cube && volume);
  CTkEngineTextureTarget target;
  std::string logged;
  const bool anyBound = logOf(
      [&] {
        return target.bind(volume, 0, 0) || target.bind(cube, 6, 0) || target.bind(cube, 0, 2) ||
               target.bind(nullptr, 0, 0);
      },
      &logged);
  EXPECT_FALSE(anyBound);
  EXPECT_NE(logged.find("ERROR : CTkEngineTextureTarget: cannot draw into level 2 of face 0 of 'made'"),
            std::string::npos);
  EXPECT_FALSE(target.isBound());
}

TEST_F(EngineTextureTest, CubeLocksReadAndWriteOneFaceLevel) {
  CTkEngineTexture* cube = quadrantCube(true);
  ASSERT_TRUE(cube);
  CTkGLVideoDriverExt ext;
  STkTextureLock lock;

  TkTextureLockHandle* reading = ext.lockCubeTexture(cube, 1, 0, 3, &lock);
  ASSERT_TRUE(reading);
  EXPECT_EQ(lock.width, 4);
  EXPECT_EQ(lock.height, 4);
  EXPECT_EQ(lock.pitch, 16);
  auto* texels = static_cast<irr::u32*>(lock.data);
  EXPECT_EQ(texels[0], quadrantColour(3, true, true));
  EXPECT_EQ(texels[15], quadrantColour(3, false, false));
  texels[0] = 0xFF123456;  // a read-only lock writes nothing back
  ext.unlockTexture(reading);
  EXPECT_EQ(levelOf<irr::u32>(cube, 0, 3)[0], quadrantColour(3, true, true));

  const std::vector<irr::u32> before = levelOf<irr::u32>(cube, 1, 1);
  TkTextureLockHandle* writing = ext.lockCubeTexture(cube, 0, 1, 2, &lock);
  ASSERT_TRUE(writing);
  EXPECT_EQ(lock.width, 2);
  EXPECT_EQ(lock.height, 2);
  EXPECT_EQ(lock.pitch, 8);
  const irr::u32 written[4] = {0xFF010203, 0xFF040506, 0xFF070809, 0xFF0A0B0C};
  std::memcpy(lock.data, written, sizeof written);
  ext.unlockTexture(writing);
  EXPECT_EQ(levelOf<irr::u32>(cube, 1, 2), std::vector<irr::u32>(written, written + 4));
  EXPECT_EQ(levelOf<irr::u32>(cube, 1, 1), before);
  EXPECT_EQ(levelOf<irr::u32>(cube, 0, 2)[0], quadrantColour(2, true, true));
}

TEST_F(EngineTextureTest, FloatCubeLocksSpanFourFloatsPerTexel) {
  CTkEngineTexture* cube = make(ETK_TEXTURE_CUBE, ETF_RGBA32F, 2);
  ASSERT_TRUE(cube);
  CTkGLVideoDriverExt ext;
  STkTextureLock lock;
  TkTextureLockHandle* handle = ext.lockCubeTexture(cube, 0, 0, 4, &lock);
  ASSERT_TRUE(handle);
  EXPECT_EQ(lock.pitch, 32);
  static_cast<float*>(lock.data)[15] = 2.5f;  // alpha of the bottom-right texel
  ext.unlockTexture(handle);
  EXPECT_EQ(levelOf<float>(cube, 0, 4)[15], 2.5f);
}

TEST_F(EngineTextureTest, CubeLocksOfWhatCannotBeLockedFail) {
  CTkEngineTexture* cube = make(ETK_TEXTURE_CUBE, ETF_RGBA8, 4, 0);
  CTkEngineTexture* flat = make(ETK_TEXTURE_2D, ETF_RGBA8, 4);
  const irr::u32 texel = 0;
  CTkEngineTexture* volume = keep(CTkEngineTexture::createVolume("volume", ETF_RGBA8, 1, 1, 1, &texel));
  ASSERT_TRUE(cube && flat && volume);
  int notATexture = 0;
  struct Case {
    const char* what;
    void* texture;
    int level, face;
    const char* message;
  };
  const char* wrongKind = "ERROR : CTkGLVideoDriverExt::lockTexture only texture Cube supported\n";
  const char* badLevel = "ERROR : CTkGLVideoDriverExt::lockTexture Could not get surface level\n";
  const Case cases[] = {
      {"no texture", nullptr, 0, 0, wrongKind},        {"not a texture", &notATexture, 0, 0, wrongKind},
      {"a 2D texture", flat, 0, 0, wrongKind},         {"a volume", volume, 0, 0, wrongKind},
      {"level -1", cube, -1, 0, badLevel},             {"level past the chain", cube, 3, 0, badLevel},
      {"face 6", cube, 0, 6, badLevel},                {"face -1", cube, 0, -1, badLevel},
  };
  CTkGLVideoDriverExt ext;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    STkTextureLock lock;
    std::string logged;
    EXPECT_EQ(logOf([&] { return ext.lockCubeTexture(c.texture, 0, c.level, c.face, &lock); }, &logged), nullptr);
    EXPECT_EQ(logged.find(c.message), 0u) << logged;
    EXPECT_EQ(logged.find("ERROR", 1), std::string::npos) << logged;  // that line only
    EXPECT_EQ(lock.data, nullptr);
  }
}

TEST_F(EngineTextureTest, HandlesOfDroppedTexturesAreNoLongerTextures) {
  CTkEngineTexture* texture = make(ETK_TEXTURE_CUBE, ETF_RGBA8, 2);
  ASSERT_TRUE(texture);
  EXPECT_EQ(CTkEngineTexture::fromHandle(texture), texture);
  held.clear();
  void* handle = texture;
  texture->drop();
  EXPECT_EQ(CTkEngineTexture::fromHandle(handle), nullptr);
}

TEST_F(EngineTextureTest, DisplayLibraryTexturesShowTheirGlTexture) {
  irr::video::IImage* image = driver->createImage(irr::video::ECF_A8R8G8B8, irr::core::dimension2du(4, 2));
  for (irr::u32 i = 0; i < 8; ++i) image->setPixel(i % 4, i / 4, irr::video::SColor(255, 30 * i, 255 - 20 * i, 7 * i));
  driver->setTextureCreationFlag(irr::video::ETCF_CREATE_MIP_MAPS, false);
  irr::video::ITexture* texture = driver->addTexture("named", image);
  ASSERT_TRUE(texture);
  const unsigned name = glTextureNameOf(texture);
  ASSERT_NE(name, 0u);
  EXPECT_TRUE(glIsTexture(name));
  std::vector<irr::u32> texels(8);
  GLint active = 0;
  glGetIntegerv(GL_ACTIVE_TEXTURE, &active);
  glActiveTexture(GL_TEXTURE0 + 5);
  glBindTexture(GL_TEXTURE_2D, name);
  glPixelStorei(GL_PACK_ALIGNMENT, 4);
  glGetTexImage(GL_TEXTURE_2D, 0, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV, texels.data());
  glBindTexture(GL_TEXTURE_2D, 0);
  glActiveTexture(active);
  for (irr::u32 i = 0; i < 8; ++i) EXPECT_EQ(texels[i], image->getPixel(i % 4, i / 4).color) << i;
  image->drop();

  EXPECT_EQ(glTextureNameOf(nullptr), 0u);
  irr::IrrlichtDevice* nullDevice = irr::createDevice(irr::video::EDT_NULL);
  ASSERT_TRUE(nullDevice);
  irr::video::ITexture* other =
      nullDevice->getVideoDriver()->addTexture(irr::core::dimension2du(2, 2), "other", irr::video::ECF_A8R8G8B8);
  EXPECT_EQ(glTextureNameOf(other), 0u);
  nullDevice->drop();
}

}  // namespace
}  // namespace tk
