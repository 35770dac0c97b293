// Conversion of Python arguments to machine values and of results back.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "python/python.hpp"
#include "transformations/sparse_matrix_tools.hpp"

namespace velm::python {

// Each returns false with a Python exception set. The errors are the
// interpreter's own, before the prefixing rule of `convert_parameter`.
bool convert(PyObject* obj, std::uint64_t& out);
bool convert(PyObject* obj, double& out);
bool convert(PyObject* obj, std::vector<double>& out);
bool convert(PyObject* obj, std::string& out);

// A failed conversion of an exact TypeError becomes
// TypeError("argument '<name>': <message>") keeping the original __cause__;
// any other exception passes unchanged.
void prefix_type_error(const char* name);

template <class T>
bool convert_parameter(PyObject* obj, const char* name, T& out) {
  if (convert(obj, out)) return true;
  prefix_type_error(name);
  return false;
}

// New references, nullptr with an exception set on failure.
PyObject* to_python(double value);
PyObject* to_python(const std::vector<double>& values);
PyObject* to_python(const std::string& text);
PyObject* to_python(const Triplets& triplets);

}  // namespace velm::python
