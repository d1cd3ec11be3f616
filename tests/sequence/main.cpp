// Random whole-test sequences of the trace window on the headless host. Without arguments a
// short batch; the test command runs a few fixed batches; see README.md for long runs and for
// replaying a failing sequence.
#include <CLI/CLI.hpp>

#include <chrono>
#include <cstdio>
#include <iostream>

#include "last_words.h"
#include "sequence.h"

int main(int argc, char** argv) {
    CLI::App app{
        "Random whole-test sequences of the trace window, with invariants after every step"};
    std::string seedText = "1";
    std::string replayText;
    std::uint64_t steps = 20000;
    double timeLimit = 0;
    bool trace = false;
    bool requireCoverage = false;
    app.add_option("--seed", seedText, "batch seed; sequence i plays SequenceSeed(seed, i)");
    app.add_option("--steps", steps, "play sequences until this many steps in all");
    app.add_option("--time-limit", timeLimit, "start no sequence after this many seconds");
    app.add_option("--replay", replayText, "play just the sequence with this seed");
    app.add_flag("--trace", trace, "print every step");
    app.add_flag("--require-coverage", requireCoverage,
                 "fail unless every stage, ending, answer and mail outcome occurred");
    CLI11_PARSE(app, argc, argv);
    InstallLastWords(argv[0]);

    Coverage coverage;
    std::uint64_t sequences = 0;
    std::uint64_t totalSteps = 0;
    std::uint64_t failures = 0;
    const auto started = std::chrono::steady_clock::now();
    const auto elapsed = [&] {
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    };
    const auto play = [&](std::uint64_t seed) {
        NoteSequence(seed);
        Sequence sequence(seed, trace, coverage);
        try {
            sequence.play();
        } catch (const SequenceFailure& failure) {
            ++failures;
            std::printf(
                "FAILED sequence 0x%016llx at %s\n  replay: %s --replay 0x%016llx --trace\n",
                static_cast<unsigned long long>(seed), failure.what(), argv[0],
                static_cast<unsigned long long>(seed));
        }
        totalSteps += sequence.steps();
        ++sequences;
    };
    // Decimal, or hexadecimal with 0x.
    if (!replayText.empty()) {
        play(std::stoull(replayText, nullptr, 0));
    } else {
        const std::uint64_t base = std::stoull(seedText, nullptr, 0);
        for (std::uint64_t i = 0; totalSteps < steps && (timeLimit <= 0 || elapsed() < timeLimit);
             ++i) {
            play(SequenceSeed(base, i));
        }
    }

    const double seconds = elapsed();
    std::cout << sequences << " sequences, " << totalSteps << " steps in " << seconds << " s, "
              << failures << " failed\n";
    coverage.print(std::cout);
    bool covered = true;
    for (const std::string& event :
         requireCoverage ? coverage.missing() : std::vector<std::string>{}) {
        std::cout << "NEVER HAPPENED: " << event << "\n";
        covered = false;
    }
    return failures == 0 && covered ? 0 : 1;
}
