#include "python/module.hpp"

namespace velm::python {
namespace {

bool append_to_all(PyObject* module, const char* name) {
  PyObject* dict = PyModule_GetDict(module);  // borrowed
  PyObject* all = PyDict_GetItemString(dict, "__all__");  // borrowed
  if (all == nullptr) {
    PyObject* fresh = PyList_New(0);
    if (fresh == nullptr) return false;
    const int status = PyDict_SetItemString(dict, "__all__", fresh);
    Py_DECREF(fresh);
    if (status < 0) return false;
    all = fresh;
  }
  PyObject* text = PyUnicode_FromString(name);
  if (text == nullptr) return false;
  const int status = PyList_Append(all, text);
  Py_DECREF(text);
  return status == 0;
}

}  // namespace

bool add_to_module(PyObject* module, const char* name, PyObject* object) {
  if (object == nullptr) return false;
  if (!append_to_all(module, name)) {
    Py_DECREF(object);
    return false;
  }
  const int status = PyModule_AddObjectRef(module, name, object);
  Py_DECREF(object);
  return status == 0;
}

}  // namespace velm::python
