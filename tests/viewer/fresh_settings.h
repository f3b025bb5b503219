// The windows remember choices in the config folder CTest gives each test
// program (never the user's); every case starts with nothing remembered.
#pragma once

#include <QDir>
#include <QString>

namespace corvane::test {

inline QString SettingsFolder() {
    if (qEnvironmentVariableIsEmpty("XDG_CONFIG_HOME"))
        qFatal("XDG_CONFIG_HOME is not set: run the test through CTest");
    return qEnvironmentVariable("XDG_CONFIG_HOME") + "/Corvane";
}

inline void ForgetSettings() {
    QDir(SettingsFolder()).removeRecursively();
}

}  // namespace corvane::test
