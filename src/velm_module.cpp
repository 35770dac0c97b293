// The extension module `velm`: its initialiser and the registration table.
#include <atomic>
#include <cstdint>

#include "legendre_basis_classes.hpp"
#include "module_functions.hpp"
#include "norms/h12_seminorm.hpp"
#include "preconditioning/eigen_basis_transform.hpp"
#include "python/classes.hpp"
#include "python/functions.hpp"
#include "python/module.hpp"
#include "transformations/legendre_to_hilbert_basis.hpp"
#include "transformations/sine_base_coefficients.hpp"

namespace velm::python {
namespace {

// Functions.
constexpr Function<&sum_as_string> sum_as_string_fn{
    "sum_as_string(a, b)", "Formats the sum of two numbers as string."};
constexpr Function<&compute_sine_base_coefficients> compute_sine_base_coefficients_fn{
    "compute_sine_base_coefficients(n_modes, lagrange_dofs, n_t, degree, T)"};
constexpr Function<&compute_sine_base_coefficients_pw_constants>
    compute_sine_base_coefficients_pw_constants_fn{
        "compute_sine_base_coefficients_pw_constants(n_modes, dofs, n_t)"};
constexpr Function<&lagrange_to_legendre_basis_transformation>
    lagrange_to_legendre_basis_transformation_fn{
        "lagrange_to_legendre_basis_transformation(degree, n_t)"};
constexpr Function<&get_lagrange_points> get_lagrange_points_fn{
    "get_lagrange_points(degree, n_t, T)"};
constexpr Function<&h12_seminorm> h12_seminorm_fn{"h12_seminorm(f_samples)"};

// LegendreToHilbertBasis.
constexpr Class<&make_legendre_to_hilbert_basis> legendre_to_hilbert_basis_class{
    "LegendreToHilbertBasis(n_modes, n_t, degree, basis_type)"};
constexpr Method<&apply> apply_method{
    "apply($self, legendre_dofs)",
    "this routine assumes [d_0, d_1, ...], where d_i are the coefficients of i-th degree"};
constexpr Method<&apply_fft> apply_fft_method{"apply_fft($self, legendre_dofs)"};
// The per-degree transform is symmetric, so its transpose is the same computation.
constexpr Method<&apply_fft> apply_ftt_transpose_method{"apply_ftt_transpose($self, fft_dofs)"};
constexpr Method<&extension_matrix_triplets> get_extension_matrix_method{
    "get_extension_matrix($self)"};
constexpr Method<&compound_filter_triplets> get_compound_filter_matrix_method{
    "get_compound_filter_matrix($self)"};

// LegendreBasis.
constexpr Class<&make_legendre_basis> legendre_basis_class{"LegendreBasis(degree, n_t, T)"};
constexpr Method<static_cast<double (*)(const LegendreBasis&, double, std::span<const double>)>(
    &evaluate_at)>
    basis_evaluate_at_method{"evaluate_at($self, t, legendre_vals)"};
constexpr Method<&all_basis_functions> evaluate_all_basis_functions_method{
    "evaluate_all_basis_functions($self, t)"};
constexpr Method<&all_basis_function_derivatives> evaluate_all_basis_function_derivatives_method{
    "evaluate_all_basis_function_derivatives($self, t)"};

// LegendreBasisEvaluator.
constexpr Class<&make_legendre_basis_evaluator> legendre_basis_evaluator_class{
    "LegendreBasisEvaluator(degree, n_t, T)",
    "Class to evaluate legendre basis more often without copying the dofs from python each time"};
constexpr Method<&set_dofs> set_dofs_method{"set_dofs($self, legendre_vals)"};
constexpr Method<static_cast<double (*)(const LegendreBasisEvaluator&, double)>(&evaluate_at)>
    evaluator_evaluate_at_method{"evaluate_at($self, t)"};
constexpr Method<&evaluate_derivative_at> evaluate_derivative_at_method{
    "evaluate_derivative_at($self, t)"};

// EigenBasisTransformLowestOrder.
constexpr Class<&make_eigen_basis_transform> eigen_basis_transform_class{
    "EigenBasisTransformLowestOrder(n_t, T)"};
constexpr Method<&forward_transform> forward_transform_method{"forward_transform($self, input)"};
constexpr Method<&inverse_transform> inverse_transform_method{"inverse_transform($self, input)"};
constexpr Method<&get_generalized_eigenvalue> get_generalized_eigenvalue_method{
    "get_generalized_eigenvalue($self, l, n_terms)"};
constexpr Method<&get_generalized_eigenvalues> get_generalized_eigenvalues_method{
    "get_generalized_eigenvalues($self, n_terms)"};

// Registration table: the order is that of velm.__all__.
bool register_all(PyObject* module, PyObject* name) {
  return add_to_module(module, "sum_as_string", make_function<sum_as_string_fn>(module, name)) &&
         add_to_module(module, "compute_sine_base_coefficients",
                       make_function<compute_sine_base_coefficients_fn>(module, name)) &&
         add_to_module(module, "compute_sine_base_coefficients_pw_constants",
                       make_function<compute_sine_base_coefficients_pw_constants_fn>(module, name)) &&
         add_to_module(module, "lagrange_to_legendre_basis_transformation",
                       make_function<lagrange_to_legendre_basis_transformation_fn>(module, name)) &&
         add_to_module(module, "get_lagrange_points",
                       make_function<get_lagrange_points_fn>(module, name)) &&
         add_to_module(module, "h12_seminorm", make_function<h12_seminorm_fn>(module, name)) &&
         add_to_module(module, "LegendreToHilbertBasis",
                       Py_XNewRef((class_type<legendre_to_hilbert_basis_class, apply_method,
                                             apply_fft_method, apply_ftt_transpose_method,
                                             get_extension_matrix_method,
                                             get_compound_filter_matrix_method>()))) &&
         add_to_module(module, "LegendreBasis",
                       Py_XNewRef((class_type<legendre_basis_class, basis_evaluate_at_method,
                                             evaluate_all_basis_functions_method,
                                             evaluate_all_basis_function_derivatives_method>()))) &&
         add_to_module(module, "LegendreBasisEvaluator",
                       Py_XNewRef((class_type<legendre_basis_evaluator_class, set_dofs_method,
                                             evaluator_evaluate_at_method,
                                             evaluate_derivative_at_method>()))) &&
         add_to_module(module, "EigenBasisTransformLowestOrder",
                       Py_XNewRef((class_type<eigen_basis_transform_class, forward_transform_method,
                                             inverse_transform_method,
                                             get_generalized_eigenvalue_method,
                                             get_generalized_eigenvalues_method>())));
}

PyModuleDef velm_definition = {
    PyModuleDef_HEAD_INIT,
    "velm",
    "Piecewise polynomials in time: Legendre evaluation, Hilbert-basis expansions, H^1/2 "
    "seminorms and eigenbasis transforms.",
    0,
    nullptr,
    nullptr,
    nullptr,
    nullptr,
    nullptr};

// Single-phase initialisation binds the module to the first interpreter that
// imports it; a later import in that interpreter gets the same object.
std::atomic<std::int64_t> bound_interpreter{-1};
PyObject* module_object = nullptr;

PyObject* create_module() {
  PyObject* module = PyModule_Create2(&velm_definition, 1013);
  if (module == nullptr) return nullptr;
#ifdef Py_GIL_DISABLED
  if (PyUnstable_Module_SetGIL(module, Py_MOD_GIL_USED) < 0) {
    Py_DECREF(module);
    return nullptr;
  }
#endif
  PyObject* name = PyUnicode_FromString("velm");
  const bool registered = name != nullptr && register_all(module, name);
  Py_XDECREF(name);
  if (!registered) {
    Py_DECREF(module);
    return nullptr;
  }
  return module;
}

}  // namespace
}  // namespace velm::python

PyMODINIT_FUNC PyInit_velm() {
  using namespace velm::python;
  const std::int64_t id = PyInterpreterState_GetID(PyInterpreterState_Get());
  if (id == -1) {
    if (!PyErr_Occurred())
      PyErr_SetString(PyExc_SystemError, "attempted to fetch exception but none was set");
    return nullptr;
  }
  std::int64_t expected = -1;
  if (!bound_interpreter.compare_exchange_strong(expected, id) && expected != id) {
    PyErr_SetString(PyExc_ImportError,
                    "velm does not support sub-interpreters: it is already loaded in another "
                    "interpreter of this process");
    return nullptr;
  }
  if (module_object == nullptr) module_object = create_module();
  return Py_XNewRef(module_object);
}
