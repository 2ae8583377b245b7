#include "tb/TextEdit.h"

#include "Events/EventQueue.h"
#include "Memory/HandleTable.h"
#include "QuickDraw/Draw.h"
#include "TextEdit/TextLayout.h"
#include "tb/Events.h"
#include "Fonts/FontEngine.h"
#include "tb/Host.h"
#include "tb/Memory.h"
#include "tb/Scrap.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <map>
#include <memory>
#include <string>

namespace {

constexpr UInt32 kCaretTicks = 32;
constexpr UInt32 kDoubleClickTicks = 30;
constexpr RGBColor kHilite{0xB400, 0xD500, 0xFE00};

struct TEObject {
    TERec* master = nullptr; // what the TEHandle points at
    std::unique_ptr<TERec> rec = std::make_unique<TERec>();
    std::string text;
    tb::te::Widths widths;
    std::vector<int> starts{0};
};

std::map<TEHandle, std::unique_ptr<TEObject>>& records() {
    static std::map<TEHandle, std::unique_ptr<TEObject>> m;
    return m;
}

TEObject* objectOf(TEHandle h) {
    auto it = records().find(h);
    return it == records().end() ? nullptr : it->second.get();
}

std::string& privateScrap() {
    static std::string s;
    return s;
}
Handle gScrapHandle = nullptr;

void syncScrapHandle() {
    const std::string& s = privateScrap();
    if (!gScrapHandle) gScrapHandle = tb::memory::allocate(Size(s.size()));
    else tb::memory::resize(gScrapHandle, Size(s.size()));
    if (gScrapHandle && !s.empty()) std::memcpy(*gScrapHandle, s.data(), s.size());
}

// ---- layout ------------------------------------------------------------------------------

int lastLine(const TEObject& o) {
    const TERec& r = *o.rec;
    // The empty line after a final CR can hold the caret.
    if (!o.text.empty() && o.text.back() == '\r') return r.nLines;
    return std::max(0, r.nLines - 1);
}

int lineOf(const TEObject& o, int offset) {
    const std::vector<int>& s = o.starts;
    int n = o.rec->nLines;
    if (offset >= o.rec->teLength) return lastLine(o);
    int line = int(std::upper_bound(s.begin(), s.begin() + n, offset) - s.begin()) - 1;
    return std::clamp(line, 0, std::max(0, n - 1));
}

int lineStart(const TEObject& o, int line) { return line < int(o.starts.size()) ? o.starts[line] : o.rec->teLength; }
int lineEnd(const TEObject& o, int line) { return line + 1 < int(o.starts.size()) ? o.starts[line + 1] : o.rec->teLength; }

int lineLeft(const TEObject& o, int line) {
    const TERec& r = *o.rec;
    int w = tb::te::visibleWidth(o.text, lineStart(o, line), lineEnd(o, line), o.widths);
    return r.destRect.left + tb::te::justifyOffset(r.just, r.destRect.right - r.destRect.left, w);
}

int lineTop(const TEObject& o, int line) { return o.rec->destRect.top + line * o.rec->lineHeight; }

int xOf(const TEObject& o, int offset) {
    int line = lineOf(o, offset);
    int s = lineStart(o, line);
    return lineLeft(o, line) + o.widths.of(o.text, s, std::min(offset, lineEnd(o, line)));
}

int offsetAt(const TEObject& o, Point pt) {
    const TERec& r = *o.rec;
    int lh = std::max<int>(1, r.lineHeight);
    int dv = pt.v - r.destRect.top;
    int line = dv < 0 ? 0 : dv / lh;
    line = std::clamp(line, 0, lastLine(o));
    int s = lineStart(o, line), e = lineEnd(o, line);
    if (line >= r.nLines) return r.teLength;
    // The caret may not stand after a line's CR, nor after the blank a wrapped line ends
    // with (that place is the next line's start).
    int limit = e;
    if (e > s && (o.text[e - 1] == '\r' || (e < r.teLength && o.text[e - 1] == ' '))) limit = e - 1;
    int x = lineLeft(o, line);
    for (int i = s; i < limit; ++i) {
        int w = o.widths.of(static_cast<unsigned char>(o.text[i]));
        if (pt.h < x + (w + 1) / 2) return i;
        x += w;
    }
    return limit;
}

void syncRecord(TEObject& o) {
    TERec& r = *o.rec;
    r.teLength = short(o.text.size());
    if (r.hText) {
        tb::memory::resize(r.hText, Size(o.text.size()));
        if (!o.text.empty()) std::memcpy(*r.hText, o.text.data(), o.text.size());
    }
    r.selStart = short(std::clamp<int>(r.selStart, 0, r.teLength));
    r.selEnd = short(std::clamp<int>(r.selEnd, r.selStart, r.teLength));
    int line = lineOf(o, r.selStart);
    r.selPoint = Point{short(lineTop(o, line)), short(xOf(o, r.selStart))};
    r.selRect = Rect{r.selPoint.v, r.selPoint.h, short(r.selPoint.v + r.lineHeight), short(r.selPoint.h + 1)};
}

void recalc(TEObject& o) {
    TERec& r = *o.rec;
    int width = std::max(1, r.destRect.right - r.destRect.left);
    o.starts = tb::te::breakLines(o.text, o.widths, width);
    r.nLines = short(o.starts.size() - 1);
    std::fill(r.lineStarts, r.lineStarts + r.nLines + 1, 0);
    for (std::size_t i = 0; i < o.starts.size() && i < sizeof r.lineStarts / sizeof r.lineStarts[0]; ++i)
        r.lineStarts[i] = short(o.starts[i]);
    syncRecord(o);
}

// ---- drawing -----------------------------------------------------------------------------

void draw(TEObject& o, Rect area) {
    TERec& r = *o.rec;
    OpaqueGrafPtr* port = r.inPort;
    if (!port) return;
    Rect clip;
    if (!SectRect(&area, &r.viewRect, &clip)) return;
    Rect store{0, 0, short(port->height), short(port->width)};
    if (!SectRect(&clip, &store, &clip)) return;

    // Drawn off screen first, so nothing spills outside the view.
    OpaqueGrafPtr buf;
    buf.resize(clip.right - clip.left, clip.bottom - clip.top);
    const int ox = clip.left, oy = clip.top;
    tb::qd::fillRect(&buf, Rect{0, 0, short(buf.height), short(buf.width)}, port->backColor);

    int lh = std::max<int>(1, r.lineHeight);
    int first = std::max(0, (clip.top - r.destRect.top) / lh);
    int last = std::min(lastLine(o), (clip.bottom - r.destRect.top) / lh);
    bool hilite = r.active && r.selStart < r.selEnd;
    for (int line = first; line <= last; ++line) {
        int s = lineStart(o, line), e = lineEnd(o, line);
        int top = lineTop(o, line), left = lineLeft(o, line);
        if (hilite && r.selStart < e + (line == lastLine(o) ? 1 : 0) && r.selEnd > s) {
            int a = std::max<int>(r.selStart, s), b = std::min<int>(r.selEnd, e);
            int x0 = left + o.widths.of(o.text, s, a);
            int x1 = left + o.widths.of(o.text, s, b);
            // A selection that runs on past the line fills it to the right edge.
            if (r.selEnd > e || (b == e && e > s && o.text[e - 1] == '\r')) x1 = std::max<int>(x1, r.destRect.right);
            tb::qd::fillRect(&buf, Rect{short(top - oy), short(x0 - ox), short(top + lh - oy), short(x1 - ox)}, kHilite);
        }
        int n = e - s;
        while (n > 0 && o.text[s + n - 1] == '\r') --n;
        if (n > 0)
            tb::qd::drawText(&buf, left - ox, top + r.fontAscent - oy, r.txFont, r.txSize, r.txFace, port->foreColor,
                             reinterpret_cast<const unsigned char*>(o.text.data()) + s, n);
    }
    if (r.active && r.caretState && r.selStart == r.selEnd) {
        int x = r.selPoint.h, top = r.selPoint.v;
        tb::qd::fillRect(&buf, Rect{short(top - oy), short(x - ox), short(top + lh - oy), short(x + 1 - ox)},
                         port->foreColor);
    }
    tb::qd::blit(&buf, Rect{0, 0, short(buf.height), short(buf.width)}, port, clip);
    tb::qd::screenChanged();
}

void redraw(TEObject& o) { draw(o, o.rec->viewRect); }

void showCaretNow(TEObject& o) {
    o.rec->caretState = 1;
    o.rec->caretTime = tb::host() ? tb::host()->ticks() : 0;
}

void selView(TEObject& o) {
    TERec& r = *o.rec;
    int line = lineOf(o, r.selStart);
    int top = lineTop(o, line), bottom = top + r.lineHeight;
    int dv = 0;
    if (top < r.viewRect.top) dv = r.viewRect.top - top;
    else if (bottom > r.viewRect.bottom) dv = -std::min(bottom - r.viewRect.bottom, top - r.viewRect.top);
    if (dv) TEScroll(0, short(dv), reinterpret_cast<TEHandle>(&o.master));
}

void afterEdit(TEObject& o) {
    recalc(o);
    showCaretNow(o);
    if (o.rec->autoView) selView(o);
    redraw(o);
}

// Replaces the selection; false (and nothing changed) when the text would grow too long.
bool replaceSelection(TEObject& o, const char* text, long length) {
    TERec& r = *o.rec;
    if (length < 0) return false;
    long keep = long(o.text.size()) - (r.selEnd - r.selStart);
    if (keep + length > teMaxLength) return false;
    o.text.replace(std::size_t(r.selStart), std::size_t(r.selEnd - r.selStart), text ? text : "", std::size_t(length));
    r.selStart = r.selEnd = short(r.selStart + length);
    return true;
}

bool isWordChar(unsigned char c) { return std::isalnum(c) || c == '_' || c >= 0x80; }

} // namespace

// ---- the operations ----------------------------------------------------------------------

TEHandle TENew(const Rect* destRect, const Rect* viewRect) {
    if (!destRect || !viewRect) return nullptr;
    auto o = std::make_unique<TEObject>();
    o->master = o->rec.get();
    TERec& r = *o->rec;
    std::memset(&r, 0, sizeof r);
    r.destRect = *destRect;
    r.viewRect = *viewRect;
    GrafPtr port = nullptr;
    GetPort(&port);
    r.inPort = port;
    r.txFont = port ? port->txFont : 0;
    r.txSize = port ? port->txSize : 0;
    r.txFace = port ? Style(port->txFace) : Style(0);
    r.just = teJustLeft;
    r.hText = tb::memory::allocate(0);
    tb::fonts::Metrics m = tb::fonts::metrics(r.txFont, tb::qd::effectiveSize(r.txSize), r.txFace);
    r.fontAscent = m.ascent;
    r.lineHeight = short(m.ascent + m.descent + m.leading);
    o->widths.set(r.txFont, tb::qd::effectiveSize(r.txSize), r.txFace);
    r.clickLoc = -1;
    TEHandle h = reinterpret_cast<TEHandle>(&o->master);
    TEObject& ref = *o;
    records()[h] = std::move(o);
    recalc(ref);
    return h;
}

void TEDispose(TEHandle hTE) {
    TEObject* o = objectOf(hTE);
    if (!o) return;
    if (o->rec->hText) tb::memory::release(o->rec->hText);
    records().erase(hTE);
}

void TESetText(const void* text, long length, TEHandle hTE) {
    TEObject* o = objectOf(hTE);
    if (!o || length < 0 || (length > 0 && !text)) return;
    o->text.assign(static_cast<const char*>(text), std::size_t(std::min<long>(length, teMaxLength)));
    o->rec->selStart = o->rec->selEnd = short(o->text.size());
    recalc(*o);
}

CharsHandle TEGetText(TEHandle hTE) {
    TEObject* o = objectOf(hTE);
    return o ? reinterpret_cast<CharsHandle>(o->rec->hText) : nullptr;
}

void TEInsert(const void* text, long length, TEHandle hTE) {
    TEObject* o = objectOf(hTE);
    if (!o || length <= 0 || !text) return;
    TERec& r = *o->rec;
    if (long(o->text.size()) + length > teMaxLength) return;
    o->text.insert(std::size_t(r.selStart), static_cast<const char*>(text), std::size_t(length));
    r.selStart = short(r.selStart + length);
    r.selEnd = short(r.selEnd + length);
    afterEdit(*o);
}

void TEDelete(TEHandle hTE) {
    TEObject* o = objectOf(hTE);
    if (!o) return;
    TERec& r = *o->rec;
    if (r.selStart == r.selEnd) return;
    o->text.erase(std::size_t(r.selStart), std::size_t(r.selEnd - r.selStart));
    r.selEnd = r.selStart;
    afterEdit(*o);
}

void TESetSelect(long selStart, long selEnd, TEHandle hTE) {
    TEObject* o = objectOf(hTE);
    if (!o) return;
    long n = long(o->text.size());
    selStart = std::clamp(selStart, 0L, n);
    selEnd = std::clamp(selEnd, 0L, n);
    if (selEnd < selStart) std::swap(selStart, selEnd);
    o->rec->selStart = short(selStart);
    o->rec->selEnd = short(selEnd);
    syncRecord(*o);
    showCaretNow(*o);
    redraw(*o);
}

void TEKey(short key, TEHandle hTE) {
    TEObject* o = objectOf(hTE);
    if (!o) return;
    TERec& r = *o->rec;
    unsigned char c = static_cast<unsigned char>(key & 0xFF);
    int caret = r.selStart;
    switch (c) {
    case 28: // left
        caret = r.selStart < r.selEnd ? r.selStart : std::max(0, r.selStart - 1);
        break;
    case 29: // right
        caret = r.selStart < r.selEnd ? r.selEnd : std::min<int>(r.teLength, r.selEnd + 1);
        break;
    case 30: case 31: { // up, down: same place on the next line over
        int line = lineOf(*o, c == 30 ? r.selStart : r.selEnd) + (c == 30 ? -1 : 1);
        int x = xOf(*o, c == 30 ? r.selStart : r.selEnd);
        if (line < 0) caret = 0;
        else if (line > lastLine(*o)) caret = r.teLength;
        else caret = offsetAt(*o, Point{short(lineTop(*o, line)), short(x)});
        break;
    }
    case 8: // backspace
        if (r.selStart == r.selEnd && r.selStart > 0) --r.selStart;
        if (r.selStart < r.selEnd) {
            o->text.erase(std::size_t(r.selStart), std::size_t(r.selEnd - r.selStart));
            r.selEnd = r.selStart;
        }
        afterEdit(*o);
        return;
    case 0x7F: // forward delete
        if (r.selStart == r.selEnd && r.selEnd < r.teLength) ++r.selEnd;
        if (r.selStart < r.selEnd) {
            o->text.erase(std::size_t(r.selStart), std::size_t(r.selEnd - r.selStart));
            r.selEnd = r.selStart;
        }
        afterEdit(*o);
        return;
    default: {
        if (c != '\r' && c != '\t' && c < 0x20) return; // other control characters do nothing
        char ch = char(c);
        if (replaceSelection(*o, &ch, 1)) afterEdit(*o);
        return;
    }
    }
    r.selStart = r.selEnd = short(caret);
    syncRecord(*o);
    showCaretNow(*o);
    if (r.autoView) selView(*o);
    redraw(*o);
}

void TEClick(Point pt, Boolean extend, TEHandle hTE) {
    TEObject* o = objectOf(hTE);
    if (!o) return;
    TERec& r = *o->rec;
    UInt32 now = tb::host() ? tb::host()->ticks() : 0;
    int at = offsetAt(*o, pt);
    bool dbl = !extend && at == r.clickLoc && now - r.clickTime <= kDoubleClickTicks;
    int anchorA, anchorB; // the fixed part of the selection while dragging
    if (extend && r.selStart < r.selEnd) {
        // Extends from the end farther from the click.
        int mid = (r.selStart + r.selEnd) / 2;
        anchorA = anchorB = at < mid ? r.selEnd : r.selStart;
    } else if (extend) {
        anchorA = anchorB = r.selStart;
    } else if (dbl) {
        anchorA = at;
        anchorB = at;
        while (anchorA > 0 && isWordChar(static_cast<unsigned char>(o->text[anchorA - 1]))) --anchorA;
        while (anchorB < r.teLength && isWordChar(static_cast<unsigned char>(o->text[anchorB]))) ++anchorB;
    } else {
        anchorA = anchorB = at;
    }
    auto select = [&](int pos) {
        int s = std::min(anchorA, pos), e = std::max(anchorB, pos);
        r.selStart = short(s);
        r.selEnd = short(e);
        syncRecord(*o);
        showCaretNow(*o);
        redraw(*o);
    };
    select(at);
    r.clickLoc = short(at);
    r.clickTime = now;

    OpaqueGrafPtr* port = r.inPort;
    while (tb::events::trackStep()) {
        if (!port || !tb::host()) break;
        Point m = tb::host()->mouse();
        Point local{short(m.v - port->origin.v), short(m.h - port->origin.h)};
        // Past the top or bottom of the view the text scrolls a line at a time, but never
        // beyond its first or last line.
        int lh = r.lineHeight;
        if (local.v < r.viewRect.top && r.destRect.top < r.viewRect.top)
            TEScroll(0, short(std::min(lh, r.viewRect.top - r.destRect.top)), hTE);
        else if (local.v >= r.viewRect.bottom) {
            int textBottom = lineTop(*o, lastLine(*o)) + lh;
            if (textBottom > r.viewRect.bottom) TEScroll(0, short(-std::min(lh, textBottom - r.viewRect.bottom)), hTE);
        }
        select(offsetAt(*o, local));
    }
    tb::events::endTracking();
}

void TEActivate(TEHandle hTE) {
    TEObject* o = objectOf(hTE);
    if (!o) return;
    o->rec->active = 1;
    showCaretNow(*o);
    redraw(*o);
}

void TEDeactivate(TEHandle hTE) {
    TEObject* o = objectOf(hTE);
    if (!o) return;
    o->rec->active = 0;
    o->rec->caretState = 0;
    redraw(*o);
}

void TEIdle(TEHandle hTE) {
    TEObject* o = objectOf(hTE);
    if (!o || !o->rec->active || !tb::host()) return;
    TERec& r = *o->rec;
    UInt32 now = tb::host()->ticks();
    if (now - r.caretTime < kCaretTicks) return;
    r.caretTime = now;
    r.caretState = !r.caretState;
    if (r.selStart == r.selEnd) draw(*o, r.selRect);
}

void TEUpdate(const Rect* rUpdate, TEHandle hTE) {
    TEObject* o = objectOf(hTE);
    if (!o || !rUpdate) return;
    draw(*o, *rUpdate);
}

void TEScroll(short dh, short dv, TEHandle hTE) {
    TEObject* o = objectOf(hTE);
    if (!o || (dh == 0 && dv == 0)) return;
    OffsetRect(&o->rec->destRect, dh, dv);
    syncRecord(*o);
    redraw(*o);
}

void TESelView(TEHandle hTE) {
    TEObject* o = objectOf(hTE);
    if (o && o->rec->autoView) selView(*o);
}

void TEAutoView(Boolean fAuto, TEHandle hTE) {
    if (TEObject* o = objectOf(hTE)) o->rec->autoView = fAuto ? 1 : 0;
}

void TESetAlignment(short just, TEHandle hTE) {
    if (TEObject* o = objectOf(hTE)) {
        o->rec->just = just;
        syncRecord(*o);
    }
}

void TECalText(TEHandle hTE) {
    if (TEObject* o = objectOf(hTE)) recalc(*o);
}

short TEGetOffset(Point pt, TEHandle hTE) {
    TEObject* o = objectOf(hTE);
    return o ? short(offsetAt(*o, pt)) : 0;
}

Point TEGetPoint(short offset, TEHandle hTE) {
    TEObject* o = objectOf(hTE);
    if (!o) return Point{0, 0};
    int off = std::clamp<int>(offset, 0, o->rec->teLength);
    int line = lineOf(*o, off);
    // The classic answer is the baseline below the character's left edge.
    return Point{short(lineTop(*o, line) + o->rec->fontAscent), short(xOf(*o, off))};
}

void TECopy(TEHandle hTE) {
    TEObject* o = objectOf(hTE);
    if (!o) return;
    TERec& r = *o->rec;
    privateScrap() = o->text.substr(std::size_t(r.selStart), std::size_t(r.selEnd - r.selStart));
    syncScrapHandle();
}

void TECut(TEHandle hTE) {
    TEObject* o = objectOf(hTE);
    if (!o) return;
    TECopy(hTE);
    TEDelete(hTE);
}

void TEPaste(TEHandle hTE) {
    TEObject* o = objectOf(hTE);
    if (!o) return;
    const std::string& s = privateScrap();
    if (replaceSelection(*o, s.data(), long(s.size()))) afterEdit(*o);
}

OSErr TEFromScrap() {
    ScrapRef scrap = nullptr;
    if (GetCurrentScrap(&scrap) != noErr) return noScrapErr;
    Size n = 0;
    if (GetScrapFlavorSize(scrap, kScrapFlavorTypeText, &n) != noErr) return noTypeErr;
    std::string s(std::size_t(n), '\0');
    if (GetScrapFlavorData(scrap, kScrapFlavorTypeText, &n, s.data()) != noErr) return noTypeErr;
    s.resize(std::size_t(n));
    if (s.size() > std::size_t(teMaxLength)) s.resize(teMaxLength);
    privateScrap() = std::move(s);
    syncScrapHandle();
    return noErr;
}

OSErr TEToScrap() {
    ScrapRef scrap = nullptr;
    if (ClearCurrentScrap() != noErr || GetCurrentScrap(&scrap) != noErr) return noScrapErr;
    const std::string& s = privateScrap();
    return OSErr(PutScrapFlavor(scrap, kScrapFlavorTypeText, 0, Size(s.size()), s.data()));
}

long TEGetScrapLength() { return long(privateScrap().size()); }

void TESetScrapLength(long length) {
    privateScrap().resize(std::size_t(std::clamp<long>(length, 0, teMaxLength)));
    syncScrapHandle();
}

Handle TEScrapHandle() {
    syncScrapHandle();
    return gScrapHandle;
}

void TETextBox(const void* text, long length, const Rect* box, short just) {
    if (!box) return;
    GrafPtr port = nullptr;
    GetPort(&port);
    if (!port) return;
    Rect b = *box;
    if (b.right <= b.left || b.bottom <= b.top) return;
    tb::qd::fillRect(port, b, port->backColor);
    if (!text || length <= 0) return;
    std::string s(static_cast<const char*>(text), std::size_t(std::min<long>(length, teMaxLength)));
    short size = tb::qd::effectiveSize(port->txSize);
    tb::te::Widths widths;
    widths.set(port->txFont, size, port->txFace);
    tb::fonts::Metrics m = tb::fonts::metrics(port->txFont, size, port->txFace);
    int lh = m.ascent + m.descent + m.leading;
    std::vector<int> starts = tb::te::breakLines(s, widths, b.right - b.left);
    // Lines are laid out in the whole box but drawn off screen only where the port is.
    Rect store{0, 0, short(port->height), short(port->width)}, clip;
    if (!SectRect(&b, &store, &clip)) return;
    OpaqueGrafPtr buf;
    buf.resize(clip.right - clip.left, clip.bottom - clip.top);
    tb::qd::fillRect(&buf, Rect{0, 0, short(buf.height), short(buf.width)}, port->backColor);
    const int ox = clip.left - b.left, oy = clip.top - b.top;
    for (std::size_t i = 0; i + 1 < starts.size(); ++i) {
        int from = starts[i], to = starts[i + 1];
        int top = int(i) * lh;
        if (top >= b.bottom - b.top || top - oy >= buf.height) break;
        if (top + lh <= oy) continue;
        int w = tb::te::visibleWidth(s, from, to, widths);
        int x = tb::te::justifyOffset(just, b.right - b.left, w);
        int n = to - from;
        while (n > 0 && s[from + n - 1] == '\r') --n;
        tb::qd::drawText(&buf, x - ox, top + m.ascent - oy, port->txFont, size, port->txFace, port->foreColor,
                         reinterpret_cast<const unsigned char*>(s.data()) + from, n);
    }
    tb::qd::blit(&buf, Rect{0, 0, short(buf.height), short(buf.width)}, port, clip);
}
