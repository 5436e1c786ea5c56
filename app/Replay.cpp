// The headless player: reads a script line by line, checks each line, then delivers it as the window would.
#include "Replay.h"

#include "Board.h"
#include "Round.h"
#include "ScriptReader.h"

#include <charconv>
#include <cstdint>
#include <ostream>
#include <string>
#include <utility>
#include <variant>

namespace {

struct PressCommand { std::uint64_t Count = 1; };
struct TickCommand { std::uint64_t Count = 1; };
struct EndCommand { std::uint64_t Yeses = 0; };
struct StateCommand {};
struct NothingToDo {};
using Command = std::variant<NothingToDo, PressCommand, TickCommand, EndCommand, StateCommand>;

struct Parsed {
    Command Step;
    std::string Fault;
};

Parsed refused(std::string why) { return {NothingToDo{}, std::move(why)}; }

// Enough of a word to recognise it, and no more than fits a line of a terminal with the rest of the message.
constexpr std::size_t QuotedBytes = 40;

// A word as an error line shows it: cut short, and with every byte that could upset a terminal or hide itself
// (controls, DEL, anything not ASCII) written as \xNN, the backslash too so that the escapes read back unambiguously.
std::string quoted(const ScriptWord& word)
{
    static constexpr char Hex[] = "0123456789abcdef";
    std::string out = "'";
    for (std::size_t i = 0; i < word.Text.size() && i < QuotedBytes; ++i) {
        const auto byte = static_cast<unsigned char>(word.Text[i]);
        if (byte < 0x20 || byte >= 0x7f || byte == '\\')
            out += {'\\', 'x', Hex[byte >> 4], Hex[byte & 0xf]};
        else
            out += static_cast<char>(byte);
    }
    if (word.Cut || word.Text.size() > QuotedBytes)
        out += "...";
    return out + "'";
}

// A count is a whole number from 1 to the limit written in plain digits; anything else is refused.
std::optional<std::uint64_t> countOf(const ScriptWord& word, std::uint64_t limit)
{
    std::uint64_t value = 0;
    const char* end = word.Text.data() + word.Text.size();
    const auto [stop, error] = std::from_chars(word.Text.data(), end, value);
    if (word.Cut || error != std::errc{} || stop != end || value == 0 || value > limit)
        return std::nullopt;
    return value;
}

Parsed parseCount(ScriptReader& reader, const char* name, auto command, std::uint64_t limit)
{
    const auto count = reader.NextWord();
    if (reader.NextWord())
        return refused(std::string("'") + name + "' takes at most one count");
    if (count) {
        const auto value = countOf(*count, limit);
        if (!value)
            return refused("count " + quoted(*count) + " is not a whole number from 1 to " + std::to_string(limit));
        command.Count = *value;
    }
    return {command, {}};
}

// The answers are any number of yes and then one no; only how many yes there are is kept.
Parsed parseEnd(ScriptReader& reader, std::uint64_t limit)
{
    EndCommand end;
    bool sawNo = false;
    bool anythingAfterNo = false;
    while (const auto word = reader.NextWord()) {
        if (!word->Is("yes") && !word->Is("no"))
            return refused("answer " + quoted(*word) + " is neither yes nor no");
        anythingAfterNo = anythingAfterNo || sawNo;
        if (word->Is("no"))
            sawNo = true;
        else
            ++end.Yeses;
    }
    if (!sawNo || anythingAfterNo)
        return refused("the answers to 'end' must end with exactly one 'no'");
    if (end.Yeses > limit)
        return refused("'end' takes at most " + std::to_string(limit) + " answers yes");
    return {end, {}};
}

Parsed parseLine(ScriptReader& reader, std::uint64_t limit)
{
    const auto command = reader.NextWord();
    if (!command || command->Text.starts_with('#'))
        return {NothingToDo{}, {}};
    if (command->Is("press"))
        return parseCount(reader, "press", PressCommand{}, limit);
    if (command->Is("tick"))
        return parseCount(reader, "tick", TickCommand{}, limit);
    if (command->Is("end"))
        return parseEnd(reader, limit);
    if (command->Is("state"))
        return reader.NextWord() ? refused("'state' takes no arguments") : Parsed{StateCommand{}, {}};
    return refused("unknown command " + quoted(*command));
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
        for (std::uint64_t i = 0; i < press.Count && m_board.Button.Enabled; ++i)
            m_round.Press();
    }
    void operator()(const TickCommand& tick)
    {
        for (std::uint64_t i = 0; i < tick.Count && m_board.Degree.Enabled; ++i)
            m_round.SweepTick();
    }
    void operator()(const EndCommand& end)
    {
        if (!m_board.Clock.Enabled)
            return;
        std::uint64_t asked = 0;
        m_round.EndRound([&](const std::string& text, const std::string& title) {
            const Answer answer = asked++ < end.Yeses ? Answer::Yes : Answer::No;
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

std::optional<ScriptFault> PlayScript(std::istream& script, std::ostream& out, std::uint64_t countLimit)
{
    ScriptReader reader(script);
    Player player(out);
    while (out && reader.NextLine()) {
        Parsed parsed = parseLine(reader, countLimit);
        if (!parsed.Fault.empty())
            return ScriptFault{reader.LineNumber(), parsed.Fault};
        std::visit(player, parsed.Step);
    }
    return std::nullopt;
}
