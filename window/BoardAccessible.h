// What a screen reader finds on the board: the button, and the painted dial and labels as objects of their own.
#pragma once

class Main;

enum class PaintedControl { Dial, Title, Score, Record };

// Lets assistive technology see the painted controls of every game window.
void installBoardAccessibility();

// Tells a listening screen reader that a painted label now reads differently.
void announceTextChange(Main& window, PaintedControl control);
