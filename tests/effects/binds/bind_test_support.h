#pragma once
// What the bind tests share: upload services that record every write, a
// constant descriptor maker, a texture of any size, and a null-driver device.

#include <gtest/gtest.h>
#include <irrlicht.h>

#include <cmath>
#include <map>
#include <string>
#include <vector>

#include "base/log.h"
#include "effects/binds/effect_bind.h"
#include "effects/definitions/effect_def.h"
#include "tests/support/capture_stdout.h"

namespace tk::test {

// Records the name route (per stage and name) and the register route (per
// stage, as one float list starting at the first register written).
class RecordingServices : public irr::video::IMaterialRendererServices {
 public:
  struct RegisterWrite {
    int stage;
    int firstRegister;
    std::vector<float> floats;
  };

  std::map<std::string, std::vector<float>> vertexByName, pixelByName;
  std::vector<RegisterWrite> registerWrites;

  // The floats last written to `name` in the stage (empty when none).
  std::vector<float> byName(int stage, const std::string& name) const {
    const auto& writes = stage == kStageVertex ? vertexByName : pixelByName;
    auto found = writes.find(name);
    return found == writes.end() ? std::vector<float>() : found->second;
  }
  bool nothingWritten() const { return vertexByName.empty() && pixelByName.empty() && registerWrites.empty(); }
  void clear() {
    vertexByName.clear();
    pixelByName.clear();
    registerWrites.clear();
  }

  void setBasicRenderStates(const irr::video::SMaterial&, const irr::video::SMaterial&, bool) override {}
  bool setVertexShaderConstant(const irr::c8* name, const irr::f32* floats, int count) override {
    vertexByName[name].assign(floats, floats + count);
    return true;
  }
  bool setVertexShaderConstant(const irr::c8*, const bool*, int) override { return false; }
  bool setVertexShaderConstant(const irr::c8*, const irr::s32*, int) override { return false; }
  void setVertexShaderConstant(const irr::f32* data, irr::s32 startRegister, irr::s32 count) override {
    registerWrites.push_back({kStageVertex, startRegister, std::vector<float>(data, data + count * 4)});
  }
  bool setPixelShaderConstant(const irr::c8* name, const irr::f32* floats, int count) override {
    pixelByName[name].assign(floats, floats + count);
    return true;
  }
  bool setPixelShaderConstant(const irr::c8*, const bool*, int) override { return false; }
  bool setPixelShaderConstant(const irr::c8*, const irr::s32*, int) override { return false; }
  void setPixelShaderConstant(const irr::f32* data, irr::s32 startRegister, irr::s32 count) override {
    registerWrites.push_back({kStagePixel, startRegister, std::vector<float>(data, data + count * 4)});
  }
  irr::video::IVideoDriver* getVideoDriver() override { return nullptr; }
};

// A descriptor on the name route unless a register is given.
inline STkFxConstBind constantOf(int stage, int type, const std::string& semantic, const std::string& name = "c",
                                 int registerIndex = -1, int registerCount = 0) {
  static const int kFloatCounts[] = {0, 1, 1, 2, 3, 4, 16, 1};
  STkFxConstBind constant;
  constant.stage = stage;
  constant.type = type;
  constant.name = name;
  constant.semantic = semantic;
  constant.floatCount = type >= 1 && type <= 7 ? kFloatCounts[type] : 0;
  constant.registerIndex = registerIndex;
  constant.registerCount = registerCount;
  return constant;
}

// Asks the bind; on an answer fills the descriptor's function and private data.
inline bool answers(ITkEffectBind* bind, STkFxConstBind* constant) {
  int privateData[2] = {0, 0};
  STkBindResult result = bind->getBindFunction(*constant, privateData);
  if (result.status != kBindAnswered) return false;
  EXPECT_EQ(result.flags, kBindFlagAnswers);
  EXPECT_NE(result.function, nullptr);
  constant->bind = bind;
  constant->function = result.function;
  constant->privateData[0] = privateData[0];
  constant->privateData[1] = privateData[1];
  return true;
}

inline void call(const STkFxConstBind& constant, RecordingServices* services) {
  constant.function(constant.bind, services, constant, constant.privateData);
}

// Binds `semantic` on a name-route constant "c" of the stage and type, calls
// it once and returns what reached "c" (fails the test when not answered).
inline std::vector<float> valueOf(ITkEffectBind* bind, const std::string& semantic, int type = kParamFloat4,
                                  int stage = kStagePixel) {
  STkFxConstBind constant = constantOf(stage, type, semantic);
  if (!answers(bind, &constant)) {
    ADD_FAILURE() << semantic << " is not answered";
    return {};
  }
  RecordingServices services;
  call(constant, &services);
  return services.byName(stage, "c");
}

inline std::vector<float> floatsOf(const irr::core::matrix4& matrix) {
  return std::vector<float>(matrix.pointer(), matrix.pointer() + 16);
}

inline irr::core::matrix4 matrixOf(const std::vector<float>& floats) {
  irr::core::matrix4 matrix(irr::core::matrix4::EM4CONST_NOTHING);
  if (floats.size() == 16) matrix.setM(floats.data());
  return matrix;
}

// Element-wise comparison with a relative tolerance.
inline ::testing::AssertionResult floatsNear(const std::vector<float>& actual, const std::vector<float>& expected) {
  auto text = [](const std::vector<float>& values) {
    std::string out = "(";
    for (size_t i = 0; i < values.size(); ++i) out += (i ? ", " : "") + std::to_string(values[i]);
    return out + ")";
  };
  bool same = actual.size() == expected.size();
  for (size_t i = 0; same && i < actual.size(); ++i)
    same = std::abs(actual[i] - expected[i]) <= 1e-4f * (1 + std::abs(expected[i]));
  if (same) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "got " << text(actual) << ", expected " << text(expected);
}

// A texture of a given size; the null driver's textures report none.
class SizedTexture : public irr::video::ITexture {
 public:
  SizedTexture(irr::u32 width, irr::u32 height) : ITexture("sized"), size_(width, height) {}
  void* lock(irr::video::E_TEXTURE_LOCK_MODE, irr::u32) override { return nullptr; }
  void unlock() override {}
  const irr::core::dimension2du& getOriginalSize() const override { return size_; }
  const irr::core::dimension2du& getSize() const override { return size_; }
  irr::video::E_DRIVER_TYPE getDriverType() const override { return irr::video::EDT_NULL; }
  irr::video::ECOLOR_FORMAT getColorFormat() const override { return irr::video::ECF_A8R8G8B8; }
  irr::u32 getPitch() const override { return size_.Width * 4; }
  void regenerateMipMapLevels(void*) override {}

 private:
  irr::core::dimension2du size_;
};

// A node of any type code, for the kinds the display library cannot make.
class TypedNode : public irr::scene::ISceneNode {
 public:
  TypedNode(irr::scene::ISceneManager* scenes, irr::u32 type)
      : ISceneNode(scenes->getRootSceneNode(), scenes), type_(type) {}
  void render() override {}
  const irr::core::aabbox3df& getBoundingBox() const override { return box_; }
  irr::scene::ESCENE_NODE_TYPE getType() const override { return static_cast<irr::scene::ESCENE_NODE_TYPE>(type_); }

 private:
  irr::u32 type_;
  irr::core::aabbox3df box_;
};

// A 1280 × 720 null-driver device; logging at error level so messages can be
// captured from standard output.
class NullDeviceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    device = irr::createDevice(irr::video::EDT_NULL, irr::core::dimension2du(1280, 720));
    ASSERT_NE(device, nullptr);
    scenes = device->getSceneManager();
    driver = device->getVideoDriver();
    savedThreshold_ = logThreshold();
    setLogThreshold(LOG_ERROR);
  }
  void TearDown() override {
    setLogThreshold(savedThreshold_);
    if (device) device->drop();
  }

  irr::IrrlichtDevice* device = nullptr;
  irr::scene::ISceneManager* scenes = nullptr;
  irr::video::IVideoDriver* driver = nullptr;

 private:
  int savedThreshold_ = LOG_INFO;
};

// Owns one reference to a bind made with new.
template <class Bind>
struct Held {
  Bind* bind;
  explicit Held(Bind* made) : bind(made) {}
  ~Held() { bind->drop(); }
  Held(const Held&) = delete;
  Held& operator=(const Held&) = delete;
  Bind* operator->() const { return bind; }
  Bind* get() const { return bind; }
};

}  // namespace tk::test
