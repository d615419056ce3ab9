#include "benchmarks.h"

#include <iostream>

namespace bench {

void runRound(const std::string& benchmark, int round, int runs,
              const std::vector<std::function<void()>>& steps) {
    std::cerr << benchmark
              << (round == 0 ? ": warming up"
                             : ": run " + std::to_string(round) + "/" + std::to_string(runs))
              << std::endl;
    if (round % 2 == 0)
        for (const auto& step : steps)
            step();
    else
        for (auto step = steps.rbegin(); step != steps.rend(); ++step)
            (*step)();
}

} // namespace bench
