// The main function of the benchmarks that draw with Qt: fonts and painting
// need an application object, and no benchmark needs a screen.
#pragma once

#include <benchmark/benchmark.h>

#include <QApplication>

namespace corvane::bench {

inline int RunBenchmarksWithQt(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

}  // namespace corvane::bench
