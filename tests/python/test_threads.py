"""Objects shared between threads: only the borrow errors, never a torn or wrong result."""
import os
import sys
import threading

import pytest

import velm


def run_threads(target, count=8):
    errors = []

    def guarded():
        try:
            target()
        except BaseException as error:  # noqa: BLE001 - reported to the test
            errors.append(error)

    threads = [threading.Thread(target=guarded) for _ in range(count)]
    for thread in threads:
        thread.start()
    for thread in threads:
        thread.join()
    return errors


def test_set_dofs_racing_evaluations():
    n_t = 64
    evaluator = velm.LegendreBasisEvaluator(0, n_t, 1.0)
    patterns = [[float(p)] * n_t for p in range(5)]
    borrow_errors = []

    def writer():
        for i in range(300):
            try:
                evaluator.set_dofs(patterns[i % 5])
            except RuntimeError as error:
                borrow_errors.append(str(error))

    def reader():
        for i in range(300):
            try:  # each pattern is constant, so any element tells which vector was read
                value = evaluator.evaluate_at(((i * 7) % n_t + 0.5) / n_t)
            except RuntimeError as error:
                borrow_errors.append(str(error))
                continue
            assert value in (0.0, 1.0, 2.0, 3.0, 4.0)

    errors = run_threads(lambda: (writer(), reader()), count=6)
    assert errors == []
    assert set(borrow_errors) <= {"Already borrowed", "Already mutably borrowed"}


def test_many_threads_computing_eigenvalues():
    eig = velm.EigenBasisTransformLowestOrder(500, 2.0)
    expected = eig.get_generalized_eigenvalues(200)
    results = []
    errors = run_threads(lambda: results.extend(eig.get_generalized_eigenvalues(200) == expected
                                                for _ in range(5)))
    assert errors == [] and results == [True] * 40


def test_shared_operator_from_threads():
    op = velm.LegendreToHilbertBasis(300, 40, 3, "cosine")
    dofs = [((i * 37) % 11) / 7.0 for i in range(160)]
    expected = op.apply(dofs)
    same = []
    errors = run_threads(lambda: same.extend(op.apply(dofs) == expected for _ in range(20)))
    assert errors == [] and all(same)


@pytest.mark.skipif(not hasattr(os, "fork"), reason="needs fork")
def test_forked_child_uses_the_pool():
    eig = velm.EigenBasisTransformLowestOrder(1000, 1.0)
    expected = eig.get_generalized_eigenvalues(50)
    read, write = os.pipe()
    pid = os.fork()
    if pid == 0:  # child: the pool the parent started must still work
        ok = eig.get_generalized_eigenvalues(50) == expected
        os.write(write, b"1" if ok else b"0")
        os._exit(0)
    os.close(write)
    answer = os.read(read, 1)
    os.close(read)
    _, status = os.waitpid(pid, 0)
    assert os.WIFEXITED(status) and answer == b"1"
