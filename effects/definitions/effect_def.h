#pragma once
// The effect definition: a format-neutral description of an effect read from a
// file (parameters, techniques, passes, shaders, states and annotations). Loaders
// fill it once; afterwards it is only read, by the effect builder among others.

#include <irrlicht.h>

#include <string>
#include <vector>

namespace tk {

// Parameter type codes.
enum : int {
  kParamBool = 1,
  kParamFloat = 2,
  kParamFloat2 = 3,
  kParamFloat3 = 4,
  kParamFloat4 = 5,
  kParamFloat4x4 = 6,
  kParamInt = 7,
  kParamTexture1D = 8,
  kParamTexture2D = 9,
  kParamTexture3D = 10,
  kParamTextureRect = 11,
  kParamTextureCube = 12,
  kParamTextureDepth = 13,
  kParamUserType = 14,
};

// Shader stages.
enum : int { kStageTesselation = 1, kStageVertex = 2, kStageGeometry = 3, kStagePixel = 4 };

// Shader profiles: 1 vs_1_1, 2 vs_2_0, 3 vs_3_0, 4 ps_1_1, 5 ps_2_0, 6 ps_3_0.
enum : int { kProfileVs30 = 3, kProfilePs30 = 6 };

// The texture a texture parameter samples and how.
struct SSampler {
  std::string imageReference;
  std::string wrapS, wrapT, wrapR;
  std::string minFilter, magFilter, mipFilter;
};

// A parameter; the same record serves as a name/value annotation and as a
// shader's reference to a parameter (name = bind name, value = parameter name).
struct SParameter {
  std::string name;
  std::string value;     // default value text: numbers separated by white space
  std::string semantic;  // the engine value that feeds it, or empty
  int type = 0;
  std::vector<SParameter> annotations;
  SSampler sampler;
};

struct SState {
  std::string name;
  std::string value;
  std::string parameterReference;
  int index = 0;  // the sampler index for texture states
};

struct SShader {
  int stage = 0;
  std::string entry;
  std::string source;
  std::vector<std::string> inlineDefines;  // "#define NAME [value]"
  int profile = 0;
  std::vector<SParameter> binds;
};

struct SEvaluate {
  std::string a, b, c;
  int index = 0;
};

struct SPass {
  std::string name;
  std::vector<SShader> shaders;
  std::vector<SState> states;
  std::vector<SEvaluate> evaluates;
  std::vector<SParameter> annotations;
};

struct STechnique {
  std::string name;  // empty for the default technique
  std::vector<SPass> passes;
  std::vector<SParameter> annotations;
};

struct SInclude {
  std::string name;
  std::string url;
};

struct STkEffectDesc {
  std::string title;
  std::string subject;
  std::string comments;
  int parameterCount = 0;
  int techniqueCount = 0;
  int compileFlagCount = 0;
};

// Read access to a definition. Lookups answer null (or -1) for an index out
// of range or an unknown name. The value readers parse a parameter's value
// text; they fill `count` values and report false when some were missing
// (those read as 0) or the parameter does not exist.
class ITkEffectDef : public virtual irr::IReferenceCounted {
 public:
  virtual STkEffectDesc getDesc() const = 0;

  virtual const STechnique* getTechnique(int index) const = 0;
  virtual const STechnique* getTechniqueByName(const char* name) const = 0;
  virtual const SPass* getPass(int technique, int pass) const = 0;
  virtual const SShader* getShader(int technique, int pass, int shader) const = 0;
  virtual const SState* getState(int technique, int pass, int state) const = 0;
  virtual const SParameter* getTechniqueAnnotation(int technique, int index) const = 0;
  virtual const SParameter* getPassAnnotation(int technique, int pass, int index) const = 0;

  virtual const SParameter* getParameter(int index) const = 0;
  virtual const SParameter* getParameterByName(const char* name) const = 0;
  virtual int getParameterIndex(const char* name) const = 0;
  virtual const SParameter* getCompileFlag(int index) const = 0;

  virtual bool getFloat(int parameter, float* value) const = 0;
  virtual bool getFloatArray(int parameter, float* values, int count) const = 0;
  virtual bool getBool(int parameter, bool* value) const = 0;
  virtual bool getInt(int parameter, int* value) const = 0;
  virtual bool getIntArray(int parameter, int* values, int count) const = 0;
  virtual bool getMatrix(int parameter, float* values16) const = 0;

  // The file the definition was read from (absolute), empty when unknown.
  virtual const std::string& getSourcePath() const = 0;
};

// The plain definition model. Loaders fill the public lists directly.
class CTkEffectDef : public ITkEffectDef {
 public:
  std::string title;
  std::string subject;
  std::string comments;
  std::vector<SParameter> parameters;  // unique by name, first declaration wins
  std::vector<SInclude> includes;
  std::vector<STechnique> techniques;  // index 0 is the default technique
  std::vector<SParameter> compileFlags;  // named "cflag", value "USE_" + name
  std::string sourcePath;
  bool driverFlag = false;

  STkEffectDesc getDesc() const override;
  const STechnique* getTechnique(int index) const override;
  const STechnique* getTechniqueByName(const char* name) const override;
  const SPass* getPass(int technique, int pass) const override;
  const SShader* getShader(int technique, int pass, int shader) const override;
  const SState* getState(int technique, int pass, int state) const override;
  const SParameter* getTechniqueAnnotation(int technique, int index) const override;
  const SParameter* getPassAnnotation(int technique, int pass, int index) const override;
  const SParameter* getParameter(int index) const override;
  const SParameter* getParameterByName(const char* name) const override;
  int getParameterIndex(const char* name) const override;
  const SParameter* getCompileFlag(int index) const override;
  bool getFloat(int parameter, float* value) const override;
  bool getFloatArray(int parameter, float* values, int count) const override;
  bool getBool(int parameter, bool* value) const override;
  bool getInt(int parameter, int* value) const override;
  bool getIntArray(int parameter, int* values, int count) const override;
  bool getMatrix(int parameter, float* values16) const override;
  const std::string& getSourcePath() const override { return sourcePath; }

  // Adds the parameter unless one of that name exists; answers its index.
  int addParameter(const SParameter& parameter);
};

// Name/value lists (annotations, binds): the first entry of that name, or null.
const SParameter* findNamed(const std::vector<SParameter>& list, const std::string& name);
// Sets the entry of that name to the value, appending it when absent.
void setNamed(std::vector<SParameter>* list, const std::string& name, const std::string& value);

}  // namespace tk
