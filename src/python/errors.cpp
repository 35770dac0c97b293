#include "python/errors.hpp"

#include <cstdio>
#include <new>
#include <stdexcept>

#include "common/checks.hpp"

namespace velm::python {

PyObject* fatal_error_type() {
  // Created under the interpreter lock and kept for the life of the process.
  static PyObject* type = PyErr_NewExceptionWithDoc(
      "velm.FatalError",
      "An internal check of velm failed; the call was abandoned. Derives from BaseException.",
      PyExc_BaseException, nullptr);
  return type;
}

void raise_fatal_error(const char* message, const char* file, unsigned line) {
  std::fprintf(stderr, "velm: fatal error at %s:%u:\n%s\n", file, line, message);
  PyObject* type = fatal_error_type();
  if (type == nullptr) return;  // creating the type failed and set its own error
  PyObject* text = PyUnicode_FromString(message);
  if (text == nullptr) return;
  PyErr_SetObject(type, text);
  Py_DECREF(text);
}

PyObject* raise_from_current_exception() noexcept {
  try {
    throw;
  } catch (const CheckFailure& failure) {
    raise_fatal_error(failure.message().c_str(), failure.where().file_name(),
                      failure.where().line());
  } catch (const std::bad_alloc&) {
    PyErr_NoMemory();
  } catch (const std::invalid_argument& error) {
    PyErr_SetString(PyExc_ValueError, error.what());
  } catch (const std::overflow_error& error) {
    PyErr_SetString(PyExc_OverflowError, error.what());
  } catch (const std::length_error& error) {
    // A size that cannot be allocated (std::vector's own limit included).
    PyErr_SetString(PyExc_MemoryError, error.what());
  } catch (const std::exception& error) {
    raise_fatal_error(error.what(), __FILE__, __LINE__);
  } catch (...) {
    raise_fatal_error("unknown C++ exception", __FILE__, __LINE__);
  }
  return nullptr;
}

}  // namespace velm::python
