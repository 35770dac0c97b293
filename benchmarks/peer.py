"""The same mathematics as velm, written the way a NumPy/SciPy user would write it.

Used by the benchmark as the alternative to beat; checked against velm before timing.
"""
import numpy as np
import scipy.fft
import scipy.special

PI = 3.141592653589793


def bessel_weights(n_modes, n_t, degree):
    x = (np.arange(n_modes) + 0.5) * PI / (2 * n_t)
    return np.array([scipy.special.spherical_jn(d, x) for d in range(degree + 1)])


def fold(n_modes, n_t):
    """Fold index and the period sign (E+) and reflected-half flip (E- = E+ * flip)."""
    i = np.arange(n_modes)
    l, q = i % (2 * n_t), i // (2 * n_t)
    reflected = l >= n_t
    column = np.where(reflected, 2 * n_t - 1 - l, l)
    period_sign = np.where(q % 2 == 0, 1.0, -1.0)
    return column, period_sign, np.where(reflected, -1.0, 1.0)


class Hilbert:
    """Precomputed weights and folding, as LegendreToHilbertBasis does."""

    def __init__(self, n_modes, n_t, degree, cosine=False):
        self.n_modes, self.n_t, self.degree, self.cosine = n_modes, n_t, degree, cosine
        self.weights = bessel_weights(n_modes, n_t, degree)
        self.column, self.sign, self.flip = fold(n_modes, n_t)

    def transform(self, dofs):
        d = np.asarray(dofs, dtype=float)[: self.n_t * (self.degree + 1)].reshape(self.degree + 1, self.n_t)
        out = np.empty_like(d)
        for i in range(self.degree + 1):
            use_dst = (i % 2 == 0) != self.cosine
            kernel = scipy.fft.dst if use_dst else scipy.fft.dct
            sign = (-1.0) ** ((i // 2) if not self.cosine else ((i + 1) // 2))
            out[i] = sign * kernel(d[i], type=4)
        return out

    def apply(self, dofs):
        t = self.transform(dofs)
        total = np.zeros(self.n_modes)
        for i in range(self.degree + 1):
            uses_sine_kernel = (i % 2 == 0) != self.cosine
            sign = self.sign if uses_sine_kernel else self.sign * self.flip
            total += self.weights[i] * sign * t[i][self.column]
        return (total / self.n_t).tolist()


def lagrange_to_legendre_matrix(degree):
    xi = np.linspace(-1.0, 1.0, degree + 1)
    vandermonde = np.array([np.polynomial.legendre.legval(xi, np.eye(degree + 1)[k]) for k in range(degree + 1)])
    return np.linalg.inv(vandermonde)


def compute_sine_base_coefficients(n_modes, lagrange_dofs, n_t, degree, T):
    u = np.asarray(lagrange_dofs, dtype=float)
    m = lagrange_to_legendre_matrix(degree)
    index = np.arange(n_t)[:, None] * degree + np.arange(degree + 1)[None, :]
    coefficients = (u[index] @ m).T.reshape(-1)  # degree-major
    return Hilbert(n_modes, n_t, degree).apply(coefficients)


def compute_sine_base_coefficients_pw_constants(n_modes, dofs, n_t):
    return Hilbert(n_modes, n_t, 0).apply(dofs)


def h12_seminorm(samples):
    s = scipy.fft.dst(np.asarray(samples, dtype=float), type=4)
    n = len(s)
    w = (np.arange(n) + 0.5) * PI
    return float(np.sqrt(np.dot(w * s, s) * (0.5 / n / n)))


def forward_transform(values):
    return (0.5 * scipy.fft.dst(np.asarray(values, dtype=float), type=2)).tolist()


def inverse_transform(values):
    x = np.asarray(values, dtype=float)
    return (scipy.fft.dst(x, type=3) / len(x)).tolist()


def generalized_eigenvalues(n_t, T, n_terms):
    l = np.arange(n_t, dtype=float)
    m = 2 * l + 1
    M = 4.0 * n_t
    j = np.arange(n_terms, dtype=float)[:, None]
    S = np.sum(1.0 / (M * j + m) ** 3 + 1.0 / (M * (j + 1) - m) ** 3, axis=0)
    x = (l + 0.5) * PI / (2 * n_t)
    return (m**4 * (4.71238898038469 / T) * (np.sin(x) / x) ** 4 / (np.cos(2 * x) + 2.0) * S).tolist()
