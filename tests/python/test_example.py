"""The example program runs with small sizes and writes its picture."""
import pathlib
import subprocess
import sys

EXAMPLE = pathlib.Path(__file__).resolve().parents[2] / "examples" / "sine_expansion.py"


def test_example_writes_its_picture(tmp_path):
    picture = tmp_path / "expansion.png"
    result = subprocess.run(
        [sys.executable, str(EXAMPLE), "--degree", "3", "--n-t", "4", "--n-modes", "40",
         "--function", "step", "--output", str(picture)],
        capture_output=True, text=True, timeout=120)
    assert result.returncode == 0, result.stderr
    assert "one-shot vs LegendreToHilbertBasis: max difference" in result.stdout
    assert picture.read_bytes().startswith(b"\x89PNG")
