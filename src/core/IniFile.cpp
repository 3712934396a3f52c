#include "core/IniFile.h"

#include <charconv>
#include <climits>
#include <filesystem>
#include <iterator>
#include <cmath>
#include <utility>

#include "core/FileIO.h"

namespace kroma {
namespace {

// Settings files are small; anything larger is not ours.
constexpr std::uint64_t kMaxIniBytes = std::uint64_t{16} << 20;

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; }

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsSpace(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsSpace(s.back())) s.remove_suffix(1);
  return s;
}

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (Lower(a[i]) != Lower(b[i])) return false;
  return true;
}

std::string OneLine(std::string_view s) {
  std::string out(s);
  for (char& c : out)
    if (c == '\n' || c == '\r') c = ' ';
  return out;
}

}  // namespace

bool TryStrToInt(std::string_view text, int& value) {
  std::string_view s = Trim(text);
  bool negative = false;
  if (!s.empty() && (s.front() == '+' || s.front() == '-')) {
    negative = s.front() == '-';
    s.remove_prefix(1);
  }
  if (s.empty() || s.front() < '0' || s.front() > '9') return false;
  long long magnitude = 0;
  auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), magnitude);
  if (ec != std::errc() || end != s.data() + s.size()) return false;
  long long v = negative ? -magnitude : magnitude;
  if (v < INT_MIN || v > INT_MAX) return false;
  value = static_cast<int>(v);
  return true;
}

bool TryStrToFloat(std::string_view text, double& value) {
  std::string_view s = Trim(text);
  bool negative = false;
  if (!s.empty() && (s.front() == '+' || s.front() == '-')) {
    negative = s.front() == '-';
    s.remove_prefix(1);
  }
  // from_chars also reads "inf" and "nan"; only digits and '.' may start a number here.
  if (s.empty() || !((s.front() >= '0' && s.front() <= '9') || s.front() == '.')) return false;
  double v = 0;
  auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v, std::chars_format::general);
  if (ec != std::errc() || end != s.data() + s.size() || !std::isfinite(v)) return false;
  value = negative ? -v : v;
  return true;
}

TIniFile::TIniFile(std::string path) : path_(std::move(path)) {}

TIniFile TIniFile::Load(const std::string& path) {
  std::error_code ec;
  if (!std::filesystem::exists(path, ec)) return TIniFile(path);  // written by the first close
  std::vector<std::uint8_t> bytes = ReadWholeFile(path, kMaxIniBytes);
  TIniFile ini = FromText(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
  ini.path_ = path;
  return ini;
}

TIniFile TIniFile::FromText(std::string_view text) {
  TIniFile ini;
  ini.sections_.push_back({});  // lines before the first header
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t eol = text.find('\n', pos);
    if (eol == std::string_view::npos) eol = text.size();
    std::string_view raw = text.substr(pos, eol - pos);
    pos = eol + 1;
    if (!raw.empty() && raw.back() == '\r') raw.remove_suffix(1);
    std::string_view t = Trim(raw);
    if (!t.empty() && t.front() == '[' && t.find(']') != std::string_view::npos) {
      Section s;
      s.name = std::string(Trim(t.substr(1, t.find(']') - 1)));
      s.header = std::string(raw);
      ini.sections_.push_back(std::move(s));
      continue;
    }
    Line line;
    line.text = std::string(raw);
    std::size_t eq = t.find('=');
    if (eq != std::string_view::npos && t.front() != ';' && t.front() != '#') {
      line.key = std::string(Trim(t.substr(0, eq)));
      line.value = std::string(Trim(t.substr(eq + 1)));
    }
    ini.sections_.back().lines.push_back(std::move(line));
  }
  return ini;
}

TIniFile::Section* TIniFile::FindSection(std::string_view name) {
  for (std::size_t i = 1; i < sections_.size(); ++i)
    if (SameName(sections_[i].name, name)) return &sections_[i];
  return nullptr;
}

const TIniFile::Section* TIniFile::FindSection(std::string_view name) const {
  return const_cast<TIniFile*>(this)->FindSection(name);
}

bool TIniFile::SectionExists(std::string_view section) const { return FindSection(section) != nullptr; }

bool TIniFile::ValueExists(std::string_view section, std::string_view key) const {
  const Section* s = FindSection(section);
  if (!s) return false;
  for (const Line& l : s->lines)
    if (!l.key.empty() && SameName(l.key, key)) return true;
  return false;
}

std::string TIniFile::ReadString(std::string_view section, std::string_view key, std::string_view fallback) const {
  if (const Section* s = FindSection(section))
    for (const Line& l : s->lines)
      if (!l.key.empty() && SameName(l.key, key)) return l.value;
  return std::string(fallback);
}

int TIniFile::ReadInteger(std::string_view section, std::string_view key, int fallback) const {
  int v = 0;
  return TryStrToInt(ReadString(section, key, ""), v) ? v : fallback;
}

void TIniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
  if (sections_.empty()) sections_.push_back({});
  std::string k = OneLine(Trim(key));
  std::string v = OneLine(value);
  Line fresh{k + "=" + v, k, std::string(Trim(v))};
  Section* s = FindSection(section);
  if (!s) {
    Section added;
    added.name = OneLine(section);
    added.header = "[" + added.name + "]";
    sections_.push_back(std::move(added));
    s = &sections_.back();
  }
  for (Line& l : s->lines) {
    if (!l.key.empty() && SameName(l.key, k)) {
      fresh.key = l.key;  // keep the spelling the file used
      fresh.text = l.key + "=" + v;
      l = std::move(fresh);
      return;
    }
  }
  // After the section's last non-blank line, so a blank separator stays last.
  auto at = s->lines.end();
  while (at != s->lines.begin() && Trim(std::prev(at)->text).empty()) --at;
  s->lines.insert(at, std::move(fresh));
}

void TIniFile::WriteInteger(std::string_view section, std::string_view key, int value) {
  WriteString(section, key, std::to_string(value));
}

void TIniFile::DeleteKey(std::string_view section, std::string_view key) {
  if (Section* s = FindSection(section))
    std::erase_if(s->lines, [&](const Line& l) { return !l.key.empty() && SameName(l.key, key); });
}

std::string TIniFile::ToText() const {
  std::string out;
  for (std::size_t i = 0; i < sections_.size(); ++i) {
    const Section& s = sections_[i];
    if (i > 0) out += s.header + "\n";
    for (const Line& l : s.lines) out += l.text + "\n";
  }
  return out;
}

void TIniFile::UpdateFile() const {
  std::string text = ToText();
  WriteFileAtomic(path_, text.data(), text.size());
}

}  // namespace kroma
