"""Every callable, called thousands of times on success and failure paths, leaks nothing."""
import gc
import sys

import numpy as np
import pytest

import velm

ROUNDS = 2000


class Reenter:
    def __init__(self, evaluator):
        self.evaluator = evaluator

    def __float__(self):
        try:
            self.evaluator.evaluate_at(0.1)
        except RuntimeError:
            pass
        return 1.0


def swallow(call):
    def run():
        try:
            call()
        except BaseException:  # the fatal error derives from BaseException
            pass
    return run


def cases():
    floats = [0.5, -1.0, 2.0, 0.25, 1.5, -0.75]
    array = np.array(floats)
    op = velm.LegendreToHilbertBasis(8, 3, 1, "sine")
    basis = velm.LegendreBasis(1, 3, 1.0)
    evaluator = velm.LegendreBasisEvaluator(1, 3, 1.0)
    eig = velm.EigenBasisTransformLowestOrder(6, 1.0)
    args = [floats, array]
    return args, {
        "sum_as_string": lambda: velm.sum_as_string(2**63, 2**63),
        "sine coefficients": lambda: velm.compute_sine_base_coefficients(9, floats[:5], 2, 2, 1.0),
        "pw constants": lambda: velm.compute_sine_base_coefficients_pw_constants(9, array, 6),
        "lagrange matrix": lambda: velm.lagrange_to_legendre_basis_transformation(3, 4),
        "lagrange points": lambda: velm.get_lagrange_points(2, 5, 1.0),
        "h12": lambda: velm.h12_seminorm(floats),
        "operator": lambda: velm.LegendreToHilbertBasis(8, 3, 1, "cosine"),
        "apply": lambda: op.apply(floats),
        "apply_fft": lambda: op.apply_fft(array),
        "apply_ftt_transpose": lambda: op.apply_ftt_transpose(floats),
        "triplets": lambda: (op.get_extension_matrix(), op.get_compound_filter_matrix()),
        "basis": lambda: (basis.evaluate_at(0.3, floats), basis.evaluate_all_basis_functions(0.3),
                          basis.evaluate_all_basis_function_derivatives(0.3)),
        "evaluator": lambda: (evaluator.set_dofs(array), evaluator.evaluate_at(0.3),
                              evaluator.evaluate_derivative_at(0.3)),
        "eigen": lambda: (eig.forward_transform(floats), eig.inverse_transform(array),
                          eig.get_generalized_eigenvalue(2, 5), eig.get_generalized_eigenvalues(5)),
        # failures of every kind
        "conversion error": swallow(lambda: op.apply(floats + ["x"])),
        "sequence error": swallow(lambda: velm.h12_seminorm(5)),
        "overflow": swallow(lambda: velm.get_lagrange_points(-1, 2, 1.0)),
        "binding error": swallow(lambda: velm.sum_as_string(1, 2, c=3)),
        "missing": swallow(lambda: velm.LegendreBasis(1)),
        "borrow conflict": lambda: evaluator.set_dofs([Reenter(evaluator)] * 6),
        "fatal error": swallow(lambda: op.apply(floats[:3])),
        "fatal in constructor": swallow(lambda: velm.LegendreToHilbertBasis(8, 3, 1, "sin")),
        "value error": swallow(lambda: eig.forward_transform(floats[:2])),
    }


ARGS, CASES = cases()


@pytest.mark.parametrize("name", CASES)
def test_no_leak(name, capfd):
    call = CASES[name]
    for _ in range(200):
        call()
    gc.collect()
    refcounts = [sys.getrefcount(a) for a in ARGS]
    before = sys.getallocatedblocks()
    for _ in range(ROUNDS):
        call()
    gc.collect()
    after = sys.getallocatedblocks()
    capfd.readouterr()  # the fatal-error reports
    assert after - before < 20, f"{after - before} blocks left after {ROUNDS} calls"
    assert [sys.getrefcount(a) for a in ARGS] == refcounts
