// Module functions as built-in function objects with the fast-call
// convention and keywords.
#pragma once

#include "python/invoke.hpp"

namespace velm::python {

template <const auto& Decl>
const CallableInfo& function_info() {
  static const CallableInfo info = describe(Decl.signature, Decl.docstring, {}, false);
  return info;
}

template <const auto& Decl>
PyObject* function_entry(PyObject*, PyObject* const* args, Py_ssize_t nargs,
                         PyObject* kwnames) noexcept {
  return guarded([&]() -> PyObject* {
    const CallableInfo& info = function_info<Decl>();
    BoundArguments bound{};
    if (!bind_fastcall(info.parameter_list(), args, nargs, kwnames, bound.data())) return nullptr;
    ArgumentValues<Decl.op> values;
    if (!convert_arguments(info, bound.data(), values)) return nullptr;
    using R = typename Signature<std::remove_cv_t<decltype(Decl.op)>>::result;
    return result_to_python<R>([&]() -> decltype(auto) {
      return std::apply([](auto&&... v) { return Decl.op(std::move(v)...); }, std::move(values));
    });
  });
}

// A new built-in function bound to `module`, its __module__ being `module_name`.
template <const auto& Decl>
PyObject* make_function(PyObject* module, PyObject* module_name) {
  const CallableInfo& info = function_info<Decl>();
  static PyMethodDef def = {info.name.c_str(),
                            reinterpret_cast<PyCFunction>(
                                reinterpret_cast<void (*)()>(&function_entry<Decl>)),
                            METH_FASTCALL | METH_KEYWORDS, info.doc.c_str()};
  return PyCFunction_NewEx(&def, module, module_name);
}

}  // namespace velm::python
