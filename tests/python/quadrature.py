"""Independent references: Gauss-Legendre quadrature of Hilbert-basis coefficients."""
import numpy as np
from numpy.polynomial import legendre as npleg


def hilbert_coefficients(legendre_dofs, n_t, degree, n_modes, T=1.0, cosine=False):
    """(2/T)·∫_0^T f(t)·sin((k + ½)πt/T) dt (cos for cosine) by quadrature on each element,
    f being the piecewise Legendre expansion with degree-major coefficients."""
    h = T / n_t
    k = np.arange(n_modes) + 0.5
    per_element = max(64, int(2 * n_modes / n_t) + 2 * degree + 40)
    x, w = npleg.leggauss(per_element)
    total = np.zeros(n_modes)
    c = np.asarray(legendre_dofs, dtype=float).reshape(degree + 1, n_t)
    for j in range(n_t):
        t = j * h + (x + 1.0) * h / 2
        f = npleg.legval(x, c[:, j])
        kernel = np.cos if cosine else np.sin
        total += kernel(np.outer(k, t) * np.pi / T) @ (w * f) * (h / 2)
    return total * 2.0 / T
