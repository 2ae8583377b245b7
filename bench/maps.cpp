// How fast the maps iterate and the numbers convert: the inner loops of every plot.
#include "Map.h"
#include "NumberConversion.h"

#include <benchmark/benchmark.h>

#include <memory>

static void iterateMap(benchmark::State& state) {
    std::unique_ptr<Map> m(newMap(static_cast<int>(state.range(0))));
    m->n = 1000;
    double x = 0.3;
    for (auto _ : state) {
        x = m->f(x);
        benchmark::DoNotOptimize(x);
        if (!(x == x)) x = 0.3;
    }
    state.SetItemsProcessed(state.iterations() * 1000);
}
BENCHMARK(iterateMap)->DenseRange(1, 7);

static void lyapunovSum(benchmark::State& state) {
    std::unique_ptr<Map> m(newMap(1));
    m->n = 500;
    for (auto _ : state) benchmark::DoNotOptimize(m->df(0.3));
    state.SetItemsProcessed(state.iterations() * 500);
}
BENCHMARK(lyapunovSum);

static void writeAndReadNumber(benchmark::State& state) {
    Str255 text;
    double x = 0;
    for (auto _ : state) {
        ConvertDoubleToString(3.5699456, text, 13);
        ConvertStringToDouble(text, &x, 13);
        benchmark::DoNotOptimize(x);
    }
}
BENCHMARK(writeAndReadNumber);

BENCHMARK_MAIN();
