// The text engine over a real window: wrapping, keys, selection by mouse, scrolling,
// the clipboard round trip, the length limit and what is drawn.
#include "HeadlessFixture.h"

#include "tb/Scrap.h"
#include "tb/TextEdit.h"

#include <string>

namespace {

class TextEditTest : public HeadlessTest {
protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        win = makeWindow(100, 100, 500, 400, "Text", documentProc);
        SetPortWindowPort(win);
        TextFont(4); // Monaco: every character has the same width
        TextSize(9);
        cw = CharWidth('a');
    }
    void TearDown() override {
        if (te) TEDispose(te);
        HeadlessTest::TearDown();
    }
    // A record whose lines wrap after `columns` characters, showing `rows` lines.
    TEHandle make(int columns, int rows, int left = 10, int top = 10) {
        TEHandle probe = TENew(&r0, &r0);
        int lh = (**probe).lineHeight;
        TEDispose(probe);
        Rect r{short(top), short(left), short(top + rows * lh), short(left + columns * cw)};
        te = TENew(&r, &r);
        return te;
    }
    std::string text() const {
        CharsHandle h = TEGetText(te);
        return std::string(*h, std::size_t((**te).teLength));
    }
    std::vector<int> starts() const {
        std::vector<int> v;
        for (int i = 0; i <= (**te).nLines; ++i) v.push_back((**te).lineStarts[i]);
        return v;
    }
    // Global screen point of character offset `at` on `line` (the middle of its cell).
    std::string pointOf(int line, int column) const {
        const TERec& r = **te;
        int h = win->contentGlobal().left + r.destRect.left + column * cw + 1;
        int v = win->contentGlobal().top + r.destRect.top + line * r.lineHeight + r.lineHeight / 2;
        return std::to_string(h) + " " + std::to_string(v);
    }
    void set(const std::string& s) { TESetText(s.data(), long(s.size()), te); }

    Rect r0{0, 0, 100, 100};
    WindowRef win = nullptr;
    TEHandle te = nullptr;
    int cw = 0;
};

TEST_F(TextEditTest, RecordTakesTheFontFromThePort) {
    make(20, 5);
    EXPECT_EQ((**te).txFont, 4);
    EXPECT_EQ((**te).txSize, 9);
    EXPECT_EQ((**te).inPort, GetWindowPort(win));
    EXPECT_GT((**te).lineHeight, (**te).fontAscent);
    EXPECT_GT(cw, 0);
}

TEST_F(TextEditTest, LinesWrapAtTheDestinationWidth) {
    struct Case {
        const char* text;
        std::vector<int> starts; // nLines + 1 entries
    } cases[] = {
        {"", {0}},
        {"\r", {0, 1}},                               // the empty line after a final CR is not counted
        {"ab\rcd\r", {0, 3, 6}},
        {"ab\r\rcd", {0, 3, 4, 6}},
        {"aaaa bbbb cccc", {0, 10, 14}},              // words wrap whole, the blank stays behind
        {"aaaa bbbbbb", {0, 5, 11}},
        {"abcdefghijklmnop", {0, 10, 16}},            // a word wider than a line is cut
        {"aaaa      bb", {0, 10, 12}},                // blanks may hang past the edge
        {"aaaaaaaaaa\rb", {0, 11, 12}},               // exactly full, then CR
    };
    make(10, 5);
    for (const Case& c : cases) {
        set(c.text);
        EXPECT_EQ(starts(), c.starts) << '"' << c.text << '"';
        EXPECT_EQ((**te).teLength, short(std::strlen(c.text)));
    }
    // Rewrapping follows a new destination width.
    set("aaaa bbbb cccc");
    (**te).destRect.right = short((**te).destRect.left + 5 * cw);
    TECalText(te);
    EXPECT_EQ(starts(), (std::vector<int>{0, 5, 10, 14}));
}

TEST_F(TextEditTest, KeysEditAndMoveTheCaret) {
    make(20, 5);
    for (char c : std::string("abc")) TEKey(c, te);
    TEKey('\r', te);
    TEKey('d', te);
    EXPECT_EQ(text(), "abc\rd");
    TEKey(30, te); // up: same column on the line above
    EXPECT_EQ((**te).selStart, 1);
    TEKey(28, te); // left
    TEKey(28, te);
    EXPECT_EQ((**te).selStart, 0);
    TEKey(31, te); // down
    EXPECT_EQ((**te).selStart, 4);
    TEKey(29, te); // right
    TEKey(29, te); // stays at the end
    EXPECT_EQ((**te).selStart, 5);
    TEKey(8, te);
    TEKey(8, te);
    EXPECT_EQ(text(), "abc");
    TESetSelect(1, 2, te);
    TEKey('X', te); // replaces the selection
    EXPECT_EQ(text(), "aXc");
    EXPECT_EQ((**te).selStart, 2);
    TEKey(1, te); // other control characters are ignored
    EXPECT_EQ(text(), "aXc");
    TESetSelect(9, -4, te); // out of range and reversed: clamped and ordered
    EXPECT_EQ((**te).selStart, 0);
    EXPECT_EQ((**te).selEnd, 3);
}

TEST_F(TextEditTest, InsertMovesTheSelectionAlongAndDeleteRemovesIt) {
    make(20, 5);
    set("hello");
    TESetSelect(32767, 32767, te);
    TEInsert(" world", 6, te);
    TEInsert("\r", 1, te);
    EXPECT_EQ(text(), "hello world\r");
    EXPECT_EQ((**te).selStart, 12);
    EXPECT_EQ((**te).nLines, 1);
    TESetSelect(0, 6, te);
    TEDelete(te);
    EXPECT_EQ(text(), "world\r");
    EXPECT_EQ((**te).selStart, 0);
    EXPECT_EQ((**te).selEnd, 0);
}

TEST_F(TextEditTest, ClickShiftClickAndDragSelect) {
    make(20, 5);
    set("first line\rsecond line\rthird");
    TEActivate(te);

    // A plain click puts the caret at the nearest character boundary.
    script("down " + pointOf(1, 3) + "\n");
    host->feedAll();
    Point local{short((**te).destRect.top + (**te).lineHeight + 2), short((**te).destRect.left + 3 * cw + 1)};
    script("up " + pointOf(1, 3) + "\n");
    TEClick(local, false, te);
    EXPECT_EQ((**te).selStart, 14);
    EXPECT_EQ((**te).selEnd, 14);

    // Shift-click extends from there.
    Point later{short((**te).destRect.top + 2 * (**te).lineHeight + 2), short((**te).destRect.left + 2 * cw + 1)};
    script("down " + pointOf(2, 2) + "\nup " + pointOf(2, 2) + "\n");
    host->feedAll();
    TEClick(later, true, te);
    EXPECT_EQ((**te).selStart, 14);
    EXPECT_EQ((**te).selEnd, 25);

    // A drag selects from the press to the release.
    Point press{short((**te).destRect.top + 2), short((**te).destRect.left + 6 * cw + 1)};
    script("down " + pointOf(0, 6) + "\n");
    host->feedAll();
    script("move " + pointOf(1, 2) + "\nup " + pointOf(1, 2) + "\n");
    TEClick(press, false, te);
    EXPECT_EQ((**te).selStart, 6);
    EXPECT_EQ((**te).selEnd, 13);

    // Two clicks at one place in quick succession pick the word there.
    Point inWord{short((**te).destRect.top + (**te).lineHeight + 2), short((**te).destRect.left + 2 * cw + 1)};
    for (int i = 0; i < 2; ++i) {
        script("down " + pointOf(1, 2) + "\nup " + pointOf(1, 2) + "\n");
        TEClick(inWord, false, te);
    }
    EXPECT_EQ((**te).selStart, 11);
    EXPECT_EQ((**te).selEnd, 17);
    // Later than a double click: a plain caret again.
    host->delay(60);
    script("down " + pointOf(1, 2) + "\nup " + pointOf(1, 2) + "\n");
    TEClick(inWord, false, te);
    EXPECT_EQ((**te).selStart, (**te).selEnd);
}

TEST_F(TextEditTest, DragPastTheViewScrollsButNotBeyondTheText) {
    make(20, 3);
    TEAutoView(true, te);
    std::string s;
    for (int i = 0; i < 10; ++i) s += "line " + std::to_string(i) + "\r";
    set(s);
    const TERec& r = **te;
    int lh = r.lineHeight;
    short top0 = r.destRect.top;
    // Hold the mouse below the view for many steps: the text scrolls up a line each step,
    // until its last (empty) line is at the bottom of the view.
    Point press{short(r.viewRect.top + 2), short(r.viewRect.left + 1)};
    script("down " + pointOf(0, 0) + "\n");
    host->feedAll();
    std::string below = std::to_string(win->contentGlobal().left + r.viewRect.left + 5) + " " +
                        std::to_string(win->contentGlobal().top + r.viewRect.bottom + 10);
    std::string lines;
    for (int i = 0; i < 20; ++i) lines += "move " + below + "\n";
    script(lines + "up " + below + "\n");
    TEClick(press, false, te);
    EXPECT_EQ(r.destRect.top, top0 - 8 * lh); // 11 lines (the empty last one too) in a 3-line view
    EXPECT_EQ(r.selStart, 0);
    EXPECT_EQ(r.selEnd, r.teLength);

    // And back up, stopping at the first line.
    std::string above = std::to_string(win->contentGlobal().left + r.viewRect.left + 5) + " " +
                        std::to_string(win->contentGlobal().top + r.viewRect.top - 10);
    script("down " + below + "\n");
    host->feedAll();
    lines.clear();
    for (int i = 0; i < 20; ++i) lines += "move " + above + "\n";
    script(lines + "up " + above + "\n");
    TEClick(Point{short(r.viewRect.bottom - 2), short(r.viewRect.left + 1)}, false, te);
    EXPECT_EQ(r.destRect.top, top0);
}

TEST_F(TextEditTest, SelViewAndScrollKeepTheCaretLineShown) {
    make(20, 3);
    TEAutoView(true, te);
    const TERec& r = **te;
    short top0 = r.destRect.top;
    for (int i = 0; i < 5; ++i) {
        TESetSelect(32767, 32767, te);
        TEInsert("x\r", 2, te);
    }
    // Five lines and the caret's empty line below them: the caret line is the view's last.
    EXPECT_EQ(r.destRect.top, top0 - 3 * r.lineHeight);
    TEScroll(0, short(3 * r.lineHeight), te);
    EXPECT_EQ(r.destRect.top, top0);
    TESelView(te);
    EXPECT_EQ(r.destRect.top, top0 - 3 * r.lineHeight);
    // Without automatic view nothing moves.
    TEAutoView(false, te);
    TEScroll(0, short(3 * r.lineHeight), te);
    TESelView(te);
    EXPECT_EQ(r.destRect.top, top0);
}

TEST_F(TextEditTest, CutCopyPasteRoundTripThroughTheHostClipboard) {
    make(30, 5);
    set("alpha\rbeta \xB5");
    TESetSelect(6, 12, te);
    TECopy(te);
    EXPECT_EQ(TEGetScrapLength(), 6);
    EXPECT_EQ(std::string(*TEScrapHandle(), 6), "beta \xB5");
    ASSERT_EQ(TEToScrap(), noErr);
    EXPECT_EQ(host->clipboardText(), "beta \xC2\xB5");

    TESetSelect(0, 6, te);
    TECut(te);
    EXPECT_EQ(text(), "beta \xB5");
    EXPECT_EQ(TEGetScrapLength(), 6);
    TEPaste(te);
    TEPaste(te);
    EXPECT_EQ(text(), "alpha\ralpha\rbeta \xB5");

    host->setClipboardText("one\ntwo");
    ASSERT_EQ(TEFromScrap(), noErr);
    EXPECT_EQ(TEGetScrapLength(), 7);
    TESetSelect(0, 32767, te);
    TEPaste(te);
    EXPECT_EQ(text(), "one\rtwo");
    EXPECT_EQ((**te).nLines, 2);

    host->setClipboardText("");
    EXPECT_EQ(TEFromScrap(), noTypeErr);
    EXPECT_EQ(TEGetScrapLength(), 7); // the private scrap keeps what it had
}

TEST_F(TextEditTest, TextThatWouldPassTheLimitIsRefusedWhole) {
    make(60, 5);
    std::string big(32760, 'a');
    set(big);
    TESetSelect(32767, 32767, te);
    TEInsert("12345678", 8, te); // 32768: refused
    EXPECT_EQ((**te).teLength, 32760);
    TEInsert("1234567", 7, te); // exactly 32767
    EXPECT_EQ((**te).teLength, 32767);
    TEKey('z', te);
    EXPECT_EQ((**te).teLength, 32767);
    EXPECT_EQ(text().back(), '7');
    // Replacing a selection only needs room for the difference.
    TESetSelect(0, 2, te);
    host->setClipboardText("xyz");
    TEFromScrap();
    TEPaste(te);
    EXPECT_EQ((**te).teLength, 32767);
    EXPECT_EQ(text().substr(0, 3), "aaa");
    TESetSelect(0, 3, te);
    TEPaste(te);
    EXPECT_EQ(text().substr(0, 4), "xyza");
    // TESetText keeps whole records only up to the limit.
    std::string huge(40000, 'b');
    set(huge);
    EXPECT_EQ((**te).teLength, 32767);
}

TEST_F(TextEditTest, SelectionIsHighlightedAndCaretShownOnlyWhenActive) {
    make(20, 3);
    set("abcdef");
    const TERec& r = **te;
    auto pixel = [&](int column, int dy) {
        OpaqueGrafPtr* p = GetWindowPort(win);
        int h = r.destRect.left + column * cw + cw / 2, v = r.destRect.top + dy;
        const std::uint8_t* px = &p->pixels[(std::size_t(v) * p->width + h) * 4];
        return std::array<int, 3>{px[0], px[1], px[2]};
    };
    const std::array<int, 3> white{255, 255, 255};
    TESetSelect(1, 3, te);
    TEUpdate(&r.viewRect, te);
    EXPECT_EQ(pixel(1, 1), white); // inactive: no highlight
    TEActivate(te);
    EXPECT_NE(pixel(1, 1), white);
    EXPECT_NE(pixel(2, 1), white);
    EXPECT_EQ(pixel(4, 1), white);
    TEDeactivate(te);
    EXPECT_EQ(pixel(1, 1), white);

    // The caret is a one-pixel line at the insertion point and blinks with TEIdle.
    TEActivate(te);
    TESetSelect(3, 3, te);
    OpaqueGrafPtr* p = GetWindowPort(win);
    auto at = [&](int h, int v) { return p->pixels[(std::size_t(v) * p->width + h) * 4]; };
    int cx = r.selPoint.h, cy = r.selPoint.v + 1;
    EXPECT_EQ(at(cx, cy), 0);
    host->delay(40);
    TEIdle(te);
    EXPECT_EQ(at(cx, cy), 255);
    host->delay(40);
    TEIdle(te);
    EXPECT_EQ(at(cx, cy), 0);
}

TEST_F(TextEditTest, TextBoxDrawsJustifiedLinesInsideItsBox) {
    const char* s = "ab";
    Rect box{20, 20, 40, 220};
    OpaqueGrafPtr* p = GetWindowPort(win);
    // Column of the leftmost and rightmost dark pixel inside the box.
    auto inkSpan = [&]() {
        int lo = 10000, hi = -1;
        for (int v = 0; v < p->height; ++v)
            for (int h = 0; h < p->width; ++h)
                if (p->pixels[(std::size_t(v) * p->width + h) * 4] < 128) {
                    EXPECT_TRUE(h >= box.left && h < box.right && v >= box.top && v < box.bottom);
                    lo = std::min(lo, h);
                    hi = std::max(hi, h);
                }
        return std::pair<int, int>{lo, hi};
    };
    TETextBox(s, 2, &box, teFlushDefault);
    auto left = inkSpan();
    EXPECT_LT(left.first, box.left + cw);
    TETextBox(s, 2, &box, teFlushRight);
    auto right = inkSpan();
    EXPECT_GT(right.second, box.right - cw);
    TETextBox(s, 2, &box, teCenter);
    auto mid = inkSpan();
    EXPECT_NEAR((mid.first + mid.second) / 2, (box.left + box.right) / 2, cw);
    // Text taller than the box is cut at its bottom.
    std::string many(400, 'x');
    TETextBox(many.data(), long(many.size()), &box, teFlushDefault);
    inkSpan();
    // An absurd box is drawn only where the port is; empty and reversed boxes draw nothing.
    Rect huge{-30000, -30000, 30000, 30000}, reversed{40, 220, 20, 20};
    TETextBox(s, 2, &huge, teCenter);
    EXPECT_EQ(p->pixels[0], 255);
    TETextBox(s, 2, &reversed, teFlushDefault);
}

} // namespace
