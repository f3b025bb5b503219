// Whether every caption of a window shows whole: the text of each label and
// button, measured with its own font, against the room its control gives it.
#pragma once

#include <QAbstractButton>
#include <QCheckBox>
#include <QCoreApplication>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QStringList>
#include <QStyle>
#include <QStyleOptionButton>

namespace corvane::test {

// The caption as drawn: a single "&" marks the mnemonic and is not shown.
inline QString ShownCaption(const QString& caption) {
    QString shown;
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&' && i + 1 < caption.size()) {
            ++i;
        }
        shown += caption[i];
    }
    return shown;
}

inline QString Overflow(const QWidget& control, const QString& text, QSize needed, QSize room) {
    if (needed.width() <= room.width() && needed.height() <= room.height()) {
        return {};
    }
    return QString("%1 \"%2\" needs %3x%4, has %5x%6")
        .arg(control.objectName(), text)
        .arg(needed.width())
        .arg(needed.height())
        .arg(room.width())
        .arg(room.height());
}

inline QString LabelOverflow(const QLabel& label) {
    const int margin = label.margin();
    const QRect room = label.contentsRect().adjusted(margin, margin, -margin, -margin);
    const QFontMetrics metrics = label.fontMetrics();
    QSize needed(metrics.horizontalAdvance(label.text()), metrics.height());
    if (label.wordWrap()) {
        needed =
            metrics.boundingRect(room, Qt::TextWordWrap | label.alignment(), label.text()).size();
    }
    return Overflow(label, label.text(), needed, room.size());
}

// The room is the style's contents rectangle of the button; a push button
// also keeps the style's margin free, so its caption does not touch the frame.
inline QString ButtonOverflow(const QAbstractButton& button) {
    QStyleOptionButton option;
    option.initFrom(&button);
    option.text = button.text();
    QStyle::SubElement contents = QStyle::SE_PushButtonContents;
    int margin = 0;
    if (const auto* push = qobject_cast<const QPushButton*>(&button)) {
        if (push->autoDefault()) {
            option.features |= QStyleOptionButton::AutoDefaultButton;
        }
        margin = button.style()->pixelMetric(QStyle::PM_ButtonMargin, &option, &button);
    } else if (qobject_cast<const QCheckBox*>(&button)) {
        contents = QStyle::SE_CheckBoxContents;
    } else if (qobject_cast<const QRadioButton*>(&button)) {
        contents = QStyle::SE_RadioButtonContents;
    }
    const QRect room = button.style()->subElementRect(contents, &option, &button);
    const QFontMetrics metrics = button.fontMetrics();
    const QString shown = ShownCaption(button.text());
    return Overflow(button, shown,
                    QSize(metrics.horizontalAdvance(shown) + margin, metrics.height()),
                    room.size());
}

// The captions of `window` that do not show whole; empty when all do.
// Controls hidden in the window are left out: nothing of them is seen.
inline QString CutCaptions(QWidget& window) {
    window.show();  // lays the window out
    QStringList cut;
    for (QWidget* control : window.findChildren<QWidget*>()) {
        if (!control->isVisibleTo(&window)) {
            continue;
        }
        QString overflow;
        if (const auto* label = qobject_cast<const QLabel*>(control)) {
            overflow = LabelOverflow(*label);
        } else if (const auto* button = qobject_cast<const QAbstractButton*>(control)) {
            overflow = ButtonOverflow(*button);
        }
        if (!overflow.isEmpty()) {
            cut << overflow;
        }
    }
    return cut.join("; ");
}

// Runs `testFunction` of this test program again at 144 dpi, both as a scaled
// screen (1.5 device pixels to a pixel) and as a screen of 144 logical dpi:
// the resolution is fixed when the application starts, so each run is a
// process of its own. Gives the output of the runs that failed.
inline QString FailuresAt144Dpi(const char* testFunction) {
    QString failures;
    for (const char* scaling : {"1", "0"}) {
        QProcess run;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("QT_FONT_DPI", "144");
        environment.insert("QT_ENABLE_HIGHDPI_SCALING", scaling);
        run.setProcessEnvironment(environment);
        run.setProcessChannelMode(QProcess::MergedChannels);
        run.start(QCoreApplication::applicationFilePath(), {testFunction, "-silent"});
        if (!run.waitForFinished(60000) || run.exitStatus() != QProcess::NormalExit ||
            run.exitCode() != 0) {
            failures += QString("With QT_ENABLE_HIGHDPI_SCALING=%1:\n").arg(scaling) +
                        QString::fromLocal8Bit(run.readAll());
        }
    }
    return failures;
}

}  // namespace corvane::test
