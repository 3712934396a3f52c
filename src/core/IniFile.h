#pragma once
// TIniFile: the settings file format. Sections "[name]" hold "key=value"
// lines; section and key names compare case-insensitively (ASCII), values
// are kept as text. A rewrite keeps every line it did not change: unknown
// sections, unknown keys, comments and blank lines stay where they were.
#include <string>
#include <string_view>
#include <vector>

namespace kroma {

class TIniFile {
 public:
  // An empty file that will be written to `path`.
  TIniFile() = default;
  explicit TIniFile(std::string path);

  // Reads `path`; a missing file gives an empty one. Throws Error when the
  // file exists but cannot be read.
  static TIniFile Load(const std::string& path);
  static TIniFile FromText(std::string_view text);

  const std::string& Path() const { return path_; }

  bool SectionExists(std::string_view section) const;
  bool ValueExists(std::string_view section, std::string_view key) const;
  std::string ReadString(std::string_view section, std::string_view key, std::string_view fallback) const;
  // The value as a decimal integer (see TryStrToInt); `fallback` when the
  // key is missing or its text is no integer.
  int ReadInteger(std::string_view section, std::string_view key, int fallback) const;

  // Sets a value: replaces the key's line in place, or appends it to the
  // section, or appends a new section at the end. Line breaks in the value
  // are replaced by spaces so that one value stays one line.
  void WriteString(std::string_view section, std::string_view key, std::string_view value);
  void WriteInteger(std::string_view section, std::string_view key, int value);
  void DeleteKey(std::string_view section, std::string_view key);

  std::string ToText() const;
  // Writes ToText() to Path() atomically; throws Error on failure.
  void UpdateFile() const;

 private:
  struct Line {
    std::string text;  // the line as read (or as last written)
    std::string key;   // key of a "key=value" line, empty otherwise
    std::string value;
  };
  struct Section {
    std::string name;  // empty for lines before the first section header
    std::string header;
    std::vector<Line> lines;
  };
  Section* FindSection(std::string_view name);
  const Section* FindSection(std::string_view name) const;

  std::string path_;
  std::vector<Section> sections_;
};

// The program's rule for "text that converts to an integer": optional
// spaces, an optional sign, decimal digits, optional spaces, and a value
// that fits an int. Used by the settings file and by the input boxes.
bool TryStrToInt(std::string_view text, int& value);
// The same for reals: a decimal number with an optional fraction and
// exponent ('.' as the separator), finite.
bool TryStrToFloat(std::string_view text, double& value);

}  // namespace kroma
