#pragma once
// MTL materials as display-library materials, mapped as the display library's
// own OBJ loader maps them: its defaults for what a material leaves out, Ns
// scaled to its shininess, d (or else Tf) as diffuse alpha with vertex-alpha
// transparency below 1, map_Kd on layer 0, map_d on layer 0 drawn as added
// colour, a bump map turned into a normal map on layer 1 with parallax
// mapping, and white diffuse under any texture found.

#include <irrlicht.h>
#include <tiny_obj_loader.h>

namespace tk {

// The material of faces that name none.
irr::video::SMaterial objDefaultMaterial();

// `stated` is the mask of MtlStatement the material file wrote; textures are
// looked up beside the OBJ file (`objFolder`, with its trailing '/').
irr::video::SMaterial objMaterial(const tinyobj::material_t& source, unsigned stated, irr::scene::ISceneManager* scenes,
                                  const irr::io::path& objFolder);

}  // namespace tk
