"""Argument binding, parameter conversions and the prefixing rule."""
import array
import re

import numpy as np
import pytest

import velm


class Index:
    def __init__(self, value):
        self.value = value

    def __index__(self):
        return self.value


class Floaty:
    def __float__(self):
        return 2.5


class MyInt(int):
    pass


class MyStr(str):
    pass


class Failing:
    def __index__(self):
        raise KeyError("index failed")

    def __float__(self):
        raise KeyError("float failed")


# ---- binding -------------------------------------------------------------

@pytest.mark.parametrize("call, message", [
    (lambda: velm.LegendreBasis(2, 4),
     "LegendreBasis.__new__() missing 1 required positional argument: 'T'"),
    (lambda: velm.LegendreBasis(2),
     "LegendreBasis.__new__() missing 2 required positional arguments: 'n_t' and 'T'"),
    (lambda: velm.LegendreBasis(),
     "LegendreBasis.__new__() missing 3 required positional arguments: 'degree', 'n_t', and 'T'"),
    (lambda: velm.compute_sine_base_coefficients(1, T=1.0),
     "compute_sine_base_coefficients() missing 3 required positional arguments: "
     "'lagrange_dofs', 'n_t', and 'degree'"),
    (lambda: velm.sum_as_string(1, 2, 3),
     "sum_as_string() takes 2 positional arguments but 3 were given"),
    (lambda: velm.h12_seminorm([1.0], [2.0]),
     "h12_seminorm() takes 1 positional arguments but 2 were given"),
    (lambda: velm.LegendreToHilbertBasis(3, 2, 1, "sine").get_extension_matrix(1),
     "LegendreToHilbertBasis.get_extension_matrix() takes 0 positional arguments but 1 was given"),
    (lambda: velm.sum_as_string(1, c=2),
     "sum_as_string() got an unexpected keyword argument 'c'"),
    (lambda: velm.sum_as_string(1, a=2),
     "sum_as_string() got multiple values for argument 'a'"),
    (lambda: velm.LegendreBasis(1, 2, 1.0).evaluate_at(0.5, t=1.0),
     "LegendreBasis.evaluate_at() got multiple values for argument 't'"),
    (lambda: velm.LegendreBasisEvaluator(1, 2, 1.0).evaluate_at(),
     "LegendreBasisEvaluator.evaluate_at() missing 1 required positional argument: 't'"),
])
def test_binding_messages(call, message):
    with pytest.raises(TypeError) as info:
        call()
    assert type(info.value) is TypeError
    assert str(info.value) == message


def test_keywords_and_positions_give_the_same_object():
    points = [0.0, 0.3, 0.7, 1.0]
    vals = [1.0, -2.0, 0.5, 3.0, 0.25, -1.0, 2.0, 4.0, 1.5, 0.0, 2.0, -3.0]
    made = [velm.LegendreBasis(2, 4, 1.0), velm.LegendreBasis(degree=2, n_t=4, T=1.0),
            velm.LegendreBasis(True + 1, 4, 1), velm.LegendreBasis(T=1.0, degree=2, n_t=4)]
    results = [[b.evaluate_at(t, vals) for t in points] for b in made]
    assert all(r == results[0] for r in results)


# ---- integer parameters --------------------------------------------------

@pytest.mark.parametrize("value, expected", [
    (3, 3), (True, 1), (False, 0), (MyInt(7), 7), (Index(5), 5), (np.int64(4), 4),
    (np.uint64(2**64 - 1), 2**64 - 1), (2**64 - 1, 2**64 - 1), (0, 0),
])
def test_integer_accepted(value, expected):
    assert velm.sum_as_string(value, 0) == str(expected)


@pytest.mark.parametrize("value, error", [
    (-1, OverflowError), (2**64, OverflowError), (Index(-3), OverflowError),
    (2.0, TypeError), ("3", TypeError), (None, TypeError), ([1], TypeError),
    (Failing(), KeyError),
])
def test_integer_refused(value, error):
    with pytest.raises(error) as info:
        velm.sum_as_string(value, 1)
    assert type(info.value) is error
    if error is TypeError:
        assert str(info.value).startswith("argument 'a': ")
    else:
        assert not str(info.value).startswith("argument")


def test_prefix_only_for_exact_type_error():
    with pytest.raises(TypeError, match=r"^argument 'degree': ") as info:
        velm.LegendreBasis(2.0, 4, 1.0)
    assert "integer" in str(info.value)
    with pytest.raises(OverflowError) as info:
        velm.LegendreBasis(-1, 4, 1.0)
    assert not str(info.value).startswith("argument")


def test_prefix_keeps_the_cause():
    class Bad:
        def __index__(self):
            try:
                raise ValueError("root")
            except ValueError as root:
                error = TypeError("inner")
                error.__cause__ = root
                raise error

    with pytest.raises(TypeError) as info:
        velm.sum_as_string(1, Bad())
    assert str(info.value) == "argument 'b': inner"
    assert isinstance(info.value.__cause__, ValueError)


def test_type_error_subclass_passes_unchanged():
    class MyTypeError(TypeError):
        pass

    class Bad:
        def __index__(self):
            raise MyTypeError("special")

    with pytest.raises(MyTypeError) as info:
        velm.sum_as_string(1, Bad())
    assert str(info.value) == "special"


# ---- float parameters ----------------------------------------------------

@pytest.mark.parametrize("value, expected", [
    (0.5, 0.5), (1, 1.0), (True, 1.0), (Floaty(), 2.5), (Index(3), 3.0), (np.float32(0.25), 0.25),
])
def test_float_accepted(value, expected):
    assert velm.get_lagrange_points(0, 1, value) == [expected]


@pytest.mark.parametrize("value", ["1.0", None, [1.0], 1j])
def test_float_refused(value):
    with pytest.raises(TypeError, match=r"^argument 'T': "):
        velm.get_lagrange_points(0, 1, value)


def test_float_special_values_accepted():
    assert velm.get_lagrange_points(0, 1, float("inf")) == [float("inf")]
    assert velm.get_lagrange_points(0, 1, -2.0) == [-2.0]
    nan = velm.get_lagrange_points(0, 1, float("nan"))[0]
    assert nan != nan


# ---- float-sequence parameters -------------------------------------------

def sequence_through(value):
    """h12_seminorm of a single sample is |v|·sqrt(π/2): enough to see the values."""
    evaluator = velm.LegendreBasisEvaluator(0, 2, 1.0)
    evaluator.set_dofs(value)
    return [evaluator.evaluate_at(0.25), evaluator.evaluate_at(0.75)]


@pytest.mark.parametrize("value", [
    [1.0, 2.5], (1, 2.5), [True, 2.5], range(1, 2), array.array("d", [1.0, 2.5]),
    np.array([1.0, 2.5]), np.array([1, 2.5], dtype=np.float32), [np.float64(1.0), Floaty()],
    memoryview(array.array("d", [1.0, 2.5])),
])
def test_sequences_accepted(value):
    expected = [float(x) for x in value]
    if len(expected) == 1:
        expected.append(expected[0])
        value = list(value) * 2
    assert sequence_through(value) == expected


def test_bytes_are_small_integers():
    assert sequence_through(b"\x01\x02") == [1.0, 2.0]


@pytest.mark.parametrize("value, message", [
    (5, "argument 'legendre_vals': 'int' object cannot be converted to 'Sequence'"),
    ((x for x in [1.0, 2.0]), "argument 'legendre_vals': 'generator' object cannot be converted to 'Sequence'"),
    ({1.0, 2.0}, "argument 'legendre_vals': 'set' object cannot be converted to 'Sequence'"),
    ({0: 1.0}, "argument 'legendre_vals': 'dict' object cannot be converted to 'Sequence'"),
])
def test_non_sequences_refused(value, message):
    with pytest.raises(TypeError) as info:
        velm.LegendreBasisEvaluator(0, 2, 1.0).set_dofs(value)
    assert str(info.value) == message


@pytest.mark.parametrize("value", ["1.0", MyStr("ab")])
def test_strings_refused(value):
    with pytest.raises(TypeError, match=r"^argument 'legendre_vals': .*str"):
        velm.LegendreBasis(0, 1, 1.0).evaluate_at(0.5, value)


def test_bad_item_fails_with_its_error():
    with pytest.raises(TypeError, match=r"^argument 'f_samples': "):
        velm.h12_seminorm([1.0, "x"])
    with pytest.raises(KeyError):
        velm.h12_seminorm([1.0, Failing()])


def test_iterator_error_passes_unchanged():
    class Exploding:
        def __len__(self):
            return 3

        def __getitem__(self, i):
            if i == 1:
                raise ZeroDivisionError("boom")
            if i > 2:
                raise IndexError
            return 1.0

    with pytest.raises(ZeroDivisionError):
        velm.h12_seminorm(Exploding())


def test_lying_len_is_only_a_hint():
    class Lying:
        def __len__(self):
            return 2**40

        def __getitem__(self, i):
            if i >= 2:
                raise IndexError
            return float(i + 1)

    assert sequence_through(Lying()) == [1.0, 2.0]


def test_failing_len_is_ignored():
    class NoLen:
        def __len__(self):
            raise RuntimeError("no length")

        def __getitem__(self, i):
            if i >= 2:
                raise IndexError
            return float(i + 1)

    assert sequence_through(NoLen()) == [1.0, 2.0]


# ---- string parameters ---------------------------------------------------

@pytest.mark.parametrize("value, message", [
    (b"sine", "argument 'basis_type': 'bytes' object cannot be converted to 'str'"),
    (3, "argument 'basis_type': 'int' object cannot be converted to 'str'"),
])
def test_string_refused(value, message):
    with pytest.raises(TypeError) as info:
        velm.LegendreToHilbertBasis(3, 2, 1, value)
    assert str(info.value) == message


def test_string_subclass_accepted_and_unencodable_refused():
    velm.LegendreToHilbertBasis(3, 2, 1, MyStr("cosine"))
    with pytest.raises(UnicodeEncodeError):
        velm.LegendreToHilbertBasis(3, 2, 1, "sine\udc80")


def test_arguments_converted_in_order():
    with pytest.raises(OverflowError):
        velm.LegendreToHilbertBasis(-1, "x", 1, 3)
    with pytest.raises(TypeError, match=re.escape("argument 'n_t'")):
        velm.LegendreToHilbertBasis(1, "x", -1, 3)
