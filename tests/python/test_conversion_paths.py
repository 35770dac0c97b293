"""Fast conversion paths (exact lists/tuples, float64 buffers) give what iteration gives."""
import array
import math
import struct

import numpy as np
import pytest

import velm


def converted(values):
    """The vector velm built from `values`, read back through a degree-0 evaluator
    (-0.0 + c is c bit for bit, so the stored values come back unchanged)."""
    n = len(values) if hasattr(values, "__len__") else None
    evaluator = velm.LegendreBasisEvaluator(0, n, float(n))
    evaluator.set_dofs(values)
    return [evaluator.evaluate_at(j + 0.5) for j in range(n)]


def bits(values):
    return [struct.pack("<d", v) for v in values]


class ListSubclass(list):
    """Not an exact list: converted by iteration."""


class Floaty:
    def __init__(self, value):
        self.value = value

    def __float__(self):
        return self.value


SAMPLES = [1.5, -0.0, 0.0, math.inf, -math.inf, math.nan, 5e-324, 1.7976931348623157e308, -2.25]


@pytest.mark.parametrize("make", [
    list, tuple, ListSubclass, lambda v: np.array(v), lambda v: np.array(v)[::-1][::-1].copy(),
    lambda v: array.array("d", v), lambda v: memoryview(array.array("d", v)),
    lambda v: np.array(v, dtype=">f8"), lambda v: np.array(v).astype(np.longdouble),
    lambda v: [Floaty(x) for x in v], lambda v: [np.float64(x) for x in v],
], ids=["list", "tuple", "list-subclass", "ndarray", "ndarray-copy", "array", "memoryview",
        "big-endian", "longdouble", "__float__", "np.float64"])
def test_every_path_gives_the_same_bits(make):
    assert bits(converted(make(SAMPLES))) == bits(converted(ListSubclass(SAMPLES)))


def test_read_only_and_strided_buffers():
    data = np.arange(12, dtype=np.float64) * 0.1
    readonly = data.copy()
    readonly.flags.writeable = False
    assert converted(readonly) == data.tolist()
    assert converted(data[::2]) == data[::2].tolist()          # not contiguous: iteration
    assert converted(memoryview(data)[1:5]) == data[1:5].tolist()
    assert converted(np.asfortranarray(data)) == data.tolist()


def test_buffers_of_other_shapes_and_types_take_the_general_path():
    assert converted(np.array([1, 2, 3], dtype=np.int32)) == [1.0, 2.0, 3.0]
    assert converted(np.array([0.5, 0.25], dtype=np.float32)) == [0.5, 0.25]
    with pytest.raises(TypeError, match="^argument 'legendre_vals': "):
        velm.LegendreBasisEvaluator(0, 2, 1.0).set_dofs(np.ones((2, 2)))
    with pytest.raises(TypeError):
        velm.LegendreBasisEvaluator(0, 2, 1.0).set_dofs(np.array(["1.0", "2.0"]))


def test_list_changed_by_an_item_conversion():
    items = [1.0, None, 3.0, 4.0]

    class Shrinks:
        def __float__(self):
            del items[2:]
            return 2.0

    items[1] = Shrinks()
    evaluator = velm.LegendreBasisEvaluator(0, 2, 1.0)
    evaluator.set_dofs(items)  # iteration stops at the new end, as list iteration does
    assert [evaluator.evaluate_at(0.25), evaluator.evaluate_at(0.75)] == [1.0, 2.0]


def test_bad_items_in_fast_containers():
    with pytest.raises(TypeError, match="^argument 'f_samples': "):
        velm.h12_seminorm([1.0, 2.0, "3"])
    with pytest.raises(TypeError, match="^argument 'f_samples': "):
        velm.h12_seminorm((1.0, None))
