#include "geometry/obj/obj_material_mapping.h"

#include "geometry/obj/mtl_statements.h"

namespace tk {
namespace {

using irr::video::SColor;
using irr::video::SMaterial;

// A colour channel from 0..1; out-of-range and non-numbers are held to the range.
irr::u32 channel(float value) {
  if (!(value > 0.0f)) return 0;
  if (value >= 1.0f) return 255;
  return static_cast<irr::u32>(value * 255.0f);
}

SColor opaqueColour(const float rgb[3]) { return SColor(255, channel(rgb[0]), channel(rgb[1]), channel(rgb[2])); }

void applyColours(const tinyobj::material_t& source, unsigned stated, SMaterial* m) {
  if (stated & kMtlShininess) m->Shininess = source.shininess * 0.128f;  // 0..1000 to the library's range
  if (stated & kMtlAmbient) m->AmbientColor = opaqueColour(source.ambient);
  if (stated & kMtlDiffuse) m->DiffuseColor = opaqueColour(source.diffuse);
  if (stated & kMtlSpecular) m->SpecularColor = opaqueColour(source.specular);
  if (stated & kMtlEmissive) m->EmissiveColor = opaqueColour(source.emission);
}

// d, or else the mean of Tf, as diffuse alpha; below 1 the material blends by vertex alpha.
void applyTransparency(const tinyobj::material_t& source, unsigned stated, SMaterial* m) {
  float opacity;
  if (stated & kMtlDissolve)
    opacity = source.dissolve;
  else if (stated & kMtlFilter)
    opacity = (source.transmittance[0] + source.transmittance[1] + source.transmittance[2]) / 3.0f;
  else
    return;
  m->DiffuseColor.setAlpha(channel(opacity));
  if (!(opacity >= 1.0f)) m->MaterialType = irr::video::EMT_TRANSPARENT_VERTEX_ALPHA;
}

// A texture named in a material file: under the scene's OBJ texture folder when
// set, else as named, else beside the OBJ file. `fresh` tells whether this
// load made it.
irr::video::ITexture* findTexture(const std::string& written, irr::scene::ISceneManager* scenes,
                                  const irr::io::path& objFolder, bool* fresh) {
  *fresh = false;
  irr::io::path name(written.c_str());
  name.replace('\\', '/');
  if (name.empty()) return nullptr;
  irr::io::IFileSystem* files = scenes->getFileSystem();
  irr::video::IVideoDriver* driver = scenes->getVideoDriver();
  irr::io::path userFolder = scenes->getParameters()->getAttributeAsString(irr::scene::OBJ_TEXTURE_PATH);
  if (!userFolder.empty() && files->existFile(userFolder + "/" + name))
    return driver->getTexture(userFolder + "/" + name);
  if (!files->existFile(name)) name = objFolder + name;
  *fresh = driver->findTexture(name) == nullptr;
  return driver->getTexture(name);
}

// Diffuse colour goes white (alpha kept) so that it does not tint the texture.
void whitenUnderTexture(SMaterial* m) { m->DiffuseColor.set(m->DiffuseColor.getAlpha(), 255, 255, 255); }

void applyTextures(const tinyobj::material_t& source, irr::scene::ISceneManager* scenes, const irr::io::path& objFolder,
                   SMaterial* m) {
  bool fresh;
  const bool clamp = source.diffuse_texopt.clamp || source.alpha_texopt.clamp || source.bump_texopt.clamp;
  if (clamp) m->setFlag(irr::video::EMF_TEXTURE_WRAP, true);  // every layer clamps, as the library does
  if (irr::video::ITexture* diffuse = findTexture(source.diffuse_texname, scenes, objFolder, &fresh)) {
    m->setTexture(0, diffuse);
    whitenUnderTexture(m);
  }
  if (irr::video::ITexture* opacity = findTexture(source.alpha_texname, scenes, objFolder, &fresh)) {
    m->setTexture(0, opacity);
    m->MaterialType = irr::video::EMT_TRANSPARENT_ADD_COLOR;
    whitenUnderTexture(m);
  }
  if (irr::video::ITexture* bump = findTexture(source.bump_texname, scenes, objFolder, &fresh)) {
    // A height map becomes a normal map once, when it is first loaded.
    if (fresh) scenes->getVideoDriver()->makeNormalMapTexture(bump, 6.0f);
    m->setTexture(1, bump);
    m->MaterialType = irr::video::EMT_PARALLAX_MAP_SOLID;
    m->MaterialTypeParam = 0.035f;
    whitenUnderTexture(m);
  }
}

}  // namespace

SMaterial objDefaultMaterial() {
  SMaterial m;
  m.Shininess = 0.0f;
  m.AmbientColor = irr::video::SColorf(0.2f, 0.2f, 0.2f, 1.0f).toSColor();
  m.DiffuseColor = irr::video::SColorf(0.8f, 0.8f, 0.8f, 1.0f).toSColor();
  m.SpecularColor = irr::video::SColorf(1.0f, 1.0f, 1.0f, 1.0f).toSColor();
  return m;
}

SMaterial objMaterial(const tinyobj::material_t& source, unsigned stated, irr::scene::ISceneManager* scenes,
                      const irr::io::path& objFolder) {
  SMaterial m = objDefaultMaterial();
  applyColours(source, stated, &m);
  applyTransparency(source, stated, &m);
  applyTextures(source, scenes, objFolder, &m);
  return m;
}

}  // namespace tk
