#include "TextEdit/TextLayout.h"

#include "Fonts/FontEngine.h"

namespace tb::te {

void Widths::set(short font, short size, short face) {
    for (int c = 0; c < 256; ++c) {
        unsigned char ch = static_cast<unsigned char>(c);
        w_[c] = (c == '\r' || c == '\n') ? 0 : tb::fonts::textWidth(font, size, face, &ch, 1);
    }
}

int Widths::of(const std::string& text, int from, int to) const {
    int sum = 0;
    for (int i = from; i < to; ++i) sum += w_[static_cast<unsigned char>(text[i])];
    return sum;
}

std::vector<int> breakLines(const std::string& text, const Widths& widths, int width) {
    std::vector<int> starts{0};
    const int n = static_cast<int>(text.size());
    int start = 0;
    while (start < n) {
        int x = 0, lastBreak = -1, i = start, end = -1;
        for (; i < n; ++i) {
            unsigned char c = static_cast<unsigned char>(text[i]);
            if (c == '\r') { end = i + 1; break; }
            if (c == ' ') { lastBreak = i + 1; x += widths.of(c); continue; } // blanks may hang
            x += widths.of(c);
            if (x > width && i > start) {
                end = lastBreak > start ? lastBreak : i;
                break;
            }
        }
        if (end < 0) end = n;
        // Blanks after a wrap stay on the line they follow.
        if (end < n && text[end - 1] != '\r')
            while (end < n && text[end] == ' ') ++end;
        if (end > n) end = n;
        starts.push_back(end);
        start = end;
    }
    return starts;
}

int visibleWidth(const std::string& text, int from, int to, const Widths& widths) {
    while (to > from && (text[to - 1] == '\r' || text[to - 1] == ' ')) --to;
    return widths.of(text, from, to);
}

int justifyOffset(short just, int boxWidth, int lineWidth) {
    if (just == 1) return (boxWidth - lineWidth) / 2;
    if (just == -1) return boxWidth - lineWidth;
    return 0;
}

} // namespace tb::te
