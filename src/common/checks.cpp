#include "common/checks.hpp"

namespace velm {

void fail(std::string message, std::source_location where) {
  throw CheckFailure(std::move(message), where);
}

std::string equality_message(std::uint64_t left, std::uint64_t right, std::string_view message) {
  std::string text = "assertion `left == right` failed";
  if (!message.empty()) {
    text += ": ";
    text += message;
  }
  text += "\n  left: " + std::to_string(left);
  text += "\n right: " + std::to_string(right);
  return text;
}

}  // namespace velm
