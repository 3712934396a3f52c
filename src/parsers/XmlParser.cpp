#include "parsers/XmlParser.h"

#include <algorithm>
#include <exception>
#include <new>
#include <vector>

#include "core/FileIO.h"
#include "parsers/StringHelpers.h"
#include "parsers/XmlWriter.h"

namespace kroma {
namespace {

constexpr auto npos = std::string_view::npos;

// A syntax error: ends the parse, is never seen by the caller.
struct SyntaxError {
  std::string message;
};

std::string DecodeEntities(std::string_view value) {
  if (value.find('&') == npos) return std::string(value);
  // In this order, so that "&amp;lt;" reads as "&lt;".
  std::string s = ReplaceAll(value, "&lt;", "<");
  s = ReplaceAll(s, "&gt;", ">");
  s = ReplaceAll(s, "&apos;", "'");
  s = ReplaceAll(s, "&quot;", "\"");
  return ReplaceAll(s, "&amp;", "&");
}

void ParseAttributes(TXmlNode& node, std::string_view s) {
  while (!s.empty()) {
    std::size_t eq = s.find('=');
    if (eq == npos) throw SyntaxError{"missing = when parsing attributes"};
    if (eq + 1 >= s.size() || (s[eq + 1] != '"' && s[eq + 1] != '\''))
      throw SyntaxError{"missing value delimiter when parsing attributes"};
    char quote = s[eq + 1];
    std::size_t close = s.find(quote, eq + 2);
    if (close == npos) throw SyntaxError{std::string("Expected closing ") + quote + " when parsing attributes"};
    node.AddAttribute(std::string(TrimBlanks(s.substr(0, eq))), Variant(DecodeEntities(s.substr(eq + 2, close - eq - 2))));
    s.remove_prefix(close + 1);
  }
}

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }

class Scanner {
 public:
  Scanner(std::string_view source, TXmlParser& root) : src_(source), root_(root) {}

  std::size_t Position() const { return pos_; }

  // False when the declaration has no "?>": that error is reported alone.
  bool ParseDeclaration() {
    std::size_t lt = src_.find('<');
    if (lt == npos || src_.compare(lt, 5, "<?xml") != 0) return true;
    std::size_t end = src_.find("?>", lt + 5);
    if (end == npos) return false;
    pos_ = end + 2;
    ParseAttributes(root_.Declaration(), TrimBlanks(src_.substr(lt + 5, end - lt - 5)));
    return true;
  }

  // The root element and everything in it, with a stack of open elements
  // in place of recursion.
  void ParseRootElement() {
    std::vector<TXmlNode*> open;
    for (;;) {
      Tag tag = ReadTag();
      if (tag.isEndTag) {
        if (open.empty()) return;  // an end tag where the root should start
        ReadEndTag(*open.back());
        open.pop_back();
        if (open.empty()) return;
        continue;
      }
      if (open.size() >= static_cast<std::size_t>(TXmlParser::kMaxDepth))
        throw SyntaxError{"Elements nested more than " + std::to_string(TXmlParser::kMaxDepth) + " levels deep"};
      TXmlNode& node = StartElement(open.empty() ? nullptr : open.back(), tag);
      if (tag.isEmpty) {
        if (open.empty()) return;
        continue;
      }
      ParseCharData(node);
      open.push_back(&node);
    }
  }

 private:
  struct Tag {
    std::string_view text;  // between "<" and ">"
    bool isEndTag = false;
    bool isEmpty = false;
  };

  std::size_t FindOrFail(char c, std::size_t from, const char* message) const {
    std::size_t at = src_.find(c, from);
    if (at == npos) throw SyntaxError{message};
    return at;
  }

  // The next start or end tag, comments skipped. An end tag is left
  // unread for the element it closes.
  Tag ReadTag() {
    std::size_t lt = FindOrFail('<', pos_, "Missing <");
    while (src_.compare(lt, 4, "<!--") == 0) {
      std::size_t end = src_.find("-->", lt + 4);
      if (end == npos) throw SyntaxError{"Missing comment terminator -->"};
      pos_ = end + 3;
      lt = FindOrFail('<', pos_, "Missing <");
    }
    std::size_t gt = FindOrFail('>', lt + 1, "Missing >");
    Tag tag{src_.substr(lt + 1, gt - lt - 1)};
    if (!tag.text.empty() && tag.text.front() == '/') {
      tag.isEndTag = true;
      return tag;
    }
    pos_ = gt + 1;
    if (!tag.text.empty() && tag.text.back() == '/') {
      // Only the end is trimmed: the name starts right after "<" in every
      // tag, so what the writer puts there reads back as the same name.
      tag.isEmpty = true;
      tag.text.remove_suffix(1);
      while (!tag.text.empty() && IsBlank(tag.text.back())) tag.text.remove_suffix(1);
    }
    return tag;
  }

  TXmlNode& StartElement(TXmlNode* parent, const Tag& tag) {
    std::size_t nameEnd = 0;
    while (nameEnd < tag.text.size() && !IsBlank(tag.text[nameEnd])) ++nameEnd;
    std::string name(tag.text.substr(0, nameEnd));
    TXmlNode* node = &root_;
    if (parent) {
      node = &parent->AddChild(std::move(name));
    } else {
      root_.NameSpace = NameSpaceOf(name);
      root_.NodeName = std::move(name);
    }
    std::string_view attributes = TrimBlanks(tag.text.substr(nameEnd));
    if (!attributes.empty()) ParseAttributes(*node, attributes);
    return *node;
  }

  void ParseCharData(TXmlNode& node) {
    std::size_t lt = FindOrFail('<', pos_, "Expected < when parsing text");
    std::string_view text;
    if (src_.compare(lt, 9, "<![CDATA[") == 0) {
      std::size_t end = src_.find("]]>", lt + 9);
      if (end == npos) throw SyntaxError{"Expected ]]> when parsing CDATA section"};
      text = src_.substr(lt + 9, end - lt - 9);
      pos_ = end + 3;
    } else {
      text = src_.substr(pos_, lt - pos_);
      pos_ = lt;
    }
    node.NodeText = std::string(TrimBlanks(text));
    node.NeedsCData = node.NodeText.find_first_of("<>") != std::string::npos;
  }

  void ReadEndTag(const TXmlNode& node) {
    std::size_t lt = src_.find('<', pos_);
    if (lt == npos) return;
    std::size_t gt = FindOrFail('>', lt + 1, "Missing >");
    std::string_view text = src_.substr(lt + 1, gt - lt - 1);
    if (text.empty() || text.front() != '/') throw SyntaxError{"Not a matching end tag" + std::string(text)};
    if (text.substr(1) != node.NodeName)
      throw SyntaxError{"Opening and closing tags don't match " + node.NodeName + " " + std::string(text.substr(1))};
    pos_ = gt + 1;
  }

  std::string_view src_;
  TXmlParser& root_;
  std::size_t pos_ = 0;
};

}  // namespace

void TXmlParser::LoadFromFile(const std::string& fileName) {
  std::vector<std::uint8_t> bytes = ReadWholeFile(fileName);
  SetXmlText(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

void TXmlParser::SetXmlText(std::string_view text) {
  Clear();
  NodeName.clear();
  NameSpace.clear();
  NodeText.clear();
  NeedsCData = false;
  declaration_.Clear();
  lastError_.clear();

  Scanner scanner(text, *this);
  try {
    if (!scanner.ParseDeclaration()) {
      lastError_ = "Missing ?> in xml declaration.";
      return;
    }
    scanner.ParseRootElement();
  } catch (const SyntaxError& e) {
    // Message, the text around the error, its 1-based position and what
    // was built so far.
    std::size_t position = scanner.Position() + 1;
    std::size_t from = position <= 20 ? 0 : position - 21;
    std::string excerpt(text.substr(std::min(from, text.size()), 50));
    std::string partial;
    try {
      partial = XmlText();
    } catch (const std::exception&) {
    }
    lastError_ = e.message + " near " + excerpt + "\r\nError position=" + std::to_string(position) + "\r\n" + partial;
  } catch (const std::bad_alloc&) {
    lastError_ = "Not enough memory to read the document";
  }
}

std::string TXmlParser::XmlText() const { return WriteXmlDocument(*this, declaration_, kMaxDepth); }

}  // namespace kroma
