#include "sheets/csv_writer.h"

#include "sheets/plain_number.h"
#include "sheets/whole_file.h"

namespace corvane {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kLineEnd = "\r\n";

bool MightRunAsFormula(std::string_view text) {
    return !text.empty() &&
           std::string_view("=+-@\t\r").find(text.front()) != std::string_view::npos &&
           !IsPlainNumber(text);
}

template <typename Fields, typename TextOf>
void AppendLine(const Fields& fields, TextOf textOf, std::string& out) {
    bool first = true;
    for (const auto& field : fields) {
        if (!first) {
            out += ',';
        }
        first = false;
        AppendCsvField(textOf(field), out);
    }
    out += kLineEnd;
}

void AppendHeader(const RowTable& table, std::string& out) {
    AppendLine(
        table.Header, [](const std::string& text) -> std::string_view { return text; }, out);
}

void AppendRow(const Row& row, std::string& out) {
    AppendLine(
        row, [](const Field& field) -> std::string_view { return field.Text; }, out);
}

}  // namespace

void AppendCsvField(std::string_view text, std::string& line) {
    const std::string_view guard = MightRunAsFormula(text) ? "'" : "";
    if (text.find_first_of(",\"\r\n") == std::string_view::npos) {
        line.append(guard).append(text);
        return;
    }
    line.append("\"").append(guard);
    for (const char c : text) {
        line += c;
        if (c == '"') {
            line += '"';
        }
    }
    line += '"';
}

std::string CsvText(const RowTable& table) {
    std::string text;
    AppendHeader(table, text);
    for (const Row& row : table.Rows) {
        AppendRow(row, text);
    }
    return text;
}

WriteOutcome WriteCsv(const RowTable& table, const std::string& path) {
    WholeFile file(path);
    std::string line(path == "-" ? "" : kByteOrderMark);
    AppendHeader(table, line);
    bool written = file.Open() && file.Write(line);
    for (size_t row = 0; written && row < table.Rows.size(); ++row) {
        line.clear();
        AppendRow(table.Rows[row], line);
        written = file.Write(line);
    }
    written = written && file.Commit();
    return {written, written ? std::string() : file.Reason()};
}

}  // namespace corvane
