// make bench: the shell measured under Wine side by side with the floors, programs that do
// only what the platform needs for the same result. The table goes to the standard output
// in Markdown, progress to the standard error.
//
//   ombrix_bench [runs [benchmark...]]
//
// 10 runs by default; the benchmarks are startup, launch, crowd and size, all by default.
// OMBRIX_STAGE names the staged installation.

#include "benchmarks.h"

#include <fcntl.h>
#include <io.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <iostream>
#include <optional>

namespace {

using Benchmark = std::vector<bench::Figure> (*)(const bench::Setting&);

// In the order of the table.
const std::vector<std::pair<std::string, Benchmark>> benchmarks{
    {"startup", bench::startupFigures},
    {"launch", bench::launchFigures},
    {"crowd", bench::crowdFigures},
    {"size", bench::sizeFigures},
};

// The benchmarks named from the second argument on, or all of them.
std::optional<std::vector<Benchmark>> chosenBenchmarks(int argc, char** argv) {
    std::vector<Benchmark> chosen;
    for (const auto& [name, benchmark] : benchmarks)
        if (argc <= 2 || std::find(argv + 2, argv + argc, name) != argv + argc)
            chosen.push_back(benchmark);
    if (argc > 2 && chosen.size() != static_cast<std::size_t>(argc - 2))
        return std::nullopt;
    return chosen;
}

std::filesystem::path ownFolder() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    return std::filesystem::path(path).parent_path();
}

} // namespace

int main(int argc, char** argv) {
    // The table's own characters, not the C runtime's line ends.
    _setmode(_fileno(stdout), _O_BINARY);
    const int runs = argc > 1 ? std::atoi(argv[1]) : 10;
    const std::optional<std::vector<Benchmark>> chosen = chosenBenchmarks(argc, argv);
    if (runs < 1 || !chosen) {
        std::cerr << "usage: ombrix_bench [runs [startup|launch|crowd|size]...]\n";
        return 2;
    }
    try {
        const e2e::Installation installation;
        const bench::Setting setting{installation, ownFolder(), runs};
        std::vector<bench::Figure> figures;
        for (const Benchmark benchmark : *chosen)
            for (bench::Figure& figure : benchmark(setting))
                figures.push_back(std::move(figure));
        std::cout << "Runs: " << runs << " of each program, alternately, after one not counted\n\n"
                  << bench::formatTable(figures);
    } catch (const std::exception& error) {
        std::cerr << "bench: " << error.what() << "\n";
        return 1;
    }
    return 0;
}
