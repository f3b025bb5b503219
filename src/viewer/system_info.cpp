#include "viewer/system_info.h"

#include <QFileInfo>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>

namespace corvane {

namespace {

const char* const kMsInfoKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
const char* const kMsInfoPathValue = "PATH";
const char* const kSharedToolsKey = "SOFTWARE\\Microsoft\\Shared Tools Location";
const char* const kSharedToolsValue = "MSINFO";
const char* const kMsInfoFile = "\\MSINFO32.EXE";

// The program named in the registry, or in the shared tools folder; empty
// when neither is there.
QString RegisteredSysInfo(const SystemTools& tools) {
    QString path;
    if (tools.ReadMachineRegistryText(kMsInfoKey, kMsInfoPathValue, path)) {
        return path;
    }
    QString folder;
    if (tools.ReadMachineRegistryText(kSharedToolsKey, kSharedToolsValue, folder) &&
        tools.FileExists(folder + kMsInfoFile)) {
        return folder + kMsInfoFile;
    }
    return {};
}

// Programs that show the machine's hardware and system information, in the
// order they are tried on desktops without the registry.
QStringList SystemInfoPrograms() {
    return {"gnome-system-monitor",
            "plasma-systemmonitor",
            "ksysguard",
            "mate-system-monitor",
            "xfce4-taskmanager",
            "hardinfo",
            "hardinfo2"};
}

QString SysInfoOnPath(const SystemTools& tools) {
    for (const QString& program : SystemInfoPrograms()) {
        if (QString path = tools.FindOnPath(program); !path.isEmpty()) {
            return path;
        }
    }
    return {};
}

}  // namespace

bool SystemTools::ReadMachineRegistryText(const QString& key, const QString& valueName,
                                          QString& text) const {
    text.clear();
#ifdef Q_OS_WIN
    const QSettings settings("HKEY_LOCAL_MACHINE\\" + key, QSettings::NativeFormat);
    const QVariant value = settings.value(valueName);
    // String values are taken as they are and 32-bit numbers as decimal text;
    // any other type reads as nothing.
    if (value.typeId() == QMetaType::QString || value.typeId() == QMetaType::Int ||
        value.typeId() == QMetaType::UInt) {
        text = value.toString();
        return true;
    }
    return false;
#else
    Q_UNUSED(key);
    Q_UNUSED(valueName);
    return false;
#endif
}

bool SystemTools::FileExists(const QString& path) const {
    return QFileInfo(path).isFile();
}

QString SystemTools::FindOnPath(const QString& program) const {
    return QStandardPaths::findExecutable(program);
}

bool SystemTools::Start(const QString& program) const {
    return QProcess::startDetached(program, {});
}

void StartSystemInformationTool(const SystemTools& tools, Messages& messages) {
    QString program = RegisteredSysInfo(tools);
    if (program.isEmpty()) {
        program = SysInfoOnPath(tools);
    }
    if (program.isEmpty() || !tools.Start(program)) {
        messages.Show(kSysInfoUnavailable);
    }
}

}  // namespace corvane
