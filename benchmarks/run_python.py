#!/usr/bin/env python3
"""Times every public callable of velm against the NumPy/SciPy peer and a floor.

velm and the peer run side by side in one process, on list inputs and on NumPy float64
inputs, for n_t in SIZES. The floor is what no implementation can avoid: the FFTW transforms
on reused plans (measured from C++ by the `floor` program, passed with --floor-json) plus
turning the input list into doubles and the result into a list. Medians over repeated runs
go to a JSON file and a PNG plot.
"""
import argparse
import array
import json
import statistics
import subprocess
import sys
import time

import numpy as np

import velm
import peer

SIZES = [16, 256, 4096, 65536, 2**20]


def median_time(call, budget=0.25, min_repeat=5, max_repeat=200):
    call()  # warm-up (plans, caches, first-use pools)
    times = []
    start = time.perf_counter()
    while len(times) < min_repeat or (time.perf_counter() - start < budget and len(times) < max_repeat):
        t0 = time.perf_counter()
        call()
        times.append(time.perf_counter() - t0)
    return statistics.median(times)


def conversion_cost(n_in, n_out):
    values = np.random.default_rng(0).standard_normal(n_in).tolist()
    out = array.array("d", bytes(8 * n_out))
    return median_time(lambda: array.array("d", values)) + median_time(lambda: out.tolist())


def close(a, b, tol=1e-9):
    a, b = np.asarray(a), np.asarray(b)
    scale = max(1.0, float(np.max(np.abs(b)))) if b.size else 1.0
    return a.shape == b.shape and (a.size == 0 or float(np.max(np.abs(a - b))) <= tol * scale)


def cases(n_t, degree, n_modes, floor):
    rng = np.random.default_rng(n_t + degree)
    legendre = rng.standard_normal(n_t * (degree + 1))
    lagrange = rng.standard_normal(n_t * max(degree, 1) + 1)
    samples = rng.standard_normal(n_t)
    op = velm.LegendreToHilbertBasis(n_modes, n_t, degree, "sine")
    peer_op = peer.Hilbert(n_modes, n_t, degree)
    eig = velm.EigenBasisTransformLowestOrder(n_t, 1.0)
    d = max(degree, 1)
    fft = lambda kind, count=1: floor.get(f"{kind}/{n_t}", 0.0) * count  # noqa: E731
    yield ("LegendreToHilbertBasis.apply", legendre, lambda x: op.apply(x), peer_op.apply,
           fft("DstIV", degree + 1) + conversion_cost(legendre.size, n_modes))
    yield ("compute_sine_base_coefficients", lagrange,
           lambda x: velm.compute_sine_base_coefficients(n_modes, x, n_t, d, 1.0),
           lambda x: peer.compute_sine_base_coefficients(n_modes, x, n_t, d, 1.0),
           fft("DstIV", d + 1) + conversion_cost(lagrange.size, n_modes))
    if degree == 0:
        yield ("compute_sine_base_coefficients_pw_constants", samples,
               lambda x: velm.compute_sine_base_coefficients_pw_constants(n_modes, x, n_t),
               lambda x: peer.compute_sine_base_coefficients_pw_constants(n_modes, x, n_t),
               fft("DstIV") + conversion_cost(n_t, n_modes))
        yield ("h12_seminorm", samples, velm.h12_seminorm, peer.h12_seminorm,
               fft("DstIV") + conversion_cost(n_t, 0))
        yield ("EigenBasisTransformLowestOrder.forward_transform", samples, eig.forward_transform,
               peer.forward_transform, fft("DstII") + conversion_cost(n_t, n_t))
        yield ("EigenBasisTransformLowestOrder.inverse_transform", samples, eig.inverse_transform,
               peer.inverse_transform, fft("DstIII") + conversion_cost(n_t, n_t))


def run(sizes, degrees, floor, output):
    rows = []
    for n_t in sizes:
        for degree in degrees:
            for n_modes in (n_t, 4 * n_t):
                for name, data, mine, theirs, floor_time in cases(n_t, degree, n_modes, floor):
                    as_list = data.tolist()
                    assert close(mine(as_list), theirs(as_list)), f"{name}: velm and peer disagree"
                    for kind, argument in (("list", as_list), ("numpy", data)):
                        t_velm = median_time(lambda: mine(argument))
                        t_peer = median_time(lambda: theirs(argument))
                        row = dict(name=name, n_t=n_t, degree=degree, n_modes=n_modes, input=kind,
                                   velm=t_velm, peer=t_peer, floor=floor_time,
                                   velm_over_peer=t_velm / t_peer,
                                   velm_over_floor=t_velm / floor_time if floor_time else None)
                        rows.append(row)
                        print(f"{name:52s} n_t={n_t:8d} d={degree} modes={n_modes:8d} {kind:5s} "
                              f"velm {t_velm*1e6:10.1f} us  peer {t_peer*1e6:10.1f} us  "
                              f"velm/peer {row['velm_over_peer']:6.3f}"
                              + (f"  velm/floor {row['velm_over_floor']:6.2f}" if floor_time else ""),
                              flush=True)
    with open(output + ".json", "w") as f:
        json.dump(rows, f, indent=1)
    plot(rows, output + ".png")


def plot(rows, path):
    import matplotlib

    matplotlib.use("Agg")
    import matplotlib.pyplot as plt

    names = sorted({r["name"] for r in rows})
    figure, axes = plt.subplots(2, (len(names) + 1) // 2, figsize=(16, 8), squeeze=False)
    for axis, name in zip(axes.flat, names):
        chosen = [r for r in rows if r["name"] == name and r["input"] == "list" and r["n_modes"] == r["n_t"]
                  and r["degree"] == max(x["degree"] for x in rows if x["name"] == name)]
        n = [r["n_t"] for r in chosen]
        for key in ("velm", "peer", "floor"):
            axis.loglog(n, [r[key] for r in chosen], "o-", label=key)
        axis.set_title(name.replace("EigenBasisTransformLowestOrder", "Eigen"), fontsize=8)
        axis.set_xlabel("n_t")
        axis.set_ylabel("seconds")
        axis.legend(fontsize=7)
    figure.tight_layout()
    figure.savefig(path, dpi=100)


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--sizes", type=int, nargs="*", default=SIZES)
    parser.add_argument("--degrees", type=int, nargs="*", default=[0, 1, 3])
    parser.add_argument("--floor", help="the floor program (prints JSON of FFTW times)")
    parser.add_argument("--output", default="benchmark_results")
    args = parser.parse_args()
    floor = {}
    if args.floor:
        floor = json.loads(subprocess.run([args.floor] + [str(n) for n in args.sizes], check=True,
                                          capture_output=True, text=True).stdout)
    run(args.sizes, args.degrees, floor, args.output)


if __name__ == "__main__":
    sys.exit(main())
