#include "effects/binds/bind_helpers.h"

#include <climits>
#include <cstring>

namespace tk {

STkBindResult bindAnswer(TkBindFunction function) {
  STkBindResult result;
  result.function = function;
  result.flags = kBindFlagAnswers;
  result.status = kBindAnswered;
  return result;
}

namespace {

// Reads the decimal digits starting at `position`; false without any digit or
// beyond int. `position` ends after the last digit.
bool readNumber(const std::string& text, size_t* position, int* number) {
  size_t at = *position;
  long long value = 0;
  while (at < text.size() && text[at] >= '0' && text[at] <= '9') {
    value = value * 10 + (text[at] - '0');
    if (value > INT_MAX) return false;
    ++at;
  }
  if (at == *position) return false;
  *position = at;
  *number = static_cast<int>(value);
  return true;
}

bool startsWith(const std::string& text, const char* prefix) {
  return text.compare(0, std::strlen(prefix), prefix) == 0;
}

bool endsWith(const std::string& text, const char* suffix) {
  size_t length = std::strlen(suffix);
  return text.size() >= length && text.compare(text.size() - length, length, suffix) == 0;
}

}  // namespace

bool parseIndexedSemantic(const std::string& text, const char* prefix, int* index) {
  if (!startsWith(text, prefix)) return false;
  size_t position = std::strlen(prefix);
  return readNumber(text, &position, index) && position == text.size();
}

bool parseIndexedMember(const std::string& text, const char* prefix, const char* separator, int* index,
                        std::string* member) {
  if (!startsWith(text, prefix)) return false;
  size_t position = std::strlen(prefix);
  if (!readNumber(text, &position, index)) return false;
  size_t separatorLength = std::strlen(separator);
  if (text.compare(position, separatorLength, separator) != 0) return false;
  position += separatorLength;
  if (position >= text.size()) return false;
  *member = text.substr(position);
  return true;
}

irr::core::matrix4 firstThen(const irr::core::matrix4& first, const irr::core::matrix4& second) {
  return second * first;
}

irr::core::matrix4 firstThen(const irr::core::matrix4& first, const irr::core::matrix4& second,
                             const irr::core::matrix4& third) {
  return third * second * first;
}

irr::core::matrix4 inverseOrSelf(const irr::core::matrix4& matrix) {
  irr::core::matrix4 inverse;
  return matrix.getInverse(inverse) ? inverse : matrix;
}

bool parseMatrixSemantic(const std::string& semantic, const STkMatrixSemantic* rows, int rowCount, int* id,
                         int* variant) {
  std::string name = semantic;
  int found = 0;
  if (endsWith(name, "Transpose")) {
    found |= kMatrixTranspose;
    name.resize(name.size() - std::strlen("Transpose"));
  }
  if (endsWith(name, "Inverse")) {
    found |= kMatrixInverse;
    name.resize(name.size() - std::strlen("Inverse"));
  }
  for (int i = 0; i < rowCount; ++i) {
    if (name != rows[i].name) continue;
    if ((found & kMatrixInverse) && !rows[i].inverseAccepted) return false;
    *id = rows[i].id;
    *variant = found;
    return true;
  }
  return false;
}

irr::core::matrix4 matrixVariant(const irr::core::matrix4& matrix, int variant) {
  irr::core::matrix4 result = (variant & kMatrixInverse) ? inverseOrSelf(matrix) : matrix;
  return (variant & kMatrixTranspose) ? result.getTransposed() : result;
}

void uploadPoint(irr::video::IMaterialRendererServices* services, const STkFxConstBind& constant,
                 const irr::core::vector3df& point, float w) {
  const float values[4] = {point.X, point.Y, point.Z, w};
  uploadByName(services, constant, values, 4);
}

void uploadVector3(irr::video::IMaterialRendererServices* services, const STkFxConstBind& constant,
                   const irr::core::vector3df& vector) {
  const float values[3] = {vector.X, vector.Y, vector.Z};
  uploadByName(services, constant, values, 3);
}

void uploadScalar(irr::video::IMaterialRendererServices* services, const STkFxConstBind& constant, float value) {
  uploadByName(services, constant, &value, 1);
}

int highestMipLevel(const irr::core::dimension2du& size) {
  irr::u32 largest = size.Width > size.Height ? size.Width : size.Height;
  int level = -1;
  while (largest) {
    largest >>= 1;
    ++level;
  }
  return level < 0 ? 0 : level;
}

}  // namespace tk
