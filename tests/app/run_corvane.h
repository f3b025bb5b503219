// Running the program (or a tool) as a script does, and snapshotting a folder
// to tell that a run left it as it was.
#pragma once

#include <QDirIterator>
#include <QProcess>
#include <QtTest>

#include <functional>

struct Run {
    int exitCode = -1;  // -1 also when the run crashed or hung
    QByteArray out;
    QString err;
};

// The command (the program by default) with no display; `prepare` may redirect or limit it.
inline Run RunCorvane(QStringList command, const QString& folder = {},
                      const std::function<void(QProcess&)>& prepare = {},
                      QProcessEnvironment environment = QProcessEnvironment::systemEnvironment()) {
    QProcess process;
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(name);
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(folder);
    if (prepare)
        prepare(process);
    process.start(command.takeFirst(), command);
    const bool finished = process.waitForFinished(120000);
    return Run{finished && process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
               process.readAllStandardOutput(), QString::fromUtf8(process.readAllStandardError())};
}

inline QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : "<unreadable>";
}

inline bool WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// Every entry below the folder with its bytes: links as their targets, pipes unread.
inline QMap<QString, QByteArray> Contents(const QString& folder) {
    QMap<QString, QByteArray> contents;
    QDirIterator entries(folder,
                         QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot,
                         QDirIterator::Subdirectories);
    while (entries.hasNext()) {
        const QString path = entries.next();
        const QFileInfo entry = entries.fileInfo();
        contents[path] = entry.isSymLink() ? entry.symLinkTarget().toUtf8()
                         : entry.isDir()   ? "<folder>"
                         : entry.isFile()  ? ReadFile(path)
                                           : "<pipe>";
    }
    return contents;
}
