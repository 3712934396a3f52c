#include "parsers/XmlNode.h"

#include <utility>

namespace kroma {

TXmlNode::~TXmlNode() { Clear(); }

void TXmlNode::Clear() {
  attributes_.clear();
  // Free the subtree from a work list, so a deep tree cannot exhaust the
  // call stack through nested destructors: each node is detached from its
  // children before it is destroyed.
  std::vector<std::unique_ptr<TXmlNode>> pending = std::move(children_);
  children_.clear();
  while (!pending.empty()) {
    std::unique_ptr<TXmlNode> node = std::move(pending.back());
    pending.pop_back();
    for (auto& child : node->children_) pending.push_back(std::move(child));
    node->children_.clear();
  }
}

TXmlNode* TXmlNode::Child(int index) const {
  if (index < 0 || index >= ChildCount()) return nullptr;
  return children_[static_cast<std::size_t>(index)].get();
}

TXmlNode& TXmlNode::AddChild(std::string name) {
  auto node = std::make_unique<TXmlNode>();
  node->NameSpace = NameSpaceOf(name);
  node->NodeName = std::move(name);
  node->parent_ = this;
  children_.push_back(std::move(node));
  return *children_.back();
}

void TXmlNode::AddAttribute(std::string name, Variant value) {
  attributes_.push_back({std::move(name), std::move(value)});
}

Variant TXmlNode::GetAttribute(const Variant& key) const {
  if (key.IsIntegral()) {
    std::int64_t i = key.ToInt64();
    if (i >= 0 && i < static_cast<std::int64_t>(attributes_.size())) return attributes_[static_cast<std::size_t>(i)].Value;
  } else if (const std::string* name = key.AsString()) {
    for (const TXmlAttribute& a : attributes_)
      if (a.Name == *name) return a.Value;
  }
  return {};
}

TXmlNode* TXmlNode::FindNodeById(std::string_view id, bool recursive) const {
  auto matches = [id](const TXmlNode& node) {
    for (const TXmlAttribute& a : node.attributes_)
      if (a.Name == "id") return a.Value.IsString() && *a.Value.AsString() == id;
    return false;
  };
  if (!recursive) {
    for (const auto& child : children_)
      if (matches(*child)) return child.get();
    return nullptr;
  }
  // Pre-order walk with an explicit stack; children are pushed in reverse
  // so the first child is visited first.
  std::vector<TXmlNode*> stack;
  for (auto it = children_.rbegin(); it != children_.rend(); ++it) stack.push_back(it->get());
  while (!stack.empty()) {
    TXmlNode* node = stack.back();
    stack.pop_back();
    if (matches(*node)) return node;
    for (auto it = node->children_.rbegin(); it != node->children_.rend(); ++it) stack.push_back(it->get());
  }
  return nullptr;
}

std::string NameSpaceOf(std::string_view name) {
  std::size_t colon = name.find(':');
  return colon == std::string_view::npos ? std::string() : std::string(name.substr(0, colon));
}

}  // namespace kroma
