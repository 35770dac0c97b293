#!/usr/bin/env python3
"""Expand a function given at Lagrange nodes in the half-integer sine basis with velm.

The function is sampled at the Lagrange nodes of a uniform mesh, its sine coefficients
a_k = (2/T)·∫ f(t)·sin((k + ½)πt/T) dt are computed in one call, and the truncated sine series
is compared with the function on a fine grid. The same coefficients are then obtained through
the Legendre route (conversion matrix + LegendreToHilbertBasis), and a PNG shows the function,
its reconstructions and the decay of the coefficients.
"""
import argparse
import math
import sys

import numpy as np

import velm

FUNCTIONS = {
    "kink": ("exp(-t)·sin(3πt/T) + |t - 0.4T| - 0.4T", lambda t, T: np.exp(-t) * np.sin(3 * np.pi * t / T) + np.abs(t - 0.4 * T) - 0.4 * T),
    "smooth": ("t·(2T - t)/T²", lambda t, T: t * (2 * T - t) / T**2),
    "step": ("1 for t > T/3, else 0", lambda t, T: (t > T / 3).astype(float)),
}


def parse_arguments(argv):
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--function", choices=sorted(FUNCTIONS), default="kink")
    parser.add_argument("--degree", type=int, default=2, help="polynomial degree on each element (>= 1)")
    parser.add_argument("--n-t", type=int, default=16, help="number of mesh elements")
    parser.add_argument("--n-modes", type=int, default=256, help="number of sine modes")
    parser.add_argument("--T", type=float, default=2.0, help="interval length")
    parser.add_argument("--output", default="sine_expansion.png", help="where to write the picture")
    return parser.parse_args(argv)


def sine_series(coefficients, t, T):
    k = np.arange(len(coefficients)) + 0.5
    return np.sin(np.outer(t, k) * np.pi / T) @ np.asarray(coefficients)


def legendre_route(values, degree, n_t, n_modes):
    rows, cols, vals = velm.lagrange_to_legendre_basis_transformation(degree, n_t)
    legendre = np.zeros(n_t * (degree + 1))
    np.add.at(legendre, rows, np.asarray(vals) * np.asarray(values)[cols])
    op = velm.LegendreToHilbertBasis(n_modes, n_t, degree, "sine")
    return op.apply(legendre.tolist()), legendre


def main(argv=None):
    args = parse_arguments(argv)
    label, f = FUNCTIONS[args.function]
    T, degree, n_t, n_modes = args.T, args.degree, args.n_t, args.n_modes
    nodes = np.array(velm.get_lagrange_points(degree, n_t, T))
    values = f(nodes, T)
    print(f"f(t) = {label} on [0, {T}], degree {degree}, {n_t} elements, {len(nodes)} Lagrange values")

    coefficients = velm.compute_sine_base_coefficients(n_modes, values.tolist(), n_t, degree, T)
    via_legendre, legendre = legendre_route(values, degree, n_t, n_modes)
    difference = max(abs(a - b) for a, b in zip(coefficients, via_legendre))
    print(f"one-shot vs LegendreToHilbertBasis: max difference {difference:.2e}")

    # The interpolant that the coefficients describe, evaluated exactly.
    evaluator = velm.LegendreBasisEvaluator(degree, n_t, T)
    evaluator.set_dofs(legendre.tolist())
    grid = np.linspace(0.0, T, 2001)
    interpolant = np.array([evaluator.evaluate_at(t) for t in grid])

    print("\n  modes  |a_k| at the last mode  L2 error of the truncated series")
    counts = [m for m in (4, 8, 16, 32, 64, 128, 256, 512, 1024) if m <= n_modes] or [n_modes]
    reconstructions = {}
    for m in counts:
        series = sine_series(coefficients[:m], grid, T)
        error = math.sqrt(np.trapz((series - interpolant) ** 2, grid))
        reconstructions[m] = series
        print(f"  {m:5d}  {abs(coefficients[m - 1]):21.3e}  {error:33.3e}")

    print("\n  L2 error with all modes, by degree and mesh (interpolation error dominates):")
    for d in (1, 2, 3):
        errors = []
        for mesh in (max(n_t // 2, 1), n_t, 2 * n_t):
            points = np.array(velm.get_lagrange_points(d, mesh, T))
            a = velm.compute_sine_base_coefficients(n_modes, f(points, T).tolist(), mesh, d, T)
            errors.append(math.sqrt(np.trapz((sine_series(a, grid, T) - f(grid, T)) ** 2, grid)))
        print(f"  degree {d}: " + "  ".join(f"n_t={m:4d}: {e:.2e}" for m, e in
                                          zip((max(n_t // 2, 1), n_t, 2 * n_t), errors)))

    print(f"\nH^1/2 seminorm of the samples: {velm.h12_seminorm(values.tolist()):.6f}")
    eigen = velm.EigenBasisTransformLowestOrder(n_t, T)
    eigenvalues = eigen.get_generalized_eigenvalues(50)
    print(f"generalized eigenvalues (50 terms): first {eigenvalues[0]:.4e}, last {eigenvalues[-1]:.4e}")
    print(f"derivative of the interpolant at t = T/3: {evaluator.evaluate_derivative_at(T / 3):.6f}")

    write_picture(args.output, grid, interpolant, reconstructions, coefficients, label)
    print(f"\npicture written to {args.output}")
    return 0


def write_picture(path, grid, interpolant, reconstructions, coefficients, label):
    import matplotlib

    matplotlib.use("Agg")
    import matplotlib.pyplot as plt

    figure, (left, right) = plt.subplots(1, 2, figsize=(12, 4.5))
    left.plot(grid, interpolant, "k", linewidth=2, label="interpolant of f")
    for m, series in list(reconstructions.items())[:4]:
        left.plot(grid, series, linewidth=1, label=f"{m} sine modes")
    left.set_title(f"f(t) = {label}")
    left.set_xlabel("t")
    left.legend()
    k = np.arange(len(coefficients))
    right.loglog(k + 1, np.abs(coefficients) + 1e-300, ".", markersize=3)
    right.set_title("|a_k|, sine coefficients")
    right.set_xlabel("k + 1")
    figure.tight_layout()
    figure.savefig(path, dpi=110)
    plt.close(figure)


if __name__ == "__main__":
    sys.exit(main())
