// The call protocol shared by functions, methods and constructors: convert
// the bound arguments in declaration order, run the core operation, convert
// its result.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <tuple>
#include <type_traits>
#include <utility>
#include <vector>

#include "python/conversions.hpp"
#include "python/declarations.hpp"
#include "python/errors.hpp"

namespace velm::python {

// What a parameter of a core operation is converted into before the call.
template <class P>
struct Storage {
  using type = std::remove_cvref_t<P>;
};
template <>
struct Storage<std::span<const double>> {
  using type = std::vector<double>;
};
template <>
struct Storage<std::string_view> {
  using type = std::string;
};

template <class F>
struct Signature;
template <class R, class... A>
struct Signature<R (*)(A...)> {
  using result = R;
  using parameters = std::tuple<A...>;
};

template <class Tuple>
struct StorageTuple;
template <class... P>
struct StorageTuple<std::tuple<P...>> {
  using type = std::tuple<typename Storage<std::remove_cvref_t<P>>::type...>;
};

template <std::size_t Skip, class Tuple>
struct DropFront {
  using type = Tuple;
};
template <class First, class... Rest>
struct DropFront<1, std::tuple<First, Rest...>> {
  using type = std::tuple<Rest...>;
};

// Converted argument values of `Op`, skipping the receiver of a method.
template <auto Op, std::size_t Skip = 0>
using ArgumentValues = typename StorageTuple<
    typename DropFront<Skip, typename Signature<std::remove_cv_t<decltype(Op)>>::parameters>::type>::type;

// Converts bound[i] into element i of `values`, in order; the first failure
// ends the conversion with its (possibly prefixed) exception set.
template <class Tuple, std::size_t... I>
bool convert_in_order(const CallableInfo& info, PyObject* const* bound, Tuple& values,
                      std::index_sequence<I...>) {
  return (convert_parameter(bound[I], info.parameters[I], std::get<I>(values)) && ...);
}

template <class Tuple>
bool convert_arguments(const CallableInfo& info, PyObject* const* bound, Tuple& values) {
  return convert_in_order(info, bound, values,
                          std::make_index_sequence<std::tuple_size_v<Tuple>>{});
}

template <class R, class Call>
PyObject* result_to_python(Call&& call) {
  if constexpr (std::is_void_v<R>) {
    call();
    Py_RETURN_NONE;
  } else {
    return to_python(call());
  }
}

// Room for the bound arguments of any callable of the module.
using BoundArguments = std::array<PyObject*, 8>;

}  // namespace velm::python
