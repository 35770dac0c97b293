"""Core behaviour checked with nothing but pytest, for interpreters without numpy."""
import math
import sys
import threading

import pytest

import velm
from conftest import raises_fatal


def test_round_trip_of_the_main_paths():
    assert velm.sum_as_string(2**64 - 1, 2) == "1"
    assert velm.get_lagrange_points(2, 2, 1.0) == [0.0, 0.25, 0.5, 0.75, 1.0]
    coefficients = velm.compute_sine_base_coefficients(8, [1.0] * 5, 2, 2, 1.0)
    assert coefficients == pytest.approx([2 / ((k + 0.5) * math.pi) for k in range(8)], rel=1e-13)
    op = velm.LegendreToHilbertBasis(8, 4, 0, "sine")
    assert op.apply([1.0] * 4) == pytest.approx(coefficients, rel=1e-13)
    assert velm.h12_seminorm([2.0]) == pytest.approx(2 * math.sqrt(math.pi / 2), rel=1e-15)
    eig = velm.EigenBasisTransformLowestOrder(16, 1.0)
    assert eig.inverse_transform(eig.forward_transform([float(i) for i in range(16)])) == \
        pytest.approx([float(i) for i in range(16)], abs=1e-12)
    assert eig.get_generalized_eigenvalues(10) == [eig.get_generalized_eigenvalue(l, 10) for l in range(16)]


def test_borrows_and_fatal_errors():
    evaluator = velm.LegendreBasisEvaluator(0, 1, 1.0)

    class Reenter:
        def __float__(self):
            with pytest.raises(RuntimeError, match="Already mutably borrowed"):
                evaluator.evaluate_at(0.5)
            return 3.0

    evaluator.set_dofs([Reenter()])
    assert evaluator.evaluate_at(0.5) == 3.0
    with raises_fatal("Matrix view: input data buffer too small."):
        velm.LegendreBasis(1, 2, 1.0).evaluate_at(0.5, [1.0])


def test_threads_share_objects():
    eig = velm.EigenBasisTransformLowestOrder(300, 1.0)
    expected = eig.get_generalized_eigenvalues(20)
    results = []
    threads = [threading.Thread(target=lambda: results.append(eig.get_generalized_eigenvalues(20) == expected))
               for _ in range(8)]
    for t in threads:
        t.start()
    for t in threads:
        t.join()
    assert results == [True] * 8


@pytest.mark.skipif(not hasattr(sys, "_is_gil_enabled"), reason="free-threaded builds only")
def test_free_threaded_build_keeps_the_gil_after_import():
    import sysconfig

    if sysconfig.get_config_var("Py_GIL_DISABLED"):
        assert sys._is_gil_enabled()  # the module declares that it needs the GIL
