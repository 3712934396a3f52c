#pragma once
// The one error type of the program: every failure that reaches the user
// carries a message meant to be shown as it stands.
#include <stdexcept>
#include <string>

namespace kroma {

class Error : public std::runtime_error {
 public:
  explicit Error(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace kroma
