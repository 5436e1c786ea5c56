// The table of results. Paired metrics are judged on the median of the per-pair ratios, so a slow
// moment of the machine weighs on both programs of a pair alike; absolute goals on the worst run.
#include "Report.h"

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

std::vector<Row> sessionRows(const BenchResults& results)
{
    std::vector<Row> rows;
    rows.push_back(pairedRow(results, "start to first painted board, ms", [](auto& s) { return s.startMs; }, 1, 1.15));
    rows.push_back(pairedRow(results, "peak resident memory VmHWM, MiB", [](auto& s) { return s.peakMiB; }, 2, 1.15));

    const auto idleCpu = each(results.game, [](auto& s) { return s.idleCpuMs; });
    const double worstIdle = *std::max_element(idleCpu.begin(), idleCpu.end());
    rows.push_back({"CPU idle over 10 s after start, ms (median / worst)", fixed(median(idleCpu), 2) + " / " + fixed(worstIdle, 2),
                    fixed(median(each(results.floor, [](auto& s) { return s.idleCpuMs; })), 2), "-", "<= 10 ms every run",
                    verdict(worstIdle <= 10)});
    const double gameWakeups = median(each(results.game, [](auto& s) { return s.idleWakeups; }));
    const double floorWakeups = median(each(results.floor, [](auto& s) { return s.idleWakeups; }));
    rows.push_back({"wake-ups in those 10 s (voluntary switches)", fixed(gameWakeups, 0), fixed(floorWakeups, 0), "-",
                    "none of its own: <= floor", verdict(gameWakeups <= floorWakeups)});

    auto counted = [](const std::vector<SessionSample>& samples) {
        return static_cast<int>(std::count_if(samples.begin(), samples.end(), [](auto& s) { return s.burstCounted; }));
    };
    const int gameCounted = counted(results.game);
    rows.push_back({"2000 xdotool clicks, all counted (runs)", std::to_string(gameCounted) + "/" + std::to_string(results.game.size()),
                    std::to_string(counted(results.floor)) + "/" + std::to_string(results.floor.size()), "-", "every run",
                    verdict(gameCounted == static_cast<int>(results.game.size()))});
    rows.push_back(pairedRow(results, "2000 clicks, last sent to final board, ms", [](auto& s) { return s.burstSettleMs; }, 1, 1.25));
    return rows;
}

std::vector<const RoundSample*> roundsAt(const BenchResults& results, int pressesPerSecond)
{
    std::vector<const RoundSample*> rounds;
    for (const RoundSample& round : results.rounds)
        if (round.pressesPerSecond == pressesPerSecond)
            rounds.push_back(&round);
    return rounds;
}

std::string listed(const std::vector<const RoundSample*>& rounds, const std::function<std::string(const RoundSample&)>& show)
{
    std::string text;
    for (const RoundSample* round : rounds) {
        if (!text.empty())
            text += ' ';
        text += show(*round);
    }
    return text;
}

std::vector<Row> roundRows(const BenchResults& results)
{
    std::vector<Row> rows;
    const auto slow = roundsAt(results, 10);
    double worstSlowCpu = 0;
    for (const RoundSample* round : slow)
        worstSlowCpu = std::max(worstSlowCpu, round->cpuPercent);
    rows.push_back({"CPU in a round at 10 presses/s, % of a core", listed(slow, [](auto& r) { return fixed(r.cpuPercent, 2); }),
                    fixed(results.floorPressingCpuPercent, 2), fixed(worstSlowCpu / results.floorPressingCpuPercent, 2), "< 2 %",
                    verdict(!slow.empty() && worstSlowCpu < 2)});

    bool onTime = !results.rounds.empty();
    std::vector<const RoundSample*> all;
    for (const RoundSample& round : results.rounds) {
        onTime = onTime && std::abs(round.lengthMs - 60000) <= 5;
        all.push_back(&round);
    }
    rows.push_back({"round length, first press to verdict mapped, ms", listed(all, [](auto& r) { return fixed(r.lengthMs, 1); }),
                    "-", "-", "60000 +- 5 every round", verdict(onTime && all.size() >= 3)});

    const auto fast = roundsAt(results, 15);
    bool allTicks = !fast.empty();
    for (const RoundSample* round : fast)
        allTicks = allTicks && round->sweepTicks >= 599;
    rows.push_back({"sweep ticks by the verdict at 15 presses/s, of 600",
                    listed(fast, [](auto& r) { return r.sweepTicks < 0 ? std::string("unreadable") : std::to_string(r.sweepTicks); }),
                    "-", "-", ">= 599 every round", verdict(allTicks)});
    rows.push_back({"CPU in a round at 15 presses/s, % of a core", listed(fast, [](auto& r) { return fixed(r.cpuPercent, 2); }),
                    "-", "-", "-", "-"});
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
    std::vector<Row> rows = sessionRows(results);
    for (Row& row : roundRows(results))
        rows.push_back(row);
    if (results.press)
        rows.push_back({"one press offscreen (Google Benchmark), us", fixed(results.press->gameNanoseconds / 1000, 2),
                        fixed(results.press->floorNanoseconds / 1000, 2),
                        fixed(results.press->gameNanoseconds / results.press->floorNanoseconds, 2), "-", "-"});
    const Row header{"metric", "game", "floor", "ratio", "goal", "met"};
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
