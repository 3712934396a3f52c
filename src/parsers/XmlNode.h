#pragma once
// One element of an XML tree: name, attributes in document order, the
// element's text and its child elements. A node owns its children; the
// tree may be arbitrarily deep, and freeing or searching it never recurses.
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/Variant.h"

namespace kroma {

struct TXmlAttribute {
  std::string Name;
  Variant Value;  // a String as read from a document
};

class TXmlNode {
 public:
  TXmlNode() = default;
  virtual ~TXmlNode();
  TXmlNode(const TXmlNode&) = delete;
  TXmlNode& operator=(const TXmlNode&) = delete;

  std::string NodeName;   // as written, prefix included: "svg:rect"
  std::string NameSpace;  // the name's text before its first colon, or empty
  std::string NodeText;   // character data, trimmed of blanks and control characters
  bool NeedsCData = false;  // NodeText holds "<" or ">"

  TXmlNode* ParentNode() const { return parent_; }

  int ChildCount() const { return static_cast<int>(children_.size()); }
  // nullptr for an index outside 0 .. ChildCount() - 1.
  TXmlNode* Child(int index) const;
  // Appends a new child element named `name` (NameSpace set from it).
  TXmlNode& AddChild(std::string name);

  const std::vector<TXmlAttribute>& Attributes() const { return attributes_; }
  void AddAttribute(std::string name, Variant value);
  // An integer key is an index into the attributes; a String key names
  // the first attribute with exactly that name (case-sensitive). Empty
  // when there is no such attribute or the key is of another kind.
  Variant GetAttribute(const Variant& key) const;

  // The first child whose "id" attribute is `id`; with `recursive` each
  // child's subtree is searched, depth first, before the next child.
  // Elements without an "id" attribute never match. nullptr if none.
  TXmlNode* FindNodeById(std::string_view id, bool recursive) const;

  // Frees the attributes and the children.
  void Clear();

 private:
  TXmlNode* parent_ = nullptr;
  std::vector<std::unique_ptr<TXmlNode>> children_;
  std::vector<TXmlAttribute> attributes_;
};

// The part of an element name before its first colon.
std::string NameSpaceOf(std::string_view name);

}  // namespace kroma
