"""The Python package as a program uses it: the control made through the
class registry, members called, read and written by name, failures raised
with their codes, events received while the control raises them, the picture
as a PNG file and as pixels, and the member list from the type information.
The control is the build's, registered in the apps tests' registry; the
small tree (QUELMAR_TEST_TREE) has one block of West Addison Street in
Chicago."""
import collections
import ctypes
import os
import pathlib
import pydoc
import struct
import subprocess
import sys
import tempfile
import unittest
import zlib

import quelmar

TREE = os.environ["QUELMAR_TEST_TREE"]
ADDRESS = "1060 W Addison St, Chicago, IL"


def png_pixels(path):
    """(width, height, RGB bytes) of an 8-bit RGB PNG, as Cairo writes them."""
    with open(path, "rb") as f:
        data = f.read()
    assert data[:8] == b"\x89PNG\r\n\x1a\n", data[:8]
    pos, idat, header = 8, b"", None
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if kind == b"IHDR":
            header = struct.unpack(">IIBBBBB", body)
        elif kind == b"IDAT":
            idat += body
        pos += 12 + length
    width, height, depth, colour = header[:4]
    assert (depth, colour) == (8, 2), header
    raw, stride, rows, prior = zlib.decompress(idat), width * 3, [], bytearray(width * 3)
    for y in range(height):
        kind, line = raw[y * (stride + 1)], bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride):
            a = line[i - 3] if i >= 3 else 0
            b, c = prior[i], prior[i - 3] if i >= 3 else 0
            if kind == 1:
                line[i] = (line[i] + a) & 255
            elif kind == 2:
                line[i] = (line[i] + b) & 255
            elif kind == 3:
                line[i] = (line[i] + (a + b) // 2) & 255
            elif kind == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                line[i] = (line[i] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 255
        rows.append(bytes(line))
        prior = line
    return width, height, b"".join(rows)


class ControlTest(unittest.TestCase):
    def setUp(self):
        self.m = quelmar.Tarvo(width=400, height=300, data=TREE)

    def tearDown(self):
        self.m.close()


class CallsByName(ControlTest):
    def test_a_view_is_driven_and_read(self):
        m = self.m
        self.assertIsNone(m.ZoomWindow(-88, 42, -87, 41))
        # The view keeps the window's aspect: the latitudes are the ones asked for, the longitudes widen.
        self.assertAlmostEqual(m.LatTop, 42.0, places=2)
        self.assertAlmostEqual(m.LatBottom, 41.0, places=2)
        self.assertLess(m.LonLeft, -88.0)
        self.assertGreater(m.LonRight, -87.0)
        self.assertAlmostEqual(m.LonLeft + m.LonRight, -175.0, places=2)
        self.assertEqual(m.Distance(-87, 41, -87, 42), 69115)

    def test_values_cross_with_their_python_types(self):
        m = self.m
        m.Magnitude = 5
        self.assertEqual(m.Magnitude, 5)
        m.Shade_State = False
        self.assertIs(m.Shade_State, False)
        m.Shade_State = True
        self.assertIs(m.Shade_State, True)
        self.assertIsInstance(m.LonLeft, float)
        self.assertIsInstance(m.Distance(-87, 41, -87, 42), int)
        # Strings are UTF-8 both ways: the degree sign arrives as one character.
        self.assertTrue(m.LonLatStr(-87.5, 41.25).startswith("- 87\u00b030'"), m.LonLatStr(-87.5, 41.25))
        # Names are the control's, in any letter case, as late binding finds them.
        self.assertEqual(m.lonleft, m.LonLeft)
        self.assertEqual(m.call("LONLEFT"), m.LonLeft)
        # An object result has no Python type here: it reads as the host prints it.
        self.assertEqual(m.Font, quelmar.Opaque("<dispatch>"))

    def test_the_control_converts_the_arguments(self):
        m = self.m
        # Text and floats where the member wants numbers: the control's own conversions.
        self.assertEqual(m.Distance("-87", 41.0, -87, "42"), m.Distance(-87, 41, -87, 42))
        self.assertEqual(m.Int2Lat(100000000), m.Int2Lat(100000000.0))
        m.put("Magnitude", 3)
        self.assertEqual(m.call("Magnitude"), 3)


class Failures(ControlTest):
    def test_failed_calls_raise_the_controls_code_and_description(self):
        cases = [
            # (what, call, HRESULT, words of the description)
            ("a text where a number belongs", lambda m: m.ZoomPan("east"), 0x80020005,
             "argument 1 of ZoomPan has the wrong type"),
            ("too few arguments", lambda m: m.Distance(1, 2), 0x8002000E, "wrong number of arguments"),
            ("a number out of the parameter's range", lambda m: m.Int2Lat(3000000000), 0x8002000A,
             "argument 1 of Int2Lat is out of range"),
            ("an integer beyond 64 bits", lambda m: m.Int2Lat(2**70), 0x8002000A, "out of range"),
            ("a coordinate the member refuses", lambda m: m.Distance(1e308, 0, -1e308, 0), 0x80070057, "x1"),
            ("a read-only property written", lambda m: setattr(m, "LonLeft", 5), 0x80020003,
             "LonLeft cannot be written"),
            ("a name the control does not have", lambda m: m.call("NoSuchMember"), 0x80020006,
             "no member named NoSuchMember"),
            ("a write to a name the control does not have", lambda m: m.put("NoSuchMember", 1), 0x80020006,
             "no member named NoSuchMember"),
        ]
        for what, call, hresult, description in cases:
            with self.subTest(what):
                with self.assertRaises(quelmar.Error) as caught:
                    call(self.m)
                self.assertEqual(caught.exception.hresult & 0xFFFFFFFF, hresult)
                self.assertLess(caught.exception.hresult, 0)
                self.assertIn(description, caught.exception.description)
                self.assertIn("0x%08X" % hresult, str(caught.exception))
        # The control is still usable after every failure.
        self.assertEqual(self.m.Distance(-87, 41, -87, 42), 69115)

    def test_python_side_mistakes(self):
        m = self.m
        with self.assertRaises(AttributeError):
            m.NoSuchMember
        with self.assertRaises(AttributeError):
            m.NoSuchMember = 1
        with self.assertRaises(TypeError):
            m.Distance([1], 0, 0, 0)
        with self.assertRaises(ValueError):
            m.LonLatStr("a\0b", 0)
        with self.assertRaises(TypeError):
            m.ZoomWindow(x1=1)

    def test_a_control_that_cannot_be_made(self):
        with tempfile.TemporaryDirectory() as empty:
            cases = [
                ("no width", dict(width=0, height=10), 0x80070057, "the size must be"),
                ("too tall", dict(width=10, height=16385), 0x80070057, "the size must be"),
                ("an unknown identifier", dict(prog_id="Quelmar50.Nothing"), 0x80004005, "Quelmar50.Nothing"),
                ("a data folder without MAP.INI", dict(data=empty), 0x80070057, "no MAP.INI in"),
            ]
            for what, arguments, hresult, description in cases:
                with self.subTest(what):
                    with self.assertRaises(quelmar.Error) as caught:
                        quelmar.Tarvo(**arguments)
                    self.assertEqual(caught.exception.hresult & 0xFFFFFFFF, hresult)
                    self.assertIn(description, caught.exception.description)

    def test_a_closed_control_refuses_calls(self):
        m = quelmar.Tarvo()
        m.close()
        m.close()
        for call in (lambda: m.LonLeft, lambda: m.ZoomWindow(-88, 42, -87, 41), m.pump, m.image,
                     lambda: setattr(m, "Magnitude", 5)):
            with self.assertRaises(ValueError):
                call()

    def test_the_c_entry_point_refuses_a_null_host(self):
        lib = quelmar._library()
        out, number = ctypes.c_void_p(), ctypes.c_int32()
        cases = [
            ("qh_call", lambda error: lib.qh_call(None, b"LonLeft", 0, None, None, error)),
            ("qh_put", lambda error: lib.qh_put(None, b"Magnitude", quelmar._pack(5, []), error)),
            ("qh_pump", lambda error: lib.qh_pump(None, error)),
            ("qh_members", lambda error: lib.qh_members(None, ctypes.byref(out), error)),
            ("qh_save_png", lambda error: lib.qh_save_png(None, b"x.png", error)),
            ("qh_image", lambda error: lib.qh_image(None, ctypes.byref(number), ctypes.byref(number),
                                                    ctypes.byref(out), error)),
        ]
        for name, call in cases:
            with self.subTest(name):
                error = ctypes.c_void_p()
                self.assertEqual(call(ctypes.byref(error)) & 0xFFFFFFFF, 0x80004003)  # E_POINTER
                self.assertIn("no control", quelmar._take_text(lib, error.value))
                self.assertIsNone(out.value)
        lib.qh_destroy(None)
        lib.qh_free(None)

    def test_a_missing_host_library_is_named(self):
        env = dict(os.environ, QUELMAR_HOST_LIBRARY="/no/such/libquelmar_host.so")
        run = subprocess.run([sys.executable, "-c", "import quelmar; quelmar.Tarvo()"], env=env,
                             capture_output=True, text=True)
        self.assertNotEqual(run.returncode, 0)
        self.assertIn("/no/such/libquelmar_host.so", run.stderr)


class Events(ControlTest):
    def test_a_zoom_raises_its_paint_events_before_it_returns(self):
        m, seen = self.m, []
        m.on("*", lambda name, *args: seen.append((name, args)))
        m.on("PaintAfter", lambda dc: seen.append(("read inside PaintAfter", m.LatTop)))
        m.ZoomWindow(-88, 42, -87, 41)
        seen.append(("returned",))
        names = [s[0] for s in seen]
        self.assertEqual(names, ["Status", "PaintBefore", "read inside PaintAfter", "PaintAfter", "returned"])
        self.assertEqual(seen[0][1], (1,))
        before, after = seen[1][1], seen[3][1]
        self.assertEqual(before, after)  # both name the device context of the one paint
        self.assertIsInstance(before[0], int)
        self.assertAlmostEqual(seen[2][1], 42.0, places=2)  # the new view, inside the paint

    def test_find_events_let_the_handler_read_the_hit(self):
        m, found = self.m, []

        @m.event
        def Find():
            found.append((m.Street, m.MatchInfo))

        self.assertEqual(m.GeoFind(ADDRESS), 1)
        self.assertEqual(len(found), 1)
        self.assertTrue(found[0][0].startswith("W ADDISON ST\tCHICAGO\t1060\tIL\t60613"), found[0][0])
        self.assertEqual(found[0][1], "house\t1.00")
        m.FindStr("N CLARK ST", "W ADDISON", 0, -87.6564, 41.9471, 2, "IL")
        self.assertEqual(len(found), 2)
        self.assertTrue(found[1][0].startswith("*N Clark St and W Addison St"), found[1][0])
        self.assertEqual(found[1][1], "intersection\t1.00")

    def test_event_names_are_checked_and_handlers_stack(self):
        m, calls = self.m, []
        with self.assertRaises(ValueError) as caught:
            m.on("Fnd", print)
        self.assertIn("PaintAfter", str(caught.exception))
        self.assertIn("Find", m.events)
        m.on("paintafter", lambda dc: calls.append("first"))  # any letter case, as the names of members
        m.on("PaintAfter", lambda dc: calls.append("second"))
        m.Redraw()
        self.assertEqual(calls, ["first", "second"])

    def test_a_handlers_exception_comes_out_of_the_call(self):
        m, later = self.m, []

        def PaintBefore(dc):
            raise KeyError("from the handler")

        m.on("PaintBefore", PaintBefore)
        m.on("PaintAfter", lambda dc: later.append(dc))
        with self.assertRaises(KeyError):
            m.ZoomWindow(-88, 42, -87, 41)
        self.assertEqual(later, [])  # the rest of that call ran without handlers
        self.assertAlmostEqual(m.LatTop, 42.0, places=2)  # the call itself was made
        m.off("PaintBefore", PaintBefore)
        m.Redraw()
        self.assertEqual(len(later), 1)
        with self.assertRaises(ValueError):
            m.off("PaintBefore", PaintBefore)

    def test_closing_inside_a_handler_waits_for_the_call(self):
        m = quelmar.Tarvo()
        m.on("PaintBefore", lambda dc: m.close())
        after = []
        m.on("PaintAfter", lambda dc: after.append(dc))
        m.Redraw()  # the paint goes on; the control is released when Redraw returns
        self.assertEqual(len(after), 1)
        with self.assertRaises(ValueError):
            m.LonLeft


class Picture(ControlTest):
    def test_the_png_holds_what_the_pixels_hold(self):
        self.m.ZoomWindow(-88, 42, -87, 41)
        with tempfile.TemporaryDirectory() as folder:
            path = os.path.join(folder, "view.png")
            self.m.render_png(path)
            width, height, pixels = png_pixels(path)
        self.assertEqual((width, height), (400, 300))
        self.assertEqual(self.m.image(), (400, 300, pixels))
        with self.assertRaises(quelmar.Error) as caught:
            self.m.render_png("/no/such/folder/view.png")
        self.assertIn("cannot write /no/such/folder/view.png", caught.exception.description)

    def test_pixels_are_red_green_blue(self):
        self.m.BevelOuter = 0
        # The control's colours are 0x00BBGGRR numbers; the background takes the most pixels.
        for colour, rgb in ((0x0000FF, b"\xff\x00\x00"), (0x00FF00, b"\x00\xff\x00"), (0xFF0000, b"\x00\x00\xff")):
            with self.subTest(hex(colour)):
                self.m.Color = colour
                width, height, pixels = self.m.image()
                self.assertEqual(len(pixels), width * height * 3)
                counts = collections.Counter(pixels[i:i + 3] for i in range(0, len(pixels), 3))
                self.assertEqual(counts.most_common(1)[0][0], rgb)


class TypeInformation(ControlTest):
    def test_dir_lists_the_members(self):
        names = dir(self.m)
        for name in ("ZoomWindow", "LonLeft", "GeoFind", "MatchInfo", "Magnitude", "render_png"):
            self.assertIn(name, names)
        self.assertNotIn("Reserved1", names)  # a reserved slot cannot be called by name
        self.assertNotIn("PaintAfter", names)  # events are not members

    def test_help_shows_the_signature(self):
        doc = self.m.ZoomWindow.__doc__
        self.assertTrue(doc.startswith("ZoomWindow(VARIANT x1, VARIANT y1, VARIANT x2, VARIANT y2)"), doc)
        rendered = pydoc.render_doc(self.m.FindClosestPlace, renderer=pydoc.plaintext)
        self.assertIn("FindClosestPlace(x, y, r, pop, t, /)", rendered)
        self.assertIn("FindClosestPlace(double x, double y, double r, int32 pop, int32 t) -> BSTR", rendered)
        self.assertIn("precision", self.m.describe("MatchInfo"))  # its help string
        self.assertIn("read-only", self.m.describe("MatchInfo"))
        self.assertIn("read and write", self.m.describe("Magnitude"))
        self.assertEqual(self.m.describe("PaintAfter"), "PaintAfter(int32 dc)")


class DefaultTree(unittest.TestCase):
    def test_data_names_the_tree_as_a_string_or_a_path(self):
        for data in (TREE, pathlib.Path(TREE), os.fsencode(TREE)):
            with self.subTest(type(data).__name__):
                with quelmar.Tarvo(data=data) as m:
                    self.assertEqual(m.GeoFind(ADDRESS), 1)

    def test_without_data_the_tree_comes_from_the_environment(self):
        saved = os.environ.get("QUELMAR_DATA")
        try:
            for folder, hits in ((TREE, 1), (os.path.join(TREE, "no-tree-here"), 0)):
                with self.subTest(folder):
                    os.environ["QUELMAR_DATA"] = folder
                    with quelmar.Tarvo() as m:
                        self.assertEqual(m.GeoFind(ADDRESS), hits)
        finally:
            if saved is None:
                os.environ.pop("QUELMAR_DATA", None)
            else:
                os.environ["QUELMAR_DATA"] = saved


if __name__ == "__main__":
    unittest.main()
