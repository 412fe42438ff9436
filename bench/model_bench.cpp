// SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
// SPDX-License-Identifier: MIT
// Speed of the arithmetic core, per call, over the 10,000 scroll positions.
// The floor is the model's two std::pow calls alone; the closing table gives
// every figure as a ratio to it, measured in the same run.
#include "model/number_text.h"
#include "model/results.h"
#include "model/speed_model.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace {

constexpr int kPositions = 10000;

const std::vector<double>& factors()
{
    static const std::vector<double> values = [] {
        std::vector<double> v;
        for (int p = 0; p < kPositions; ++p)
            v.push_back(p / 1000.0);
        return v;
    }();
    return values;
}

const std::vector<std::string>& scrollTexts()
{
    static const std::vector<std::string> values = [] {
        std::vector<std::string> v;
        for (int p = 0; p < kPositions; ++p)
            v.push_back(vesk::PositionText(static_cast<float>(p) / 1000.0f));
        return v;
    }();
    return values;
}

// Runs `body` once per item, cycling through the items.
template <class Items, class Body>
void perItem(benchmark::State& state, const Items& items, Body body)
{
    std::size_t i = 0;
    for (auto _ : state) {
        body(items[i]);
        if (++i == items.size())
            i = 0;
    }
    state.SetItemsProcessed(state.iterations());
}

void BM_TwoPowFloor(benchmark::State& state)
{
    perItem(state, factors(), [](double w) {
        double w5 = std::pow(w, 5.0);
        benchmark::DoNotOptimize(w5);
        benchmark::DoNotOptimize(std::pow(w, 3.3333332538604736 + w5 * 1e-300));
    });
}
BENCHMARK(BM_TwoPowFloor);

void BM_MultipleOfC(benchmark::State& state)
{
    perItem(state, factors(),
            [](double w) { benchmark::DoNotOptimize(vesk::SpeedModel::multipleOfC(w)); });
}
BENCHMARK(BM_MultipleOfC);

void BM_ParseNumber(benchmark::State& state)
{
    perItem(state, scrollTexts(),
            [](const std::string& t) { benchmark::DoNotOptimize(vesk::ParseNumber(t)); });
}
BENCHMARK(BM_ParseNumber);

void BM_PositionText(benchmark::State& state)
{
    perItem(state, factors(),
            [](double w) { benchmark::DoNotOptimize(vesk::PositionText(static_cast<float>(w))); });
}
BENCHMARK(BM_PositionText);

void BM_IntegerText(benchmark::State& state)
{
    std::int16_t v = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(vesk::IntegerText(v));
        v = static_cast<std::int16_t>(v + 1);
    }
}
BENCHMARK(BM_IntegerText);

void BM_DoubleText(benchmark::State& state)
{
    perItem(state, factors(), [](double w) { benchmark::DoNotOptimize(vesk::DoubleText(w)); });
}
BENCHMARK(BM_DoubleText);

void BM_StandardText(benchmark::State& state)
{
    static const std::vector<double> speeds = [] {
        std::vector<double> v;
        for (double w : factors())
            v.push_back(vesk::SpeedModel::multipleOfC(w));
        return v;
    }();
    perItem(state, speeds, [](double v) { benchmark::DoNotOptimize(vesk::StandardText(v)); });
}
BENCHMARK(BM_StandardText);

void BM_GroupedText(benchmark::State& state)
{
    static const std::vector<double> metres = [] {
        std::vector<double> v;
        for (double w : factors())
            v.push_back(vesk::SpeedModel::metresPerSecond(vesk::SpeedModel::multipleOfC(w)));
        return v;
    }();
    perItem(state, metres, [](double m) { benchmark::DoNotOptimize(vesk::GroupedText(m)); });
}
BENCHMARK(BM_GroupedText);

void BM_ResultsFor(benchmark::State& state)
{
    perItem(state, scrollTexts(),
            [](const std::string& t) { benchmark::DoNotOptimize(vesk::ResultsFor(t)); });
}
BENCHMARK(BM_ResultsFor);

// Prints, after the usual table, each benchmark's time as a ratio to the floor.
class RatioReporter : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs)
            if (run.run_type == Run::RT_Iteration)
                times_[run.benchmark_name()] = run.GetAdjustedRealTime();
    }

    void Finalize() override
    {
        ConsoleReporter::Finalize();
        const auto floor = times_.find("BM_TwoPowFloor");
        if (floor == times_.end() || floor->second <= 0)
            return;
        std::printf("\n%-20s %10s %8s\n", "per call", "ns", "x floor");
        for (const auto& [name, ns] : times_)
            std::printf("%-20s %10.1f %8.2f\n", name.c_str(), ns, ns / floor->second);
    }

  private:
    std::map<std::string, double> times_;
};

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
