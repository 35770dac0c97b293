"""One-shot sine coefficients from Lagrange values and from piecewise constants."""
import math

import numpy as np
import pytest

import velm
from conftest import equality_message, raises_fatal
from quadrature import hilbert_coefficients


def interpolant_legendre(values, degree, n_t):
    """Legendre coefficients of the interpolant, by numpy's own fit on each element."""
    from numpy.polynomial import legendre as npleg

    xi = np.linspace(-1.0, 1.0, degree + 1)
    c = np.zeros((degree + 1, n_t))
    for j in range(n_t):
        c[:, j] = npleg.legfit(xi, values[j * degree:j * degree + degree + 1], degree)
    return c.reshape(-1)


@pytest.mark.parametrize("degree", [1, 2, 3, 5])
@pytest.mark.parametrize("n_t, n_modes", [(6, 4), (6, 6), (4, 50)])
def test_against_quadrature(degree, n_t, n_modes):
    T = 1.3
    nodes = np.array(velm.get_lagrange_points(degree, n_t, T))
    values = np.sin(2.2 * nodes) + np.abs(nodes - 0.5)
    result = velm.compute_sine_base_coefficients(n_modes, values.tolist(), n_t, degree, T)
    reference = hilbert_coefficients(interpolant_legendre(values, degree, n_t), n_t, degree, n_modes, T)
    np.testing.assert_allclose(result, reference, rtol=0, atol=1e-12)


@pytest.mark.parametrize("degree, n_t", [(1, 1), (2, 3), (4, 7)])
def test_closed_forms(degree, n_t):
    k = np.arange(40) + 0.5
    constant = velm.compute_sine_base_coefficients(40, [1.0] * (degree * n_t + 1), n_t, degree, 1.0)
    np.testing.assert_allclose(constant, 2 / (k * np.pi), rtol=1e-13)
    T = 3.0
    ramp = [t / T for t in velm.get_lagrange_points(degree, n_t, T)]
    result = velm.compute_sine_base_coefficients(40, ramp, n_t, degree, T)
    np.testing.assert_allclose(result, 2 * (-1) ** np.arange(40) / (k * np.pi) ** 2, rtol=1e-12, atol=1e-15)


def test_independent_of_T():
    values = [0.3, -1.0, 2.0, 0.5, 0.25, 1.0, -0.5]
    results = [velm.compute_sine_base_coefficients(9, values, 3, 2, T)
               for T in (1.0, 7.5, 0.0, -2.0, math.inf, math.nan)]
    assert all(r == results[0] for r in results)


def test_pw_constants_against_closed_form():
    n_t, n_modes = 7, 30
    dofs = np.random.default_rng(5).standard_normal(n_t)
    result = velm.compute_sine_base_coefficients_pw_constants(n_modes, dofs.tolist(), n_t)
    k = np.arange(n_modes)[:, None] + 0.5
    j = np.arange(n_t)[None, :] + 0.5
    x = k[:, 0] * np.pi / (2 * n_t)
    expected = 2 / n_t * np.sin(x) / x * (np.sin(k * j * np.pi / n_t) @ dofs)
    np.testing.assert_allclose(result, expected, rtol=1e-12, atol=1e-14)
    ones = velm.compute_sine_base_coefficients_pw_constants(5, [1.0] * 3, 3)
    np.testing.assert_allclose(ones, velm.compute_sine_base_coefficients(5, [1.0] * 4, 3, 1, 1.0), rtol=1e-14)
    assert velm.compute_sine_base_coefficients_pw_constants(0, [1.0] * 3, 3) == []
    assert velm.compute_sine_base_coefficients_pw_constants(0, [], 0) == []


def test_failures_and_their_order():
    with raises_fatal(equality_message(6, 7, "Input lagrange_vals length does not match expected number of DOFs.")):
        velm.compute_sine_base_coefficients(3, [1.0] * 6, 3, 2, 1.0)
    with raises_fatal(equality_message(2, 1, "Input lagrange_vals length does not match expected number of DOFs.")):
        velm.compute_sine_base_coefficients(3, [1.0] * 2, 3, 0, 1.0)
    with raises_fatal("Lagrange to Legendre conversion not meaningful for degree 0"):
        velm.compute_sine_base_coefficients(3, [1.0], 3, 0, 1.0)
    with raises_fatal("attempt to calculate the remainder with a divisor of zero"):
        velm.compute_sine_base_coefficients(3, [1.0], 0, 2, 1.0)
    assert velm.compute_sine_base_coefficients(0, [1.0], 0, 2, 1.0) == []
    rows = "HilbertBasisTransformForSeparateDegrees: forward: Number of rows of input matrix does not match n_t"
    with raises_fatal(equality_message(4, 3, rows)):
        velm.compute_sine_base_coefficients_pw_constants(3, [1.0] * 4, 3)
    with raises_fatal(equality_message(2, 3, rows)):
        velm.compute_sine_base_coefficients_pw_constants(3, [1.0] * 2, 3)
    with raises_fatal("attempt to calculate the remainder with a divisor of zero"):
        velm.compute_sine_base_coefficients_pw_constants(1, [], 0)


def test_tuple_of_ints_accepted_string_refused():
    assert velm.compute_sine_base_coefficients(2, (1, 1, 1), 2, 1, 1.0) == \
        velm.compute_sine_base_coefficients(2, [1.0, 1.0, 1.0], 2, 1, 1.0)
    with pytest.raises(TypeError, match="^argument 'lagrange_dofs': "):
        velm.compute_sine_base_coefficients(2, "111", 2, 1, 1.0)
