// The report viewer: shows one page of the grade book at a time, pages through
// the left and right books as one sequence, finds stations and prints.
//
// The page is drawn into a retained image by the handlers only (never in answer
// to an exposure) and the window shows that image.
//
// frm_print.cpp holds loading, sizing, paging and closing;
// frm_print_commands.cpp holds the Go To and Print commands.
#pragma once

#include <QImage>
#include <QMainWindow>

#include <memory>

#include "input/messages.h"
#include "report/state.h"
#include "viewer/dialogs.h"

class QAction;
class QLabel;
class QMenu;

namespace corvane {

class frmStation;

class frmPrint : public QMainWindow {
    Q_OBJECT

public:
    frmPrint(State& state, Messages& messages, Dialogs& dialogs, QWidget* parent = nullptr);
    ~frmPrint() override;

    // Sizes the window to the printer page at zoom 1 and shows the Go To entries
    // of the current roadway type. Done once, when the viewer is first drawn on.
    void Load();

    // Clears the image, then draws the header and page CurrentPage of the current book.
    void RedrawViewerPage();

    // What the window shows, for tests and for the station finder.
    const QImage& PageImage() const { return page_; }

    // A blank page image of the window's size and resolution, for a caller
    // that draws a page itself (the Preview run draws the first one).
    QImage BlankPage() const;
    // Keeps the drawn image and puts it on the screen.
    void ShowPage(QImage page);

    // The menu items by their names, for tests.
    QAction* MenuItem(const QString& name) const;

public slots:
    void viewForward_Click();
    void viewBackward_Click();
    void mnuGoToStation_Click();
    void mnuStationLeft_Click();
    void mnuStationRight_Click();
    void viewprint_Click();
    void PrnSelPages_Click();
    void SaveAsPdf_Click();
    void viewEnd_Click();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void CreateMenus();
    void CreatePageView();
    QAction* AddMenuItem(QWidget* menu, const QString& name, const QString& caption);
    void ShowGoToEntries(bool undivided, bool divided);
    void ZoomToWindow();
    void MoveForward();
    void MoveBackward();
    // Whether page `page` of the book of `side` has been laid out and can be drawn.
    bool IsLaidOut(const std::string& side, int32_t page) const;
    void OpenStationFinder(bool leftList);

    State& state_;
    Messages& messages_;
    Dialogs& dialogs_;
    QImage page_;
    QLabel* pageView_ = nullptr;
    std::unique_ptr<frmStation> stationFinder_;
};

}  // namespace corvane
