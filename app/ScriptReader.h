// Reads a replay script a word at a time, in bounded memory however long its lines and words are.
#pragma once

#include <cstddef>
#include <cstdint>
#include <istream>
#include <optional>
#include <string>

struct ScriptWord {
    static constexpr std::size_t KeptBytes = 64;

    std::string Text;  // the word's first KeptBytes bytes at most
    bool Cut = false;  // the word goes on past Text

    bool Is(const char* word) const { return !Cut && Text == word; }
};

class ScriptReader {
public:
    explicit ScriptReader(std::istream& script);

    // Moves to the start of the next line, past whatever is left of this one; false at the end of the script.
    bool NextLine();
    // The next word of the current line, or nothing once the line has no more.
    std::optional<ScriptWord> NextWord();
    std::uint64_t LineNumber() const { return m_lineNumber; }

private:
    int peek();
    void skipBlanks();

    std::istream& m_script;
    std::streambuf& m_buffer;
    std::uint64_t m_lineNumber = 0;
    bool m_ended = false;
};
