"""The same script through `quelmar run` and through the Python package
(python3 -m quelmar.script) prints the same lines and ends with the same exit
status: the same results with the same types, the same events in the same
order, the same failures and the same complaints about malformed lines.
Only standard output is compared, so a sanitizer's report (which goes to
standard error) cannot disturb it."""
import os
import subprocess
import sys
import tempfile
import unittest

TREE = os.environ["QUELMAR_TEST_TREE"]
QUELMAR_BIN = os.environ["QUELMAR_BIN"]

SCRIPTS = {
    "a view and its properties": (
        "ZoomWindow -88, 42, -87, 41\n"
        "LonLeft\nLatTop\nLonRight\nLatBottom\n"
        "Distance -87, 41, -87, 42\n"
        "Magnitude = 5\nMagnitude\n"
        "Shade_State = False\nShade_State\n"
        "LonLatStr -87.5, 41.25\n"       # a degree sign, in UTF-8
        "LLmode = 1\nLonLatStr -87.5, 41.25\n"
        "Int2Lat 100000000\n"            # a small float: an upper-case exponent
        "Int2Lon -1\n"
        "Int2Lat 3000000000\n"           # beyond 32 bits: sent as a double, refused
        "Font\n"                          # an object
        "Color\n"
        "Miles = 2\nMiles\nKms\n"
        "lonleft\n"                       # printed under the name as typed
    ),
    "search events": (
        "GeoFind \"1060 W Addison St, Chicago, IL\"\n"
        "FindStr \"N CLARK ST\", \"W ADDISON\", 0, -87.6564, 41.9471, 2, \"IL\"\n"
        "FindCity \"CHICAGO, IL\"\n"
        "GeoFind \"60613\"\n"
        "GeoFind \"1 Nowhere Rd, Springfield, ZZ\"\n"
    ),
    "failures": (
        "ZoomPan \"east\"\n"
        "Distance 1 2\n"
        "Distance 1e308, 0, -1e308, 0\n"
        "LonLeft = 5\n"
        "NoSuchThing\n"
        "NoSuchThing = 1\n"
        "Grid = True\nGrid\n"
    ),
    "the line language": (
        "# a comment, then a blank line\n"
        "\n"
        "   \t\n"
        "LonLeft # a comment after a call\n"
        "Distance -87 41 -87 42\n"        # commas are optional
        "Distance +-87, 41, -87, 42\n"    # one plus sign is dropped
        "Int2Lat .5e1\n"
        "Int2Lat 1e-310\n"
        "Int2Lat 1e-400\n"                # too small to hold: not a number
        "Int2Lat 1e400\n"
        "Int2Lat inf\n"
        "Int2Lat 1_0\n"
        "Int2Lat ++5\n"
        "LonLatStr \"a \"\"quoted\"\" word\", 2\n"
        "LonLatStr \"not closed\n"
        "Distance 1,, 2\n"
        "Distance 1, 2,\n"
        "= 5\n"
        "Magnitude =\n"
        "Magnitude = 1 2\n"
        "Shade_State = tRuE\nShade_State\n"
        "LonLeft\r\n"                      # a carriage return before the newline
        "LatTop"                           # no newline at the end
    ),
}


def run(command, script):
    with tempfile.NamedTemporaryFile("wb", suffix=".txt", delete=False) as f:
        f.write(script.encode("utf-8"))
    try:
        return subprocess.run(command + ["--data", TREE, f.name], capture_output=True)
    finally:
        os.unlink(f.name)


class SameScriptTest(unittest.TestCase):
    def test_python_and_quelmar_run_print_the_same(self):
        for name, script in SCRIPTS.items():
            with self.subTest(name):
                cli = run([QUELMAR_BIN, "run"], script)
                python = run([sys.executable, "-m", "quelmar.script"], script)
                self.assertNotIn(b"Traceback", python.stderr, python.stderr.decode())
                self.assertTrue(cli.stdout, cli.stderr.decode())
                self.assertEqual(python.stdout.decode().splitlines(), cli.stdout.decode().splitlines())
                self.assertEqual(python.returncode, cli.returncode)

    def test_the_scripts_reach_what_they_are_about(self):
        # Guards the comparison: both sides printing nothing, or failing alike, would also agree.
        cli = {name: run([QUELMAR_BIN, "run"], script).stdout.decode() for name, script in SCRIPTS.items()}
        for name, expected in (("a view and its properties", "LonLeft -> -88."),
                               ("a view and its properties", "Int2Lat -> 6.4E-05"),
                               ("a view and its properties", "Font -> <dispatch>"),
                               ("a view and its properties", "event PaintAfter("),
                               ("search events", "  MatchInfo -> \"intersection\t1.00\""),
                               ("search events", "event FindPlace()"),
                               ("failures", "error 0x80020005: argument 1 of ZoomPan has the wrong type"),
                               ("the line language", "error: line 9: \"1e-400\" is not a number"),
                               ("the line language", "error: line 15: unterminated string"),
                               ("the line language", "LatTop -> ")):
            with self.subTest(expected=expected):
                self.assertIn(expected, cli[name])


if __name__ == "__main__":
    unittest.main()
