#pragma once
// The command classes a command renderer runs, one per "cmd" type string.

#include <irrlicht.h>

#include "render/commands/render_cmd.h"

namespace tk {

class CTkRenderCmd_Clear : public CTkRenderCmd {
 public:
  void execute(STkCmdExecContext& ctx) override;

 protected:
  bool setupType(const STkRenderCmdDesc& desc, const STkCmdSetupContext& ctx) override;

 private:
  std::vector<STkTextureSlot> outputs_;
  bool clearTarget_ = false, clearDepth_ = false, useBackground_ = false;
  irr::video::SColor color_{255, 0, 0, 0};
};

// The outputs named Color0 .. Color4 as a table of simultaneous targets.
class CTkColorOutputs {
 public:
  // False after logging an output name that is not Color0 .. Color4.
  bool setup(const std::vector<STkTextureSlot>& outputs, const std::string& commandName);
  // Resolves into `targets` (room for kMaxOutputs) and answers the count.
  int resolve(const STkCmdExecContext& ctx, irr::video::ITexture** targets) const;
  const std::vector<STkTextureSlot>& slots() const { return slots_; }
  static constexpr int kMaxOutputs = 5;

 private:
  std::vector<STkTextureSlot> slots_;
  std::vector<int> indices_;
};

class CTkRenderCmd_Shader : public CTkRenderCmd {
 public:
  ~CTkRenderCmd_Shader() override;
  void execute(STkCmdExecContext& ctx) override;
  static constexpr int kMaxInputs = 20;

 protected:
  bool setupType(const STkRenderCmdDesc& desc, const STkCmdSetupContext& ctx) override;

 private:
  bool runsNow(const STkCmdExecContext& ctx) const;

  std::vector<STkTextureSlot> inputs_;
  std::vector<int> units_;
  CTkColorOutputs outputs_;
  CTkEffect* effect_ = nullptr;
  int useStartEnd_ = 0;
  float startTime_ = 0, endTime_ = 0;
};

class CTkRenderCmd_RenderObjects : public CTkRenderCmd {
 public:
  ~CTkRenderCmd_RenderObjects() override;
  void execute(STkCmdExecContext& ctx) override;

 protected:
  bool setupType(const STkRenderCmdDesc& desc, const STkCmdSetupContext& ctx) override;

 private:
  void readOverrides(const STkRenderCmdDesc& desc);
  // Sets the view the command draws under; false when it cannot draw now.
  bool applyView(const STkCmdExecContext& ctx) const;

  CTkColorOutputs outputs_;
  int list_ = -1;
  irr::scene::E_SCENE_NODE_RENDER_PASS pass_ = irr::scene::ESNRP_SOLID;
  std::string technique_;
  irr::video::SOverrideMaterial override_;
  irr::u32 hideSet_ = 0, showSet_ = 0;
  int separateAlpha_ = 0;
  int view_ = 0;
  irr::scene::ILightSceneNode* viewLight_ = nullptr;  // a counted reference
};

// Gamma, DownSample and Glow: the first input into the first output.
class CTkRenderCmd_OneToOne : public CTkRenderCmd {
 protected:
  bool setupType(const STkRenderCmdDesc& desc, const STkCmdSetupContext& ctx) override;
  virtual void readParameters(const STkRenderCmdDesc&) {}
  const STkTextureSlot* input() const { return &inputs_.front(); }
  const STkTextureSlot* output() const { return &outputs_.front(); }
  int when_ = 0;

 private:
  std::vector<STkTextureSlot> inputs_;
  std::vector<STkTextureSlot> outputs_;
};

class CTkRenderCmd_Gamma : public CTkRenderCmd_OneToOne {
 public:
  void execute(STkCmdExecContext& ctx) override;
};

class CTkRenderCmd_DownSample : public CTkRenderCmd_OneToOne {
 public:
  void execute(STkCmdExecContext& ctx) override;
};

class CTkRenderCmd_Glow : public CTkRenderCmd_OneToOne {
 public:
  void execute(STkCmdExecContext& ctx) override;

 protected:
  void readParameters(const STkRenderCmdDesc& desc) override;

 private:
  float intensity_ = 1.0f, radius_ = 16.0f;
};

// Depth of Field, Antialias and Post Processing: named inputs, one output.
class CTkRenderCmd_NamedInputs : public CTkRenderCmd {
 protected:
  bool setupType(const STkRenderCmdDesc& desc, const STkCmdSetupContext& ctx) override;
  virtual void readParameters(const STkRenderCmdDesc&) {}
  const STkTextureSlot* input(const char* name) const { return slotNamed(inputs_, name); }
  const STkTextureSlot* output() const { return &outputs_.front(); }

 private:
  std::vector<STkTextureSlot> inputs_;
  std::vector<STkTextureSlot> outputs_;
};

class CTkRenderCmd_DepthOfField : public CTkRenderCmd_NamedInputs {
 public:
  void execute(STkCmdExecContext& ctx) override;
};

class CTkRenderCmd_Antialias : public CTkRenderCmd_NamedInputs {
 public:
  void execute(STkCmdExecContext& ctx) override;

 protected:
  void readParameters(const STkRenderCmdDesc& desc) override;

 private:
  bool runs(const STkCmdExecContext& ctx) const;
  // Whether SMAA finds edges on the gamma-encoded source.
  bool colorSpace(const STkCmdExecContext& ctx) const;

  int when_ = 0, sourceColorSpace_ = 0;
};

class CTkRenderCmd_PostProc : public CTkRenderCmd_NamedInputs {
 public:
  void execute(STkCmdExecContext& ctx) override;

 protected:
  void readParameters(const STkRenderCmdDesc& desc) override;

 private:
  std::string render_;
};

// Light Pass and Light Volumetric: into the first output.
class CTkRenderCmd_LightOutput : public CTkRenderCmd {
 protected:
  bool setupType(const STkRenderCmdDesc& desc, const STkCmdSetupContext& ctx) override;
  const STkTextureSlot* output() const { return &outputs_.front(); }

 private:
  std::vector<STkTextureSlot> outputs_;
};

class CTkRenderCmd_LightPass : public CTkRenderCmd_LightOutput {
 public:
  void execute(STkCmdExecContext& ctx) override;
};

class CTkRenderCmd_LightVolumetric : public CTkRenderCmd_LightOutput {
 public:
  void execute(STkCmdExecContext& ctx) override;
};

}  // namespace tk
