#include "benchmarks.h"

#include <iostream>

namespace bench {

namespace {

void runSteps(int round, const std::vector<std::function<void()>>& steps) {
    if (round % 2 == 0)
        for (const auto& step : steps)
            step();
    else
        for (auto step = steps.rbegin(); step != steps.rend(); ++step)
            (*step)();
}

} // namespace

void runRound(const std::string& benchmark, int round, int runs,
              const std::vector<std::function<void()>>& steps) {
    std::cerr << benchmark
              << (round == 0 ? ": warming up"
                             : ": run " + std::to_string(round) + "/" + std::to_string(runs))
              << std::endl;
    constexpr int attempts = 3;
    for (int attempt = 1;; ++attempt) {
        try {
            runSteps(round, steps);
            return;
        } catch (const std::exception& error) {
            if (attempt == attempts)
                throw;
            std::cerr << benchmark << ": " << error.what() << "; running the round again"
                      << std::endl;
        }
    }
}

} // namespace bench
