#pragma once

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// Ratios of a benchmark (the subject) to its baseline, measured side by side: each round runs
// the subject and its baseline one right after the other, so that whatever else loads the
// machine weighs on both alike, and the median of the rounds' ratios is printed beside the goal.
// The order changes from round to round (the pairs' order rotated, and the subject first in one
// round, its baseline in the next), so that neither side always meets what the other leaves
// behind: warm caches, memory to hand back, a machine still busy with the last run.
namespace side_by_side {

// Rounds enough for a median that holds on a machine whose single rounds may differ by a factor
// of two; short cases, whose rounds vary more, take more.
inline constexpr int kRounds = 11;

struct Goal {
    Goal(std::string what, std::string subject, std::string baseline, double atMost,
         std::string counter = {})
        : what(std::move(what)),
          subject(std::move(subject)),
          baseline(std::move(baseline)),
          atMost(atMost),
          counter(std::move(counter)) {}

    std::string what;     // what the ratio measures, as the table prints it
    std::string subject;  // benchmark names, as registered
    std::string baseline;
    double atMost;  // the goal: the ratio may be at most this; 0 for a ratio without a goal
    // What to compare instead of the wall time per iteration: "cpu" (the CPU time per
    // iteration) or a counter both set.
    std::string counter;
};

// A ratio printed for information, with no goal to meet.
inline Goal Information(std::string what, std::string subject, std::string baseline,
                        std::string counter = {}) {
    return {std::move(what), std::move(subject), std::move(baseline), 0, std::move(counter)};
}

// The measures of each benchmark's last run, shown on the console as they come.
class Recorder : public benchmark::ConsoleReporter {
  public:
    bool ReportContext(const Context& context) override {
        // Once, although the rounds start the library again and again.
        return printedContext_ || (printedContext_ = ConsoleReporter::ReportContext(context));
    }
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.error_occurred || run.run_type != Run::RT_Iteration) continue;
            // Named as the goals name it: the function, and its arguments if it takes any.
            const std::string name = run.run_name.function_name +
                                     (run.run_name.args.empty() ? "" : "/" + run.run_name.args);
            std::map<std::string, double>& measures = last_[name];
            const double iterations = std::max<double>(1, run.iterations);
            measures["time"] = run.real_accumulated_time / iterations;
            measures["cpu"] = run.cpu_accumulated_time / iterations;
            for (const auto& [name, counter] : run.counters) measures[name] = counter.value;
        }
    }
    // The measure of `benchmark`'s last run; 0 when it did not run.
    double Measure(const std::string& benchmark, const std::string& counter) const {
        const auto runs = last_.find(benchmark);
        if (runs == last_.end()) return 0;
        const auto measure = runs->second.find(counter.empty() ? "time" : counter);
        return measure == runs->second.end() ? 0 : measure->second;
    }

  private:
    bool printedContext_ = false;
    std::map<std::string, std::map<std::string, double>> last_;
};

inline std::string Exactly(const std::string& name) {
    std::string pattern = "^";
    for (char c : name) {
        if (std::string_view("\\^$.|?*+()[]{}").find(c) != std::string_view::npos) pattern += '\\';
        pattern += c;
    }
    return pattern + "(/|$)";  // the library adds "/iterations:3" and the like
}

// A count as the table prints it: 1,000,000.
inline std::string Grouped(long long count) {
    std::string digits = std::to_string(count);
    for (int at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3) digits.insert(at, ",");
    return digits;
}

inline double Median(std::vector<double> values) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

// Runs the benchmarks named in no goal once, then every goal's pair `rounds` times side by
// side, and prints the table of ratios against their goals. A filter on the command line runs
// the benchmarks it picks once each, as the library does, and no table.
inline void Run(const std::vector<Goal>& goals, int rounds = kRounds) {
    Recorder recorder;
    const std::string filter = benchmark::GetBenchmarkFilter();
    if (!filter.empty() && filter != "." && filter != "all") {
        benchmark::RunSpecifiedBenchmarks(&recorder);
        return;
    }
    std::string paired;
    for (const Goal& goal : goals)
        for (const std::string* name : {&goal.subject, &goal.baseline})
            paired += (paired.empty() ? "" : "|") + Exactly(*name);
    benchmark::RunSpecifiedBenchmarks(&recorder, "-" + paired);
    std::map<std::string, std::vector<double>> ratios;  // by goal, in order of the rounds
    for (int round = 0; round < rounds; ++round) {
        std::map<std::string, bool> ran;  // goals may share a benchmark
        for (size_t g = 0; g < goals.size(); ++g) {
            const Goal& goal = goals[(g + round) % goals.size()];
            const bool subjectFirst = round % 2 == 0;
            for (const std::string* name : {subjectFirst ? &goal.subject : &goal.baseline,
                                            subjectFirst ? &goal.baseline : &goal.subject})
                if (!std::exchange(ran[*name], true))
                    benchmark::RunSpecifiedBenchmarks(&recorder, Exactly(*name));
        }
        for (const Goal& goal : goals) {
            const double subject = recorder.Measure(goal.subject, goal.counter);
            const double baseline = recorder.Measure(goal.baseline, goal.counter);
            if (subject > 0 && baseline > 0) ratios[goal.what].push_back(subject / baseline);
        }
    }
    std::printf("\n%-80s %8s %8s  %s\n", "ratio to the baseline (median of rounds)", "now", "goal",
                "");
    for (const Goal& goal : goals) {
        const std::vector<double>& found = ratios[goal.what];
        char aim[16] = "       -";
        if (goal.atMost > 0) std::snprintf(aim, sizeof aim, "%7.2fx", goal.atMost);
        if (found.empty()) {
            std::printf("%-80s %8s %s  NOT MEASURED\n", goal.what.c_str(), "-", aim);
            continue;
        }
        const double median = Median(found);
        const char* verdict = goal.atMost <= 0        ? "for information"
                              : median <= goal.atMost ? "met"
                                                      : "MISSED";
        std::printf("%-80s %7.2fx %s  %s (%zu rounds, %.2f-%.2fx)\n", goal.what.c_str(), median,
                    aim, verdict, found.size(), *std::min_element(found.begin(), found.end()),
                    *std::max_element(found.begin(), found.end()));
    }
    std::fflush(stdout);
}

}  // namespace side_by_side
