"""Lagrange nodes and the Lagrange-to-Legendre conversion matrix."""
import numpy as np
import pytest
import scipy.sparse

import velm
from conftest import raises_fatal


@pytest.mark.parametrize("args, expected", [
    ((1, 2, 1.0), [0.0, 0.5, 1.0]),
    ((2, 2, 1.0), [0.0, 0.25, 0.5, 0.75, 1.0]),
    ((3, 1, 1.0), [0.0, 1 / 3, 2 / 3, 1.0]),
    ((2, 3, 1.0), [0.0, 1 / 6, 1 / 3, 0.5, 2 / 3, 5 / 6, 1.0]),
    ((0, 4, 2.0), [2.0]),
    ((3, 0, 2.0), [2.0]),
])
def test_nodes(args, expected):
    nodes = velm.get_lagrange_points(*args)
    degree, n_t, T = args
    h = T / n_t if n_t else 0.0
    if degree and n_t:
        # element starts are i·h, inner nodes (k·h)/degree + i·h, the last node T itself
        reference = [(k * ((h + i * h) - i * h)) / degree + i * h for i in range(n_t) for k in range(degree)] + [T]
        assert nodes == reference
    assert nodes == pytest.approx(expected, abs=1e-15)
    assert nodes[-1] == T


def test_degree_1_and_2_matrices():
    assert velm.lagrange_to_legendre_basis_transformation(1, 2) == (
        [0, 0, 1, 1, 2, 2, 3, 3],
        [0, 1, 1, 2, 0, 1, 1, 2],
        [0.5, 0.5, 0.5, 0.5, -0.5, 0.5, -0.5, 0.5],
    )
    rows, cols, vals = velm.lagrange_to_legendre_basis_transformation(2, 1)
    assert rows == [0, 0, 0, 1, 1, 1, 2, 2, 2]
    assert cols == [0, 1, 2] * 3
    assert vals == [1 / 6, 2 / 3, 1 / 6, -0.5, 0.0, 0.5, 1 / 3, -2 / 3, 1 / 3]


@pytest.mark.parametrize("degree", range(1, 9))
def test_round_trip_reproduces_polynomials(degree):
    """Values of a polynomial of degree <= d at the nodes, converted and evaluated, give it back."""
    n_t, T = 5, 1.7
    rng = np.random.default_rng(degree)
    poly = np.polynomial.Polynomial(rng.standard_normal(degree + 1))
    nodes = np.array(velm.get_lagrange_points(degree, n_t, T))
    rows, cols, vals = velm.lagrange_to_legendre_basis_transformation(degree, n_t)
    assert len(vals) == (degree + 1) ** 2 * n_t
    assert max(cols) == n_t * degree
    A = scipy.sparse.coo_matrix((vals, (rows, cols)), shape=(n_t * (degree + 1), n_t * degree + 1))
    coefficients = (A @ poly(nodes)).tolist()
    basis = velm.LegendreBasis(degree, n_t, T)
    for t in np.linspace(0.0, T, 41):
        assert basis.evaluate_at(t, coefficients) == pytest.approx(poly(t), rel=1e-9, abs=1e-9)


def test_degree_zero_refused():
    for n_t in (0, 1, 5):
        with raises_fatal("Lagrange to Legendre conversion not meaningful for degree 0"):
            velm.lagrange_to_legendre_basis_transformation(0, n_t)


def test_no_elements_give_empty_triplets():
    assert velm.lagrange_to_legendre_basis_transformation(3, 0) == ([], [], [])
