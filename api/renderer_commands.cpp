#include "api/renderer_commands.h"

#include "api/effect_commands.h"
#include "api/engine_items.h"
#include "base/id_table.h"
#include "base/log.h"
#include "render/commands/renderer_cmds.h"
#include "render/renderer_start.h"
#include "render/tk_manager.h"

namespace tk {
namespace {

IdTable<CTkRendererItem>* renderers() { return tkEngine().renderers; }

// An effect or light parameter becomes the item it names; false after logging
// when that item does not exist (the command is then built without it).
bool convertParameter(const RenderParameter& in, int effectBase, int lightBase, STkRenderCmdParam* out) {
  out->name = in.name;
  out->kind = in.kind;
  std::copy(in.vector, in.vector + 3, out->vector);
  out->integer = in.integer;
  out->text = in.text;
  if (in.kind == RP_EFFECT) {
    out->effect = getEffect(effectBase + in.integer);
    if (out->effect) return true;
    log(LOG_ERROR, "Renderer Command : missing effect for param '%s'", in.name.c_str());
    return false;
  }
  if (in.kind == RP_LIGHT) {
    const int id = lightBase + in.integer;
    CTkLightItem* light = tkEngine().lights ? tkEngine().lights->get(id) : nullptr;
    out->light = light ? light->node : nullptr;
    if (out->light) return true;
    log(LOG_ERROR, "Renderer Command : missing light %d for param '%s'", id, in.name.c_str());
    return false;
  }
  return true;
}

void convertCommands(const std::vector<STkRenderCommandRecord>& records, int effectBase, int lightBase,
                     std::vector<STkRenderCmdDesc>* out) {
  out->clear();
  for (const STkRenderCommandRecord& record : records) {
    STkRenderCmdDesc desc;
    desc.name = record.name;
    desc.cmd = record.cmd;
    desc.inputs = record.inputs;
    desc.outputs = record.outputs;
    for (const RenderParameter& parameter : record.parameters) {
      STkRenderCmdParam converted;
      if (convertParameter(parameter, effectBase, lightBase, &converted)) desc.parameters.push_back(converted);
    }
    out->push_back(std::move(desc));
  }
}

void releaseId(int id) {
  CTkRendererItem* item = renderers()->get(id);
  renderers()->remove(id);
  delete item;
}

}  // namespace

bool tkCreateRendererTextures(const std::vector<STkRenderCommandRecord>& commands) {
  CTkManager* manager = tkEngine().manager;
  return manager && manager->getRendererManager()->createRenderTextures(commands);
}

int tkCreateRenderer(int id, int effectBase, int lightBase, const std::vector<STkRenderCommandRecord>& commands) {
  auto* item = new CTkRendererItem{id, nullptr};
  if (!renderers() || renderers()->add(id, item) != 0) {
    logErrorCode(kErrorArgument1, "invalid Renderer ID %d : %s", id, idErrorText());
    delete item;
    return -1;
  }
  // Scene records carry only kinds the conversion knows: a list is never
  // refused as a whole, a parameter naming a missing item is left out.
  std::vector<STkRenderCmdDesc> descs;
  convertCommands(commands, effectBase, lightBase, &descs);
  CTkRendererCtxAdv* context = rendering().advancedContext;
  if (!context) {
    logErrorCode(kErrorArgument4, "Failed to create renderer, context not avaiable");
    releaseId(id);
    return -1;
  }
  CTkManager* manager = tkEngine().manager;
  item->renderer = manager->getRendererManager()->createRendererCmds(context, manager->getRenderServices(),
                                                                     manager->getVideoDriverExt(), descs);
  if (!item->renderer) {
    logErrorCode(kErrorArgument4, "Failed to create renderer");
    releaseId(id);
    return -1;
  }
  return 0;
}

ITkRenderer* getRenderer(int id) {
  CTkRendererItem* item = renderers() ? renderers()->get(id) : nullptr;
  return item ? item->renderer : nullptr;
}

bool tkRendererExist(int id) { return getRenderer(id) != nullptr; }

void tkSetRenderer(int id) {
  if (ITkRenderer* renderer = getRenderer(id)) setCurrentRenderer(renderer);
}

void tkSetDefaultRenderer() { setCurrentRenderer(nullptr); }

void tkDeleteRenderer(int id) {
  ITkRenderer* renderer = getRenderer(id);
  if (!renderer) return;
  if (rendering().currentRenderer == renderer) setCurrentRenderer(nullptr);
  renderer->drop();
  releaseId(id);
}

void deleteAllRenderers() {
  if (!renderers()) return;
  for (int id = 0; id <= renderers()->highestId(); ++id) tkDeleteRenderer(id);
}

}  // namespace tk
