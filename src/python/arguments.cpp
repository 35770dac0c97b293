#include "python/arguments.hpp"

#include <string>
#include <vector>

namespace velm::python {
namespace {

bool take_positional(const ParameterList& params, PyObject* const* args, Py_ssize_t nargs,
                     PyObject** bound) {
  const auto count = static_cast<Py_ssize_t>(params.names.size());
  if (nargs > count) {
    PyErr_Format(PyExc_TypeError, "%s takes %zd positional arguments but %zd %s given",
                 params.full_name, count, nargs, nargs == 1 ? "was" : "were");
    return false;
  }
  for (Py_ssize_t i = 0; i < count; ++i) bound[i] = i < nargs ? args[i] : nullptr;
  return true;
}

bool take_keyword(const ParameterList& params, Py_ssize_t nargs, PyObject* name, PyObject* value,
                  PyObject** bound) {
  for (std::size_t i = 0; i < params.names.size(); ++i) {
    const int equal = PyUnicode_CompareWithASCIIString(name, params.names[i]);
    if (equal != 0) continue;
    if (static_cast<Py_ssize_t>(i) < nargs || bound[i] != nullptr) {
      PyErr_Format(PyExc_TypeError, "%s got multiple values for argument '%s'", params.full_name,
                   params.names[i]);
      return false;
    }
    bound[i] = value;
    return true;
  }
  PyErr_Format(PyExc_TypeError, "%s got an unexpected keyword argument '%S'", params.full_name,
               name);
  return false;
}

// 'a' / 'a' and 'b' / 'a', 'b', and 'c'
std::string join_quoted(const std::vector<const char*>& names) {
  std::string text;
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (i > 0) text += names.size() == 2 ? " and " : (i + 1 == names.size() ? ", and " : ", ");
    text += '\'';
    text += names[i];
    text += '\'';
  }
  return text;
}

bool check_missing(const ParameterList& params, PyObject** bound) {
  std::vector<const char*> missing;
  for (std::size_t i = 0; i < params.names.size(); ++i)
    if (bound[i] == nullptr) missing.push_back(params.names[i]);
  if (missing.empty()) return true;
  const std::string list = join_quoted(missing);
  PyErr_Format(PyExc_TypeError, "%s missing %zu required positional %s: %s", params.full_name,
               missing.size(), missing.size() == 1 ? "argument" : "arguments", list.c_str());
  return false;
}

}  // namespace

bool bind_fastcall(const ParameterList& params, PyObject* const* args, Py_ssize_t nargs,
                   PyObject* kwnames, PyObject** bound) {
  nargs = PyVectorcall_NARGS(nargs);
  if (!take_positional(params, args, nargs, bound)) return false;
  const Py_ssize_t nkw = kwnames == nullptr ? 0 : PyTuple_GET_SIZE(kwnames);
  for (Py_ssize_t k = 0; k < nkw; ++k)
    if (!take_keyword(params, nargs, PyTuple_GET_ITEM(kwnames, k), args[nargs + k], bound))
      return false;
  return check_missing(params, bound);
}

bool bind_tuple_and_dict(const ParameterList& params, PyObject* args, PyObject* kwargs,
                         PyObject** bound) {
  const Py_ssize_t nargs = PyTuple_GET_SIZE(args);
  if (!take_positional(params, PySequence_Fast_ITEMS(args), nargs, bound)) return false;
  if (kwargs != nullptr) {
    Py_ssize_t pos = 0;
    PyObject* name = nullptr;
    PyObject* value = nullptr;
    while (PyDict_Next(kwargs, &pos, &name, &value))
      if (!take_keyword(params, nargs, name, value, bound)) return false;
  }
  return check_missing(params, bound);
}

}  // namespace velm::python
