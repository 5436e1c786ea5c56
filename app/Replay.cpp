// The headless player: reads a script line by line, checks each line, then delivers it as the window would.
#include "Replay.h"

#include "Board.h"
#include "Round.h"

#include <charconv>
#include <istream>
#include <ostream>
#include <string>
#include <utility>

namespace {

constexpr int End = std::char_traits<char>::eof();

struct Word {
    static constexpr std::size_t KeptBytes = 64;

    std::string Text;  // the word's first KeptBytes bytes at most
    bool Cut = false;  // the word goes on past Text

    bool Is(const char* word) const { return !Cut && Text == word; }
};

// Reads the script a word at a time straight from the stream's buffer, keeping only the start of each word, so its
// memory stays bounded however long the lines and words are.
class Reader {
public:
    explicit Reader(std::istream& script) : m_script(script), m_buffer(*script.rdbuf()) {}

    // Moves to the start of the next line, past whatever is left of this one; false at the end of the script.
    bool NextLine()
    {
        if (m_lineNumber > 0) {
            for (int c = peek(); c != End && c != '\n'; c = peek())
                m_buffer.sbumpc();
            if (peek() == '\n')
                m_buffer.sbumpc();
        }
        if (peek() == End)
            return false;
        ++m_lineNumber;
        return true;
    }

    // The next word of the current line, or nothing once the line has no more.
    std::optional<Word> NextWord()
    {
        while (isBlank(peek()))
            m_buffer.sbumpc();
        Word word;
        for (int c = peek(); c != End && c != '\n' && !isBlank(c); c = peek()) {
            if (word.Text.size() < Word::KeptBytes)
                word.Text += static_cast<char>(c);
            else
                word.Cut = true;
            m_buffer.sbumpc();
        }
        if (word.Text.empty())
            return std::nullopt;
        return word;
    }

    std::uint64_t LineNumber() const { return m_lineNumber; }

private:
    // The blanks between words, as the C locale has them; a newline ends the line instead.
    static bool isBlank(int c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; }

    // The next byte without taking it. A read error ends the script and marks the stream bad, as getline would: the
    // buffer of a file reports one by throwing. Before waiting for more input the tied output is flushed, so that
    // someone typing a script sees each board as it is printed.
    int peek()
    {
        if (m_ended)
            return End;
        try {
            if (m_buffer.in_avail() <= 0 && m_script.tie())
                m_script.tie()->flush();
            const int c = m_buffer.sgetc();
            if (c == End) {
                m_ended = true;
                m_script.setstate(std::ios::eofbit);
            }
            return c;
        } catch (...) {
            m_ended = true;
            m_script.setstate(std::ios::badbit);
            return End;
        }
    }

    std::istream& m_script;
    std::streambuf& m_buffer;
    std::uint64_t m_lineNumber = 0;
    bool m_ended = false;
};

// One checked line: what to do, and how many presses, ticks or answers yes; or why the line is refused.
struct Command {
    enum Kind { Nothing, Press, Tick, End, State } Step = Nothing;
    std::uint64_t Count = 1;
    std::string Fault;
};

Command refused(std::string why) { return {Command::Nothing, 0, std::move(why)}; }

// Enough of a word to recognise it, and no more than fits a line of a terminal with the rest of the message.
constexpr std::size_t QuotedBytes = 40;

// A word as an error line shows it: cut short, and with every byte that could upset a terminal or hide itself
// (controls, DEL, anything not ASCII) written as \xNN, the backslash too so that the escapes read back unambiguously.
std::string quoted(const Word& word)
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
Command parseCount(Reader& reader, const char* name, Command::Kind step, std::uint64_t limit)
{
    const auto count = reader.NextWord();
    if (reader.NextWord())
        return refused(std::string("'") + name + "' takes at most one count");
    if (!count)
        return {step, 1, {}};
    std::uint64_t value = 0;
    const char* end = count->Text.data() + count->Text.size();
    const auto [stop, error] = std::from_chars(count->Text.data(), end, value);
    if (count->Cut || error != std::errc{} || stop != end || value == 0 || value > limit)
        return refused("count " + quoted(*count) + " is not a whole number from 1 to " + std::to_string(limit));
    return {step, value, {}};
}

// The answers are any number of yes and then one no; only how many yes there are is kept.
Command parseEnd(Reader& reader, std::uint64_t limit)
{
    Command end{Command::End, 0, {}};
    bool sawNo = false;
    bool anythingAfterNo = false;
    while (const auto word = reader.NextWord()) {
        if (!word->Is("yes") && !word->Is("no"))
            return refused("answer " + quoted(*word) + " is neither yes nor no");
        anythingAfterNo = anythingAfterNo || sawNo;
        if (word->Is("no"))
            sawNo = true;
        else
            ++end.Count;
    }
    if (!sawNo || anythingAfterNo)
        return refused("the answers to 'end' must end with exactly one 'no'");
    if (end.Count > limit)
        return refused("'end' takes at most " + std::to_string(limit) + " answers yes");
    return end;
}

Command parseLine(Reader& reader, std::uint64_t limit)
{
    const auto command = reader.NextWord();
    if (!command || command->Text.starts_with('#'))
        return {};
    if (command->Is("press"))
        return parseCount(reader, "press", Command::Press, limit);
    if (command->Is("tick"))
        return parseCount(reader, "tick", Command::Tick, limit);
    if (command->Is("end"))
        return parseEnd(reader, limit);
    if (command->Is("state"))
        return reader.NextWord() ? refused("'state' takes no arguments") : Command{Command::State, 1, {}};
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

    void play(const Command& command)
    {
        switch (command.Step) {
        case Command::Nothing: break;
        case Command::Press:
            for (std::uint64_t i = 0; i < command.Count && m_board.Button.Enabled; ++i)
                m_round.Press();
            break;
        case Command::Tick:
            for (std::uint64_t i = 0; i < command.Count && m_board.Degree.Enabled; ++i)
                m_round.SweepTick();
            break;
        case Command::End: end(command.Count); break;
        case Command::State: printState(); break;
        }
    }

private:
    void end(std::uint64_t yeses)
    {
        if (!m_board.Clock.Enabled)
            return;
        std::uint64_t asked = 0;
        m_round.EndRound([&](const std::string& text, const std::string& title) {
            const Answer answer = asked++ < yeses ? Answer::Yes : Answer::No;
            m_out << "prompt " << title << ": " << escaped(text) << '\n'
                  << "answer " << (answer == Answer::Yes ? "yes" : "no") << '\n';
            return answer;
        });
    }

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
    Reader reader(script);
    Player player(out);
    while (out && reader.NextLine()) {
        const Command command = parseLine(reader, countLimit);
        if (!command.Fault.empty())
            return ScriptFault{reader.LineNumber(), command.Fault};
        player.play(command);
    }
    return std::nullopt;
}
