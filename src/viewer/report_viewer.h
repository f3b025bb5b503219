// The report viewer ("Display Report"): shows one page of the grade book at a
// time, pages through the left and right books as one sequence, finds
// stations and prints. What it shows and where it is comes from the
// ViewerState; the viewer keeps only how large it draws the page.
//
// The page is drawn into a retained image by the handlers only (never in answer
// to an exposure) and the window shows that image. Until the user zooms, the
// page is fitted into the window at every resize; a zoom the user chose holds
// until Fit Page, with scroll bars when the page is larger than the window.
//
// report_viewer.cpp holds loading, sizing, zooming, paging and closing;
// report_viewer_commands.cpp holds the Go To and Print commands;
// report_viewer_views.cpp the views of the book: a station range, the changes
// from an earlier revision, and the whole book again.
#pragma once

#include <QImage>
#include <QMainWindow>

#include <memory>
#include <optional>

#include "common/messages.h"
#include "viewer/dialogs.h"
#include "viewer/viewer_state.h"

class QAction;
class QLabel;
class QMenu;
class QScrollArea;

namespace corvane {

class PrintPagesDialog;
class StationFinder;

class ReportViewer : public QMainWindow {
    Q_OBJECT

  public:
    ReportViewer(ViewerState& state, Messages& messages, Dialogs& dialogs,
                 QWidget* parent = nullptr);
    ~ReportViewer() override;

    // Sizes the window to the page of the books on show at zoom 1 (or to the
    // size a viewer had when it last closed), no larger than the screen's free
    // area, takes up a zoom the user chose last time, and shows the Go To
    // entries of the books' roadway type. Done once, when the viewer is first
    // loaded: a later run keeps the user's size, zoom and these entries.
    void Load();

    // Draws the current page of the ViewerState afresh and shows it.
    void RedrawViewerPage();

    // A menu item by its name.
    QAction* MenuItem(const QString& name) const;

    // The View menu ("mnuView"), where other ways of viewing the book add their entries.
    QMenu* ViewMenu() const { return viewMenu_; }

    // Shows a line of the status bar, which says what the viewer holds: each
    // part of it (a station range, a compare) has a line of its own, named by the
    // caller and kept in the order first shown; an empty text hides the line.
    void ShowStatus(const QString& name, const QString& text);
    QString StatusText(const QString& name) const;

    // The zoom the page is drawn at, and whether it is fitted to the window.
    double Zoom() const { return zoom_; }
    bool FitsPage() const { return !chosenZoom_; }

  public slots:
    void ShowNextPage();
    void ShowPreviousPage();
    void FindStation();
    void FindStationLeft();
    void FindStationRight();
    void PrintAll();
    void PrintSelectedPages();
    void SaveAsPdf();
    // The grades of the book on show as a CSV file or an Excel workbook.
    void SaveGrades();
    void CloseViewer();
    // A step larger or smaller, held across resizes; Fit Page fits again.
    void ZoomIn();
    void ZoomOut();
    void FitPage();
    // Stations... asks for a station range and shows its book; All Stations
    // shows the whole book again.
    void ChooseStations();
    void ShowAllStations();
    // Changes from Revision... asks for an earlier file and shows what changed
    // since; The Book returns to the book.
    void ShowChangesFromRevision();
    void ShowTheBook();

  protected:
    // A page fitted to the window is fitted again when its area changes size;
    // Ctrl and the wheel over the page zoom it.
    bool eventFilter(QObject* watched, QEvent* event) override;
    // However the viewer closes, its size is remembered for the next one.
    void closeEvent(QCloseEvent* event) override;

  private:
    void CreateMenus();
    void CreateViewMenu(QMenu* view);
    void CreatePageView();
    QAction* AddMenuItem(QWidget* menu, const QString& name, const QString& caption);
    void SizeToPage();
    QSize PageAreaSize() const;
    QImage BlankPage(QSize size) const;
    void ChooseZoom(std::optional<double> zoom);
    void OpenStationFinder(Side side);
    void AddBookViewEntries(QMenu* view);
    // The status bar's lines and the View entries follow what is on show.
    void ShowWhatIsOnShow();

    ViewerState& state_;
    Messages& messages_;
    Dialogs& dialogs_;
    double zoom_ = 1;
    std::optional<double> chosenZoom_;  // none: fitted to the window
    int wheelTurn_ = 0;                 // Ctrl+wheel turned but not yet a whole step
    QScrollArea* pageArea_ = nullptr;
    QLabel* pageView_ = nullptr;
    QMenu* viewMenu_ = nullptr;
    QLabel* zoomLevel_ = nullptr;
    std::unique_ptr<StationFinder> stationFinder_;
    // Kept between uses after Print, so it shows the last choice again.
    std::unique_ptr<PrintPagesDialog> printPages_;
};

}  // namespace corvane
