// The plain control records of the board: what the rules set and the window draws.
#pragma once

#include <cstdint>
#include <string>

struct Colour {
    int Red = 0;
    int Green = 0;
    int Blue = 0;

    // The one-number form: red + 256 × green + 65536 × blue.
    constexpr std::int32_t value() const { return Red + 256 * Green + 65536 * Blue; }
    friend constexpr bool operator==(const Colour&, const Colour&) = default;
};

enum class Alignment { Left, Centre };

struct Font {
    std::string Name;
    double Points = 0;
    bool Italic = false;
    int Weight = 400;
    friend bool operator==(const Font&, const Font&) = default;
};

// Positions and sizes in twips from the top-left of the client area.
struct Rect {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
    friend constexpr bool operator==(const Rect&, const Rect&) = default;
};

struct Timer {
    bool Enabled = false;
    int Interval = 0;
    friend bool operator==(const Timer&, const Timer&) = default;
};

struct CommandButton {
    bool Enabled = true;
    std::string Caption;
    Rect Bounds;
    friend bool operator==(const CommandButton&, const CommandButton&) = default;
};

struct Label {
    std::string Caption;
    Rect Bounds;
    Colour BackColor;
    bool Opaque = true;
    bool AutoSize = false;
    Alignment Align = Alignment::Left;
    Font TextFont;
    friend bool operator==(const Label&, const Label&) = default;
};

struct Line {
    float X1 = 0;
    float Y1 = 0;
    float X2 = 0;
    float Y2 = 0;
    Colour BorderColor;
    int BorderWidthPixels = 1;
    friend bool operator==(const Line&, const Line&) = default;
};

struct Shape {
    Rect Bounds;
    Colour BackColor;
    friend bool operator==(const Shape&, const Shape&) = default;
};
