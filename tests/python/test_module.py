"""The module object, its registration table and the properties of its types."""
import importlib
import subprocess
import sys
import textwrap

import pytest

import velm
from conftest import is_fatal_error, raises_fatal

ALL = [
    "sum_as_string",
    "compute_sine_base_coefficients",
    "compute_sine_base_coefficients_pw_constants",
    "lagrange_to_legendre_basis_transformation",
    "get_lagrange_points",
    "h12_seminorm",
    "LegendreToHilbertBasis",
    "LegendreBasis",
    "LegendreBasisEvaluator",
    "EigenBasisTransformLowestOrder",
]
CLASSES = [velm.LegendreToHilbertBasis, velm.LegendreBasis, velm.LegendreBasisEvaluator,
           velm.EigenBasisTransformLowestOrder]
INSTANCES = [
    lambda: velm.LegendreToHilbertBasis(3, 2, 1, "sine"),
    lambda: velm.LegendreBasis(1, 2, 1.0),
    lambda: velm.LegendreBasisEvaluator(1, 2, 1.0),
    lambda: velm.EigenBasisTransformLowestOrder(4, 1.0),
]


def test_all_lists_the_registration_table_in_order():
    assert velm.__all__ == ALL
    assert [name for name in dir(velm) if not name.startswith("__")] == sorted(ALL)


def test_functions_belong_to_velm():
    for name in ALL[:6]:
        assert getattr(velm, name).__module__ == "velm"


@pytest.mark.parametrize("cls", CLASSES, ids=lambda c: c.__name__)
def test_class_names(cls):
    assert cls.__module__ == "builtins"
    assert cls.__qualname__ == cls.__name__
    assert cls.__mro__ == (cls, object)


@pytest.mark.parametrize("cls", CLASSES, ids=lambda c: c.__name__)
def test_classes_cannot_be_subclassed(cls):
    with pytest.raises(TypeError):
        type("Sub", (cls,), {})


@pytest.mark.parametrize("make", INSTANCES)
def test_instances_have_no_dict_and_no_weakref(make):
    import weakref

    obj = make()
    with pytest.raises(AttributeError):
        obj.anything = 1
    assert not hasattr(obj, "__dict__")
    with pytest.raises(TypeError):
        weakref.ref(obj)


SIGNATURES = {
    velm.sum_as_string: ("(a, b)", "Formats the sum of two numbers as string."),
    velm.compute_sine_base_coefficients: ("(n_modes, lagrange_dofs, n_t, degree, T)", None),
    velm.compute_sine_base_coefficients_pw_constants: ("(n_modes, dofs, n_t)", None),
    velm.lagrange_to_legendre_basis_transformation: ("(degree, n_t)", None),
    velm.get_lagrange_points: ("(degree, n_t, T)", None),
    velm.h12_seminorm: ("(f_samples)", None),
    velm.LegendreToHilbertBasis: ("(n_modes, n_t, degree, basis_type)", None),
    velm.LegendreToHilbertBasis.apply: (
        "($self, legendre_dofs)",
        "this routine assumes [d_0, d_1, ...], where d_i are the coefficients of i-th degree"),
    velm.LegendreToHilbertBasis.apply_fft: ("($self, legendre_dofs)", None),
    velm.LegendreToHilbertBasis.apply_ftt_transpose: ("($self, fft_dofs)", None),
    velm.LegendreToHilbertBasis.get_extension_matrix: ("($self)", None),
    velm.LegendreToHilbertBasis.get_compound_filter_matrix: ("($self)", None),
    velm.LegendreBasis: ("(degree, n_t, T)", None),
    velm.LegendreBasis.evaluate_at: ("($self, t, legendre_vals)", None),
    velm.LegendreBasis.evaluate_all_basis_functions: ("($self, t)", None),
    velm.LegendreBasis.evaluate_all_basis_function_derivatives: ("($self, t)", None),
    velm.LegendreBasisEvaluator: (
        "(degree, n_t, T)",
        "Class to evaluate legendre basis more often without copying the dofs from python each time"),
    velm.LegendreBasisEvaluator.set_dofs: ("($self, legendre_vals)", None),
    velm.LegendreBasisEvaluator.evaluate_at: ("($self, t)", None),
    velm.LegendreBasisEvaluator.evaluate_derivative_at: ("($self, t)", None),
    velm.EigenBasisTransformLowestOrder: ("(n_t, T)", None),
    velm.EigenBasisTransformLowestOrder.forward_transform: ("($self, input)", None),
    velm.EigenBasisTransformLowestOrder.inverse_transform: ("($self, input)", None),
    velm.EigenBasisTransformLowestOrder.get_generalized_eigenvalue: ("($self, l, n_terms)", None),
    velm.EigenBasisTransformLowestOrder.get_generalized_eigenvalues: ("($self, n_terms)", None),
}


@pytest.mark.parametrize("obj", SIGNATURES, ids=lambda o: o.__qualname__)
def test_text_signatures_and_docstrings(obj):
    signature, doc = SIGNATURES[obj]
    assert obj.__text_signature__ == signature
    if isinstance(obj, type) and doc is None:
        doc = ""  # the interpreter's __doc__ of a type whose doc slot is only a signature
    assert obj.__doc__ == doc


def test_methods_of_the_classes_are_exactly_the_listed_ones():
    own = {cls: sorted(k for k in vars(cls) if not k.startswith("__")) for cls in CLASSES}
    assert own[velm.LegendreToHilbertBasis] == sorted([
        "apply", "apply_fft", "apply_ftt_transpose", "get_compound_filter_matrix",
        "get_extension_matrix"])
    assert own[velm.LegendreBasis] == sorted([
        "evaluate_at", "evaluate_all_basis_function_derivatives", "evaluate_all_basis_functions"])
    assert own[velm.LegendreBasisEvaluator] == sorted([
        "evaluate_at", "evaluate_derivative_at", "set_dofs"])


def test_reimport_after_removal_gives_the_same_module():
    saved = sys.modules.pop("velm")
    try:
        again = importlib.import_module("velm")
        assert again is saved
        assert again.LegendreBasis is saved.LegendreBasis
        assert again.__all__ == ALL
    finally:
        sys.modules["velm"] = saved


def test_second_interpreter_is_refused():
    """Needs an interpreter API to start a sub-interpreter; run in a fresh process."""
    script = textwrap.dedent("""
        import velm
        try:
            import _xxsubinterpreters as interpreters
        except ImportError:
            try:
                import _interpreters as interpreters
            except ImportError:
                raise SystemExit(77)
        interp = interpreters.create()
        try:  # raises before 3.13, returns a snapshot of the exception from 3.13 on
            failure = interpreters.run_string(interp, "import velm")
        except Exception as error:
            failure = error
        text = f"{type(failure).__name__} {getattr(failure, 'type', '')} {failure}"
        print(text)
        raise SystemExit(2 if failure is None else 0 if "ImportError" in text or "sub-interpreters" in text else 1)
    """)
    result = subprocess.run([sys.executable, "-c", script], capture_output=True, text=True)
    if result.returncode == 77:
        pytest.skip("no sub-interpreter API in this interpreter")
    assert result.returncode == 0, result.stdout + result.stderr


def test_fatal_error_properties(capfd):
    with raises_fatal("LegendreToHilbertBasis: only 'sine' or 'cosine' basis types are supported") as info:
        velm.LegendreToHilbertBasis(1, 1, 0, "Sine")
    error = info.value
    assert is_fatal_error(error)
    assert type(error) not in vars(velm).values()
    try:
        try:
            velm.LegendreToHilbertBasis(1, 1, 0, "sin")
        except Exception:  # must not catch it
            pytest.fail("the fatal error was caught by 'except Exception'")
    except BaseException as caught:
        assert type(caught) is type(error)
    assert "only 'sine' or 'cosine'" in capfd.readouterr().err


def test_sum_as_string():
    assert velm.sum_as_string(2, 3) == "5"
    assert velm.sum_as_string(0, 0) == "0"
    assert velm.sum_as_string(2**64 - 1, 1) == "0"
    assert velm.sum_as_string(2**64 - 1, 0) == str(2**64 - 1)
    assert velm.sum_as_string(a=1, b=2) == "3"
    with pytest.raises(OverflowError):
        velm.sum_as_string(-1, 1)
    with pytest.raises(OverflowError):
        velm.sum_as_string(2**64, 1)
