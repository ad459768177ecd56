"""The include check on small planted trees: it passes the allowed arrows and names each wrong one."""
import importlib.util
import tempfile
import unittest
from pathlib import Path

SCRIPT = Path(__file__).resolve().parents[2] / "scripts" / "check-includes.py"
spec = importlib.util.spec_from_file_location("check_includes", SCRIPT)
check = importlib.util.module_from_spec(spec)
spec.loader.exec_module(check)


class IncludeCheck(unittest.TestCase):
    def setUp(self):
        self.tmp = tempfile.TemporaryDirectory()
        self.root = Path(self.tmp.name) / "tree"
        self.qt = Path(self.tmp.name) / "qt"
        for module, header in [("QtCore", "QString"), ("QtGui", "QImage"), ("QtWidgets", "QWidget")]:
            (self.qt / module).mkdir(parents=True)
            (self.qt / module / header).write_text("")
        self.write("platform/Cp932.h", "#include <string>\n")
        self.write("pdf/PdfDoc.cpp", '#include "pdf/PdfDoc.h"\n#include "platform/Cp932.h"\n')
        self.write("imaging/sane/SaneScanner.cpp", '#include "imaging/TImageIO.h"\n#include <QImage>\n')
        self.write("app/ui/TMainForm.cpp", '#include "settings/ui/TReadSet.h"\n#include <QWidget>\n')
        self.write("tests/pdf/PdfDocTest.cpp", '#include "app/ui/TMainForm.h"\n')

    def tearDown(self):
        self.tmp.cleanup()

    def write(self, name, text):
        path = self.root / name
        path.parent.mkdir(parents=True, exist_ok=True)
        path.write_text(text)

    def problems(self):
        return check.check_tree(self.root, self.qt)

    def test_allowed_arrows_pass(self):
        self.assertEqual(self.problems(), [])

    def test_each_wrong_way_include_is_named_with_its_line(self):
        cases = [
            ("platform/RegistryKey.cpp", '#include <string>\n#include "settings/TRegistory.h"\n',
             "platform/RegistryKey.cpp:2: platform/ may not include settings/TRegistory.h"),
            ("settings/TRegistory.cpp", '#include "settings/ui/TReadSet.h"\n',
             "settings/TRegistory.cpp:1: settings/ may not include settings/ui/TReadSet.h"),
            ("inquiry/ChartLookup.cpp", '#include "app/ui/TMainForm.h"\n',
             "inquiry/ChartLookup.cpp:1: inquiry/ may not include app/ui/TMainForm.h"),
            ("pdf/PdfFonts.cpp", "#include <QString>\n",
             "pdf/PdfFonts.cpp:1: pdf/ uses no Qt, but includes <QString> (Qt Core)"),
            ("imaging/sane/SaneSession.cpp", "#include <QtWidgets/QDialog>\n",
             "imaging/sane/SaneSession.cpp:1: imaging/ uses Qt Core, Gui, Concurrent, but includes"),
            ("app/save/ChartSaver.cpp", "#include <QWidget>\n",
             "app/save/ChartSaver.cpp:1: app/save/ uses Qt Core, Gui, Concurrent, but includes <QWidget>"),
            ("packaging/Installer.cpp", "int main() {}\n",
             "packaging/: folder has no row in the layer table"),
        ]
        for name, text, expected in cases:
            with self.subTest(name):
                self.tearDown()
                self.setUp()
                self.write(name, text)
                problems = self.problems()
                self.assertEqual(len(problems), 1, problems)
                self.assertTrue(problems[0].startswith(expected), problems[0])

    def test_known_exception_passes(self):
        check.KNOWN_EXCEPTIONS.add(("inquiry", "app/save"))
        self.addCleanup(check.KNOWN_EXCEPTIONS.discard, ("inquiry", "app/save"))
        self.write("inquiry/ChartLookup.cpp", '#include "app/save/ChartName.h"\n')
        self.assertEqual(self.problems(), [])

    def test_table_has_no_cycle(self):
        self.assertEqual(check.table_cycles(), [])


if __name__ == "__main__":
    unittest.main()
