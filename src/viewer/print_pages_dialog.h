// "Print Selected Pages": the user chooses the side (divided roadway) and the
// first and last page to print, typed or picked from the page index. The
// dialog gives the range it accepted; the viewer's Print Selected Pages
// command prints it.
//
// The viewer keeps the dialog between uses after Print, so it shows the last
// side and page numbers again; after Cancel the next use starts afresh.
#pragma once

#include <QDialog>

#include <optional>
#include <string>

#include "common/messages.h"
#include "viewer/dialogs.h"
#include "viewer/viewer_state.h"

class QComboBox;
class QLabel;
class QLineEdit;

namespace corvane {

class PageIndexDialog;

class PrintPagesDialog : public QDialog {
    Q_OBJECT

  public:
    PrintPagesDialog(const ViewerState& state, Messages& messages, Dialogs& dialogs,
                     QWidget* parent = nullptr);

    // Brings the dialog up to date with the books on show (the roadway type
    // and the page totals; the side and the page fields are kept) and shows it
    // modally. The 0-based range when Print closed it; none for Cancel or
    // when it was closed otherwise.
    std::optional<PageRange> Ask();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private slots:
    void Label4_Change();
    void Combo2_Click();
    void Command2_Click();
    void Command3_Click();
    void Command1_Click(int index);

  private:
    void CreateControls();
    void ReserveRoomForEveryCaption();
    void Refresh();
    void ShowTotal();
    Side ChosenSide() const;
    const PaginatedBook* ChosenBook() const;
    int LastPageOfChosenBook() const;
    void PickPage(QLineEdit& field);
    void Print();

    const ViewerState& state_;
    Messages& messages_;
    Dialogs& dialogs_;
    PageIndexDialog* pageIndex_ = nullptr;
    QLabel* label3_ = nullptr;
    QLabel* label4_ = nullptr;
    QLabel* label6_ = nullptr;
    QComboBox* combo2_ = nullptr;
    QLineEdit* text1_ = nullptr;
    QLineEdit* text2_ = nullptr;
    std::optional<PageRange> range_;
};

}  // namespace corvane
