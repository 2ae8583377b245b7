// Line breaking and measuring for TextEdit records and text boxes.
#pragma once

#include "tb/Types.h"

#include <array>
#include <string>
#include <vector>

namespace tb::te {

// Character advances of one font, size and face.
class Widths {
public:
    void set(short font, short size, short face);
    int of(unsigned char c) const { return w_[c]; }
    int of(const std::string& text, int from, int to) const;

private:
    std::array<int, 256> w_{};
};

// Starts of the lines of text wrapped at width: the first is 0 and the last is the text's
// length. A CR ends its line; words wrap whole unless one alone is wider than a line.
// The empty line after a final CR is not included.
std::vector<int> breakLines(const std::string& text, const Widths& widths, int width);

// Width of a line without its final CR and without the blanks that hang past the wrap.
int visibleWidth(const std::string& text, int from, int to, const Widths& widths);

// Left shift of a line for a justification (teJustCenter 1, teJustRight -1, others 0).
int justifyOffset(short just, int boxWidth, int lineWidth);

} // namespace tb::te
