// Mapping of C++ failures to Python exceptions.
#pragma once

#include "python/python.hpp"

namespace velm::python {

// The fatal-error exception type: derives directly from BaseException, so
// `except Exception` lets it through. Created once per process on first use.
PyObject* fatal_error_type();

// Raises the fatal-error exception with `message` as its only argument and
// writes a short report naming the check's source position to stderr.
void raise_fatal_error(const char* message, const char* file, unsigned line);

// Turns the exception in flight into the matching Python exception. Call only
// from a catch block. Returns nullptr so entry points can `return` it.
PyObject* raise_from_current_exception() noexcept;

// Runs `body` and converts any C++ exception it throws; every entry point from
// the interpreter goes through this, so no C++ exception escapes into it.
template <class Body>
PyObject* guarded(Body&& body) noexcept {
  try {
    return body();
  } catch (...) {
    return raise_from_current_exception();
  }
}

}  // namespace velm::python
