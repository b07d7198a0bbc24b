#include "effects/shaders/compiled_shader.h"

#include <cstring>
#include <tuple>

#include "effects/shaders/shader_digest.h"

namespace tk {
namespace {

constexpr char kMagic[8] = {'T', 'K', 'S', 'H', 'D', 'R', '0', '2'};

class Writer {
 public:
  void u32(uint32_t v) {
    for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<uint8_t>(v >> (8 * i)));
  }
  void text(const std::string& s) {
    u32(static_cast<uint32_t>(s.size()));
    bytes.insert(bytes.end(), s.begin(), s.end());
  }
  std::vector<uint8_t> bytes;
};

class Reader {
 public:
  Reader(const uint8_t* data, size_t size) : data_(data), size_(size) {}
  bool u32(uint32_t* v) {
    if (size_ - at_ < 4) return false;
    *v = 0;
    for (int i = 0; i < 4; ++i) *v |= static_cast<uint32_t>(data_[at_ + i]) << (8 * i);
    at_ += 4;
    return true;
  }
  template <typename T>
  bool small(T* v) {
    uint32_t w;
    if (!u32(&w)) return false;
    *v = static_cast<T>(w);
    return true;
  }
  bool text(std::string* s) {
    uint32_t n;
    if (!u32(&n) || size_ - at_ < n) return false;
    s->assign(reinterpret_cast<const char*>(data_ + at_), n);
    at_ += n;
    return true;
  }
  bool finished() const { return at_ == size_; }

 private:
  const uint8_t* data_;
  size_t size_;
  size_t at_ = 0;
};

void writeConstantRecord(Writer& w, const STkShaderConstant& c) {
  w.text(c.name);
  w.text(c.semantic);
  for (uint32_t v : {c.offset, c.size, static_cast<uint32_t>(c.scalar), static_cast<uint32_t>(c.rows),
                     static_cast<uint32_t>(c.columns), c.arrayCount, c.arrayStride, c.matrixStride,
                     static_cast<uint32_t>(c.columnsContiguous)})
    w.u32(v);
}

bool readConstantRecord(Reader& r, STkShaderConstant* c) {
  return r.text(&c->name) && r.text(&c->semantic) && r.u32(&c->offset) && r.u32(&c->size) && r.small(&c->scalar) &&
         r.small(&c->rows) && r.small(&c->columns) && r.u32(&c->arrayCount) && r.u32(&c->arrayStride) &&
         r.u32(&c->matrixStride) && r.small(&c->columnsContiguous);
}

bool readTable(Reader& r, STkShaderConstantTable* table) {
  uint32_t constants, samplers;
  if (!r.text(&table->blockName) || !r.small(&table->blockBinding) || !r.u32(&table->blockSize) || !r.u32(&constants))
    return false;
  for (uint32_t i = 0; i < constants; ++i) {
    STkShaderConstant c;
    if (!readConstantRecord(r, &c)) return false;
    table->constants.push_back(std::move(c));
  }
  if (!r.u32(&samplers)) return false;
  for (uint32_t i = 0; i < samplers; ++i) {
    STkShaderSampler s;
    if (!r.text(&s.name) || !r.text(&s.semantic) || !r.small(&s.unit) || !r.small(&s.dimension)) return false;
    table->samplers.push_back(std::move(s));
  }
  return true;
}

}  // namespace

bool operator==(const STkCompiledShader& a, const STkCompiledShader& b) {
  return std::tie(a.vertex, a.glsl, a.table) == std::tie(b.vertex, b.glsl, b.table);
}

std::vector<uint8_t> serialiseCompiledShader(const STkCompiledShader& shader) {
  Writer w;
  w.bytes.assign(kMagic, kMagic + sizeof kMagic);
  w.u32(shader.vertex ? 1 : 0);
  w.text(shader.glsl);
  const STkShaderConstantTable& t = shader.table;
  w.text(t.blockName);
  w.u32(static_cast<uint32_t>(t.blockBinding));
  w.u32(t.blockSize);
  w.u32(static_cast<uint32_t>(t.constants.size()));
  for (const STkShaderConstant& c : t.constants) writeConstantRecord(w, c);
  w.u32(static_cast<uint32_t>(t.samplers.size()));
  for (const STkShaderSampler& s : t.samplers) {
    w.text(s.name);
    w.text(s.semantic);
    w.u32(static_cast<uint32_t>(s.unit));
    w.u32(s.dimension);
  }
  ShaderDigest digest = shaderDigest(w.bytes.data(), w.bytes.size());
  w.bytes.insert(w.bytes.end(), digest.begin(), digest.end());
  return std::move(w.bytes);
}

bool deserialiseCompiledShader(const std::vector<uint8_t>& bytes, STkCompiledShader* shader) {
  const size_t digestSize = sizeof(ShaderDigest);
  if (bytes.size() < sizeof kMagic + digestSize || std::memcmp(bytes.data(), kMagic, sizeof kMagic) != 0) return false;
  const size_t body = bytes.size() - digestSize;
  ShaderDigest digest = shaderDigest(bytes.data(), body);
  if (std::memcmp(digest.data(), bytes.data() + body, digestSize) != 0) return false;
  Reader r(bytes.data() + sizeof kMagic, body - sizeof kMagic);
  STkCompiledShader read;
  uint32_t vertex;
  if (!r.u32(&vertex) || !r.text(&read.glsl) || !readTable(r, &read.table) || !r.finished()) return false;
  read.vertex = vertex != 0;
  *shader = std::move(read);
  return true;
}

}  // namespace tk
