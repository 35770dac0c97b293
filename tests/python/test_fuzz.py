"""Any Python object in any parameter: a documented result or a clean Python exception.

The examples per test come from the hypothesis profile: "small" (default, used by the test
command) or "long" (VELM_FUZZ_PROFILE=long, at least 10^5 examples per callable).
"""
import math
import os

import numpy as np
import pytest
from hypothesis import HealthCheck, given, settings, strategies as st

import velm
from conftest import is_fatal_error

settings.register_profile("small", max_examples=150, deadline=None,
                          suppress_health_check=list(HealthCheck))
settings.register_profile("long", max_examples=100_000, deadline=None,
                          suppress_health_check=list(HealthCheck))
settings.load_profile(os.environ.get("VELM_FUZZ_PROFILE", "small"))

ALLOWED = (TypeError, OverflowError, ValueError, RuntimeError, MemoryError, UnicodeError, KeyError)


class Hostile:
    """An object whose protocol methods raise or misbehave."""

    def __init__(self, mode):
        self.mode = mode

    def __index__(self):
        if self.mode == 0:
            raise KeyError("index")
        return -5 if self.mode == 1 else 2**70

    def __float__(self):
        if self.mode == 0:
            raise KeyError("float")
        return "not a float" if self.mode == 1 else math.nan

    def __len__(self):
        if self.mode == 0:
            raise KeyError("len")
        return -1 if self.mode == 1 else 10**30

    def __getitem__(self, i):
        if i >= 3:
            raise IndexError
        return [1.0, Hostile(self.mode), "x"][i]

    def __iter__(self):
        if self.mode == 0:
            raise KeyError("iter")
        return iter([1.0, 2.0] if self.mode == 2 else [Hostile(0)])


# Integers are small, negative or unaddressably large: a size of a few gigabytes would be
# honoured and only make the run slow.
integers = st.one_of(st.integers(0, 12), st.integers(-2**70, -1), st.integers(2**44, 2**80),
                     st.sampled_from([2**63, 2**64 - 1, 2**64]))
floats = st.floats(allow_nan=True, allow_infinity=True)
scalars = st.one_of(integers, floats, st.booleans(), st.text(max_size=4), st.binary(max_size=4),
                    st.none(), st.builds(Hostile, st.integers(0, 2)))
sequences = st.one_of(
    st.lists(floats, max_size=40),
    st.lists(st.one_of(floats, st.integers(-3, 3)), max_size=40).map(tuple),
    st.lists(scalars, max_size=6),
    st.lists(st.lists(floats, max_size=3), max_size=4),
    st.integers(0, 40).map(range),
    st.lists(floats, max_size=40).map(lambda v: (x for x in v)),
    st.lists(floats, max_size=40).map(np.array),
    st.sampled_from([np.zeros((2, 3)), np.arange(10, dtype=np.int8), np.ones(7)[::2],
                     np.array([1 + 2j]), np.array(["a"]), np.float64(2.0), np.zeros((0,))]),
)
anything = st.one_of(scalars, sequences)
hints = {"int": st.one_of(integers, anything), "float": st.one_of(floats, anything),
         "seq": st.one_of(sequences, anything), "str": st.one_of(st.sampled_from(["sine", "cosine"]), anything)}


def check(call, result_check):
    try:
        result = call()
    except ALLOWED:
        return
    except BaseException as error:  # noqa: BLE001
        if is_fatal_error(error):
            return
        raise
    assert result_check(result), repr(result)[:200]


def float_list(result):
    return isinstance(result, list) and all(type(x) is float for x in result)


def triplets(result):
    return (isinstance(result, tuple) and len(result) == 3 and
            all(isinstance(part, list) for part in result) and
            len(result[0]) == len(result[1]) == len(result[2]))


@given(st.data())
def test_functions(data):
    draw = lambda kind: data.draw(hints[kind])  # noqa: E731
    check(lambda: velm.sum_as_string(draw("int"), draw("int")), lambda r: type(r) is str)
    check(lambda: velm.get_lagrange_points(draw("int"), draw("int"), draw("float")), float_list)
    check(lambda: velm.lagrange_to_legendre_basis_transformation(draw("int"), draw("int")), triplets)
    check(lambda: velm.h12_seminorm(draw("seq")), lambda r: type(r) is float)
    check(lambda: velm.compute_sine_base_coefficients(draw("int"), draw("seq"), draw("int"), draw("int"),
                                                      draw("float")), float_list)
    check(lambda: velm.compute_sine_base_coefficients_pw_constants(draw("int"), draw("seq"), draw("int")),
          float_list)


@given(st.data())
def test_classes(data):
    draw = lambda kind: data.draw(hints[kind])  # noqa: E731
    small = st.integers(0, 6)
    op = velm.LegendreToHilbertBasis(data.draw(small), data.draw(st.integers(1, 6)), data.draw(small),
                                     data.draw(st.sampled_from(["sine", "cosine"])))
    check(lambda: velm.LegendreToHilbertBasis(draw("int"), draw("int"), draw("int"), draw("str")),
          lambda r: type(r) is velm.LegendreToHilbertBasis)
    for method in (op.apply, op.apply_fft, op.apply_ftt_transpose):
        check(lambda: method(draw("seq")), float_list)
    check(op.get_extension_matrix, triplets)
    basis = velm.LegendreBasis(data.draw(small), data.draw(st.integers(1, 6)), 1.0)
    check(lambda: basis.evaluate_at(draw("float"), draw("seq")), lambda r: type(r) is float)
    check(lambda: basis.evaluate_all_basis_functions(draw("float")), float_list)
    check(lambda: velm.LegendreBasis(draw("int"), draw("int"), draw("float")).evaluate_all_basis_function_derivatives(0.5),
          float_list)
    evaluator = velm.LegendreBasisEvaluator(data.draw(small), data.draw(st.integers(1, 6)), 2.0)
    check(lambda: evaluator.set_dofs(draw("seq")), lambda r: r is None)
    check(lambda: evaluator.evaluate_derivative_at(draw("float")), lambda r: type(r) is float)
    eig = velm.EigenBasisTransformLowestOrder(data.draw(st.integers(0, 9)), data.draw(floats))
    check(lambda: eig.forward_transform(draw("seq")), float_list)
    check(lambda: eig.inverse_transform(draw("seq")), float_list)
    # the series length is honoured as given, so keep it small
    n_terms = data.draw(st.one_of(st.integers(0, 50), st.integers(-5, -1), floats, st.none()))
    check(lambda: eig.get_generalized_eigenvalue(draw("int"), n_terms), lambda r: type(r) is float)
    check(lambda: eig.get_generalized_eigenvalues(n_terms), float_list)
