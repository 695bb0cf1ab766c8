"""The layering check itself: it passes the real tree and fails, naming the file, the line
and the edge, on small trees that break the real table."""

import contextlib
import io
import os
import tempfile
import unittest

import check_layering

HERE = os.path.dirname(os.path.abspath(__file__))
SOURCE_DIR = os.path.normpath(os.path.join(HERE, "..", ".."))
TABLE = os.path.join(HERE, "layering.tsv")


class Tree:
    """A throw-away source tree: write(path, *lines), then check()."""

    def __init__(self):
        self._folder = tempfile.TemporaryDirectory()
        self.root = self._folder.name

    def write(self, path, *lines):
        full = os.path.join(self.root, path)
        os.makedirs(os.path.dirname(full), exist_ok=True)
        with open(full, "w", encoding="utf-8") as file:
            file.write("\n".join(lines) + "\n")

    def check(self, *extra):
        output = io.StringIO()
        with contextlib.redirect_stdout(output):
            status = check_layering.main([self.root, TABLE, *extra])
        return status, output.getvalue()

    def close(self):
        self._folder.cleanup()


class LayeringCheck(unittest.TestCase):
    def setUp(self):
        self.tree = Tree()

    def tearDown(self):
        self.tree.close()

    def test_the_real_tree_and_its_readme_keep_to_the_table(self):
        table = check_layering.read_table(TABLE)
        self.assertEqual(check_layering.violations(SOURCE_DIR, table), [])
        self.assertEqual(check_layering.readme_differences(os.path.join(SOURCE_DIR, "README.md"), table), [])

    def test_the_opengl_device_including_the_rasterizer_fails_naming_the_edge(self):
        self.tree.write(
            "scene3d/platform/gl/Bad.h",
            "#pragma once",
            '#include "scene3d/platform/fixedfunction/StatefulDevice.h"',
            '#include "scene3d/platform/raster/ReferenceDevice.h"',
        )
        status, output = self.tree.check()
        self.assertEqual(status, 1)
        self.assertIn(
            'scene3d/platform/gl/Bad.h:3: scene3d/platform/gl -> scene3d/platform/raster '
            '(#include "scene3d/platform/raster/ReferenceDevice.h")',
            output,
        )
        self.assertNotIn("Bad.h:2", output)  # the shared base is allowed

    def test_the_rasterizer_may_not_include_the_opengl_device_either(self):
        self.tree.write("scene3d/platform/raster/Bad.cpp", '#include "scene3d/platform/gl/OpenGLDevice.h"')
        status, output = self.tree.check()
        self.assertEqual(status, 1)
        self.assertIn("scene3d/platform/raster/Bad.cpp:1: scene3d/platform/raster -> scene3d/platform/gl", output)

    def test_qt_is_refused_where_no_qt_is_used(self):
        for path in ("catalogue/Part.cpp", "scene3d/math/Matrix.cpp", "scene3d/platform/xfile/XFile.cpp"):
            self.tree.write(path, "#include <cstdint>", "#include <QString>")
        self.tree.write("scene3d/platform/qt/Fine.cpp", "#include <QImage>")
        status, output = self.tree.check()
        self.assertEqual(status, 1)
        self.assertIn("catalogue/Part.cpp:2: catalogue -> Qt (#include <QString...>)", output)
        self.assertIn("scene3d/math/Matrix.cpp:2: scene3d/math -> Qt", output)
        self.assertIn("scene3d/platform/xfile/XFile.cpp:2: scene3d/platform/xfile -> Qt", output)
        self.assertNotIn("Fine.cpp", output)

    def test_edges_pointing_upwards_fail(self):
        self.tree.write("scene3d/framework/Up.cpp", '#include "modelview/ModelView.h"')
        self.tree.write("modelview/Up.cpp", '#include "assembly/AddCommands.h"')
        status, output = self.tree.check()
        self.assertEqual(status, 1)
        self.assertIn("scene3d/framework/Up.cpp:1: scene3d/framework -> modelview", output)
        self.assertIn("modelview/Up.cpp:1: modelview -> assembly", output)

    def test_only_the_programs_start_wires_concrete_devices(self):
        self.tree.write(
            "app/main.cpp", '#include "app/Frmmain.h"', '#include "scene3d/platform/raster/ReferenceDriver.h"'
        )
        self.tree.write("app/Frmmain.cpp", '#include "app/Frmmain.h"', '#include "scene3d/platform/gl/OpenGLDriver.h"')
        status, output = self.tree.check()
        self.assertEqual(status, 1)
        self.assertIn("app/Frmmain.cpp:2: app -> scene3d/platform/gl", output)
        self.assertNotIn("app/main.cpp", output)

    def test_a_file_beside_is_its_own_folder_and_unknown_targets_fail(self):
        self.tree.write("tools/xinfo/Local.h", "#pragma once")
        self.tree.write("tools/xinfo/main.cpp", '#include "Local.h"', '#include "tests/support/Fake.h"')
        status, output = self.tree.check()
        self.assertEqual(status, 1)
        self.assertIn('tools/xinfo/main.cpp:2: tools/xinfo -> unknown folder (#include "tests/support/Fake.h")', output)
        self.assertNotIn("main.cpp:1", output)

    def test_a_tree_within_the_table_passes(self):
        self.tree.write("scene3d/platform/gl/Good.h", '#include "scene3d/platform/fixedfunction/PipelineState.h"')
        self.tree.write("modelview/Good.cpp", '#include "scene3d/framework/D3DUtil.h"', "#include <QWidget>")
        status, output = self.tree.check()
        self.assertEqual(status, 0, output)

    def test_a_readme_row_that_differs_from_the_table_fails(self):
        table = check_layering.read_table(TABLE)
        rows = ["| folder | may include |", "|---|---|"]
        for folder, allowed in sorted(table.items()):
            if folder == "scene3d/platform/gl":
                allowed = allowed | {"scene3d/platform/raster"}
            rows.append(f"| `{folder}` | " + ", ".join(f"`{a}`" for a in sorted(allowed)) + " |")
        self.tree.write("README.md", "## Which folder may include which", "", *rows)
        status, output = self.tree.check("--readme", os.path.join(self.tree.root, "README.md"))
        self.assertEqual(status, 1)
        self.assertIn("the row of scene3d/platform/gl differs from the layering table", output)
        self.assertEqual(output.count("differs"), 1)


if __name__ == "__main__":
    unittest.main()
