"""Sizes that overflow 64 bits or could never be allocated end in a clear Python exception."""
import pytest

import velm
from conftest import raises_fatal

HUGE = [
    (lambda: velm.LegendreToHilbertBasis(2**62, 1, 0, "sine"), MemoryError, "n_modes"),
    (lambda: velm.LegendreToHilbertBasis(2**63, 4, 3, "cosine"), OverflowError, "n_modes"),
    (lambda: velm.LegendreToHilbertBasis(1, 2**62, 3, "sine"), OverflowError, "n_t"),
    (lambda: velm.LegendreToHilbertBasis(1, 2**50, 0, "sine"), MemoryError, "n_t"),
    (lambda: velm.LegendreToHilbertBasis(4, 2, 2**64 - 1, "sine"), OverflowError, "degree"),
    (lambda: velm.LegendreBasisEvaluator(2**63, 4, 1.0), OverflowError, "degree"),
    (lambda: velm.LegendreBasisEvaluator(2**40, 2**20, 1.0), MemoryError, "n_t"),
    (lambda: velm.LegendreBasis(3, 2**62, 1.0).evaluate_all_basis_functions(0.5), OverflowError, "n_t"),
    (lambda: velm.LegendreBasis(3, 2**55, 1.0).evaluate_all_basis_functions(0.5), MemoryError, "n_t"),
    (lambda: velm.compute_sine_base_coefficients(1, [0.0], 0, 2**63, 1.0), OverflowError, "degree"),
    (lambda: velm.compute_sine_base_coefficients(1, [0.0], 0, 2**30, 1.0), MemoryError, "degree"),
    (lambda: velm.compute_sine_base_coefficients(1, [0.0], 0, 2**64 - 1, 1.0), OverflowError, "degree"),
    (lambda: velm.LegendreBasis(2**64 - 1, 1, 1.0).evaluate_all_basis_function_derivatives(0.5), OverflowError, "degree"),
    (lambda: velm.get_lagrange_points(2**40, 2**30, 1.0), OverflowError, "n_t"),
    (lambda: velm.get_lagrange_points(2**40, 2**20, 1.0), MemoryError, "n_t"),
    (lambda: velm.get_lagrange_points(0, 2**60, 1.0), MemoryError, "n_t"),
    (lambda: velm.lagrange_to_legendre_basis_transformation(1, 2**62), MemoryError, "n_t"),
    (lambda: velm.lagrange_to_legendre_basis_transformation(2**44, 0), MemoryError, "degree"),
    (lambda: velm.compute_sine_base_coefficients(0, [], 1, 2**44, 1.0), MemoryError, "n_t·degree"),
    (lambda: velm.compute_sine_base_coefficients(2**62, [1.0], 0, 1, 1.0), None, None),
    (lambda: velm.compute_sine_base_coefficients_pw_constants(2**61, [1.0], 1), MemoryError, "n_modes"),
    (lambda: velm.EigenBasisTransformLowestOrder(2**62, 1.0).get_generalized_eigenvalues(1), MemoryError, "n_t"),
]


@pytest.mark.parametrize("call, error, name", HUGE)
def test_huge_sizes(call, error, name):
    if error is None:  # n_t = 0 with modes: refused before any size matters
        with raises_fatal("attempt to calculate the remainder with a divisor of zero"):
            call()
        return
    with pytest.raises(error) as info:
        call()
    assert name in str(info.value)
