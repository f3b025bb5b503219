// The windows remember choices in the config folder that CTest gives each
// test program; every case starts with nothing remembered.
#pragma once

#include <QDir>
#include <QString>
#include <QtGlobal>

namespace corvane::test {

// Where the settings file lives: the folder the program names itself after.
inline QString SettingsFolder() {
    // Without a test's own config folder the user's settings would be at stake.
    if (qEnvironmentVariableIsEmpty("XDG_CONFIG_HOME"))
        qFatal("XDG_CONFIG_HOME is not set: run the test through CTest");
    return qEnvironmentVariable("XDG_CONFIG_HOME") + "/Corvane";
}

inline void ForgetSettings() {
    QDir(SettingsFolder()).removeRecursively();
}

}  // namespace corvane::test
