// Binding of positional and keyword arguments to parameter names, with the
// interpreter's own wording for every mistake.
#pragma once

#include <span>

#include "python/python.hpp"

namespace velm::python {

// The parameters of one callable. `full_name` is how messages name it:
// "sum_as_string()", "LegendreBasis.evaluate_at()", "LegendreBasis.__new__()".
struct ParameterList {
  const char* full_name;
  std::span<const char* const> names;
};

// Fills `bound` (one borrowed reference per parameter, all parameters
// required) from a fast call. Returns false with TypeError set.
bool bind_fastcall(const ParameterList& params, PyObject* const* args, Py_ssize_t nargs,
                   PyObject* kwnames, PyObject** bound);

// The same from an argument tuple and keyword dict (the new slot of a type).
bool bind_tuple_and_dict(const ParameterList& params, PyObject* args, PyObject* kwargs,
                         PyObject** bound);

}  // namespace velm::python
