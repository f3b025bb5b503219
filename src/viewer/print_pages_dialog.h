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
    // Shows the side list for a divided roadway (preset to the left side), hides it otherwise.
    void ShowSideChoice();
    void SideChosen();     // Combo2
    void PickFirstPage();  // Command2
    void PickLastPage();   // Command3

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
    QLabel* totalHeading_ = nullptr;  // Label3
    QLabel* roadwayType_ = nullptr;   // Label4
    QLabel* pageTotal_ = nullptr;     // Label6
    QComboBox* sideList_ = nullptr;   // Combo2
    QLineEdit* firstPage_ = nullptr;  // Text1
    QLineEdit* lastPage_ = nullptr;   // Text2
    std::optional<PageRange> range_;
};

}  // namespace corvane
