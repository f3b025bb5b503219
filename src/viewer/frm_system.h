// The font and printer dialog, shown modally at every Preview before any page
// is drawn: the printer that receives the book and the fixed-pitch font of its
// pages. "&Preview" stores the choice; "&Cancel" keeps the earlier one.
#pragma once

#include <QDialog>

#include "input/messages.h"
#include "report/state.h"
#include "viewer/printers_and_fonts.h"

class QComboBox;
class QPushButton;

namespace corvane {

class frmSystem : public QDialog {
    Q_OBJECT

  public:
    // Loads the dialog: fills both lists from the platform and presets them.
    frmSystem(State& state, Messages& messages, const PrintersAndFonts& platform,
              QWidget* parent = nullptr);

    QComboBox* PrinterList() const { return combo1_[0]; }
    QComboBox* FontList() const { return combo1_[1]; }

  public slots:
    void cmdDone_Click();
    void cmdCancel_Click();

  protected:
    // Any key typed in a list moves the focus on; the key itself still lands
    // in that list, which receives it after the filter.
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void CreateControls();
    void Load();
    void FillPrinters();
    void FillFonts();
    void combo1_KeyPress(int index);

    State& state_;
    Messages& messages_;
    const PrintersAndFonts& platform_;
    QComboBox* combo1_[2] = {nullptr, nullptr};
    QPushButton* cmdDone_ = nullptr;
    QPushButton* cmdCancel_ = nullptr;
};

}  // namespace corvane
