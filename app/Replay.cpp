// The headless player: reads a script, checks each line, then delivers it as the window would.
#include "Replay.h"

#include "Board.h"
#include "Round.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <istream>
#include <ostream>
#include <sstream>
#include <variant>
#include <vector>

namespace {

struct PressCommand { std::uint64_t Count = 1; };
struct TickCommand { std::uint64_t Count = 1; };
struct EndCommand { std::vector<Answer> Answers; };
struct StateCommand {};
struct NothingToDo {};
using Command = std::variant<NothingToDo, PressCommand, TickCommand, EndCommand, StateCommand>;

struct Parsed {
    Command Step;
    std::string Fault;
};

std::vector<std::string> wordsOf(const std::string& line)
{
    std::istringstream stream(line);
    std::vector<std::string> words;
    for (std::string word; stream >> word;)
        words.push_back(word);
    return words;
}

// A count is a positive whole number written in plain digits; anything else is refused.
std::optional<std::uint64_t> countOf(const std::string& word)
{
    std::uint64_t value = 0;
    const char* end = word.data() + word.size();
    const auto [stop, error] = std::from_chars(word.data(), end, value);
    if (error != std::errc{} || stop != end || value == 0)
        return std::nullopt;
    return value;
}

Parsed parseCount(const std::vector<std::string>& words, auto command)
{
    if (words.size() > 2)
        return {{}, "'" + words[0] + "' takes at most one count"};
    if (words.size() == 2) {
        const auto count = countOf(words[1]);
        if (!count)
            return {{}, "count '" + words[1] + "' is not a positive whole number"};
        command.Count = *count;
    }
    return {command, {}};
}

Parsed parseEnd(const std::vector<std::string>& words)
{
    EndCommand end;
    for (std::size_t i = 1; i < words.size(); ++i) {
        if (words[i] != "yes" && words[i] != "no")
            return {{}, "answer '" + words[i] + "' is neither yes nor no"};
        end.Answers.push_back(words[i] == "yes" ? Answer::Yes : Answer::No);
    }
    const bool endsWithOneNo = !end.Answers.empty() && end.Answers.back() == Answer::No
        && std::count(end.Answers.begin(), end.Answers.end(), Answer::No) == 1;
    if (!endsWithOneNo)
        return {{}, "the answers to 'end' must end with exactly one 'no'"};
    return {end, {}};
}

Parsed parseLine(const std::string& line)
{
    const auto words = wordsOf(line);
    if (words.empty() || words[0].starts_with('#'))
        return {NothingToDo{}, {}};
    if (words[0] == "press")
        return parseCount(words, PressCommand{});
    if (words[0] == "tick")
        return parseCount(words, TickCommand{});
    if (words[0] == "end")
        return parseEnd(words);
    if (words[0] == "state")
        return words.size() == 1 ? Parsed{StateCommand{}, {}} : Parsed{{}, "'state' takes no arguments"};
    return {{}, "unknown command '" + words[0] + "'"};
}

std::string shortest(auto value)
{
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

const char* truth(bool value) { return value ? "true" : "false"; }

std::string escaped(const std::string& text)
{
    std::string out;
    for (char c : text)
        out += c == '\r' ? std::string("\\r") : std::string(1, c);
    return out;
}

class Player {
public:
    explicit Player(std::ostream& out) : m_out(out) {}

    void operator()(NothingToDo) {}
    void operator()(const PressCommand& press)
    {
        for (std::uint64_t i = 0; i < press.Count; ++i)
            if (m_board.Button.Enabled)
                m_round.Press();
    }
    void operator()(const TickCommand& tick)
    {
        for (std::uint64_t i = 0; i < tick.Count; ++i)
            if (m_board.Degree.Enabled)
                m_round.SweepTick();
    }
    void operator()(const EndCommand& end)
    {
        if (!m_board.Clock.Enabled)
            return;
        std::size_t next = 0;
        m_round.EndRound([&](const std::string& text, const std::string& title) {
            // A well-formed answer list always ends with no; past its end the prompt keeps hearing no.
            const Answer answer = next < end.Answers.size() ? end.Answers[next++] : Answer::No;
            m_out << "prompt " << title << ": " << escaped(text) << '\n'
                  << "answer " << (answer == Answer::Yes ? "yes" : "no") << '\n';
            return answer;
        });
    }
    void operator()(StateCommand) { printState(); }

private:
    void printLine(const char* name, const Line& line)
    {
        m_out << name << ' ' << shortest(line.X1) << ' ' << shortest(line.Y1) << ' '
              << shortest(line.X2) << ' ' << shortest(line.Y2) << '\n';
    }

    void printState()
    {
        const Colour& dial = m_board.Background.BackColor;
        m_out << "Pushes " << m_round.Pushes << '\n'
              << "SweepAngle " << shortest(m_round.SweepAngle) << '\n'
              << "BestPushes " << m_round.BestPushes << '\n'
              << "AskAgainDone " << m_round.AskAgainDone << '\n'
              << "Clock.Enabled " << truth(m_board.Clock.Enabled) << '\n'
              << "Degree.Enabled " << truth(m_board.Degree.Enabled) << '\n'
              << "Button.Enabled " << truth(m_board.Button.Enabled) << '\n'
              << "Score.Caption " << m_board.Score.Caption << '\n'
              << "Record.Caption " << m_board.Record.Caption << '\n';
        printLine("Meter", m_board.Meter);
        printLine("Timor", m_board.Timor);
        m_out << "Background.BackColor " << dial.Red << ' ' << dial.Green << ' ' << dial.Blue << '\n';
    }

    std::ostream& m_out;
    Board m_board;
    Round m_round{m_board};
};

}

std::optional<ScriptFault> PlayScript(std::istream& script, std::ostream& out)
{
    Player player(out);
    int lineNumber = 0;
    for (std::string line; std::getline(script, line);) {
        ++lineNumber;
        Parsed parsed = parseLine(line);
        if (!parsed.Fault.empty())
            return ScriptFault{lineNumber, parsed.Fault};
        std::visit(player, parsed.Step);
    }
    return std::nullopt;
}
