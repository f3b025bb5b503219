// "Print Selected Pages": the user chooses the side (divided roadway) and the
// first and last page to print, typed or picked from the page index. The dialog
// records the choice in the shared dialog results and hides itself; the
// viewer's Print Selected Pages command then prints the range.
#pragma once

#include <QDialog>

#include <optional>
#include <string>

#include "input/messages.h"
#include "report/state.h"
#include "viewer/dialogs.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace corvane {

class Form6;

// Reads a 1-based page number typed by the user: a whole number from 1 to
// pageCount, blanks around it allowed. Anything else gives no page.
std::optional<int32_t> ReadPageNumber(const std::string& text, int32_t pageCount);

class Form5 : public QDialog {
    Q_OBJECT

  public:
    Form5(State& state, Messages& messages, Dialogs& dialogs, QWidget* parent = nullptr);

    // Brings the dialog up to date with the last Preview: the roadway type in
    // Label4 (a new type runs the type handling) and the page totals. The side
    // and the page fields are kept.
    void Refresh();

    // The side chosen in Combo2: "LeftSide" or "RightSide".
    std::string SideText() const;

    Form6& PageIndex();

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
    void SetRoadwayType(const QString& roadwayType);
    void ShowTotal();
    int32_t LastPageOfChosenBook() const;
    bool IsDivided() const;
    void PickPage(QLineEdit& field);
    void Print();
    void Cancel();

    State& state_;
    Messages& messages_;
    Dialogs& dialogs_;
    Form6* pageIndex_ = nullptr;
    QLabel* label3_ = nullptr;
    QLabel* label4_ = nullptr;
    QLabel* label6_ = nullptr;
    QComboBox* combo2_ = nullptr;
    QLineEdit* text1_ = nullptr;
    QLineEdit* text2_ = nullptr;
};

}  // namespace corvane
