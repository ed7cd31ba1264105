"""The include-layer check, run against small source trees built in a temporary folder."""

import contextlib
import io
import sys
import tempfile
import unittest
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[2] / "scripts"))
import check_include_layers  # noqa: E402

# A tree with one file per layer, every include an allowed arrow.
GOOD_TREE = {
    "base/Text.h": "",
    "engine/Engine.h": '#include "base/Text.h"\n',
    "records/CustomerRecord.h": '#include "engine/Engine.h"\n#include "base/Text.h"\n',
    "company/CompanyFile.h": '#include "records/CustomerRecord.h"\n',
    "receivables/Aging.h": '#include "company/CompanyFile.h"\n',
    "customers/CustomerFile.h": '#include "records/CustomerRecord.h"\n',
    "widgets/FindBox.h": '#include <QDialog>\n#include "records/CustomerRecord.h"\n',
    "customers/ui/CustomerManager.h": '#include "customers/CustomerFile.h"\n'
                                      '#include "widgets/FindBox.h"\n',
    "company/ui/CompanyManager.h": '#include <QDialog>\n#include "company/CompanyFile.h"\n'
                                   '#include "widgets/FindBox.h"\n',
    "shell/ui/MainWindow.h": '#include "customers/ui/CustomerManager.h"\n'
                             '#include "company/ui/CompanyManager.h"\n'
                             '#include "receivables/Aging.h"\n',
    "app/main.cpp": '#include "shell/ui/MainWindow.h"\n#include "Screenshot.h"\n',
    "app/Screenshot.h": "",
    "tool/main.cpp": '#include "receivables/Aging.h"\n#include "customers/CustomerFile.h"\n',
    "tool/Print.cpp": '#include "widgets/PdfFile.h"\n',
}


class IncludeLayers(unittest.TestCase):
    def violations(self, extra):
        with tempfile.TemporaryDirectory() as folder:
            src = Path(folder) / "src"
            for name, text in {**GOOD_TREE, **extra}.items():
                (src / name).parent.mkdir(parents=True, exist_ok=True)
                (src / name).write_text(text)
            return check_include_layers.violations(src)

    def test_allowed_arrows_pass(self):
        self.assertEqual(self.violations({}), [])

    def test_each_wrong_arrow_is_reported_with_its_line(self):
        wrong = [
            ("engine/Rebuild.cpp", '#include "records/CustomerRecord.h"'),  # upwards
            ("base/Dates.h", '#include "engine/Engine.h"'),
            ("records/Keys.h", '#include "company/CompanyFile.h"'),
            ("receivables/Payment.h", '#include "customers/CustomerFile.h"'),  # sideways
            ("widgets/Browser.h", '#include "company/CompanyFile.h"'),
            ("customers/ui/Editor.h", '#include "receivables/Aging.h"'),  # another subsystem
            ("customers/ui/Picker.h", '#include "shell/ui/MainWindow.h"'),
            ("customers/ui/Terms.h", '#include "company/ui/CompanyManager.h"'),  # not a subsystem
            ("company/Flow.h", '#include "company/ui/CompanyManager.h"'),  # plain below its windows
            ("company/ui/Options.h", '#include "customers/CustomerFile.h"'),
            ("tool/Dump.cpp", '#include "shell/ui/MainWindow.h"'),
            ("tool/Post.cpp", '#include "customers/ui/CustomerManager.h"'),
            ("company/List.h", '#include "nowhere/Thing.h"'),
        ]
        for name, include in wrong:
            with self.subTest(name=name):
                found = self.violations({name: "// first line\n" + include + "\n"})
                self.assertEqual(len(found), 1, found)
                self.assertTrue(found[0].startswith(f"src/{name}:2: "), found[0])

    def test_no_window_includes_the_engine(self):
        windows = ["customers/ui/Editor.h", "company/ui/Options.h", "shell/ui/Context.h"]
        found = self.violations({name: '#include "engine/Engine.h"\n' for name in windows})
        self.assertEqual(found, [f'src/{name}:1: {name.rsplit("/", 1)[0]} is window code and may '
                                 'not include "engine/Engine.h"; hand it a flow or a plain '
                                 'services object' for name in sorted(windows)])
        self.assertEqual(self.violations({"widgets/Source.h": '#include "engine/Engine.h"\n'}),
                         [])

    def test_qt_headers_only_where_windows_live(self):
        found = self.violations({"records/Bad.h": "#include <QString>\n",
                                 "tool/Bad.cpp": "#include <QtCore>\n",
                                 "customers/ui/Good.h": "#include <QWidget>\n"})
        self.assertEqual(sorted(f.split(":")[0] for f in found),
                         ["src/records/Bad.h", "src/tool/Bad.cpp"])

    def test_command_fails_on_a_wrong_arrow(self):
        with tempfile.TemporaryDirectory() as folder:
            src = Path(folder) / "src"
            (src / "base").mkdir(parents=True)
            (src / "engine").mkdir()
            (src / "engine/Engine.h").write_text("")
            self.assertEqual(check_include_layers.main(["check", str(src)]), 0)
            (src / "base/Text.h").write_text('#include "engine/Engine.h"\n')
            printed = io.StringIO()
            with contextlib.redirect_stdout(printed):
                self.assertEqual(check_include_layers.main(["check", str(src)]), 1)
            self.assertIn('base may not include "engine/Engine.h"', printed.getvalue())


if __name__ == "__main__":
    unittest.main()
