// Heap types whose instances hold one core value and a borrow flag.
//
// Properties shared by every class: full name "builtins.<Name>", text
// signature in the doc slot, instances made only by __new__, not usable as a
// base class, no instance __dict__ and no weak references.
#pragma once

#include <new>
#include <string>
#include <type_traits>

#include "python/borrow.hpp"
#include "python/invoke.hpp"

namespace velm::python {

template <class Core>
struct Instance {
  PyObject_HEAD
  BorrowFlag borrow;
  Core value;
};

template <class Core>
Instance<Core>* instance_of(PyObject* self) {
  return reinterpret_cast<Instance<Core>*>(self);
}

template <auto Factory>
using CoreOf = std::remove_cvref_t<typename Signature<std::remove_cv_t<decltype(Factory)>>::result>;

template <const auto& ClassDecl>
const CallableInfo& constructor_info() {
  static const CallableInfo info = [] {
    CallableInfo bare = describe(ClassDecl.signature, ClassDecl.docstring, {}, false);
    return describe(ClassDecl.signature, ClassDecl.docstring, bare.name, true);
  }();
  return info;
}

template <const auto& ClassDecl, const auto& MethodDecl>
const CallableInfo& method_info() {
  static const CallableInfo info = describe(
      MethodDecl.signature, MethodDecl.docstring, constructor_info<ClassDecl>().name, false);
  return info;
}

template <const auto& ClassDecl>
PyObject* construct(PyTypeObject* type, PyObject* args, PyObject* kwargs) noexcept {
  using Core = CoreOf<ClassDecl.factory>;
  return guarded([&]() -> PyObject* {
    const CallableInfo& info = constructor_info<ClassDecl>();
    BoundArguments bound{};
    if (!bind_tuple_and_dict(info.parameter_list(), args, kwargs, bound.data())) return nullptr;
    ArgumentValues<ClassDecl.factory> values;
    if (!convert_arguments(info, bound.data(), values)) return nullptr;
    // The core value is built first; only then is the object allocated and
    // the value moved in, so a failed construction leaves no object behind.
    Core core = std::apply([](auto&&... v) { return ClassDecl.factory(std::move(v)...); },
                           std::move(values));
    PyObject* self = type->tp_alloc(type, 0);
    if (self == nullptr) return nullptr;
    new (&instance_of<Core>(self)->borrow) BorrowFlag();
    new (&instance_of<Core>(self)->value) Core(std::move(core));
    return self;
  });
}

template <class Core>
void destroy(PyObject* self) noexcept {
  Instance<Core>* instance = instance_of<Core>(self);
  instance->value.~Core();
  instance->borrow.~BorrowFlag();
  PyTypeObject* type = Py_TYPE(self);
  type->tp_free(self);
  Py_DECREF(type);  // instances of heap types own a reference to their type
}

template <const auto& ClassDecl, const auto& MethodDecl>
PyObject* method_entry(PyObject* self, PyObject* const* args, Py_ssize_t nargs,
                       PyObject* kwnames) noexcept {
  using Receiver = std::tuple_element_t<0, typename Signature<std::remove_cv_t<decltype(MethodDecl.op)>>::parameters>;
  using Core = std::remove_cvref_t<Receiver>;
  constexpr bool exclusive = !std::is_const_v<std::remove_reference_t<Receiver>>;
  return guarded([&]() -> PyObject* {
    const CallableInfo& info = method_info<ClassDecl, MethodDecl>();
    BoundArguments bound{};
    if (!bind_fastcall(info.parameter_list(), args, nargs, kwnames, bound.data())) return nullptr;
    Instance<Core>* instance = instance_of<Core>(self);
    BorrowGuard<exclusive> borrow(instance->borrow);
    if (!borrow.held()) return nullptr;
    ArgumentValues<MethodDecl.op, 1> values;
    if (!convert_arguments(info, bound.data(), values)) return nullptr;
    using R = typename Signature<std::remove_cv_t<decltype(MethodDecl.op)>>::result;
    return result_to_python<R>([&]() -> decltype(auto) {
      return std::apply(
          [&](auto&&... v) { return MethodDecl.op(instance->value, std::move(v)...); },
          std::move(values));
    });
  });
}

template <const auto& ClassDecl, const auto& MethodDecl>
PyMethodDef method_def() {
  const CallableInfo& info = method_info<ClassDecl, MethodDecl>();
  return {info.name.c_str(),
          reinterpret_cast<PyCFunction>(
              reinterpret_cast<void (*)()>(&method_entry<ClassDecl, MethodDecl>)),
          METH_FASTCALL | METH_KEYWORDS, info.doc.c_str()};
}

// The type object of a class, created on first call and kept for the life of
// the process. Returns a borrowed reference, or nullptr with an exception set.
template <const auto& ClassDecl, const auto&... MethodDecls>
PyObject* class_type() {
  using Core = CoreOf<ClassDecl.factory>;
  static PyObject* type = [] {
    static const std::string full_name = "builtins." + constructor_info<ClassDecl>().name;
    static PyMethodDef methods[] = {method_def<ClassDecl, MethodDecls>()..., {nullptr, nullptr, 0, nullptr}};
    static PyType_Slot slots[] = {
        {Py_tp_new, reinterpret_cast<void*>(&construct<ClassDecl>)},
        {Py_tp_dealloc, reinterpret_cast<void*>(&destroy<Core>)},
        {Py_tp_doc, const_cast<char*>(constructor_info<ClassDecl>().doc.c_str())},
        {Py_tp_methods, methods},
        {0, nullptr}};
    static PyType_Spec type_spec = {full_name.c_str(), static_cast<int>(sizeof(Instance<Core>)), 0,
                               Py_TPFLAGS_DEFAULT | Py_TPFLAGS_IMMUTABLETYPE, slots};
    return PyType_FromSpec(&type_spec);
  }();
  if (type == nullptr && !PyErr_Occurred())
    PyErr_SetString(PyExc_SystemError, "type creation failed earlier in this process");
  return type;
}

}  // namespace velm::python
