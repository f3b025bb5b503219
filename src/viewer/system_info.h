// Starting the operating system's system-information tool from the about box.
// On Windows the tool is found through the registry; elsewhere the first of
// the usual desktop system monitors found on the PATH is started.
#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>

#include "common/messages.h"

namespace corvane {

inline constexpr const char* kSysInfoUnavailable = "System Information Is Unavailable At This Time";

// Registry roots, as the registry functions take them.
inline constexpr uint32_t kLocalMachineRoot = 0x80000002;

// The platform operations the tool's search needs: a seam, so tests can stand
// in a machine with or without the tool.
class SystemTools {
  public:
    virtual ~SystemTools() = default;
    // Reads a registry value as text; false when the key or value is missing.
    // Always false off Windows.
    virtual bool GetKeyValue(uint32_t keyRoot, const QString& keyName, const QString& subKeyRef,
                             QString& keyVal) const;
    virtual bool FileExists(const QString& path) const;
    // The full path of a program on the PATH, or empty.
    virtual QString FindOnPath(const QString& program) const;
    // Starts the program detached, in its own window; false when it could not start.
    virtual bool Start(const QString& program) const;
};

// Finds and starts the tool, or shows kSysInfoUnavailable.
void StartSysInfo(const SystemTools& tools, Messages& messages);

}  // namespace corvane
