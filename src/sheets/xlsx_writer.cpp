#include "sheets/xlsx_writer.h"

#include <unistd.h>
#include <xlsxwriter.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <utility>

#include "sheets/plain_number.h"
#include "sheets/whole_file.h"

namespace corvane {

namespace {

constexpr double kWidestColumn = 60;
constexpr double kColumnMargin = 2;

// Characters, not bytes: a UTF-8 continuation byte starts none.
size_t CharacterCount(const std::string& text) {
    return static_cast<size_t>(std::count_if(text.begin(), text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

// The longest text of each column so far, header included.
class ColumnWidths {
  public:
    void Widen(size_t column, const std::string& text) {
        if (column >= longest_.size()) {
            longest_.resize(column + 1);
        }
        longest_[column] = std::max(longest_[column], CharacterCount(text));
    }
    size_t Count() const { return longest_.size(); }
    double Width(size_t column) const {
        return std::min(static_cast<double>(longest_[column]) + kColumnMargin, kWidestColumn);
    }

  private:
    std::vector<size_t> longest_;
};

// One workbook being written; the first error stops the writing.
class WorkbookWriter {
  public:
    explicit WorkbookWriter(const std::string& path) {
        lxw_workbook_options options{};
        options.constant_memory = LXW_TRUE;
        workbook_ = workbook_new_opt(path.c_str(), &options);
        if (!workbook_) {
            error_ = LXW_ERROR_MEMORY_MALLOC_FAILED;
            return;
        }
        bold_ = workbook_add_format(workbook_);
        format_set_bold(bold_);
    }
    ~WorkbookWriter() {
        if (workbook_) {
            workbook_close(workbook_);  // Close() was never called
        }
    }
    WorkbookWriter(const WorkbookWriter&) = delete;
    WorkbookWriter& operator=(const WorkbookWriter&) = delete;

    // The rows go out as they come (a row leaves memory once the next
    // begins); the columns' widths, known only at the end, are set last.
    void AddSheet(const SheetRows& sheet) {
        if (!error_) {
            Check(workbook_validate_sheet_name(workbook_, sheet.Name.c_str()));
        }
        lxw_worksheet* worksheet =
            error_ ? nullptr : workbook_add_worksheet(workbook_, sheet.Name.c_str());
        if (!worksheet) {
            Check(LXW_ERROR_MEMORY_MALLOC_FAILED);
            return;
        }
        ColumnWidths widths;
        worksheet_freeze_panes(worksheet, 1, 0);
        const std::vector<std::string>& header = sheet.Rows.HeaderRow();
        for (size_t column = 0; column < header.size(); ++column) {
            widths.Widen(column, header[column]);
            Check(worksheet_write_string(worksheet, 0, Column(column), header[column].c_str(),
                                         bold_));
        }
        lxw_row_t next = 1;
        sheet.Rows.EachRow([&](const Row& fields) {
            for (size_t column = 0; column < fields.size(); ++column) {
                widths.Widen(column, fields[column].Text);
                WriteField(worksheet, next, Column(column), fields[column]);
            }
            ++next;
            return !error_;
        });
        for (size_t column = 0; column < widths.Count(); ++column) {
            Check(worksheet_set_column(worksheet, Column(column), Column(column),
                                       widths.Width(column), nullptr));
        }
    }

    // Puts the workbook together in its file; the error, if any.
    lxw_error Close() {
        lxw_workbook* workbook = std::exchange(workbook_, nullptr);
        const lxw_error closed = workbook ? workbook_close(workbook) : LXW_NO_ERROR;
        return error_ ? error_ : closed;
    }

  private:
    static lxw_col_t Column(size_t column) { return static_cast<lxw_col_t>(column); }

    void Check(lxw_error error) {
        if (!error_) {
            error_ = error;
        }
    }

    void WriteField(lxw_worksheet* worksheet, lxw_row_t row, lxw_col_t column, const Field& field) {
        const std::optional<StoredNumber> number =
            field.Kind == FieldKind::Text ? std::nullopt : NumberToStore(field.Text);
        if (number) {
            const bool percent = field.Kind == FieldKind::Percent;
            Check(worksheet_write_number(worksheet, row, column,
                                         percent ? number->Value / 100 : number->Value,
                                         NumberFormat(number->Decimals, percent)));
        } else if (!field.Text.empty()) {
            Check(worksheet_write_string(worksheet, row, column, field.Text.c_str(), nullptr));
        }
    }

    // "0", "0.00", "0.000%", ...: made once a pattern, shared by its cells.
    lxw_format* NumberFormat(int decimals, bool percent) {
        lxw_format*& format = numberFormats_[{decimals, percent}];
        if (!format) {
            std::string pattern = decimals > 0 ? "0." + std::string(decimals, '0') : "0";
            format = workbook_add_format(workbook_);
            format_set_num_format(format, (percent ? pattern + "%" : pattern).c_str());
        }
        return format;
    }

    lxw_workbook* workbook_ = nullptr;
    lxw_format* bold_ = nullptr;
    std::map<std::pair<int, bool>, lxw_format*> numberFormats_;
    lxw_error error_ = LXW_NO_ERROR;
};

std::string ReasonOf(lxw_error error) {
    std::string reason = lxw_strerror(error);
    if ((error == LXW_ERROR_CREATING_XLSX_FILE || error == LXW_ERROR_CREATING_TMPFILE) && errno) {
        reason += " (" + std::string(std::strerror(errno)) + ")";
    }
    return reason;
}

bool WriteWorkbook(const std::vector<SheetRows>& sheets, const std::string& path,
                   std::string& reason) {
    WorkbookWriter workbook(path);
    for (const SheetRows& sheet : sheets) {
        workbook.AddSheet(sheet);
    }
    errno = 0;
    const lxw_error error = workbook.Close();
    if (error) {
        reason = ReasonOf(error);
    }
    return !error;
}

// A device or pipe is written in place, so the workbook is made in a scratch
// file first and then copied into it.
bool CopyInto(const std::string& scratch, WholeFile& file) {
    std::ifstream in(scratch, std::ios::binary);
    std::string chunk(64 * 1024, '\0');
    while (in.read(chunk.data(), static_cast<std::streamsize>(chunk.size())) || in.gcount() > 0) {
        if (!file.Write(std::string_view(chunk.data(), static_cast<size_t>(in.gcount())))) {
            return false;
        }
    }
    return true;
}

WriteOutcome WriteThroughScratch(const std::vector<SheetRows>& sheets, WholeFile& file) {
    std::string scratch = (std::filesystem::temp_directory_path() / "corvane-XXXXXX").string();
    const int descriptor = ::mkstemp(scratch.data());
    if (descriptor < 0) {
        return {false, std::string("no scratch file can be made: ") + std::strerror(errno)};
    }
    ::close(descriptor);
    std::string reason;
    const bool made = WriteWorkbook(sheets, scratch, reason);
    const bool copied = made && CopyInto(scratch, file) && file.Commit();
    ::unlink(scratch.c_str());
    return {copied, copied ? std::string() : made ? file.Reason() : reason};
}

}  // namespace

WriteOutcome WriteXlsx(const std::vector<SheetRows>& sheets, const std::string& path) {
    if (path == "-") {
        return {false, "a workbook cannot be written to standard output"};
    }
    WholeFile file(path);
    if (!file.Open()) {
        return {false, file.Reason()};
    }
    if (file.TemporaryPath().empty()) {
        return WriteThroughScratch(sheets, file);
    }
    std::string reason;
    if (!WriteWorkbook(sheets, file.TemporaryPath(), reason)) {
        return {false, reason};
    }
    const bool committed = file.Commit();
    return {committed, committed ? std::string() : file.Reason()};
}

}  // namespace corvane
