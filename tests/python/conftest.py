import contextlib

import pytest


def is_fatal_error(exc):
    """velm's fatal-error exception derives directly from BaseException."""
    return type(exc).__bases__ == (BaseException,) and not isinstance(exc, Exception)


@contextlib.contextmanager
def raises_fatal(message=None):
    with pytest.raises(BaseException) as info:
        yield info
    assert is_fatal_error(info.value), repr(info.value)
    assert len(info.value.args) == 1
    if message is not None:
        assert info.value.args[0] == message


def equality_message(left, right, text=None):
    head = "assertion `left == right` failed" + (f": {text}" if text else "")
    return f"{head}\n  left: {left}\n right: {right}"


@pytest.fixture
def fatal():
    return raises_fatal
