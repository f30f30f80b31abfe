"""The Python package as a script uses it: a view driven and read, an error
caught, paint and Find events received, a PNG written, the member list, and
the same script giving the same output here and through `quelmar run`."""
import io
import os
import pydoc
import subprocess
import tempfile
import unittest

import quelmar
import quelmar.script

TREE = os.environ["QUELMAR_TEST_TREE"]
QUELMAR_BIN = os.environ["QUELMAR_BIN"]


class TarvoTest(unittest.TestCase):
    def setUp(self):
        self.m = quelmar.Tarvo(width=800, height=600, data=TREE)

    def tearDown(self):
        self.m.close()

    def test_a_view_is_driven_and_read(self):
        self.m.ZoomWindow(-88, 42, -87, 41)
        self.assertAlmostEqual(self.m.LonLeft, -88.17, places=1)
        self.assertAlmostEqual(self.m.LatTop, 42.0, places=2)
        self.assertEqual(self.m.Distance(-87, 41, -87, 42), 69115)
        self.m.Magnitude = 5
        self.assertEqual(self.m.Magnitude, 5)
        self.m.Shade_State = False
        self.assertIs(self.m.Shade_State, False)
        self.assertIsInstance(self.m.LonLatStr(-87.5, 41.25), str)

    def test_failures_raise_with_their_code_and_description(self):
        with self.assertRaises(quelmar.Error) as caught:
            self.m.Distance(1e308, 0, -1e308, 0)
        self.assertEqual(caught.exception.hresult & 0xFFFFFFFF, 0x80070057)
        self.assertIn("x1", caught.exception.description)
        with self.assertRaises(AttributeError):
            self.m.NoSuchMember
        with self.assertRaises(TypeError):
            self.m.Distance([1], 0, 0, 0)
        with self.assertRaises(quelmar.Error):
            quelmar.Tarvo(width=0, height=10)

    def test_events_arrive_while_the_control_raises_them(self):
        paints, found = [], []
        self.m.on("PaintAfter", lambda *args: paints.append(args))

        @self.m.event
        def Find():
            found.append((self.m.Street, self.m.MatchInfo))

        self.m.ZoomWindow(-88, 42, -87, 41)
        self.assertTrue(paints)
        self.assertEqual(self.m.GeoFind("1060 W Addison St, Chicago, IL"), 1)
        self.assertEqual(len(found), 1)
        self.assertTrue(found[0][0].startswith("W ADDISON ST\tCHICAGO\t1060\tIL\t60613"), found[0][0])
        self.assertEqual(found[0][1], "house\t1.00")

    def test_the_picture_as_a_png_and_as_pixels(self):
        self.m.ZoomWindow(-88, 42, -87, 41)
        with tempfile.TemporaryDirectory() as folder:
            path = os.path.join(folder, "view.png")
            self.m.render_png(path)
            with open(path, "rb") as f:
                head = f.read(24)
        self.assertEqual(head[:8], b"\x89PNG\r\n\x1a\n")
        self.assertEqual((int.from_bytes(head[16:20], "big"), int.from_bytes(head[20:24], "big")), (800, 600))
        width, height, pixels = self.m.image()
        self.assertEqual((width, height, len(pixels)), (800, 600, 800 * 600))
        with self.assertRaises(quelmar.Error):
            self.m.render_png("/no/such/folder/view.png")

    def test_members_come_from_the_type_information(self):
        names = dir(self.m)
        for name in ("ZoomWindow", "LonLeft", "GeoFind", "MatchInfo"):
            self.assertIn(name, names)
        self.assertIn("ZoomWindow(VARIANT x1", self.m.ZoomWindow.__doc__)
        self.assertIn("ZoomWindow(VARIANT x1", pydoc.render_doc(self.m.ZoomWindow))
        self.assertIn("precision", self.m.describe("MatchInfo"))


class SameScriptTest(unittest.TestCase):
    SCRIPT = (
        "ZoomWindow -88, 42, -87, 41\n"
        "LonLeft\nLatTop\n"
        "Distance -87, 41, -87, 42\n"
        "Magnitude = 5\nMagnitude\n"
        "LonLatStr -87.5, 41.25\n"
        "Shade_State = False\nShade_State\n"
        "GeoFind \"1060 W Addison St, Chicago, IL\"\n"
        "Distance 1e308, 0, -1e308, 0\n"
        "NoSuchMember\n"
    )

    def test_python_and_quelmar_run_print_the_same(self):
        with tempfile.NamedTemporaryFile("w", suffix=".txt", delete=False) as f:
            f.write(self.SCRIPT)
            script = f.name
        try:
            cli = subprocess.run([QUELMAR_BIN, "run", "--data", TREE, script], capture_output=True, text=True)
        finally:
            os.unlink(script)
        out = io.StringIO()
        with quelmar.Tarvo(data=TREE) as m:
            failures = quelmar.script.run(m, self.SCRIPT.splitlines(), out)
        self.assertEqual(failures, 2)
        self.assertEqual(cli.returncode, 1)
        self.assertIn("Street -> \"W ADDISON ST", out.getvalue())
        self.assertEqual(out.getvalue(), cli.stdout)


if __name__ == "__main__":
    unittest.main()
