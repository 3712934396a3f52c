#pragma once
// Tool-bar and menu icons, drawn at start-up: a picture for the commands
// that have one, the caption's initials on a tile for the rest.
#include <QIcon>
#include <string>

namespace kroma {

QIcon CommandIcon(const std::string& commandId, const std::string& caption);

}  // namespace kroma
