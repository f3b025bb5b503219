// The font and printer dialog ("Select Font and a Printer"), shown modally at
// every Preview before any page is laid out: the printer that receives the
// book and the fixed-pitch font of its pages. "&Preview" gives the choice;
// "&Cancel" gives none, so the earlier one stays.
#pragma once

#include <QDialog>

#include <optional>

#include "common/messages.h"
#include "viewer/dialogs.h"
#include "viewer/printers_and_fonts.h"
#include "viewer/viewer_state.h"

class QComboBox;
class QPushButton;

namespace corvane {

class PrinterFontDialog : public QDialog {
    Q_OBJECT

  public:
    // Loads the dialog: fills both lists from the platform and presets the
    // printer to the current one (the one chosen last, when it is installed).
    PrinterFontDialog(const ViewerState& state, Messages& messages,
                      const PrintersAndFonts& platform, QWidget* parent = nullptr);

    // Sets the fields' texts to a printer and a font chosen before, each only
    // while it is still installed; the lists keep their order. Without any
    // printer the dialog stays as it loaded.
    void PresetFields(const QString& printer, const QString& font);

    // Shows the dialog modally; the choice when "&Preview" closed it.
    std::optional<PrinterFontChoice> Ask(Dialogs& dialogs);

  public slots:
    void Choose();  // cmdDone, "&Preview"
    void Cancel();  // cmdCancel

  protected:
    // Any key typed in a list moves the focus on; the key itself still lands
    // in that list, which receives it after the filter.
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void CreateControls();
    void Load(const std::string& chosenPrinter);
    void FillPrinters(const std::string& chosenPrinter);
    void FillFonts();
    // A key typed in the printer list moves on to the fonts, one in the fonts to "&Preview".
    void MoveFocusOnFrom(int list);

    Messages& messages_;
    const PrintersAndFonts& platform_;
    QComboBox* lists_[2] = {nullptr, nullptr};  // Combo1(0): the printers, Combo1(1): the fonts
    QPushButton* previewButton_ = nullptr;      // cmdDone
    QPushButton* cancelButton_ = nullptr;       // cmdCancel
    std::optional<PrinterFontChoice> choice_;
};

}  // namespace corvane
