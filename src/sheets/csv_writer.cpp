#include "sheets/csv_writer.h"

#include "sheets/plain_number.h"
#include "sheets/whole_file.h"

namespace corvane {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kLineEnd = "\r\n";

// Checked for every field of every row, so by hand rather than by searches.
bool MightRunAsFormula(std::string_view text) {
    if (text.empty()) {
        return false;
    }
    switch (text.front()) {
        case '=':
        case '+':
        case '-':
        case '@':
        case '\t':
        case '\r':
            return !IsPlainNumber(text);
        default:
            return false;
    }
}

bool NeedsQuotes(std::string_view text) {
    for (const char c : text) {
        if (c == ',' || c == '"' || c == '\r' || c == '\n') {
            return true;
        }
    }
    return false;
}

void AppendHeader(const RowSource& table, std::string& out) {
    bool first = true;
    for (const std::string& title : table.HeaderRow()) {
        if (!first) {
            out += ',';
        }
        first = false;
        AppendCsvField(title, out);
    }
    out += kLineEnd;
}

void AppendRow(const Row& row, std::string& out) {
    bool first = true;
    for (const Field& field : row) {
        if (!first) {
            out += ',';
        }
        first = false;
        AppendCsvField(field.Text, out);
    }
    out += kLineEnd;
}

}  // namespace

void AppendCsvField(std::string_view text, std::string& line) {
    const bool quoted = NeedsQuotes(text);
    if (quoted) {
        line += '"';
    }
    if (MightRunAsFormula(text)) {
        line += '\'';
    }
    if (!quoted) {
        line.append(text);
        return;
    }
    for (const char c : text) {
        line += c;
        if (c == '"') {
            line += '"';
        }
    }
    line += '"';
}

std::string CsvText(const RowSource& table) {
    std::string text;
    AppendHeader(table, text);
    table.EachRow([&text](const Row& row) {
        AppendRow(row, text);
        return true;
    });
    return text;
}

WriteOutcome WriteCsv(const RowSource& table, const std::string& path) {
    WholeFile file(path);
    std::string line(path == "-" ? "" : kByteOrderMark);
    AppendHeader(table, line);
    bool written = file.Open() && file.Write(line) && table.EachRow([&](const Row& row) {
        line.clear();
        AppendRow(row, line);
        return file.Write(line);
    });
    written = written && file.Commit();
    return {written, written ? std::string() : file.Reason()};
}

}  // namespace corvane
