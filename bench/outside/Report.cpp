// The table of results. Paired metrics are judged on the median of the per-pair ratios, so a slow
// moment of the machine weighs on both programs of a pair alike; press to pixels and CPU on blocks pressed in
// turn; absolute goals on the worst run.
#include "Report.h"

#include "PressesInFlight.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <functional>
#include <string>

namespace {
struct Row {
    std::string metric;
    std::string game;
    std::string floor;
    std::string ratio;
    std::string goal;
    std::string met;
};

std::string fixed(double value, int decimals)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

// Runs that produced no number (a count that never completed) are left out, and shown as such elsewhere.
double median(std::vector<double> values)
{
    std::erase_if(values, [](double value) { return std::isnan(value); });
    if (values.empty())
        return NAN;
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

using Field = std::function<double(const SessionSample&)>;

std::vector<double> each(const std::vector<SessionSample>& samples, const Field& field)
{
    std::vector<double> values;
    for (const SessionSample& sample : samples)
        values.push_back(field(sample));
    return values;
}

std::vector<double> pairRatios(const BenchResults& results, const Field& field)
{
    std::vector<double> ratios;
    for (std::size_t i = 0; i < std::min(results.game.size(), results.floor.size()); ++i)
        ratios.push_back(field(results.game[i]) / field(results.floor[i]));
    return ratios;
}

std::string verdict(bool met) { return met ? "yes" : "NO"; }

Row pairedRow(const BenchResults& results, const std::string& metric, const Field& field, int decimals, double goal)
{
    const double ratio = median(pairRatios(results, field));
    return {metric, fixed(median(each(results.game, field)), decimals), fixed(median(each(results.floor, field)), decimals),
            fixed(ratio, 3), "ratio <= " + fixed(goal, 2), verdict(ratio <= goal)};
}

Row backlogRow(const BenchResults& results)
{
    auto counted = [](const std::vector<SessionSample>& samples) {
        return static_cast<int>(std::count_if(samples.begin(), samples.end(), [](auto& s) { return s.burstCounted; }));
    };
    auto runs = [&](const std::vector<SessionSample>& samples) {
        return fixed(median(each(samples, [](auto& s) { return s.burstSettleMs; })), 1) + " (" +
               std::to_string(counted(samples)) + "/" + std::to_string(samples.size()) + " exact)";
    };
    const double ratio = median(pairRatios(results, [](auto& s) { return s.burstSettleMs; }));
    const bool allCounted = counted(results.game) == static_cast<int>(results.game.size());
    return {"2000-click backlog, last click sent to final board, ms", runs(results.game), runs(results.floor),
            fixed(ratio, 3), "every click counted, board exact; ratio <= 1.00", verdict(allCounted && ratio <= 1.0)};
}

std::vector<Row> pressRows(const BenchResults& results)
{
    std::vector<Row> rows;
    if (const auto& press = results.pressNoPaint) {
        const double gameUs = press->gameNanoseconds / 1000;
        rows.push_back({"one press offscreen, rules and sync, no paint, us", fixed(gameUs, 3),
                        fixed(press->floorNanoseconds / 1000, 3), fixed(press->gameNanoseconds / press->floorNanoseconds, 2),
                        "game <= 2 us", verdict(gameUs <= 2)});
    }
    if (const auto& press = results.pressWithPaint)
        rows.push_back({"one press offscreen with its paint, us", fixed(press->gameNanoseconds / 1000, 2),
                        fixed(press->floorNanoseconds / 1000, 2), fixed(press->gameNanoseconds / press->floorNanoseconds, 2), "-",
                        "-"});
    return rows;
}

// Press to pixels, judged by how far the game's figure lies above the floor's measured in the same blocks.
std::vector<Row> latencyRows(const BenchResults& results)
{
    const PressedSide& game = results.played.game;
    const PressedSide& floor = results.played.floor;
    auto cell = [](const PressedSide& side, double q) {
        return fixed(nearestRank(side.latenciesMs, q), 3) + " (" + std::to_string(side.latenciesMs.size()) + " of " +
               std::to_string(side.presses) + ", " + std::to_string(side.unseen) + " unseen)";
    };
    auto row = [&](const std::string& metric, double q, double allowanceMs) {
        const double over = nearestRank(game.latenciesMs, q) - nearestRank(floor.latenciesMs, q);
        std::string difference = over >= 0 ? "+" : "";
        difference += fixed(over, 3);
        difference += " ms";
        return Row{metric, cell(game, q), cell(floor, q), difference,
                   "<= floor + " + fixed(allowanceMs, 1) + " ms, none unseen", verdict(over <= allowanceMs && game.unseen == 0)};
    };
    return {row("press to pixels at 10 presses/s, median, ms", 0.5, 0.3),
            row("press to pixels at 10 presses/s, 99th percentile, ms", 0.99, 1.0)};
}

Row roundCpuRow(const BenchResults& results)
{
    const PressedSide& game = results.played.game;
    const PressedSide& floor = results.played.floor;
    const double gamePercent = 100 * game.cpuMs / game.wallMs;
    const double floorPercent = 100 * floor.cpuMs / floor.wallMs;
    const double ratio = gamePercent / floorPercent;
    return {"CPU in a round at 10 presses/s, % of a core", fixed(gamePercent, 2), fixed(floorPercent, 2), fixed(ratio, 2),
            "ratio <= 1.20", verdict(ratio <= 1.2)};
}

std::vector<Row> roundRows(const BenchResults& results)
{
    const std::vector<RoundSample>& rounds = results.played.rounds;
    auto listed = [&](const std::function<std::string(const RoundSample&)>& show) {
        std::string text;
        for (const RoundSample& round : rounds) {
            if (!text.empty())
                text += ' ';
            text += show(round);
        }
        return text;
    };
    const bool onTime = std::all_of(rounds.begin(), rounds.end(), [](auto& r) { return std::abs(r.lengthMs - 60000) <= 2; });
    const bool allTicks = std::all_of(rounds.begin(), rounds.end(), [](auto& r) { return r.sweepTicks >= 599; });
    return {{"round length, first click taken in to verdict mapped, ms (first round fresh)",
             listed([](auto& r) { return fixed(r.lengthMs, 1); }), "-", "-", "60000 +- 2 every round, >= 3 rounds",
             verdict(onTime && rounds.size() >= 3)},
            {"sweep ticks by the verdict, of 600 (presses/s)",
             listed([](auto& r) {
                 return (r.sweepTicks < 0 ? std::string("unreadable") : std::to_string(r.sweepTicks)) + " (" +
                        std::to_string(r.pressesPerSecond) + ")";
             }),
             "-", "-", ">= 599 every round", verdict(!rounds.empty() && allTicks)}};
}

std::vector<Row> idleRows(const BenchResults& results)
{
    const auto idleCpu = each(results.game, [](auto& s) { return s.idleCpuMs; });
    const double worstIdle = *std::max_element(idleCpu.begin(), idleCpu.end());
    const double gameWakeups = median(each(results.game, [](auto& s) { return s.idleWakeups; }));
    const double floorWakeups = median(each(results.floor, [](auto& s) { return s.idleWakeups; }));
    return {{"CPU idle over 10 s after start, ms (median / worst)", fixed(median(idleCpu), 2) + " / " + fixed(worstIdle, 2),
             fixed(median(each(results.floor, [](auto& s) { return s.idleCpuMs; })), 2), "-", "<= 10 ms every run",
             verdict(worstIdle <= 10)},
            {"wake-ups in those 10 s (voluntary switches)", fixed(gameWakeups, 0), fixed(floorWakeups, 0), "-",
             "none of its own: <= floor", verdict(gameWakeups <= floorWakeups)}};
}

std::vector<Row> allRows(const BenchResults& results)
{
    std::vector<Row> rows{backlogRow(results)};
    auto add = [&](const std::vector<Row>& more) { rows.insert(rows.end(), more.begin(), more.end()); };
    add(pressRows(results));
    add(latencyRows(results));
    rows.push_back(roundCpuRow(results));
    rows.push_back(pairedRow(results, "start to first painted board, ms", [](auto& s) { return s.startMs; }, 1, 1.10));
    rows.push_back(pairedRow(results, "peak resident memory VmHWM, MiB", [](auto& s) { return s.peakMiB; }, 2, 1.10));
    add(roundRows(results));
    add(idleRows(results));
    return rows;
}

std::array<std::string, 6> cellsOf(const Row& row) { return {row.metric, row.game, row.floor, row.ratio, row.goal, row.met}; }

void printRow(std::ostream& out, const Row& row, const std::array<std::size_t, 6>& widths)
{
    const auto cells = cellsOf(row);
    out << '|';
    for (std::size_t i = 0; i < cells.size(); ++i)
        out << ' ' << cells[i] << std::string(widths[i] - cells[i].size(), ' ') << " |";
    out << '\n';
}
}

bool printReport(std::ostream& out, const BenchResults& results)
{
    const std::vector<Row> rows = allRows(results);
    const Row header{"metric", "game", "floor", "vs floor", "goal", "met"};
    std::array<std::size_t, 6> widths{};
    for (const Row& row : rows)
        for (std::size_t i = 0; i < widths.size(); ++i)
            widths[i] = std::max({widths[i], cellsOf(row)[i].size(), cellsOf(header)[i].size()});
    printRow(out, header, widths);
    out << '|';
    for (std::size_t width : widths)
        out << std::string(width + 2, '-') << '|';
    out << '\n';
    bool allMet = true;
    for (const Row& row : rows) {
        printRow(out, row, widths);
        allMet = allMet && row.met != "NO";
    }
    return allMet;
}
