// The main window: the project and control numbers, the input file, the
// report options, and the commands About, Customize Rpt., Preview and Close.
//
// The upper part holds the everyday inputs; Customize shows or hides the
// lower part with the offset-point rows and the point types to show. The
// check boxes write the option flags as they change; the Preview command
// reads the other controls when it runs.
#pragma once

#include <QString>
#include <QWidget>

#include <array>

#include "app/preview_windows.h"
#include "app/window_services.h"
#include "report/state.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace corvane {

class Form2 : public QWidget {
    Q_OBJECT

  public:
    // Loads the window: fresh tables, the current printer's page, every point type ticked.
    Form2(State& state, WindowServices services, QWidget* parent = nullptr);

    // Chooses the input file as the file dialog would.
    void ChooseFile(const QString& path);

    // The window's outer height in twips: 3840 collapsed, 7980 expanded.
    double OuterHeightTwips() const { return outerHeightTwips_; }

    // What the Preview command opened, for tests.
    const PreviewWindows& Windows() const { return previewWindows_; }

  public slots:
    void Check1_Click(int index);
    void Check2_Click(int index);
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void Command5_Click();

    // The status the program ends with: 1 after a file error that ends it, else 0.
    int ExitStatus() const { return exitStatus_; }

  protected:
    // Closing the main window by any means ends the program and every other window.
    void closeEvent(QCloseEvent* event) override;

  private:
    void CreateUpperPart();
    void CreateOffsetRows();
    void CreatePointTypes();
    void SetOuterHeight(double twips);
    void ShowFileName(const QString& path);
    PreviewInputs ReadInputs() const;
    void EndProgram(int exitStatus = 0);

    State& state_;
    WindowServices services_;
    PreviewWindows previewWindows_;
    double outerHeightTwips_ = 0;
    int exitStatus_ = 0;
    // What the file dialog holds: the last file chosen.
    QString chosenFile_;

    std::array<QLineEdit*, 2> Text1_{};
    QLabel* Label4_ = nullptr;
    std::array<QPushButton*, 5> Command_{};  // Command1 .. Command5
    std::array<QCheckBox*, 2> Check2_{};
    std::array<QLineEdit*, 2> Text2_{};
    std::array<QLabel*, 2> Label6_{};
    std::array<QComboBox*, 2> Combo1_{};
    std::array<QCheckBox*, 8> Check1_{};
    std::vector<QWidget*> lowerPart_;
};

}  // namespace corvane
