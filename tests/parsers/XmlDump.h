#pragma once
// A one-line picture of an XML tree for test expectations:
// name[attr=value ...]"text"(child child ...), text with a leading "!" when
// it needs a CDATA section. Recursive: only for the small trees of tests.
#include <string>

#include "parsers/XmlNode.h"

namespace kroma {

inline std::string DumpXml(const TXmlNode& node) {
  std::string out = node.NodeName;
  if (!node.Attributes().empty()) {
    out += "[";
    for (std::size_t i = 0; i < node.Attributes().size(); ++i)
      out += (i ? " " : "") + node.Attributes()[i].Name + "=" + node.Attributes()[i].Value.ToString();
    out += "]";
  }
  if (!node.NodeText.empty()) out += (node.NeedsCData ? "!\"" : "\"") + node.NodeText + "\"";
  if (node.ChildCount() > 0) {
    out += "(";
    for (int i = 0; i < node.ChildCount(); ++i) out += (i ? " " : "") + DumpXml(*node.Child(i));
    out += ")";
  }
  return out;
}

}  // namespace kroma
