#include "parsers/XmlWriter.h"

#include <vector>

#include "core/Error.h"
#include "parsers/XmlNode.h"

namespace kroma {
namespace {

std::string TextOf(const Variant& v) { return v.IsNull() ? std::string() : v.ToString(); }

void WriteIndent(std::string& out, std::size_t level) { out.append(2 * level, ' '); }

// A text holding "]]>" cannot sit in a CDATA section; read from a document
// it holds no "<" either, so it reads back the same written as it is.
void WriteText(std::string& out, const TXmlNode& node) {
  if (node.NeedsCData && node.NodeText.find("]]>") == std::string::npos)
    out.append("<![CDATA[").append(node.NodeText).append("]]>");
  else
    out.append(node.NodeText);
}

// Writes the start of an element; true when it stays open for children.
bool WriteStart(std::string& out, const TXmlNode& node, std::size_t level) {
  WriteIndent(out, level);
  // A nameless element gets a blank after "<", else "</>" would read as an
  // end tag.
  out.append(node.NodeName.empty() ? "< " : "<").append(node.NodeName);
  for (const TXmlAttribute& a : node.Attributes())
    out.append(" ").append(a.Name).append("=\"").append(EscapeXmlAttribute(TextOf(a.Value))).append("\"");
  if (node.ChildCount() == 0 && node.NodeText.empty()) {
    out.append("/>");
    return false;
  }
  out.append(">");
  WriteText(out, node);
  if (node.ChildCount() > 0) return true;
  out.append("</").append(node.NodeName).append(">");
  return false;
}

}  // namespace

std::string EscapeXmlAttribute(const std::string& value) {
  std::string out;
  out.reserve(value.size());
  for (char c : value) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '\'': out += "&apos;"; break;
      case '"': out += "&quot;"; break;
      default: out += c;
    }
  }
  return out;
}

std::string WriteXmlDocument(const TXmlNode& root, const TXmlNode& declaration, int maxDepth) {
  std::string version = TextOf(declaration.GetAttribute("version"));
  std::string encoding = TextOf(declaration.GetAttribute("encoding"));
  std::string out = "<?xml version=\"" + EscapeXmlAttribute(version.empty() ? "1.0" : version) + "\" encoding=\"" +
                    EscapeXmlAttribute(encoding.empty() ? "ISO-8859-1" : encoding) + "\" ?>\r\n";

  // Open elements and the index of the next child to write, in place of
  // recursion.
  struct Open {
    const TXmlNode* node;
    int next;
  };
  std::vector<Open> open;
  if (WriteStart(out, root, 0)) open.push_back({&root, 0});
  while (!open.empty()) {
    Open& top = open.back();
    if (top.next < top.node->ChildCount()) {
      const TXmlNode& child = *top.node->Child(top.next++);
      if (open.size() >= static_cast<std::size_t>(maxDepth))
        throw Error("The document is nested more than " + std::to_string(maxDepth) + " levels deep and cannot be written");
      out.append("\r\n");
      if (WriteStart(out, child, open.size())) open.push_back({&child, 0});
      continue;
    }
    out.append("\r\n");
    WriteIndent(out, open.size() - 1);
    out.append("</").append(top.node->NodeName).append(">");
    open.pop_back();
  }
  return out;
}

}  // namespace kroma
