// Internal consistency checks of the core library.
//
// The core never talks to Python: a failed check throws CheckFailure, which
// carries the exact message and the source position of the check. The binding
// layer is the only place that turns it into a Python exception.
#pragma once

#include <cstdint>
#include <exception>
#include <source_location>
#include <string>
#include <string_view>

namespace velm {

class CheckFailure : public std::exception {
 public:
  CheckFailure(std::string message, std::source_location where)
      : message_(std::move(message)), where_(where) {}

  const char* what() const noexcept override { return message_.c_str(); }
  const std::string& message() const noexcept { return message_; }
  const std::source_location& where() const noexcept { return where_; }

 private:
  std::string message_;
  std::source_location where_;
};

// Stops the current operation with `message` unchanged.
[[noreturn]] void fail(std::string message,
                       std::source_location where = std::source_location::current());

// The three-line message of a failed equality check; an empty `message`
// gives the form without the colon and text.
std::string equality_message(std::uint64_t left, std::uint64_t right, std::string_view message);

// Stops with the equality-check message unless left == right.
inline void check_equal(std::uint64_t left, std::uint64_t right, std::string_view message = {},
                        std::source_location where = std::source_location::current()) {
  if (left != right) fail(equality_message(left, right, message), where);
}

}  // namespace velm
