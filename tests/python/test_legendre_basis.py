"""LegendreBasis and LegendreBasisEvaluator from Python: values, borrows, failures."""
import math

import numpy as np
import pytest
from numpy.polynomial import legendre as npleg

import velm
from conftest import equality_message, raises_fatal


def reference_value(coefficients, degree, n_t, T, t):
    """Independent evaluation with numpy's Legendre series on the element of t."""
    h = T / n_t
    j = min(max(int(math.floor(t / h)), 0), n_t - 1)
    xi = min(max(2.0 * (t - j * h) / h - 1.0, -1.0), 1.0)
    c = [coefficients[k * n_t + j] for k in range(degree + 1)]
    return npleg.legval(xi, c), npleg.legval(xi, npleg.legder(c)) * 2.0 / h


@pytest.mark.parametrize("degree, n_t, T", [(0, 3, 1.0), (1, 2, 1.0), (3, 5, 2.5), (6, 4, 0.7)])
def test_values_and_derivatives_against_numpy(degree, n_t, T):
    rng = np.random.default_rng(degree * 100 + n_t)
    coefficients = rng.standard_normal(n_t * (degree + 1)).tolist()
    basis = velm.LegendreBasis(degree, n_t, T)
    evaluator = velm.LegendreBasisEvaluator(degree, n_t, T)
    evaluator.set_dofs(coefficients)
    for t in np.linspace(0.013, T * 0.991, 37):
        value, derivative = reference_value(coefficients, degree, n_t, T, t)
        assert basis.evaluate_at(t, coefficients) == pytest.approx(value, rel=1e-12, abs=1e-12)
        assert evaluator.evaluate_at(t) == basis.evaluate_at(t, coefficients)
        assert evaluator.evaluate_derivative_at(t) == pytest.approx(derivative, rel=1e-9, abs=1e-9)
        functions = basis.evaluate_all_basis_functions(t)
        assert len(functions) == n_t * (degree + 1)
        assert math.fsum(f * c for f, c in zip(functions, coefficients)) == pytest.approx(
            value, rel=1e-12, abs=1e-12)
        derivatives = basis.evaluate_all_basis_function_derivatives(t)
        assert math.fsum(f * c for f, c in zip(derivatives, coefficients)) == pytest.approx(
            derivative, rel=1e-9, abs=1e-9)


def test_worked_example_degree_1():
    vals = [1.0, 2.0, 10.0, 20.0]
    basis = velm.LegendreBasis(1, 2, 1.0)
    assert basis.evaluate_at(0.25, vals) == 1.0
    assert basis.evaluate_at(0.75, vals) == 2.0
    assert basis.evaluate_all_basis_functions(0.75) == [0.0, 1.0, 0.0, 0.0]
    evaluator = velm.LegendreBasisEvaluator(1, 2, 1.0)
    evaluator.set_dofs(vals)
    assert evaluator.evaluate_derivative_at(0.1) == 40.0
    assert evaluator.evaluate_derivative_at(0.0) == 40.0


def test_derivative_at_element_ends_uses_the_shifted_denominator():
    evaluator = velm.LegendreBasisEvaluator(2, 1, 2.0)
    evaluator.set_dofs([0.0, 0.0, 1.0])
    assert evaluator.evaluate_derivative_at(0.0) == 0.0
    assert evaluator.evaluate_derivative_at(1.5) == pytest.approx(1.5, rel=1e-14)
    assert evaluator.evaluate_derivative_at(0.5) == pytest.approx(-1.5, rel=1e-14)


def test_outside_the_interval_values_continue_as_constants():
    vals = [1.0, 2.0, 10.0, 20.0]
    basis = velm.LegendreBasis(1, 2, 1.0)
    assert basis.evaluate_at(-5.0, vals) == basis.evaluate_at(0.0, vals) == -9.0
    assert basis.evaluate_at(7.0, vals) == basis.evaluate_at(1.0, vals) == 22.0
    assert basis.evaluate_at(-math.inf, vals) == -9.0
    assert basis.evaluate_at(math.inf, vals) == 22.0
    assert math.isnan(basis.evaluate_at(math.nan, vals))
    assert velm.LegendreBasis(0, 3, 1.0).evaluate_at(math.nan, [4.0, 5.0, 6.0]) == 4.0


def test_degree_zero_is_piecewise_constant():
    evaluator = velm.LegendreBasisEvaluator(0, 3, 3.0)
    evaluator.set_dofs([4.0, 5.0, 6.0])
    assert [evaluator.evaluate_at(t) for t in (0.5, 1.5, 2.5)] == [4.0, 5.0, 6.0]
    assert evaluator.evaluate_derivative_at(1.5) == 0.0


def test_fresh_evaluator_is_zero_and_keeps_dofs_after_a_failed_set():
    evaluator = velm.LegendreBasisEvaluator(1, 2, 1.0)
    assert evaluator.evaluate_at(0.3) == 0.0
    evaluator.set_dofs([1.0, 2.0, 10.0, 20.0])
    message = equality_message(3, 4, "LegendreBasisEvaluator: set_dofs: input vector has wrong length")
    with raises_fatal(message):
        evaluator.set_dofs([1.0, 2.0, 3.0])
    assert evaluator.evaluate_at(0.25) == 1.0
    assert evaluator.set_dofs([0.0] * 4) is None


def test_short_coefficients_refused_and_longer_ones_truncated():
    basis = velm.LegendreBasis(1, 2, 1.0)
    with raises_fatal("Matrix view: input data buffer too small."):
        basis.evaluate_at(0.25, [1.0, 2.0, 10.0])
    assert basis.evaluate_at(0.25, [1.0, 2.0, 10.0, 20.0, 99.0]) == 1.0


@pytest.mark.parametrize("cls", [velm.LegendreBasis, velm.LegendreBasisEvaluator])
def test_no_elements_refused(cls):
    with pytest.raises(ValueError, match="n_t must be at least 1"):
        cls(1, 0, 1.0)


def test_evaluator_with_unaddressable_size_refused():
    with pytest.raises((OverflowError, MemoryError)):
        velm.LegendreBasisEvaluator(2**63, 4, 1.0)
    with pytest.raises((OverflowError, MemoryError)):
        velm.LegendreBasisEvaluator(2**64 - 1, 1, 1.0)


# ---- borrows -------------------------------------------------------------

def test_set_dofs_conversion_calling_back_into_the_same_object():
    evaluator = velm.LegendreBasisEvaluator(0, 2, 1.0)
    seen = []

    class Reentrant:
        def __float__(self):
            for call in (lambda: evaluator.evaluate_at(0.1),
                         lambda: evaluator.evaluate_derivative_at(0.1)):
                with pytest.raises(RuntimeError) as info:
                    call()
                seen.append(str(info.value))
            with pytest.raises(RuntimeError) as info:
                evaluator.set_dofs([1.0, 1.0])
            seen.append(str(info.value))
            return 7.0

    assert evaluator.set_dofs([Reentrant(), 8.0]) is None
    assert seen == ["Already mutably borrowed"] * 2 + ["Already borrowed"]
    assert evaluator.evaluate_at(0.1) == 7.0
    assert evaluator.evaluate_at(0.9) == 8.0


def test_shared_borrows_overlap():
    basis = velm.LegendreBasis(0, 1, 1.0)

    class Nested:
        def __float__(self):
            return basis.evaluate_at(0.5, [3.0])

    assert basis.evaluate_at(Nested(), [5.0]) == 5.0
