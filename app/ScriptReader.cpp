// Reads a replay script a word at a time straight from the stream's buffer, keeping only the start of each word.
#include "ScriptReader.h"

#include <ostream>

namespace {

constexpr int End = std::char_traits<char>::eof();

// The blanks between words, as the C locale has them; a newline ends the line instead.
bool isBlank(int c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; }

}

ScriptReader::ScriptReader(std::istream& script) : m_script(script), m_buffer(*script.rdbuf()) {}

// The next byte without taking it. A read error ends the script and marks the stream bad, as getline would: the
// buffer of a file reports one by throwing. Before waiting for more input the tied output is flushed, so that
// someone typing a script sees each board as it is printed.
int ScriptReader::peek()
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

bool ScriptReader::NextLine()
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

void ScriptReader::skipBlanks()
{
    while (isBlank(peek()))
        m_buffer.sbumpc();
}

std::optional<ScriptWord> ScriptReader::NextWord()
{
    skipBlanks();
    ScriptWord word;
    for (int c = peek(); c != End && c != '\n' && !isBlank(c); c = peek()) {
        if (word.Text.size() < ScriptWord::KeptBytes)
            word.Text += static_cast<char>(c);
        else
            word.Cut = true;
        m_buffer.sbumpc();
    }
    if (word.Text.empty())
        return std::nullopt;
    return word;
}
