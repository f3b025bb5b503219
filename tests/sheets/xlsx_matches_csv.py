"""Reads a workbook back and checks it cell by cell against the CSV of the
same table; exits 1 with the first difference:

    xlsx_matches_csv.py BOOK.xlsx TABLE.csv --sheets NAME... --numbers COLUMN...

A plain number of at most 15 significant digits in a --numbers column must be
stored as a number, and every other text as text."""
import argparse
import csv
import math
import re
import sys

import openpyxl

GUARDED = tuple("=+-@\t\r")


def unguarded(text):
    return text[1:] if text.startswith("'") and text[1:].startswith(GUARDED) else text


def fail(where, message):
    sys.exit(f"{where}: {message}")


def storable(text):
    return re.fullmatch(r"[+-]?(\d+\.?\d*|\.\d+)", text) and len(
        re.sub(r"^[+-]?[0.]*|\.", "", text)) <= 15


def check_cell(where, cell, text, number_column):
    value = cell.value
    is_number = isinstance(value, (int, float)) and not isinstance(value, bool)
    if is_number != bool(number_column and storable(text)):
        fail(where, f"{value!r} stored for {text!r}")
    if is_number:
        shown = cell.number_format.rstrip("%")
        decimals = len(shown) - 2 if "." in shown else 0
        scale = 100 if cell.number_format.endswith("%") else 1
        wanted_decimals = len(text) - text.index(".") - 1 if "." in text else 0
        if not math.isclose(value * scale, float(text), rel_tol=1e-13, abs_tol=1e-13):
            fail(where, f"{value} against {text!r}")
        if decimals != wanted_decimals:
            fail(where, f"format {cell.number_format} against {text!r}")
    elif (value or "") != text:
        fail(where, f"{value!r} against {text!r}")


def main(workbook_path, csv_path, names, numbers):
    with open(csv_path, encoding="utf-8-sig", newline="") as file:
        header, *rows = [[unguarded(t) for t in row] for row in csv.reader(file)]
    workbook = openpyxl.load_workbook(workbook_path)
    if workbook.sheetnames != names:
        fail(workbook_path, f"sheets {workbook.sheetnames}")
    next_row = 0
    for sheet in workbook:
        if sheet.freeze_panes != "A2":
            fail(sheet.title, f"frozen at {sheet.freeze_panes}")
        cells = list(sheet.iter_rows())
        if [c.value for c in cells[0]] != header or not all(c.font.b for c in cells[0]):
            fail(sheet.title, "header")
        mine = rows[next_row:next_row + len(cells) - 1]
        next_row += len(cells) - 1
        for row, texts in zip(cells[1:], mine):
            for cell, text, title in zip(row, texts, header):
                check_cell(f"{sheet.title}!{cell.coordinate}", cell, text, title in numbers)
        for c, title in enumerate(header):
            longest = max(len(t[c]) for t in [header] + mine)
            width = sheet.column_dimensions[openpyxl.utils.get_column_letter(c + 1)].width
            if int(width) != min(longest + 2, 60):  # the file holds it with a margin
                fail(sheet.title, f"column {title} width {width}, longest text {longest}")
    if next_row != len(rows):
        fail(workbook_path, f"{next_row} rows against {len(rows)}")


arguments = argparse.ArgumentParser()
arguments.add_argument("workbook")
arguments.add_argument("csv")
arguments.add_argument("--sheets", nargs="+", required=True)
arguments.add_argument("--numbers", nargs="*", default=[])
given = arguments.parse_args()
main(given.workbook, given.csv, given.sheets, given.numbers)
