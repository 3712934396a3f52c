#pragma once
// TXmlParser reads the program's forgiving XML dialect into a tree and
// writes such a tree back as indented text. The parser object is itself
// the root element of the document.
//
// The dialect, which stored documents and the SVG importer rely on:
// - A tag ends at the first ">", also inside a quoted attribute value.
//   The element name starts right after "<" and runs to the first blank or
//   control character; an end tag must repeat it exactly.
// - Comments and a leading <?xml ...?> declaration are understood; any
//   other markup (doctype, processing instructions) is read as a start tag.
// - An element keeps only its text before its first child, trimmed of
//   blanks and control characters; a CDATA section there replaces it.
//   Entity references in text stay as written.
// - Attribute values are quoted with " or ' right after the "=" (no blank
//   between); &lt; &gt; &apos; &quot; and &amp; are decoded in them,
//   numeric character references are not.
// - Anything after the root element's end tag is ignored.
// Parsing never throws: a syntax error ends the parse, the tree keeps
// what was built so far, and LastError() tells what, where and what was
// read. Elements may nest kMaxDepth levels deep.
#include <string>
#include <string_view>

#include "parsers/XmlNode.h"

namespace kroma {

class TXmlParser : public TXmlNode {
 public:
  static constexpr int kMaxDepth = 1000;

  // Reads and parses a whole file. A file that cannot be read throws
  // Error; a malformed document only sets LastError().
  void LoadFromFile(const std::string& fileName);
  // Parses `text` as the new document, replacing the previous tree and
  // declaration.
  void SetXmlText(std::string_view text);
  // The document as text: the declaration line and the indented tree,
  // lines ended by CR LF. Throws Error for a tree built deeper than
  // kMaxDepth levels.
  std::string XmlText() const;

  // Empty after a successful parse.
  const std::string& LastError() const { return lastError_; }
  // Attributes of the <?xml ...?> declaration (version, encoding).
  TXmlNode& Declaration() { return declaration_; }
  const TXmlNode& Declaration() const { return declaration_; }

 private:
  TXmlNode declaration_;
  std::string lastError_;
};

}  // namespace kroma
