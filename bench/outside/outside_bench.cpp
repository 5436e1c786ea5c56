// The game against the toolkit's floor under one X server, measured from outside: sessions in pairs
// (game, floor, game, floor, ...), then whole rounds of the game with the floor pressed in turn beside it,
// then the table.
#include "Report.h"
#include "Sessions.h"
#include "XDisplay.h"

#include <cstdlib>
#include <cstring>
#include <exception>
#include <iostream>
#include <string>

namespace {
struct Options {
    std::string game;
    std::string floor;
    int pairs = 10;
    int rounds = 3;
    std::optional<PressBenchmark> pressNoPaint;
    std::optional<PressBenchmark> pressWithPaint;
};

const char* Usage = "usage: outside_bench --game PATH --floor PATH [--pairs N] [--rounds N]"
                    " [--press-ns GAME_NS FLOOR_NS] [--press-paint-ns GAME_NS FLOOR_NS]\n";

Options parse(int argc, char* argv[])
{
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        auto value = [&]() -> std::string {
            if (i + 1 >= argc)
                throw std::invalid_argument(arg + " needs a value");
            return argv[++i];
        };
        if (arg == "--game")
            options.game = value();
        else if (arg == "--floor")
            options.floor = value();
        else if (arg == "--pairs")
            options.pairs = std::stoi(value());
        else if (arg == "--rounds")
            options.rounds = std::stoi(value());
        else if (arg == "--press-ns")
            options.pressNoPaint = PressBenchmark{std::stod(value()), std::stod(value())};
        else if (arg == "--press-paint-ns")
            options.pressWithPaint = PressBenchmark{std::stod(value()), std::stod(value())};
        else
            throw std::invalid_argument("unknown argument " + arg);
    }
    if (options.game.empty() || options.floor.empty() || options.pairs < 1 || options.rounds < 1)
        throw std::invalid_argument("the game, the floor, and at least one pair and one round are needed");
    return options;
}

// Each pair as it comes, so a run on a busy machine shows its spread and not only the medians.
void describePair(std::ostream& out, int pair, int pairs, const SessionSample& game, const SessionSample& floor)
{
    out << "pair " << pair << " of " << pairs << ": start " << game.startMs << " / " << floor.startMs << " ms, peak "
        << game.peakMiB << " / " << floor.peakMiB << " MiB, after 2000 clicks " << game.burstSettleMs << " / "
        << floor.burstSettleMs << " ms (game / floor)\n";
}

BenchResults measure(const Options& options)
{
    XDisplay x;
    const Program game{options.game, "Der Tastenrenner", true};
    const Program floor{options.floor, "Tastenrenner floor", false};
    BenchResults results;
    results.pressNoPaint = options.pressNoPaint;
    results.pressWithPaint = options.pressWithPaint;
    // One pair first to bring libraries and fonts into the page cache; it is not counted.
    std::cerr << "warming up\n";
    runSession(x, game);
    runSession(x, floor);
    for (int pair = 1; pair <= options.pairs; ++pair) {
        results.game.push_back(runSession(x, game));
        results.floor.push_back(runSession(x, floor));
        describePair(std::cerr, pair, options.pairs, results.game.back(), results.floor.back());
    }
    std::cerr << "playing " << options.rounds << " rounds of a minute beside the floor, pressed in turn at 10 a second,"
              << " then one at 15 a second alone\n";
    results.played = playRounds(x, game, floor, options.rounds, 1);
    return results;
}
}

int main(int argc, char* argv[])
{
    try {
        const Options options = parse(argc, argv);
        return printReport(std::cout, measure(options)) ? 0 : 1;
    } catch (const std::invalid_argument& error) {
        std::cerr << error.what() << '\n' << Usage;
        return 2;
    } catch (const std::exception& error) {
        std::cerr << "outside_bench: " << error.what() << '\n';
        return 2;
    }
}
