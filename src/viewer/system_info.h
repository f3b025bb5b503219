// Starting the operating system's system-information tool from the about box.
// On Windows the tool is found through the registry; elsewhere the first of
// the usual desktop system monitors found on the PATH is started.
#pragma once

#include <QString>
#include <QStringList>


#include "common/messages.h"

namespace corvane {

inline constexpr const char* kSysInfoUnavailable = "System Information Is Unavailable At This Time";

// The platform operations the tool's search needs: a seam, so tests can stand
// in a machine with or without the tool.
class SystemTools {
  public:
    virtual ~SystemTools() = default;
    // Reads a value of a key of the machine's registry (HKEY_LOCAL_MACHINE) as
    // text; false when the key or value is missing. Always false off Windows.
    virtual bool ReadMachineRegistryText(const QString& key, const QString& valueName,
                                         QString& text) const;
    virtual bool FileExists(const QString& path) const;
    // The full path of a program on the PATH, or empty.
    virtual QString FindOnPath(const QString& program) const;
    // Starts the program detached, in its own window; false when it could not start.
    virtual bool Start(const QString& program) const;
};

// Finds and starts the tool, or shows kSysInfoUnavailable.
void StartSystemInformationTool(const SystemTools& tools, Messages& messages);

}  // namespace corvane
