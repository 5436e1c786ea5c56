// The nine controls of the game window with their design values, in stacking order from the top.
#pragma once

#include "Controls.h"

struct Board {
    Timer Degree{.Enabled = false, .Interval = 100};
    Timer Clock{.Enabled = false, .Interval = 60000};
    CommandButton Button{.Enabled = true, .Caption = "Click Me", .Bounds = {0, 3000, 1455, 495}};
    Line Timor{.X1 = 1500, .Y1 = 1500, .X2 = 1500, .Y2 = 0,
               .BorderColor = {0, 0, 255}, .BorderWidthPixels = 8};
    Label Record{.Caption = "Record: 000 pushes",
                 .Bounds = {0, 3480, 3015, 495},
                 .BackColor = {255, 255, 0},
                 .Opaque = true,
                 .AutoSize = false,
                 .Align = Alignment::Centre,
                 .TextFont = {"Monotype Corsiva", 20.25, true, 400}};
    Line Meter{.X1 = 1500, .Y1 = 1500, .X2 = 1500, .Y2 = 0,
               .BorderColor = {0, 255, 255}, .BorderWidthPixels = 8};
    // The title keeps its top-left; the window sizes it to its text.
    Label Title{.Caption = "Tastenrenner",
                .Bounds = {405, 1200, 2205, 585},
                .BackColor = {255, 255, 255},
                .Opaque = false,
                .AutoSize = true,
                .Align = Alignment::Centre,
                .TextFont = {"Monotype Corsiva", 24, true, 400}};
    Label Score{.Caption = "000 pushes",
                .Bounds = {1560, 3000, 1455, 495},
                .BackColor = {255, 255, 0},
                .Opaque = true,
                .AutoSize = false,
                .Align = Alignment::Left,
                .TextFont = {"Monotype Corsiva", 18, true, 400}};
    Shape Background{.Bounds = {0, 0, 3000, 3000}, .BackColor = {0, 255, 0}};

    friend bool operator==(const Board&, const Board&) = default;
};
