#include "python/conversions.hpp"

#include <algorithm>

namespace velm::python {
namespace {

const char* qualified_type_name(PyObject* obj, PyObject*& holder) {
  holder = PyType_GetQualName(Py_TYPE(obj));
  return holder == nullptr ? "?" : PyUnicode_AsUTF8(holder);
}

void raise_cannot_convert(PyObject* obj, const char* target) {
  PyObject* holder = nullptr;
  const char* name = qualified_type_name(obj, holder);
  PyErr_Format(PyExc_TypeError, "'%s' object cannot be converted to '%s'", name, target);
  Py_XDECREF(holder);
}

bool item_to_double(PyObject* item, double& out) {
  if (PyFloat_CheckExact(item)) {
    out = PyFloat_AS_DOUBLE(item);
    return true;
  }
  out = PyFloat_AsDouble(item);  // __float__, then __index__
  return !(out == -1.0 && PyErr_Occurred());
}

// The general path: size hint from the length, then the items in iteration
// order, each converted like a float parameter.
bool copy_by_iteration(PyObject* obj, std::vector<double>& out) {
  const Py_ssize_t length = PySequence_Size(obj);
  // Only a hint for the first allocation, so a failing or lying __len__ can
  // neither stop the conversion nor make it ask for absurd memory.
  constexpr Py_ssize_t largest_hint = Py_ssize_t{1} << 20;
  if (length < 0) PyErr_Clear();
  else out.reserve(static_cast<std::size_t>(std::min(length, largest_hint)));
  PyObject* iterator = PyObject_GetIter(obj);
  if (iterator == nullptr) return false;
  bool ok = true;
  while (PyObject* item = PyIter_Next(iterator)) {
    double value = 0.0;
    ok = item_to_double(item, value);
    Py_DECREF(item);
    if (!ok) break;
    out.push_back(value);
  }
  Py_DECREF(iterator);
  return ok && !PyErr_Occurred();
}

// Exact lists and tuples, read by index as their own iterators do (the size is
// read again at every step, since an item's __float__ may change a list);
// exact floats are taken without calling into the interpreter.
bool copy_list_or_tuple(PyObject* obj, std::vector<double>& out) {
  out.reserve(static_cast<std::size_t>(Py_SIZE(obj)));
  for (Py_ssize_t i = 0; i < Py_SIZE(obj); ++i) {
    PyObject* item = PySequence_Fast_ITEMS(obj)[i];
    if (PyFloat_CheckExact(item)) {
      out.push_back(PyFloat_AS_DOUBLE(item));
      continue;
    }
    Py_INCREF(item);  // the list may drop it while it converts
    double value = 0.0;
    const bool ok = item_to_double(item, value);
    Py_DECREF(item);
    if (!ok) return false;
    out.push_back(value);
  }
  return true;
}

bool is_native_double_format(const char* format) {
  if (format == nullptr) return false;
  if (*format == '@' || *format == '=' || *format == '<') ++format;  // little-endian x86-64
  return format[0] == 'd' && format[1] == '\0';
}

// One-dimensional C-contiguous float64 buffers (NumPy arrays, array('d'),
// memoryview), read-only ones included, are copied in one pass. Returns false
// without an exception for every other object, which then takes the general
// path with its own errors.
bool copy_float64_buffer(PyObject* obj, std::vector<double>& out) {
  if (Py_TYPE(obj)->tp_as_buffer == nullptr || Py_TYPE(obj)->tp_as_buffer->bf_getbuffer == nullptr)
    return false;
  struct Buffer {
    Py_buffer view{};
    bool held = false;
    ~Buffer() {
      if (held) PyBuffer_Release(&view);
    }
  } buffer;
  buffer.held = PyObject_GetBuffer(obj, &buffer.view, PyBUF_C_CONTIGUOUS | PyBUF_FORMAT) == 0;
  if (!buffer.held) {
    PyErr_Clear();
    return false;
  }
  const Py_buffer& view = buffer.view;
  const bool usable = view.ndim == 1 && view.itemsize == sizeof(double) &&
                      is_native_double_format(view.format);
  if (usable) {
    const auto* data = static_cast<const double*>(view.buf);
    out.assign(data, data + view.len / static_cast<Py_ssize_t>(sizeof(double)));
  }
  return usable;
}

template <class T>
PyObject* list_of(const std::vector<T>& values, PyObject* (*make)(T)) {
  PyObject* list = PyList_New(static_cast<Py_ssize_t>(values.size()));
  if (list == nullptr) return nullptr;
  for (std::size_t i = 0; i < values.size(); ++i) {
    PyObject* item = make(values[i]);
    if (item == nullptr) {
      Py_DECREF(list);
      return nullptr;
    }
    PyList_SET_ITEM(list, static_cast<Py_ssize_t>(i), item);
  }
  return list;
}

PyObject* index_to_python(std::uint64_t value) { return PyLong_FromUnsignedLongLong(value); }

}  // namespace

bool convert(PyObject* obj, std::uint64_t& out) {
  if (PyLong_Check(obj)) {
    out = PyLong_AsUnsignedLongLong(obj);
    return !(out == static_cast<std::uint64_t>(-1) && PyErr_Occurred());
  }
  PyObject* index = PyNumber_Index(obj);
  if (index == nullptr) return false;
  out = PyLong_AsUnsignedLongLong(index);
  Py_DECREF(index);
  return !(out == static_cast<std::uint64_t>(-1) && PyErr_Occurred());
}

bool convert(PyObject* obj, double& out) { return item_to_double(obj, out); }

bool convert(PyObject* obj, std::vector<double>& out) {
  if (PyUnicode_Check(obj)) {
    PyErr_SetString(PyExc_TypeError, "a 'str' is not taken as a sequence of floats");
    return false;
  }
  if (!PySequence_Check(obj)) {
    raise_cannot_convert(obj, "Sequence");
    return false;
  }
  out.clear();
  if (PyList_CheckExact(obj) || PyTuple_CheckExact(obj)) return copy_list_or_tuple(obj, out);
  if (copy_float64_buffer(obj, out)) return true;
  return copy_by_iteration(obj, out);
}

bool convert(PyObject* obj, std::string& out) {
  if (!PyUnicode_Check(obj)) {
    raise_cannot_convert(obj, "str");
    return false;
  }
  Py_ssize_t size = 0;
  const char* text = PyUnicode_AsUTF8AndSize(obj, &size);
  if (text == nullptr) return false;
  out.assign(text, static_cast<std::size_t>(size));
  return true;
}

void prefix_type_error(const char* name) {
  PyObject *type = nullptr, *value = nullptr, *traceback = nullptr;
  PyErr_Fetch(&type, &value, &traceback);
  if (type != PyExc_TypeError) {
    PyErr_Restore(type, value, traceback);
    return;
  }
  PyErr_NormalizeException(&type, &value, &traceback);
  PyObject* message = value == nullptr ? nullptr : PyObject_Str(value);
  PyObject* cause = value == nullptr ? nullptr : PyException_GetCause(value);
  if (message == nullptr) {
    Py_XDECREF(cause);
    PyErr_Restore(type, value, traceback);
    return;
  }
  PyObject* text = PyUnicode_FromFormat("argument '%s': %U", name, message);
  Py_DECREF(message);
  PyObject* replacement = text == nullptr ? nullptr : PyObject_CallOneArg(PyExc_TypeError, text);
  Py_XDECREF(text);
  Py_DECREF(type);
  Py_XDECREF(value);
  Py_XDECREF(traceback);
  if (replacement == nullptr) {
    Py_XDECREF(cause);
    return;
  }
  if (cause != nullptr) PyException_SetCause(replacement, cause);  // steals cause
  PyErr_SetObject(PyExc_TypeError, replacement);
  Py_DECREF(replacement);
}

PyObject* to_python(double value) { return PyFloat_FromDouble(value); }

PyObject* to_python(const std::vector<double>& values) {
  return list_of<double>(values, &PyFloat_FromDouble);
}

PyObject* to_python(const std::string& text) {
  return PyUnicode_FromStringAndSize(text.data(), static_cast<Py_ssize_t>(text.size()));
}

PyObject* to_python(const Triplets& triplets) {
  PyObject* rows = list_of<std::uint64_t>(triplets.rows, &index_to_python);
  PyObject* cols = rows == nullptr ? nullptr : list_of<std::uint64_t>(triplets.cols, &index_to_python);
  PyObject* values = cols == nullptr ? nullptr : to_python(triplets.values);
  if (values == nullptr) {
    Py_XDECREF(rows);
    Py_XDECREF(cols);
    return nullptr;
  }
  PyObject* tuple = PyTuple_Pack(3, rows, cols, values);
  Py_DECREF(rows);
  Py_DECREF(cols);
  Py_DECREF(values);
  return tuple;
}

}  // namespace velm::python
