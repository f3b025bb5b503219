// Whether every caption of a window shows whole: the text of each label and
// button, measured with its own font, against the room its control gives it.
#pragma once

#include <QtWidgets>

namespace corvane::test {

inline QString Overflow(const QWidget& control, const QString& text, QSize needed, QSize room) {
    const auto size = [](QSize s) { return QString("%1x%2").arg(s.width()).arg(s.height()); };
    if (needed.width() <= room.width() && needed.height() <= room.height())
        return {};
    return QString("%1 \"%2\" needs %3, has %4; ")
        .arg(control.objectName(), text, size(needed), size(room));
}

inline QString LabelOverflow(const QLabel& label) {
    const int margin = label.margin();
    const QRect room = label.contentsRect().adjusted(margin, margin, -margin, -margin);
    const QFontMetrics metrics = label.fontMetrics();
    const QSize needed =
        label.wordWrap()
            ? metrics.boundingRect(room, Qt::TextWordWrap | label.alignment(), label.text()).size()
            : QSize(metrics.horizontalAdvance(label.text()), metrics.height());
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
        if (push->autoDefault())
            option.features |= QStyleOptionButton::AutoDefaultButton;
        margin = button.style()->pixelMetric(QStyle::PM_ButtonMargin, &option, &button);
    } else if (qobject_cast<const QCheckBox*>(&button)) {
        contents = QStyle::SE_CheckBoxContents;
    }
    const QRect room = button.style()->subElementRect(contents, &option, &button);
    // A single "&" marks the mnemonic and is not shown.
    const QString shown = QString(button.text()).replace(QRegularExpression("&([\\s\\S])"), "\\1");
    const QFontMetrics metrics = button.fontMetrics();
    return Overflow(button, shown,
                    QSize(metrics.horizontalAdvance(shown) + margin, metrics.height()),
                    room.size());
}

// The captions of `window` that do not show whole; empty when all do.
// Controls hidden in the window are left out: nothing of them is seen.
inline QString CutCaptions(QWidget& window) {
    window.show();  // lays the window out
    QString cut;
    for (QWidget* control : window.findChildren<QWidget*>()) {
        if (!control->isVisibleTo(&window))
            continue;
        if (const auto* label = qobject_cast<const QLabel*>(control))
            cut += LabelOverflow(*label);
        else if (const auto* button = qobject_cast<const QAbstractButton*>(control))
            cut += ButtonOverflow(*button);
    }
    return cut;
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
