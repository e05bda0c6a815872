#pragma once

#include <benchmark/benchmark.h>

#include <QApplication>

#include "side_by_side.h"

// The application every Qt benchmark runs in: offscreen unless told otherwise. Create it first
// in main(), then whatever the benchmarks share, then Run().
class QtBenchmarkApp {
  public:
    QtBenchmarkApp(int& argc, char** argv)
        : argc_(argc), argv_(argv), app_(Offscreen(argc), argv) {}

    // Runs the benchmarks; those named in `goals` side by side with their baselines, `rounds`
    // times.
    int Run(const std::vector<side_by_side::Goal>& goals = {}, int rounds = side_by_side::kRounds) {
        benchmark::Initialize(&argc_, argv_);
        if (goals.empty())
            benchmark::RunSpecifiedBenchmarks();
        else
            side_by_side::Run(goals, rounds);
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
