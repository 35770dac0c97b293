"""LegendreToHilbertBasis from Python against quadrature, closed forms and its own identities."""
import math

import numpy as np
import pytest
import scipy.sparse

import velm
from conftest import equality_message, raises_fatal
from quadrature import hilbert_coefficients


@pytest.mark.parametrize("basis", ["sine", "cosine"])
@pytest.mark.parametrize("degree", [0, 1, 2, 3, 4])
@pytest.mark.parametrize("n_t, n_modes", [(5, 3), (5, 5), (5, 23), (7, 1000), (3, 3)])
def test_apply_against_quadrature(basis, degree, n_t, n_modes):
    rng = np.random.default_rng(1000 * degree + 10 * n_t + n_modes)
    dofs = rng.standard_normal(n_t * (degree + 1))
    result = velm.LegendreToHilbertBasis(n_modes, n_t, degree, basis).apply(dofs.tolist())
    reference = hilbert_coefficients(dofs, n_t, degree, n_modes, cosine=basis == "cosine")
    assert len(result) == n_modes
    scale = np.max(np.abs(reference))
    assert np.max(np.abs(np.array(result) - reference)) <= 1e-13 * max(scale, 1.0) * math.log2(n_modes + 2)


def test_constant_function_closed_forms():
    k = np.arange(4) + 0.5
    sine = velm.LegendreToHilbertBasis(4, 4, 0, "sine").apply([1.0] * 4)
    cosine = velm.LegendreToHilbertBasis(4, 4, 0, "cosine").apply([1.0] * 4)
    np.testing.assert_allclose(sine, 2 / (k * np.pi), rtol=1e-15)
    np.testing.assert_allclose(cosine, 2 * (-1) ** np.arange(4) / (k * np.pi), rtol=1e-15)


def test_size_rule_and_longer_input():
    op = velm.LegendreToHilbertBasis(6, 3, 1, "sine")
    dofs = [0.5, -1.0, 2.0, 0.25, 1.5, -0.75]
    for method in (op.apply, op.apply_fft, op.apply_ftt_transpose):
        with raises_fatal("Matrix view: input data buffer too small."):
            method(dofs[:-1])
        assert method(dofs + [123.0]) == method(dofs)


@pytest.mark.parametrize("basis_type", ["Sine", "COSINE", "sin", "cosin", "sine ", " cosine", "", "sine\0"])
def test_basis_type_failures(basis_type):
    with raises_fatal("LegendreToHilbertBasis: only 'sine' or 'cosine' basis types are supported"):
        velm.LegendreToHilbertBasis(4, 2, 1, basis_type)


def test_no_elements_with_modes_stops_before_any_bessel_value():
    with raises_fatal("attempt to calculate the remainder with a divisor of zero"):
        velm.LegendreToHilbertBasis(1, 0, 2, "sine")
    empty = velm.LegendreToHilbertBasis(0, 0, 2, "cosine")
    assert empty.apply([]) == []
    assert empty.get_extension_matrix() == ([], [], [])


@pytest.mark.parametrize("basis", ["sine", "cosine"])
def test_fft_is_its_own_transpose(basis):
    n_t, degree = 6, 3
    op = velm.LegendreToHilbertBasis(10, n_t, degree, basis)
    rng = np.random.default_rng(7)
    x, y = rng.standard_normal((2, n_t * (degree + 1)))
    assert op.apply_fft(x.tolist()) == op.apply_ftt_transpose(x.tolist())
    left = np.dot(op.apply_fft(x.tolist()), y)
    right = np.dot(x, op.apply_ftt_transpose(y.tolist()))
    assert left == pytest.approx(right, rel=1e-12)


@pytest.mark.parametrize("basis, signs", [("sine", [1, 1, -1, -1, 1]), ("cosine", [1, -1, -1, 1, 1])])
def test_fft_single_element(basis, signs):
    dofs = [1.0, 2.0, 3.0, 4.0, 5.0]
    result = velm.LegendreToHilbertBasis(1, 1, 4, basis).apply_fft(dofs)
    np.testing.assert_allclose(result, [s * math.sqrt(2) * d for s, d in zip(signs, dofs)], rtol=1e-15)


def test_extension_matrix_triplets():
    sine = velm.LegendreToHilbertBasis(5, 2, 1, "sine").get_extension_matrix()
    assert sine == (
        [0, 1, 2, 3, 4, 5, 6, 7, 8, 9],
        [0, 1, 1, 0, 0, 2, 3, 3, 2, 2],
        [1.0, 1.0, 1.0, 1.0, -1.0, 1.0, 1.0, -1.0, -1.0, -1.0],
    )
    cosine = velm.LegendreToHilbertBasis(5, 2, 1, "cosine").get_extension_matrix()
    assert cosine[2] == [1.0, 1.0, -1.0, -1.0, -1.0, 1.0, 1.0, 1.0, 1.0, -1.0]


def test_compound_filter_triplets():
    rows, cols, vals = velm.LegendreToHilbertBasis(3, 2, 2, "sine").get_compound_filter_matrix()
    assert rows == [0, 0, 0, 1, 1, 1, 2, 2, 2]
    assert cols == [0, 3, 6, 1, 4, 7, 2, 5, 8]
    assert vals[3:6] == pytest.approx([0.7842133, 0.3408291, 0.0837010], abs=1e-7)
    rows, cols, vals = velm.LegendreToHilbertBasis(1, 1, 1, "cosine").get_compound_filter_matrix()
    assert (rows, cols) == ([0, 0], [0, 1])
    assert vals[0] == pytest.approx(2 * math.sqrt(2) / math.pi, rel=1e-15)


def test_triplets_make_the_operator():
    n_modes, n_t, degree = 11, 4, 2
    op = velm.LegendreToHilbertBasis(n_modes, n_t, degree, "sine")
    r, c, v = op.get_extension_matrix()
    E = scipy.sparse.coo_matrix((v, (r, c)), shape=((degree + 1) * n_modes, (degree + 1) * n_t))
    r, c, v = op.get_compound_filter_matrix()
    F = scipy.sparse.coo_matrix((v, (r, c)), shape=(n_modes, (degree + 1) * n_modes))
    dofs = np.random.default_rng(3).standard_normal(n_t * (degree + 1))
    expected = F @ (E @ np.array(op.apply_fft(dofs.tolist()))) / n_t
    np.testing.assert_allclose(op.apply(dofs.tolist()), expected, rtol=1e-13, atol=1e-15)
    assert op.get_extension_matrix() == op.get_extension_matrix()
