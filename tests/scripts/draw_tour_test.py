#!/usr/bin/python3
"""demo/draw_tour.py: the states it reads from a tour, and the picture it draws of them.

  draw_tour_test.py SOURCE_DIR"""
import os
import struct
import subprocess
import sys
import tempfile
import unittest

SOURCE_DIR = os.path.abspath(sys.argv.pop(1))
SCRIPT = os.path.join(SOURCE_DIR, "demo/draw_tour.py")
sys.dont_write_bytecode = True  # leaves nothing in the source tree
sys.path.insert(0, os.path.dirname(SCRIPT))
import draw_tour  # noqa: E402  (found only once its folder is on the path)

SQUARE = "o plate\nv 0 0 0\nv 1 0 0\nv 1 1 0\nv 0 1 0\nf 1 2 3 4\no rod\nv 0 0 1\nv 0 0 2\nl -2 -1\n"
TOUR = """\
load-obj "model.obj"
record "as loaded"   # the first record names the loaded model
click Move
record "lifted"
save-obj "lifted.obj"
save-obj "again.obj"  # a second save of one state is not a new state
record "turned"
save-obj "turned.obj"
"""


class DrawTour(unittest.TestCase):
    def setUp(self):
        self.work = tempfile.TemporaryDirectory()
        self.dir = self.work.name
        self.write("model.obj", SQUARE)
        self.write("lifted.obj", SQUARE.replace("v 1 1 0", "v 1 1 0.5"))
        self.write("turned.obj", SQUARE.replace("v 1 1 0", "v 1 1 0.5").replace("v 0 1 0", "v 0 1 0.5"))
        self.write("tour.scn", TOUR)

    def tearDown(self):
        self.work.cleanup()

    def write(self, name, text):
        with open(os.path.join(self.dir, name), "w") as out:
            out.write(text)

    def draw(self, *extra):
        return subprocess.run([sys.executable, SCRIPT, "tour.png", "tour.scn", *extra],
                              cwd=self.dir, capture_output=True, text=True)

    def test_each_record_names_the_state_of_the_next_save(self):
        states = draw_tour.tour_states(os.path.join(self.dir, "tour.scn"))
        self.assertEqual(states, [("as loaded", "model.obj"), ("lifted", "lifted.obj"),
                                  ("turned", "turned.obj")])

    def test_the_moved_vertices_are_drawn_in_every_state(self):
        done = self.draw("--show", "rod", "the rod")
        self.assertEqual(done.returncode, 0, done.stderr)
        with open(os.path.join(self.dir, "tour.png"), "rb") as png:
            header = png.read(24)
        self.assertEqual(header[:8], b"\x89PNG\r\n\x1a\n")
        self.assertEqual(struct.unpack(">II", header[16:24]), (1200, 1200))

    def test_a_tour_that_moves_nothing_is_refused(self):
        self.write("lifted.obj", SQUARE)
        self.write("turned.obj", SQUARE)
        done = self.draw()
        self.assertNotEqual(done.returncode, 0)
        self.assertIn("no step moved a vertex", done.stderr)

    def test_a_state_of_another_model_is_refused(self):
        self.write("turned.obj", SQUARE + "v 5 5 5\n")
        done = self.draw()
        self.assertNotEqual(done.returncode, 0)
        self.assertIn("turned.obj has 7 vertices", done.stderr)

    def test_an_object_to_show_must_exist(self):
        done = self.draw("--show", "nothing", "x")
        self.assertNotEqual(done.returncode, 0)
        self.assertIn("no object 'nothing'", done.stderr)


if __name__ == "__main__":
    unittest.main(verbosity=1)
