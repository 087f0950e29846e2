// The engine's speed and heap use, natively: keys per second over a random stream of
// a million keypad commands, the cost of the display text, and heap allocations per
// key and per display text (operator new is replaced to count them).
//
// --keys=N shortens the stream (the test run's smoke uses it). After Google
// Benchmark's own table, prints "name median min max count" lines over
// the repetitions for bench.sh.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <new>
#include <random>
#include <string>
#include <vector>

#include "calc/Calculator.h"
#include "calc/DisplayLines.h"

namespace {
std::size_t allocationCount = 0;  // the benchmarks run on one thread
}  // namespace

void* operator new(std::size_t size) {
    ++allocationCount;
    if (void* block = std::malloc(size ? size : 1)) return block;
    throw std::bad_alloc();
}
void operator delete(void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t) noexcept { std::free(block); }

namespace {

// A window that takes the texts as SetWindowText would: read, not kept.
class SinkHost : public calc::DisplayHost {
public:
    bool WindowExists() const override { return true; }
    void WriteFrancsLine(const std::string& text) override { Take(text); }
    void WriteEuroLine(const std::string& text) override { Take(text); }
    void SetInputLine(calc::DisplayLine) override {}
    void WriteMemoryIndicator(const std::string& text) override { Take(text); }
    void FocusHolder() override {}

private:
    void Take(const std::string& text) { benchmark::DoNotOptimize(text.data()); }
};

// The 26 keys of the keypad.
enum class Key {
    Digit0,
    Digit9 = Digit0 + 9,
    Point,
    Sign,
    Backspace,
    ClearEntry,
    Clear,
    Add,
    Subtract,
    Multiply,
    Divide,
    Equals,
    Percent,
    Reciprocal,
    MemoryClear,
    MemoryRecall,
    MemoryStore,
    MemoryAdd,
    Count
};

void Press(calc::Calculator& calculator, Key key) {
    using calc::Operator;
    switch (key) {
    case Key::Point: return calculator.OnPoint();
    case Key::Sign: return calculator.OnSign();
    case Key::Backspace: return calculator.OnBackspace();
    case Key::ClearEntry: return calculator.OnClearEntry();
    case Key::Clear: return calculator.OnClear();
    case Key::Add: return calculator.OnOperator(Operator::Add);
    case Key::Subtract: return calculator.OnOperator(Operator::Subtract);
    case Key::Multiply: return calculator.OnOperator(Operator::Multiply);
    case Key::Divide: return calculator.OnOperator(Operator::Divide);
    case Key::Equals: return calculator.OnEquals();
    case Key::Percent: return calculator.OnPercent();
    case Key::Reciprocal: return calculator.OnReciprocal();
    case Key::MemoryClear: return calculator.OnMemoryClear();
    case Key::MemoryRecall: return calculator.OnMemoryRecall();
    case Key::MemoryStore: return calculator.OnMemoryStore();
    case Key::MemoryAdd: return calculator.OnMemoryAdd();
    default: return calculator.OnDigit(static_cast<unsigned>(key));
    }
}

std::size_t streamLength = 1000000;

// Digits come as often as all other keys together, as when amounts are typed.
const std::vector<Key>& KeyStream() {
    static const std::vector<Key> stream = [] {
        std::mt19937 random(20261207u);
        std::vector<Key> keys(streamLength);
        const int others = static_cast<int>(Key::Count) - 10;
        for (Key& key : keys) {
            const auto r = random();
            key = (r & 1) ? static_cast<Key>((r >> 1) % 10) : static_cast<Key>(10 + (r >> 1) % others);
        }
        return keys;
    }();
    return stream;
}

calc::EngineSettings Settings() {
    calc::EngineSettings settings;
    settings.precision = 2;
    settings.euroInput = 0;
    settings.presentation.thousandsSeparator = ' ';
    settings.presentation.decimalPoint = ',';
    settings.presentation.parity = 6.55957;
    return settings;
}

void KeyStreamThroughEngine(benchmark::State& state) {
    const std::vector<Key>& keys = KeyStream();
    SinkHost host;
    calc::Calculator calculator(host);
    calculator.Initialise(Settings());
    std::size_t allocations = 0;
    for (auto _ : state) {
        const std::size_t before = allocationCount;
        for (Key key : keys) Press(calculator, key);
        allocations += allocationCount - before;
    }
    const double keysPressed = static_cast<double>(state.iterations()) * static_cast<double>(keys.size());
    state.SetItemsProcessed(static_cast<std::int64_t>(keysPressed));
    state.counters["allocs_per_key"] = static_cast<double>(allocations) / keysPressed;
}
BENCHMARK(KeyStreamThroughEngine)->Unit(benchmark::kMillisecond);

// The states the stream goes through, sampled: entries, results, errors, memory.
std::vector<calc::CalculatorState> SampledStates() {
    SinkHost host;
    calc::Calculator calculator(host);
    calculator.Initialise(Settings());
    std::vector<calc::CalculatorState> states;
    const std::vector<Key>& keys = KeyStream();
    for (std::size_t i = 0; i < keys.size(); ++i) {
        Press(calculator, keys[i]);
        if (i % 997 == 0) states.push_back(calculator.State());
    }
    return states;
}

void FormatDisplayPerCall(benchmark::State& state) {
    const std::vector<calc::CalculatorState> states = SampledStates();
    std::size_t allocations = 0, calls = 0;
    for (auto _ : state) {
        const std::size_t before = allocationCount;
        for (const calc::CalculatorState& s : states) benchmark::DoNotOptimize(calc::FormatDisplay(s));
        allocations += allocationCount - before;
        calls += states.size();
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(calls));
    state.counters["ns_per_call"] =
        benchmark::Counter(static_cast<double>(calls), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    state.counters["allocs_per_call"] = static_cast<double>(allocations) / static_cast<double>(calls);
}
BENCHMARK(FormatDisplayPerCall);

// Collects every repetition's figures and prints their median, min and max at the end.
class SummaryReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.run_type != Run::RT_Iteration) continue;
            const std::string name = run.run_name.function_name;
            for (const auto& [counter, value] : run.counters) figures_[name + "." + counter].push_back(value);
        }
    }

    void Finalize() override {
        ConsoleReporter::Finalize();
        for (auto& [name, values] : figures_) {
            std::sort(values.begin(), values.end());
            const std::size_t n = values.size();
            const double median = n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
            std::printf("%s %.6g %.6g %.6g %zu\n", name.c_str(), median, values.front(), values.back(), n);
        }
    }

private:
    std::map<std::string, std::vector<double>> figures_;
};

}  // namespace

int main(int argc, char** argv) {
    const std::string keysFlag = "--keys=";
    for (int i = 1; i < argc; ++i) {
        if (std::string(argv[i]).rfind(keysFlag, 0) != 0) continue;
        streamLength = std::max(1ul, std::strtoul(argv[i] + keysFlag.size(), nullptr, 10));
        for (int j = i; j < argc; ++j) argv[j] = argv[j + 1];
        --argc;
        break;
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    SummaryReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
