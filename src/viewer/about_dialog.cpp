#include "viewer/about_dialog.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QStyle>

#include <algorithm>

#include "viewer/dialog_size.h"
#include "viewer/twips.h"

namespace corvane {

namespace {

constexpr int kClientWidthTwips = 5730;
constexpr int kClientHeightTwips = 3750;
// The room between the notice and the buttons beside it.
constexpr double kGapTwips = 135;

QLabel* AddLabel(QWidget* parent, const char* name, const QString& text, const QRect& place) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setGeometry(place);
    return label;
}

QFrame* AddLine(QWidget* parent, const QRect& place) {
    auto* line = new QFrame(parent);
    line->setObjectName("Line1");
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    line->setGeometry(place);
    return line;
}

}  // namespace

AboutDialog::AboutDialog(Messages& messages, const SystemTools& tools, QWidget* parent)
    : QDialog(parent), messages_(messages), tools_(tools) {
    setObjectName("frmAbout");
    setWindowTitle("About Corvane Program");
    CreateControls();
}

void AboutDialog::CreateControls() {
    auto* picIcon = new QLabel(this);
    picIcon->setObjectName("picIcon");
    const QRect iconPlace = TwipsRect(*this, 240, 240, 540, 540);
    picIcon->setGeometry(iconPlace);
    QIcon icon = QApplication::windowIcon();
    if (icon.isNull()) {
        icon = style()->standardIcon(QStyle::SP_FileDialogDetailedView);
    }
    picIcon->setPixmap(icon.pixmap(iconPlace.size()));

    QLabel* title = AddLabel(this, "lblTitle", "    RUDUD EDUZUDOD OREZ ",
                             TwipsRect(*this, 1050, 240, 4485, 480));
    QFont titleFont = title->font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.4);
    title->setFont(titleFont);

    AddLabel(this, "lblVersion", "  May 7th 2003", TwipsRect(*this, 1050, 780, 4485, 225));
    QLabel* description = AddLabel(this, "lblDescription",
                                   "App Description : Application takes raw data file generated "
                                   "by GEOPAK and creates Rorevore book for printing",
                                   TwipsRect(*this, 1050, 1125, 4485, 1170));
    description->setWordWrap(true);
    description->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    AddLine(this, TwipsRect(*this, 225, 2430, 5310, 30));
    AddLine(this, TwipsRect(*this, 240, 2445, 5310, 30));

    auto* okButton = new QPushButton("OK", this);
    okButton->setObjectName("cmdOK");
    okButton->setGeometry(TwipsRect(*this, 4245, 2625, 1260, 345));
    okButton->setDefault(true);
    connect(okButton, &QPushButton::clicked, this, &AboutDialog::CloseBox);

    auto* systemInfoButton = new QPushButton("&System Info...", this);
    systemInfoButton->setObjectName("cmdSysInfo");
    systemInfoButton->setGeometry(TwipsRect(*this, 4260, 3075, 1245, 345));
    connect(systemInfoButton, &QPushButton::clicked, this, &AboutDialog::StartSystemInformation);

    // A caption too wide for its button widens the column of buttons to the
    // left: they keep their right edge, and the notice wraps in the room left
    // of them.
    WidenToCaption(*systemInfoButton, Qt::AlignRight);
    WidenToCaption(*okButton, Qt::AlignRight);
    const int buttonsLeft = std::min(okButton->x(), systemInfoButton->x());
    for (QPushButton* button : {okButton, systemInfoButton}) {
        button->setGeometry(button->geometry().adjusted(buttonsLeft - button->x(), 0, 0, 0));
    }
    const int noticeLeft = TwipsToPixels(255, logicalDpiX());
    const int noticeRight = std::min(TwipsToPixels(4125, logicalDpiX()),
                                     buttonsLeft - TwipsToPixels(kGapTwips, logicalDpiX()));
    QLabel* disclaimer = AddLabel(
        this, "lblDisclaimer", "This program is provided as is, without warranty of any kind.",
        QRect(noticeLeft, TwipsToPixels(2625, logicalDpiY()), noticeRight - noticeLeft,
              TwipsToPixels(825, logicalDpiY())));
    disclaimer->setWordWrap(true);
    disclaimer->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    DeepenToText(*disclaimer);
    FixClientSize(*this, kClientWidthTwips, kClientHeightTwips);
}

void AboutDialog::CloseBox() {
    accept();
}

void AboutDialog::StartSystemInformation() {
    StartSystemInformationTool(tools_, messages_);
}

}  // namespace corvane
