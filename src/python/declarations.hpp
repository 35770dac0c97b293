// Declarations of Python-visible callables and classes, and the information
// derived from their text signatures.
//
// A declaration names the core operation (a free function) as a template
// argument and its text signature, from which the parameter names, the full
// name used in messages and the doc slot are derived, so each callable is
// described exactly once.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "python/arguments.hpp"

namespace velm::python {

// A module function: `Op` is a pointer to a free function whose parameters
// are std::uint64_t, double, std::span<const double>, std::vector<double> or
// std::string_view, and whose result is void, double, std::string,
// std::vector<double> or Triplets.
template <auto Op>
struct Function {
  static constexpr auto op = Op;
  const char* signature;  // "sum_as_string(a, b)"
  const char* docstring = nullptr;
};

// A method: `Op` takes the receiver's core value first, `const Core&` for a
// shared borrow or `Core&` for the exclusive one. Signature "name($self, ...)".
template <auto Op>
struct Method {
  static constexpr auto op = Op;
  const char* signature;
  const char* docstring = nullptr;
};

// A class: `Factory` builds the core value that each instance holds; its
// parameters convert like a function's. Signature "Name(params)".
template <auto Factory>
struct Class {
  static constexpr auto factory = Factory;
  const char* signature;
  const char* docstring = nullptr;
};

// Derived once per callable and kept for the life of the process.
struct CallableInfo {
  std::string name;       // the bare name before the parenthesis
  std::string full_name;  // "LegendreBasis.evaluate_at()"
  std::string doc;        // text signature, "\n--\n\n", docstring
  std::vector<std::string> parameter_storage;
  std::vector<const char*> parameters;

  ParameterList parameter_list() const { return {full_name.c_str(), parameters}; }
};

// `owner` is the class name for methods and constructors, empty for module
// functions; `is_constructor` names the callable "<owner>.__new__()".
CallableInfo describe(std::string_view signature, const char* docstring, std::string_view owner,
                      bool is_constructor);

}  // namespace velm::python
