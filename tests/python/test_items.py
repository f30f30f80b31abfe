"""The fleet example as a host runs it: 1,000 labelled items with symbols
from bitmap files, moved, turned and partly deleted, and the PNG it writes
showing them."""
import os
import pathlib
import sys
import tempfile
import unittest

import quelmar

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parents[2] / "apps" / "python" / "examples"))
import fleet  # noqa: E402
from test_package import png_pixels  # noqa: E402

TREE = os.environ["QUELMAR_TEST_TREE"]


class Fleet(unittest.TestCase):
    def test_the_png_shows_the_items_left(self):
        with tempfile.TemporaryDirectory() as folder:
            path = os.path.join(folder, "fleet.png")
            m = fleet.run(path, TREE)
            width, height, rgb = png_pixels(path)
        self.assertEqual((width, height), (1024, 768))
        pixels = [tuple(rgb[i:i + 3]) for i in range(0, len(rgb), 3)]
        # 450 markers and 449 strips are left; each shows dozens of its pixels.
        self.assertGreater(pixels.count(fleet.RED), 450 * 30)
        self.assertGreater(pixels.count(fleet.BLUE), 449 * 30)
        # Item 2 was moved east with the rest; item 1 and items 901.. are gone.
        lon, lat = -87.99 + 0.68 * 2 / 40 + 0.004, 41.68
        self.assertEqual(m.Finditem(lon, lat), 2)
        self.assertEqual(m.result.split("\t")[0], "2")
        self.assertEqual(m.Finditem(lon - 0.017, lat), 0)
        with self.assertRaises(quelmar.Error):
            m.SetItem(70000, lon, lat)


if __name__ == "__main__":
    unittest.main()
