#include "viewer/printer_font_dialog.h"

#include <QComboBox>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

#include <algorithm>
#include <array>

#include "viewer/error_trap.h"
#include "viewer/twips.h"

namespace corvane {

namespace {

// The only families offered: fixed-pitch, so the page's character cells line up.
const std::array<QString, 3> kReportFonts = {"MS LineDraw", "Lucida Console", "Courier New"};

constexpr double kClientWidthTwips = 6150;
constexpr double kClientHeightTwips = 1440;
constexpr double kScreenOffsetTwips = 450;

const char* const kErrorPrefix = " Program Error: ";

// A key that types a character; Tab only walks the focus and is left to do so.
bool IsTypedKey(const QEvent& event) {
    if (event.type() != QEvent::KeyPress) {
        return false;
    }
    const auto& key = static_cast<const QKeyEvent&>(event);
    return !key.text().isEmpty() && key.key() != Qt::Key_Tab && key.key() != Qt::Key_Backtab;
}

}  // namespace

PrinterFontDialog::PrinterFontDialog(const ViewerState& state, Messages& messages,
                                     const PrintersAndFonts& platform, QWidget* parent)
    : QDialog(parent), messages_(messages), platform_(platform) {
    setObjectName("frmSystem");
    setWindowTitle("Select Font and a Printer");
    CreateControls();
    RunTrapped(messages_, kErrorPrefix, " frmSystem(form_load)",
               [this, &state] { Load(state.PrinterName()); });
}

void PrinterFontDialog::CreateControls() {
    setFixedSize(TwipsToPixels(kClientWidthTwips, logicalDpiX()),
                 TwipsToPixels(kClientHeightTwips, logicalDpiY()));

    const std::array<QString, 2> prompts = {"Printer Name :", "Font Name :"};
    for (int index = 0; index < 2; ++index) {
        const double top = 120 + index * 600;
        auto* label = new QLabel(prompts[index], this);
        label->setObjectName(QString("Label1(%1)").arg(index));
        label->setGeometry(TwipsRect(*this, 120, top + 45, 1335, 255));

        auto* list = new QComboBox(this);
        list->setObjectName(QString("combo1(%1)").arg(index));
        list->setEditable(true);
        list->setInsertPolicy(QComboBox::NoInsert);
        list->setGeometry(TwipsRect(*this, 1560, top, 3015, 345));
        // The list itself holds the focus and hands typed keys to its line
        // edit directly, past any filter there: the keys are watched here.
        list->installEventFilter(this);
        lists_[index] = list;
    }

    previewButton_ = new QPushButton("&Preview", this);
    previewButton_->setObjectName("cmdDone");
    previewButton_->setGeometry(TwipsRect(*this, 4800, 120, 1215, 375));
    previewButton_->setDefault(true);
    connect(previewButton_, &QPushButton::clicked, this, &PrinterFontDialog::Choose);

    cancelButton_ = new QPushButton("&Cancel", this);
    cancelButton_->setObjectName("cmdCancel");
    cancelButton_->setGeometry(TwipsRect(*this, 4800, 720, 1215, 375));
    connect(cancelButton_, &QPushButton::clicked, this, &PrinterFontDialog::Cancel);
}

std::optional<PrinterFontChoice> PrinterFontDialog::Ask(Dialogs& dialogs) {
    choice_.reset();
    dialogs.Exec(*this);
    return choice_;
}

void PrinterFontDialog::Load(const std::string& chosenPrinter) {
    move(TwipsToPixels(kScreenOffsetTwips, logicalDpiX()),
         TwipsToPixels(kScreenOffsetTwips, logicalDpiY()));
    FillPrinters(chosenPrinter);
    // With no printer installed the platform cannot say which one is current:
    // the dialog opens with the lists as filled so far, and the book is laid
    // out on the page it had.
    if (platform_.PrinterNames().isEmpty()) {
        return;
    }
    FillFonts();
}

void PrinterFontDialog::FillPrinters(const std::string& chosenPrinter) {
    const QStringList printers = platform_.PrinterNames();
    lists_[0]->addItems(printers);
    if (!printers.isEmpty()) {
        lists_[0]->setEditText(CurrentPrinterName(chosenPrinter, platform_));
    }
}

void PrinterFontDialog::FillFonts() {
    // The second of the report fonts found is the one preset; with fewer than
    // two installed the field starts empty.
    QString preset;
    int found = 0;
    for (const QString& family : platform_.ScreenFonts()) {
        if (std::find(kReportFonts.begin(), kReportFonts.end(), family) == kReportFonts.end()) {
            continue;
        }
        lists_[1]->addItem(family);
        if (++found == 2) {
            preset = family;
        }
    }
    lists_[1]->setEditText(preset);
}

void PrinterFontDialog::PresetFields(const QString& printer, const QString& font) {
    const QStringList printers = platform_.PrinterNames();
    if (printers.isEmpty()) {
        return;
    }
    if (printers.contains(printer)) {
        lists_[0]->setEditText(printer);
    }
    if (platform_.ScreenFonts().contains(font)) {
        lists_[1]->setEditText(font);
    }
}

bool PrinterFontDialog::eventFilter(QObject* watched, QEvent* event) {
    if (IsTypedKey(*event)) {
        for (int index = 0; index < 2; ++index) {
            if (watched == lists_[index]) {
                RunTrapped(messages_, kErrorPrefix, " frmSystem(combo1_keypress)",
                           [this, index] { MoveFocusOnFrom(index); });
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

void PrinterFontDialog::MoveFocusOnFrom(int list) {
    if (list == 0) {
        lists_[1]->setFocus(Qt::OtherFocusReason);
    } else {
        previewButton_->setFocus(Qt::OtherFocusReason);
    }
}

void PrinterFontDialog::Choose() {
    RunTrapped(messages_, kErrorPrefix, " frmSystem(cmdDone)", [this] {
        const QString printer = lists_[0]->currentText();
        PrinterFontChoice choice{printer.toStdString(), lists_[1]->currentText().toStdString(),
                                 std::nullopt};
        // A name that matches no installed printer is kept for the messages,
        // while the pages keep going, and are laid out on the page of, the
        // printer that was current.
        if (platform_.PrinterNames().contains(printer)) {
            choice.PrinterPage = platform_.PrintablePage(printer);
        }
        choice_ = std::move(choice);
        accept();
    });
}

void PrinterFontDialog::Cancel() {
    RunTrapped(messages_, kErrorPrefix, " frmSystem(cmdcancel)", [this] { reject(); });
}

}  // namespace corvane
