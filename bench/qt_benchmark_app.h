#pragma once

#include <benchmark/benchmark.h>

#include <QApplication>

// The application every Qt benchmark runs in: offscreen unless told otherwise. Create it first
// in main(), then whatever the benchmarks share, then Run().
class QtBenchmarkApp {
  public:
    QtBenchmarkApp(int& argc, char** argv)
        : argc_(argc), argv_(argv), app_(Offscreen(argc), argv) {}

    int Run() {
        benchmark::Initialize(&argc_, argv_);
        benchmark::RunSpecifiedBenchmarks();
        benchmark::Shutdown();
        return 0;
    }

  private:
    static int& Offscreen(int& argc) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        return argc;
    }

    int& argc_;
    char** argv_;
    QApplication app_;
};
