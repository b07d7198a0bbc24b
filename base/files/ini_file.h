#pragma once
// INI files (iniparser) read through the engine file layer, so that setup and
// demo files inside a mounted archive are found like any other file.

#include <cstdint>
#include <memory>
#include <string>

struct _dictionary_;

namespace tk {

class IniFile {
 public:
  // Null when the file cannot be opened through the file layer or not parsed;
  // `error` (when given) then says which: empty for a file that does not open,
  // the parser's complaint for a malformed one.
  static std::unique_ptr<IniFile> load(const char* name, std::string* error = nullptr);
  // `name` stands for the text in the parser's complaint.
  static std::unique_ptr<IniFile> fromText(const std::string& text, std::string* error = nullptr,
                                           const std::string& name = "text");
  ~IniFile();

  // Keys are "section:key"; section and key names are compared without regard to case.
  bool has(const char* key) const;
  const char* getString(const char* key, const char* fallback) const;
  // Decimal, hexadecimal after "0x", octal after a leading 0; held to the int range.
  int getInt(const char* key, int fallback) const;
  // A 32-bit word (a colour 0xAARRGGBB) in the same forms: values from -2^31 to
  // 2^32 - 1 give their 32-bit pattern, values beyond take the nearest end.
  uint32_t getWord(const char* key, uint32_t fallback) const;
  double getDouble(const char* key, double fallback) const;
  int sectionCount() const;
  std::string sectionName(int index) const;

 private:
  explicit IniFile(_dictionary_* dictionary) : dictionary_(dictionary) {}
  _dictionary_* dictionary_;
};

}  // namespace tk
