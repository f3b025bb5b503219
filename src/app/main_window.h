// The main window ("Paving Grades Report"): the project and control numbers,
// the input file, the report options, and the commands About, Customize Rpt.,
// Preview and Close.
//
// The upper part holds the everyday inputs; Customize Rpt. shows or hides the
// lower part with the offset-point rows and the point types to show. The
// controls only hold what a person set: Preview gathers them into the inputs
// of one run.
#pragma once

#include <QString>
#include <QWidget>

#include <array>
#include <vector>

#include "app/book_run.h"
#include "app/preview_windows.h"
#include "app/window_services.h"
#include "viewer/remembered_settings.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace corvane {

class MainWindow : public QWidget {
    Q_OBJECT

  public:
    // Loads the window collapsed, with every point type ticked and the current
    // printer's page measured.
    MainWindow(WindowServices services, QWidget* parent = nullptr);

    // Chooses the input file as the file dialog would, and remembers its folder
    // for the next File Browse.
    void ChooseFile(const QString& path);

    // The window's outer height in twips: 3840 collapsed, 7980 expanded.
    double OuterHeightTwips() const { return outerHeightTwips_; }

    // What the controls hold, as the next Preview run takes it.
    RunInputs Inputs() const;

    // What the Preview command opened.
    const PreviewWindows& Windows() const { return previewWindows_; }

    // The status the program ends with: 1 after a file error that ends it, else 0.
    int ExitStatus() const { return exitStatus_; }

  public slots:
    void BrowseForFile();        // File Browse (Command1)
    void ShowAbout();            // About (Command2)
    void Preview();              // Preview (Command3)
    void CloseProgram();         // Close (Command4)
    void ToggleReportOptions();  // Customize Rpt. (Command5)

  protected:
    // Closing the main window by any means ends the program and every other window.
    void closeEvent(QCloseEvent* event) override;
    // A file dropped anywhere on the window, its text boxes included, is chosen.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void CreateUpperPart();
    void CreateOffsetRows();
    void CreatePointTypes();
    void SetOuterHeight(double twips);
    void ShowFileName(const QString& path);
    void CheckAllPointsClicked();
    void OffsetBoxClicked(int side);
    void EndProgram(int exitStatus = 0);
    void TakeDrops();
    void HandleDrag(QEvent& event);

    WindowServices services_;
    RememberedSettings remembered_;
    PreviewWindows previewWindows_;
    double outerHeightTwips_ = 0;
    int exitStatus_ = 0;
    // What the file dialog holds: the last file chosen.
    QString chosenFile_;

    std::array<QLineEdit*, 2> numbers_{};          // Text1(0) project, Text1(1) control
    QLabel* fileName_ = nullptr;                   // Label4
    std::array<QPushButton*, 5> commands_{};       // Command1 .. Command5
    std::array<QCheckBox*, 2> offsetBoxes_{};      // Check2(0) left, Check2(1) right
    std::array<QLineEdit*, 2> offsetDistances_{};  // Text2
    std::array<QLabel*, 2> offsetFromLabels_{};    // Label6
    std::array<QComboBox*, 2> offsetFrom_{};       // Combo1
    std::array<QCheckBox*, 8> pointTypeBoxes_{};   // Check1(0) .. Check1(7)
    std::vector<QWidget*> lowerPart_;
};

}  // namespace corvane
