#pragma once
// Serialises an XML tree in the program's dialect: a declaration line,
// then one element per line indented by two spaces per level, lines ended
// by CR LF. Attribute values are escaped; element text is written as it
// is, or in a CDATA section when it holds "<" or ">" (and no "]]>").
#include <string>

namespace kroma {

class TXmlNode;

// `declaration` supplies version and encoding ("1.0" and "ISO-8859-1"
// when absent). Throws Error when the tree is deeper than maxDepth.
std::string WriteXmlDocument(const TXmlNode& root, const TXmlNode& declaration, int maxDepth);

// & < > ' " as entity references.
std::string EscapeXmlAttribute(const std::string& value);

}  // namespace kroma
