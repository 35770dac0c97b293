"""h12_seminorm and EigenBasisTransformLowestOrder against direct sums and mpmath."""
import math

import mpmath
import numpy as np
import pytest

import velm


def direct_seminorm(samples):
    n = len(samples)
    v = np.asarray(samples, dtype=np.longdouble)
    idx = np.arange(n, dtype=np.longdouble) + 0.5
    s = 2 * np.sin(np.pi * np.outer(idx, idx) / n) @ v
    return float(np.sqrt(np.sum(idx * np.pi * s * s) / (2 * n * n)))


def test_seminorm_closed_forms():
    assert math.isnan(velm.h12_seminorm([]))
    assert velm.h12_seminorm([-3.0]) == pytest.approx(3 * math.sqrt(math.pi / 2), rel=1e-15)
    zero = velm.h12_seminorm([0.0] * 8)
    assert zero == 0.0 and math.copysign(1.0, zero) == 1.0
    n, m = 12, 5
    mode = [math.sin(math.pi * (i + 0.5) * (m + 0.5) / n) for i in range(n)]
    assert velm.h12_seminorm(mode) == pytest.approx(math.sqrt((m + 0.5) * math.pi / 2), rel=1e-13)
    assert velm.h12_seminorm((1, 2, 3)) == velm.h12_seminorm([1.0, 2.0, 3.0])


@pytest.mark.parametrize("n", [1, 2, 3, 17, 64, 1000])
def test_seminorm_against_direct_sum(n):
    samples = np.random.default_rng(n).standard_normal(n)
    result = velm.h12_seminorm(samples.tolist())
    assert result == pytest.approx(direct_seminorm(samples), rel=1e-12)
    assert velm.h12_seminorm((-2.5 * samples).tolist()) == pytest.approx(2.5 * result, rel=1e-13)
    assert velm.h12_seminorm((-samples).tolist()) == result


def test_transform_length_messages():
    eig = velm.EigenBasisTransformLowestOrder(4, 1.0)
    with pytest.raises(ValueError) as info:
        eig.forward_transform([1.0, 2.0, 3.0])
    assert str(info.value) == "EigenBasisTransformLowestOrder: forward_transform: input length 3 does not match n_t 4"
    with pytest.raises(ValueError) as info:
        eig.inverse_transform([1.0] * 5)
    assert str(info.value) == "EigenBasisTransformLowestOrder: inverse_transform: input length 5 does not match n_t 4"


def test_small_transforms():
    a, b = 0.7, -1.9
    eig = velm.EigenBasisTransformLowestOrder(2, 1.0)
    forward = eig.forward_transform([a, b])
    assert forward == pytest.approx([(a + b) / math.sqrt(2), a - b], rel=1e-15)
    assert eig.inverse_transform(forward) == pytest.approx([a, b], rel=1e-15)
    one = velm.EigenBasisTransformLowestOrder(1, 1.0)
    assert one.forward_transform([a]) == pytest.approx([a], rel=1e-15)
    assert one.inverse_transform([a]) == pytest.approx([a], rel=1e-15)


@pytest.mark.parametrize("n", [1, 2, 3, 5, 8, 17, 100, 1024, 1031])
def test_round_trips_and_mesh_meaning(n):
    x = np.random.default_rng(n).standard_normal(n)
    eig = velm.EigenBasisTransformLowestOrder(n, 2.0)
    forward = eig.forward_transform(x.tolist())
    np.testing.assert_allclose(eig.inverse_transform(forward), x, atol=1e-12 * math.sqrt(n))
    np.testing.assert_allclose(eig.forward_transform(eig.inverse_transform(x.tolist())), x, atol=1e-12 * math.sqrt(n))
    if n <= 100:  # forward_transform evaluates the sine series at the nodes t_1 … t_n
        k = np.arange(n) + 0.5
        nodes = (np.arange(n) + 1) * (2.0 / n)
        np.testing.assert_allclose(forward, np.sin(np.outer(nodes, k) * np.pi / 2.0) @ x, atol=1e-12 * n)


def mp_eigenvalue(l, n_terms, n_t, T):
    mpmath.mp.dps = 40
    m, M = 2 * l + 1, 4 * n_t
    S = mpmath.fsum(mpmath.mpf(1) / (M * j + m) ** 3 + mpmath.mpf(1) / (M * (j + 1) - m) ** 3 for j in range(n_terms))
    x = (l + mpmath.mpf(1) / 2) * mpmath.pi / (2 * n_t)
    return float(m**4 * (3 * mpmath.pi / (2 * T)) * (mpmath.sin(x) / x) ** 4 / (2 + mpmath.cos(2 * x)) * S)


@pytest.mark.parametrize("l, n_terms, n_t, T", [(0, 1, 1, 1.0), (0, 50, 4, 1.0), (3, 100, 8, 2.5), (15, 7, 16, 0.3), (99, 1000, 100, 10.0)])
def test_eigenvalue_against_mpmath(l, n_terms, n_t, T):
    eig = velm.EigenBasisTransformLowestOrder(n_t, T)
    assert eig.get_generalized_eigenvalue(l, n_terms) == pytest.approx(mp_eigenvalue(l, n_terms, n_t, T), rel=1e-13)


def test_eigenvalues_list_matches_single_values_bit_for_bit():
    eig = velm.EigenBasisTransformLowestOrder(257, 1.7)
    values = eig.get_generalized_eigenvalues(300)
    assert values == [eig.get_generalized_eigenvalue(l, 300) for l in range(257)]
    assert eig.get_generalized_eigenvalues(300) == values


def test_eigenvalue_edge_cases():
    eig = velm.EigenBasisTransformLowestOrder(4, 1.0)
    zero = eig.get_generalized_eigenvalue(2, 0)
    assert zero == 0.0 and math.copysign(1.0, zero) == -1.0
    assert velm.EigenBasisTransformLowestOrder(0, 1.0).get_generalized_eigenvalues(5) == []
    assert math.isnan(velm.EigenBasisTransformLowestOrder(0, 1.0).get_generalized_eigenvalue(0, 5))
    assert velm.EigenBasisTransformLowestOrder(4, 0.0).get_generalized_eigenvalue(1, 3) == math.inf
    assert velm.EigenBasisTransformLowestOrder(4, -1.0).get_generalized_eigenvalue(1, 3) < 0


def test_large_mode_index_gives_the_series_value():
    """Mode indices beyond 2·n_t are computed with signed integers, not wrapped ones."""
    n_t, l, n_terms = 2, 9, 3
    value = velm.EigenBasisTransformLowestOrder(n_t, 1.0).get_generalized_eigenvalue(l, n_terms)
    assert value == pytest.approx(mp_eigenvalue(l, n_terms, n_t, 1.0), rel=1e-12)
