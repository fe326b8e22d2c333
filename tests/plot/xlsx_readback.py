#!/usr/bin/python3
"""Reads the exported workbooks back with openpyxl (python3-openpyxl) and the chart parts of the
package with zipfile: sheet names and order, cell texts and numbers, hyperlinks, and the chart of
every graph. Checks the workbooks that xlsx_export_test leaves in FIXTURES and one written by
`vorne run --xlsx` for a compression and a tension example.

usage: xlsx_readback.py FIXTURES RUNNER EXAMPLES
"""
import os
import re
import shutil
import subprocess
import sys
import tempfile
import unittest
import zipfile

import openpyxl

FIXTURES, RUNNER, EXAMPLES = sys.argv[1:4]

LEGEND_HEADERS = ["     N    ",
                  "                             Plot Name                             ",
                  "  Sheet Name  ", "  Chart Name  ", "          Status          "]
CAPTIONS = ["Unit Skin Friction vs Depth", "Accumulated Skin Friction vs Depth",
            "Tip Resistance vs Depth", "Total Capacity vs Depth", "Load Distribution",
            "Combine Plot", "Axial Load vs Settlement", "Internally-Generated t-z Curves",
            "Extra t-z curves at User Specified Depths", "Internally-Generated Q-w Curve"]


def charts(path):
    """The chart parts of the package in sheet order (chart1.xml is the chart of Plot_1)."""
    with zipfile.ZipFile(path) as package:
        names = [n for n in package.namelist() if re.fullmatch(r"xl/charts/chart\d+\.xml", n)]
        names.sort(key=lambda n: int(re.search(r"\d+", n).group()))
        return [package.read(n).decode("utf-8") for n in names]


def axis_orientations(chart):
    return re.findall(r'<c:orientation val="(\w+)"/>', chart)


def series_formulas(chart):
    return re.findall(r"<c:f>([^<]*)</c:f>", chart)


def point(t, j):
    """The fixture's point j of curve t (both 1-based)."""
    return t + j / 4.0, j / 2.0


class Fixtures(unittest.TestCase):
    def open(self, name):
        path = os.path.join(FIXTURES, name)
        return path, openpyxl.load_workbook(path)

    def check_legend_row(self, legend, n, caption, status):
        row = n + 2
        self.assertEqual(legend.cell(row, 2).value, n)
        self.assertEqual(legend.cell(row, 3).value, caption)
        self.assertEqual(legend.cell(row, 4).value, "Page_%d" % n)
        self.assertEqual(legend.cell(row, 4).hyperlink.location, "Page_%d!A1" % n)
        self.assertEqual(legend.cell(row, 5).value, "Plot_%d" % n)
        self.assertEqual(legend.cell(row, 6).value, status)

    def test_qw_only_makes_page_1_and_plot_1(self):
        path, book = self.open("qw_only.xlsx")
        self.assertEqual(book.sheetnames, ["Legend", "Page_1", "Plot_1"])
        legend = book["Legend"]
        self.assertEqual([legend.cell(2, c).value for c in range(2, 7)], LEGEND_HEADERS)
        self.assertTrue(all(legend.cell(2, c).font.b for c in range(2, 7)))
        self.assertEqual(legend.cell(2, 3).alignment.vertical, "center")
        self.check_legend_row(legend, 1, "Internally-Generated Q-w Curve", "Complete")
        page = book["Page_1"]
        self.assertEqual(page["A1"].value, "Internally-Generated Q-w Curve")
        self.assertEqual([page["A2"].value, page["B2"].value], ["X", "Tip Resistance, Q (kN)"])
        self.assertEqual([page["A3"].value, page["B3"].value], ["Y", "Settlement, m (mm)"])
        self.assertEqual(page["G1"].value, "Go to Legend Page")
        self.assertEqual(page["G1"].hyperlink.location, "Legend!A1")
        self.assertEqual(page["A4"].value, "Curve #1")
        self.assertEqual(page["A15"].value, point(1, 10)[0])
        self.assertEqual(page["B15"].value, point(1, 10)[1])
        self.assertIsNone(page["A16"].value)
        (chart,) = charts(path)
        # Depth-like plot (X along the top): the value axis runs downward.
        self.assertEqual(axis_orientations(chart), ["minMax", "maxMin"])
        self.assertEqual(series_formulas(chart), ["Page_1!$A$6:$A$15", "Page_1!$B$6:$B$15"])

    def test_thirteen_and_fourteen_curves(self):
        path, book = self.open("thirteen_fourteen.xlsx")
        self.assertEqual(book.sheetnames, ["Legend", "Page_1", "Plot_1", "Page_2", "Plot_2"])
        first, second = book["Page_1"], book["Page_2"]
        # 13 curves fill columns A..Z; nothing beyond.
        self.assertEqual(first["Y4"].value, "Curve #13")
        self.assertEqual(first["Z5"].value, "Y")
        self.assertIsNone(first["AA4"].value)
        self.assertEqual(first["A4"].value, "=looks like a formula")
        self.assertEqual(first["A4"].data_type, "s")
        self.assertEqual(first["B2"].value, "Tip Resistance, Q (kips)")
        # The 14th curve starts at AA, and every cell is a number.
        self.assertEqual(second["AA4"].value, "Curve #14")
        self.assertEqual([second["AA5"].value, second["AB5"].value], ["X", "Y"])
        for t in (1, 14):
            for j in (1, 5):
                x = second.cell(5 + j, 2 * t - 1)
                y = second.cell(5 + j, 2 * t)
                self.assertEqual((x.value, y.value), point(t, j))
                self.assertEqual(x.data_type, "n")
        self.assertEqual(second["B3"].value, "Unit Load Transfer, t (kN/m^2)")
        chart1, chart2 = charts(path)
        self.assertEqual(axis_orientations(chart1), ["minMax", "maxMin"])
        self.assertEqual(axis_orientations(chart2), ["minMax", "minMax"])
        self.assertEqual(chart2.count("<c:ser>"), 14)
        self.assertEqual(series_formulas(chart2)[-2:], ["Page_2!$AA$6:$AA$10", "Page_2!$AB$6:$AB$10"])
        # The name that looks like a formula is taken from its cell, not evaluated.
        self.assertIn("Page_1!$A$4", series_formulas(chart1))

    def test_stopped_export_shows_how_far_it_got(self):
        _, book = self.open("stopped.xlsx")
        self.assertEqual(book.sheetnames, ["Legend", "Page_1", "Plot_1", "Page_2"])
        legend = book["Legend"]
        self.check_legend_row(legend, 1, "Fine", "Complete")
        self.assertEqual(legend.cell(4, 6).value, "In Progress, Data")
        self.assertEqual(legend.cell(5, 2).value, 3)
        self.assertIsNone(legend.cell(5, 3).value)


class Runner(unittest.TestCase):
    def run_example(self, example):
        folder = tempfile.mkdtemp(prefix="vorne-readback-")
        self.addCleanup(shutil.rmtree, folder)
        for ext in (".vr6d", ".cpt"):
            source = os.path.join(EXAMPLES, example + ext)
            if os.path.exists(source):
                shutil.copy(source, folder)
        workbook = os.path.join(folder, "out", "graphs.xlsx")
        os.mkdir(os.path.join(folder, "out"))
        # Run from the output folder with a relative name: the file lands where the user is.
        done = subprocess.run([RUNNER, "run", os.path.join(folder, example + ".vr6d"), "--quiet",
                               "--xlsx", "graphs.xlsx"], cwd=os.path.join(folder, "out"),
                              capture_output=True, text=True, timeout=300)
        self.assertEqual(done.returncode, 0, done.stderr)
        with open(os.path.join(folder, example + ".vr6p")) as plot_data:
            words = plot_data.read().split()
        return workbook, openpyxl.load_workbook(workbook), words

    def check_common(self, path, book, captions, upright):
        """upright: the captions of the graphs whose value axis is not reversed."""
        n = len(captions)
        expected = ["Legend"] + [s % k for k in range(1, n + 1) for s in ("Page_%d", "Plot_%d")]
        self.assertEqual(book.sheetnames, expected)
        legend = book["Legend"]
        self.assertEqual([legend.cell(r, 3).value for r in range(3, 3 + n)], captions)
        self.assertEqual({legend.cell(r, 6).value for r in range(3, 3 + n)}, {"Complete"})
        parts = charts(path)
        self.assertEqual(len(parts), n)
        for k, chart in enumerate(parts, start=1):
            page = book["Page_%d" % k]
            self.assertIn("<c:scatterChart>", chart)
            self.assertIn('<c:symbol val="none"/>', chart)
            self.assertIn('<c:autoTitleDeleted val="1"/>', chart)
            self.assertEqual(chart.count("<c:majorGridlines/>"), 2)
            self.assertIn("<a:t>%s</a:t>" % page["B2"].value, chart)
            self.assertIn("<a:t>%s</a:t>" % page["B3"].value, chart)
            legend_part = re.search(r"<c:legend>.*</c:legend>", chart).group()
            self.assertIn('<a:ln><a:solidFill><a:srgbClr val="000000"/>', legend_part)
            self.assertIn('<a:solidFill><a:srgbClr val="FFFFFF"/>', legend_part)
            reversed_axis = captions[k - 1] not in upright
            self.assertEqual(axis_orientations(chart)[1], "maxMin" if reversed_axis else "minMax",
                             "Plot_%d" % k)

    def test_compression_example_exports_every_graph(self):
        path, book, words = self.run_example("steel_pipe_layered")
        # Settlement grows downward under compression, as depth does.
        self.check_common(path, book, CAPTIONS, CAPTIONS[7:9])
        # Capacity rows of the file: depth, skin friction, tip, total, unit skin friction.
        methods, rows = int(words[0]), int(words[1])
        self.assertEqual(methods, 1)
        for j in (0, rows // 2, rows - 1):
            depth, skin, tip, total, unit = map(float, words[4 + 5 * j: 9 + 5 * j])
            for page, value in (("Page_1", unit), ("Page_2", skin), ("Page_3", tip),
                                ("Page_4", total)):
                sheet = book[page]
                self.assertEqual(sheet.cell(6 + j, 1).value, value, page)
                self.assertEqual(sheet.cell(6 + j, 2).value, depth, page)
        self.assertEqual(book["Page_1"]["A4"].value, "API")
        self.assertEqual(book["Page_2"]["B2"].value, "Accumulated Skin Friction  (kips)")

    def test_tension_example_leaves_out_tip_and_qw(self):
        path, book, _ = self.run_example("tension_pipe")
        captions = [c for c in CAPTIONS
                    if c not in ("Tip Resistance vs Depth", "Internally-Generated Q-w Curve",
                                 "Extra t-z curves at User Specified Depths")]
        # Uplift grows upward.
        self.check_common(path, book, captions, ["Axial Load vs Settlement"] + CAPTIONS[7:9])
        combined = book["Page_%d" % (captions.index("Combine Plot") + 1)]
        self.assertEqual(combined["C4"].value, "Self Weight")


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1], verbosity=2)
