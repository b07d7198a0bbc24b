// The engine's OBJ loader against the display library's own: the same meshes
// on good files, a source point for every vertex, and clean refusals where the
// library's loader would crash.
#include "geometry/obj/obj_mesh_loader.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "base/log.h"
#include "geometry/mesh_loading.h"
#include "geometry/source_points.h"
#include "tests/geometry/mesh_comparison.h"
#include "tests/support/capture_stdout.h"

namespace tk {
namespace {

namespace fs = std::filesystem;
using irr::scene::IAnimatedMesh;
using irr::scene::IMeshBuffer;

// A scene manager on the null driver, with the display library's own OBJ
// loader kept aside before the engine's is registered.
class ObjMeshLoaderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setLogThreshold(LOG_NONE);
    device_ = irr::createDevice(irr::video::EDT_NULL);
    ASSERT_TRUE(device_);
    device_->getLogger()->setLogLevel(irr::ELL_NONE);
    scenes_ = device_->getSceneManager();
    for (irr::u32 i = 0; i < scenes_->getMeshLoaderCount(); ++i)
      if (scenes_->getMeshLoader(i)->isALoadableFileExtension("mesh.obj")) libraryLoader_ = scenes_->getMeshLoader(i);
    ASSERT_TRUE(libraryLoader_);
    registerMeshLoaders(scenes_);
  }
  void TearDown() override {
    device_->drop();
    setLogThreshold(LOG_INFO);
  }

  IAnimatedMesh* libraryMesh(const std::string& path) { return test::meshByLoader(libraryLoader_, device_, path); }

  // A 2x2 picture for materials to name.
  void writePicture(const std::string& path) {
    irr::video::IVideoDriver* driver = device_->getVideoDriver();
    irr::video::IImage* image = driver->createImage(irr::video::ECF_R8G8B8, irr::core::dimension2du(2, 2));
    image->fill(irr::video::SColor(255, 200, 100, 50));
    driver->writeImageToFile(image, path.c_str());
    image->drop();
  }

  irr::IrrlichtDevice* device_ = nullptr;
  irr::scene::ISceneManager* scenes_ = nullptr;
  irr::scene::IMeshLoader* libraryLoader_ = nullptr;
};

// Every vertex sits where its source point is, mirrored as loaded.
void expectSourcePointsMatch(IAnimatedMesh* mesh, const std::vector<irr::core::vector3df>& filePoints,
                             const std::string& name) {
  irr::scene::IMesh* m = mesh->getMesh(0);
  for (irr::u32 b = 0; b < m->getMeshBufferCount(); ++b) {
    const IMeshBuffer* buffer = m->getMeshBuffer(b);
    const std::vector<irr::u32>* points = sourcePoints(buffer);
    ASSERT_TRUE(points) << name << " buffer " << b;
    ASSERT_EQ(points->size(), buffer->getVertexCount()) << name << " buffer " << b;
    for (irr::u32 i = 0; i < buffer->getVertexCount(); ++i) {
      ASSERT_LT((*points)[i], filePoints.size()) << name;
      const irr::core::vector3df& p = filePoints[(*points)[i]];
      test::expectNear(buffer->getPosition(i), irr::core::vector3df(-p.X, p.Y, p.Z),
                       name + " buffer " + std::to_string(b) + " vertex " + std::to_string(i));
    }
  }
}

// The "v" lines of an OBJ text, as written.
std::vector<irr::core::vector3df> filePoints(const std::string& text) {
  std::vector<irr::core::vector3df> points;
  std::istringstream lines(text);
  std::string line;
  while (std::getline(lines, line)) {
    std::istringstream words(line);
    std::string key;
    irr::core::vector3df p;
    if (words >> key && key == "v" && words >> p.X >> p.Y >> p.Z) points.push_back(p);
  }
  return points;
}

std::string readText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

std::vector<std::string> exampleMeshes() {
  std::vector<std::string> paths;
  const fs::path examples = fs::path(TESK_SOURCE_DIR) / "examples";
  for (const auto& entry : fs::recursive_directory_iterator(examples))
    if (entry.is_regular_file() && entry.path().extension() == ".obj") paths.push_back(entry.path().string());
  return paths;
}

TEST_F(ObjMeshLoaderTest, ExampleMeshesMatchTheLibraryLoader) {
  const std::vector<std::string> paths = exampleMeshes();
  ASSERT_GE(paths.size(), 7u);
  for (const std::string& path : paths) {
    IAnimatedMesh* theirs = libraryMesh(path);
    IAnimatedMesh* ours = loadMesh(scenes_, path.c_str());
    test::expectSameMesh(ours, theirs, path);
    if (ours) expectSourcePointsMatch(ours, filePoints(readText(path)), path);
    if (theirs) theirs->drop();
  }
}

// Materials of every kind the loaders map, for the cases below.
const char* const kMaterials =
    "newmtl plain\n"
    "Kd 0.9 0.2 0.1\n"
    "newmtl full\n"
    "Ka 0 0 0\nKd 1 0.5 0\nKs 0.25 0.25 0.25\nKe 0.1 0.2 0.3\nNs 250\n"
    "newmtl glass\n"
    "Kd 0 0 1\nd 0.5\n"
    "newmtl filter\n"
    "Tf 0.25 0.25 0.25\n"
    "newmtl textured\n"
    "Kd 0.2 0.2 0.2\nmap_Kd picture.bmp\n"
    "newmtl clamped\n"
    "map_Kd -clamp on picture.bmp\n"
    "newmtl cutout\n"
    "d 0.75\nmap_d picture.bmp\n"
    "newmtl bumpy\n"
    "Kd 0.5 0.5 0.5\nmap_bump bump.bmp\n"
    "newmtl unnamed-texture\n"
    "map_Kd missing.bmp\n";

const char* const kPoints =
    "v 0 0 0\nv 1.5 0 0\nv 1.5 1 0\nv 0 1 0\nv 0.25 0.5 -1\nv -1 -1 2\n"
    "vt 0 0\nvt 1 0\nvt 1 1\nvt 0 1\n"
    "vn 0 0 1\nvn 0 1 0\nvn 0.6 0 0.8\n";

struct GoodFile {
  const char* name;
  std::string text;
};

const GoodFile kGoodFiles[] = {
    {"faces of every index form",
     std::string(kPoints) + "f 1 2 3\nf 1/1 2/2 3/3 4/4\nf 1//1 3//2 5//3\nf 2/2/1 3/3/1 6/4/2\n"},
    {"polygons and negative indices", std::string(kPoints) + "f 1 2 3 4 5 6\nf -6/-4/-3 -5/-3/-2 -4/-2/-1\n"},
    {"materials and groups",
     "mtllib materials.mtl\n" + std::string(kPoints) +
         "f 1 2 3\nusemtl plain\nf 1 2 3\ng left\nf 2 3 4\nusemtl full\nf 3 4 5\ng right side\nusemtl plain\n"
         "f 4 5 6\ng\nf 1 5 6\nusemtl nowhere\nf 1 2 6\ng left\nusemtl full\nf 1 4 6\n"},
    {"every material",
     "mtllib materials.mtl\n" + std::string(kPoints) +
         "usemtl plain\nf 1/1/1 2/2/1 3/3/1\nusemtl full\nf 1/1/1 2/2/1 3/3/1\nusemtl glass\nf 1/1 2/2 4/4\n"
         "usemtl filter\nf 1 2 3\nusemtl textured\nf 1/1 2/2 3/3\nusemtl clamped\nf 2 3 4\n"
         "usemtl cutout\nf 3 4 5\nusemtl bumpy\nf 1/1/1 2/2/1 3/3/1 4/4/1\n"
         "usemtl unnamed-texture\nf 1 3 5\n"},
    {"shared corners merge", std::string(kPoints) + "f 1/1/1 2/2/1 3/3/1\nf 1/1/1 3/3/1 4/4/1\nf 1/1/2 3/3/1 4/4/1\n"},
    {"corners without normals share flat ones", std::string(kPoints) + "f 1 2 3\nf 1 3 5\nf 2/1/1 4/2/2 6/3/3\n"},
    {"comments, blanks, objects and CRLF",
     "# made by hand\r\n\r\no thing\r\n" + std::string(kPoints) + "s 1\r\nf 1 2 3\r\ns off\r\n   f 2 3 4   \r\n"},
    {"missing material library", "mtllib nowhere.mtl\n" + std::string(kPoints) + "usemtl plain\nf 1 2 3\n"},
};

TEST_F(ObjMeshLoaderTest, GoodFilesMatchTheLibraryLoader) {
  test::TempFolder folder;
  folder.write("materials.mtl", kMaterials);
  writePicture(folder.path() + "/picture.bmp");
  writePicture(folder.path() + "/bump.bmp");
  int made = 0;
  for (const GoodFile& good : kGoodFiles) {
    const std::string path = folder.write("case" + std::to_string(made++) + ".obj", good.text);
    IAnimatedMesh* theirs = libraryMesh(path);
    IAnimatedMesh* ours = loadMesh(scenes_, path.c_str());
    test::expectSameMesh(ours, theirs, good.name);
    if (ours) expectSourcePointsMatch(ours, filePoints(good.text), good.name);
    if (theirs) theirs->drop();
  }
}

TEST_F(ObjMeshLoaderTest, TheEngineLoaderAnswersFirst) {
  test::TempFolder folder;
  const std::string path = folder.write("box.obj", std::string(kPoints) + "f 1 2 3\n");
  IAnimatedMesh* mesh = scenes_->getMesh(path.c_str());
  ASSERT_TRUE(mesh);
  EXPECT_TRUE(sourcePoints(mesh->getMesh(0)->getMeshBuffer(0)));
  // Other files' buffers carry no table.
  IAnimatedMesh* library = libraryMesh(path);
  EXPECT_FALSE(sourcePoints(library->getMesh(0)->getMeshBuffer(0)));
  library->drop();
}

// Points that appear in several faces and buffers keep their file index; a
// point used by no face is in no buffer.
TEST_F(ObjMeshLoaderTest, SourcePointsNameTheFilePoints) {
  test::TempFolder folder;
  folder.write("materials.mtl", kMaterials);
  const std::string path =
      folder.write("split.obj",
                   "mtllib materials.mtl\nv 0 0 0\nv 9 9 9\nv 1 0 0\nv 1 1 0\nv 0 1 0\nvt 0 0\nvt 1 1\n"
                   "f 1/1 3/1 4/1\nf 1/2 4/1 5/1\nusemtl plain\nf 5 4 3\n");
  IAnimatedMesh* mesh = loadMesh(scenes_, path.c_str());
  ASSERT_TRUE(mesh);
  irr::scene::IMesh* m = mesh->getMesh(0);
  ASSERT_EQ(m->getMeshBufferCount(), 2u);
  // Point 0 (the first) appears twice with different UVs: two vertices, one point.
  EXPECT_EQ(*sourcePoints(m->getMeshBuffer(0)), (std::vector<irr::u32>{0, 2, 3, 0, 4}));
  EXPECT_EQ(*sourcePoints(m->getMeshBuffer(1)), (std::vector<irr::u32>{4, 3, 2}));
}

TEST_F(ObjMeshLoaderTest, SourcePointsLeaveWithTheirBuffer) {
  auto* buffer = new CTkSourcedStandardBuffer;
  buffer->SourcePoints = {7};
  const IMeshBuffer* key = buffer;
  EXPECT_EQ(sourcePoints(key), &buffer->SourcePoints);
  buffer->drop();
  EXPECT_EQ(sourcePoints(key), nullptr);
}

struct BadFile {
  const char* name;
  std::string text;
  int triangles;  // what is left to load; 0 means the file is refused
};

const BadFile kBadFiles[] = {
    {"empty file", "", 0},
    {"points without faces", "v 0 0 0\nv 1 0 0\nv 0 1 0\n", 0},
    {"a point beyond the list", "v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 2147483647\n", 0},
    {"a negative index beyond the list", "v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 -4\n", 0},
    {"the smallest index", "v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 -2147483648\n", 0},
    {"point index 0", "v 0 0 0\nv 1 0 0\nv 0 1 0\nf 0 1 2\n", 0},
    {"a UV beyond the list", "v 0 0 0\nv 1 0 0\nv 0 1 0\nvt 0 0\nf 1/1 2/2 3/1\n", 0},
    {"a normal beyond the list", "v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1//1 2//1 3//1\n", 0},
    {"a face before its points", "f 1 2 3\nv 0 0 0\nv 1 0 0\nv 0 1 0\n", 0},
    {"text that is no OBJ", "\x01\x02garbage\xff\xfe\n\n\t#", 0},
    {"one bad face among good ones", "v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\nf 1 2 2147483647\nf 3 2 1\n", 2},
    {"a material library without a name", "mtllib\nmtllib \nv 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n", 1},
    {"a missing material library", "mtllib missing.mtl\nv 0 0 0\nv 1 0 0\nv 0 1 0\nusemtl x\nf 1 2 3\n", 1},
    {"a material library that is a folder", "mtllib .\nv 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n", 1},
    {"a material library that never ends", "mtllib /dev/zero\nv 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n", 1},
    {"faces of one and two corners", "v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1\nf 1 2\nf 1 2 3\n", 1},
    {"group and material lines without names", "v 0 0 0\nv 1 0 0\nv 0 1 0\ng\nusemtl\nusemtl \nf 1 2 3\n", 1},
};

TEST_F(ObjMeshLoaderTest, BadFilesAreRefusedOrLoadWhatIsValid) {
  test::TempFolder folder;
  int made = 0;
  for (const BadFile& bad : kBadFiles) {
    const std::string path = folder.write("bad" + std::to_string(made++) + ".obj", bad.text);
    IAnimatedMesh* mesh = loadMesh(scenes_, path.c_str());
    if (bad.triangles == 0) {
      EXPECT_FALSE(mesh) << bad.name;
      // A refusal is not kept: the file is read again once mended.
      EXPECT_EQ(scenes_->getMeshCache()->getMeshByName(path.c_str()), nullptr) << bad.name;
      continue;
    }
    ASSERT_TRUE(mesh) << bad.name;
    irr::u32 indices = 0;
    for (irr::u32 b = 0; b < mesh->getMesh(0)->getMeshBufferCount(); ++b)
      indices += mesh->getMesh(0)->getMeshBuffer(b)->getIndexCount();
    EXPECT_EQ(indices, irr::u32(bad.triangles * 3)) << bad.name;
  }
}

}  // namespace
}  // namespace tk
