#include "Dialogs/DialogRecord.h"

#include "Controls/ControlRecord.h"
#include "Events/EventQueue.h"
#include "QuickDraw/Draw.h"
#include "Text/MacRoman.h"
#include "Windows/Compositor.h"
#include "Windows/WindowRecord.h"
#include "tb/Controls.h"
#include "tb/Driver.h"
#include "tb/Events.h"
#include "tb/Host.h"
#include "tb/Resources.h"
#include "tb/Windows.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <memory>
#include <ostream>

namespace {

using tb::dialogs::Item;

constexpr short kDialogSize = 12;
constexpr std::size_t kMaxFieldLength = 255;
constexpr RGBColor kFieldFrame{0x7000, 0x7000, 0x7000};

short gDialogFont = 0;
std::string gParams[4];

std::map<DialogRef, std::unique_ptr<OpaqueDialogPtr>>& registry() {
    static std::map<DialogRef, std::unique_ptr<OpaqueDialogPtr>> m;
    return m;
}
std::map<DialogRef, std::map<DialogItemIndex, std::function<void(const Rect&)>>>& userDrawers() {
    static std::map<DialogRef, std::map<DialogItemIndex, std::function<void(const Rect&)>>> m;
    return m;
}

Item* itemOf(DialogRef d, DialogItemIndex n) {
    if (!tb::dialogs::isDialog(d) || n < 1 || n > DialogItemIndex(d->items.size())) return nullptr;
    return &d->items[std::size_t(n - 1)];
}

// The dialog and item behind an item handle (the item's control).
bool findItem(Handle h, DialogRef* d, DialogItemIndex* n) {
    for (auto& [ref, rec] : registry())
        for (std::size_t i = 0; i < rec->items.size(); ++i)
            if (reinterpret_cast<Handle>(rec->items[i].control) == h) {
                *d = ref;
                *n = DialogItemIndex(i + 1);
                return true;
            }
    return false;
}

void releaseRecord(DialogRef d) {
    for (Item& item : d->items)
        if (item.te) TEDispose(item.te);
    userDrawers().erase(d);
    registry().erase(d);
}

void windowGoing(WindowRef w) {
    for (auto& [ref, rec] : registry())
        if (rec->window == w) {
            releaseRecord(ref);
            return;
        }
}

// Drawing a port other than the current one: QuickDraw text goes to the current port.
struct PortScope {
    explicit PortScope(GrafPtr port) {
        GetPort(&saved);
        SetPort(port);
    }
    ~PortScope() { SetPort(saved); }
    GrafPtr saved = nullptr;
};

void drawStaticText(DialogRef d, const Item& item) {
    PortScope scope(&d->window->port);
    std::string text = tb::dialogs::substituted(item.text);
    TETextBox(text.data(), long(text.size()), &item.rect, teFlushDefault);
}

void drawEditField(const Item& item) {
    if (!item.te) return;
    OpaqueGrafPtr* port = (**item.te).inPort;
    Rect frame = item.rect;
    InsetRect(&frame, -3, -3);
    tb::qd::fillRect(port, frame, port->backColor);
    tb::qd::frameRect(port, frame, kFieldFrame);
    TEUpdate(&item.rect, item.te);
}

void drawPicture(DialogRef d, const Item& item) {
    PortScope scope(&d->window->port);
    if (PicHandle pic = GetPicture(item.resID)) DrawPicture(pic, &item.rect);
}

void drawIcon(OpaqueGrafPtr* port, short icon) {
    // A stop octagon, a note circle or a caution triangle, 32 pixels at (20, 10).
    const int left = 20, top = 10;
    RGBColor colour = icon == kStopIcon ? RGBColor{0xD000, 0x1800, 0x1800}
                    : icon == kNoteIcon ? RGBColor{0x2000, 0x6000, 0xD000}
                                        : RGBColor{0xF000, 0xC000, 0x0000};
    for (int y = 0; y < 32; ++y) {
        int half;
        if (icon == kCautionIcon) half = y / 2;
        else if (icon == kNoteIcon) {
            int dy = 2 * y - 31;
            half = 0;
            while ((2 * half + 1) * (2 * half + 1) + dy * dy <= 32 * 32) ++half;
        } else half = std::min({16, 6 + y, 6 + 31 - y});
        tb::qd::fillRect(port, Rect{short(top + y), short(left + 16 - half), short(top + y + 1), short(left + 16 + half)}, colour);
    }
    const unsigned char mark = icon == kNoteIcon ? 'i' : '!';
    tb::qd::drawText(port, left + 13, top + 25, 0, 18, 1, RGBColor{0xFFFF, 0xFFFF, 0xFFFF}, &mark, 1);
}

void drawItem(DialogRef d, DialogItemIndex n) {
    Item* item = itemOf(d, n);
    if (!item || item->hidden) return;
    switch (item->type) {
    case kStaticTextDialogItem: drawStaticText(d, *item); break;
    case kEditTextDialogItem: drawEditField(*item); break;
    case kPictureDialogItem: drawPicture(d, *item); break;
    case kUserDialogItem: {
        auto& drawers = userDrawers()[d];
        if (auto it = drawers.find(n); it != drawers.end()) it->second(item->rect);
        break;
    }
    default: break;
    }
}

void focusOn(DialogRef d, DialogItemIndex n) {
    if (d->focus == n) return;
    if (Item* old = itemOf(d, d->focus); old && old->te) TEDeactivate(old->te);
    d->focus = n;
    if (Item* now = itemOf(d, n); now && now->te) TEActivate(now->te);
}

// The next visible edit field after the focused one, wrapping around; 0 when none.
DialogItemIndex nextField(DialogRef d) {
    DialogItemIndex count = DialogItemIndex(d->items.size());
    for (DialogItemIndex step = 1; step <= count; ++step) {
        DialogItemIndex n = DialogItemIndex((std::max<int>(d->focus, 0) + step - 1) % count + 1);
        const Item& item = d->items[std::size_t(n - 1)];
        if (item.type == kEditTextDialogItem && !item.hidden) return n;
    }
    return 0;
}

bool isButtonLike(const Item& item) {
    return item.type == kButtonDialogItem || item.type == kCheckBoxDialogItem || item.type == kRadioButtonDialogItem;
}

// Shows a button pressed for a moment, as a key that chooses it does.
void flash(DialogRef d, DialogItemIndex n) {
    Item* item = itemOf(d, n);
    if (!item || !item->control || item->type != kButtonDialogItem) return;
    HiliteControl(item->control, kControlButtonPart);
    tb::screen::present();
    if (tb::host()) tb::host()->delay(8);
    HiliteControl(item->control, 0);
}

DialogRef frontDialog() {
    for (WindowRef w : tb::wm::windowList())
        if (w->visible) {
            if (DialogRef d = GetDialogFromWindow(w)) return d;
        }
    // A hidden dialog can still be run (it is shown by whoever calls ModalDialog).
    for (WindowRef w : tb::wm::windowList())
        if (DialogRef d = GetDialogFromWindow(w)) return d;
    return nullptr;
}

void updateCursor(DialogRef d) {
    if (!d->tracksCursor || !tb::host()) return;
    Point m = tb::host()->mouse();
    Point local{short(m.v - d->window->port.origin.v), short(m.h - d->window->port.origin.h)};
    bool overField = false;
    for (const Item& item : d->items) {
        Rect r = item.rect;
        if (item.type == kEditTextDialogItem && !item.hidden && PtInRect(local, &r)) overField = true;
    }
    SetThemeCursor(overField ? kThemeIBeamCursor : kThemeArrowCursor);
}

// The dialog's own answer to an event; true with *itemHit set when an item was hit.
bool handleEvent(DialogRef d, EventRecord& e, DialogItemIndex* itemHit) {
    switch (e.what) {
    case updateEvt: {
        WindowRef w = reinterpret_cast<WindowRef>(e.message);
        BeginUpdate(w);
        if (w == d->window) DrawDialog(d);
        EndUpdate(w);
        return false;
    }
    case mouseDown: {
        WindowRef w = nullptr;
        short part = FindWindow(e.where, &w);
        if (w != d->window) {
            tb::events::endTracking();
            return false;
        }
        if (part == inDrag) {
            DragWindow(w, e.where, nullptr);
            return false;
        }
        if (part != inContent) {
            tb::events::endTracking();
            return false;
        }
        Point local{short(e.where.v - w->port.origin.v), short(e.where.h - w->port.origin.h)};
        DialogItemIndex n = tb::dialogs::itemAt(d, local);
        Item* item = itemOf(d, n);
        if (!item) {
            tb::events::endTracking();
            return false;
        }
        if (item->type == kEditTextDialogItem) {
            focusOn(d, n);
            TEClick(local, (e.modifiers & shiftKey) != 0, item->te);
        } else if (isButtonLike(*item) && item->control) {
            if (TrackControl(item->control, local, nullptr) == kControlNoPart) return false;
        } else if (item->type != kUserDialogItem) {
            tb::events::endTracking();
        }
        // User items track the mouse themselves after the hit is reported.
        if (item->disabled) return false;
        *itemHit = n;
        return true;
    }
    case keyDown:
    case autoKey: {
        unsigned char ch = static_cast<unsigned char>(e.message & charCodeMask);
        if (ch == '\t') {
            DialogItemIndex next = nextField(d);
            if (next) {
                focusOn(d, next);
                TESetSelect(0, 32767, d->items[std::size_t(next - 1)].te);
            }
            return false;
        }
        if (e.modifiers & cmdKey) return false;
        Item* field = itemOf(d, d->focus);
        if (!field || !field->te || field->hidden) return false;
        const TERec& r = **field->te;
        bool adds = ch >= 0x20 && ch != 0x7F;
        // A field never holds more than a Pascal string does.
        if (adds && std::size_t(r.teLength - (r.selEnd - r.selStart)) >= kMaxFieldLength) return false;
        if (ch == '\r' || ch == 3) return false;
        TEKey(ch, field->te);
        if (field->disabled) return false;
        *itemHit = d->focus;
        return true;
    }
    case activateEvt:
        if (reinterpret_cast<WindowRef>(e.message) == d->window)
            if (Item* field = itemOf(d, d->focus); field && field->te) {
                if (e.modifiers & activeFlag) TEActivate(field->te);
                else TEDeactivate(field->te);
            }
        return false;
    default:
        return false;
    }
}

const char* alertNamer(WindowRef w) {
    DialogRef d = GetDialogFromWindow(w);
    return d && d->alert ? "alert" : nullptr;
}

const char* kindName(const Item& item) {
    switch (item.type) {
    case kButtonDialogItem: return "button";
    case kEditTextDialogItem: return "edit";
    case kStaticTextDialogItem: return "static";
    case kPictureDialogItem: return "picture";
    default: return "other";
    }
}

bool printDialog(const tb::driver::Words& args, std::ostream& out) {
    if (!args.empty()) return false;
    DialogRef d = nullptr;
    for (WindowRef w : tb::wm::windowList())
        if (w->visible && (d = GetDialogFromWindow(w))) break;
    if (!d) return true;
    for (std::size_t i = 0; i < d->items.size(); ++i) {
        const Item& item = d->items[i];
        if (item.hidden) continue;
        out << "item: " << i + 1 << " " << kindName(item) << " "
            << tb::driver::quoted(tb::text::macRomanToUtf8(tb::dialogs::itemText(item), true)) << "\n";
    }
    return true;
}

const bool gRegistered = [] {
    tb::wm::addDisposeObserver(windowGoing);
    tb::driver::addWindowKindNamer(alertNamer);
    tb::driver::registerPrintSubject("dialog", printDialog);
    return true;
}();

std::string pascal(ConstStr255Param s) {
    return s ? std::string(reinterpret_cast<const char*>(s + 1), s[0]) : std::string();
}

void toPascal(const std::string& s, Str255 out) {
    std::size_t n = std::min<std::size_t>(s.size(), 255);
    out[0] = UInt8(n);
    std::memcpy(out + 1, s.data(), n);
}

// Reads 'DITL' id into items; false when it is missing or cut short.
bool readItemList(short id, std::vector<tb::res::DialogItemSpec>& items) {
    const tb::res::Bytes* ditl = tb::findResourceData(FOUR_CHAR("DITL"), id);
    if (!ditl) return false;
    tb::res::Reader ir(ditl->data(), ditl->size());
    items.assign(ir.u16(), tb::res::DialogItemSpec{});
    for (tb::res::DialogItemSpec& item : items) {
        item.type = ir.u8();
        item.rect = ir.rect();
        item.text = ir.pstr();
        item.resID = ir.s16();
    }
    return ir.ok();
}

} // namespace

// ---- shared with the colour picker -------------------------------------------------------

namespace tb::dialogs {

bool isDialog(DialogRef d) { return d && registry().count(d); }

std::string substituted(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '^' && i + 1 < text.size() && text[i + 1] >= '0' && text[i + 1] <= '3') {
            out += gParams[text[i + 1] - '0'];
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

std::string itemText(const Item& item) {
    if (item.type == kEditTextDialogItem && item.te) {
        CharsHandle h = TEGetText(item.te);
        return std::string(*h, std::size_t((**item.te).teLength));
    }
    if (item.type == kStaticTextDialogItem) return substituted(item.text);
    if (item.type == kPictureDialogItem || item.type == kUserDialogItem) return std::string();
    return item.text;
}

DialogItemIndex cancelAnswer(DialogRef d) {
    if (d->cancelItem) return d->cancelItem;
    if (d->defaultItem) return d->defaultItem;
    return 1;
}

DialogItemIndex itemAt(DialogRef d, Point local) {
    for (std::size_t i = 0; i < d->items.size(); ++i) {
        const Item& item = d->items[i];
        Rect r = item.rect;
        if (item.type == kEditTextDialogItem) InsetRect(&r, -3, -3);
        if (!item.hidden && PtInRect(local, &r)) return DialogItemIndex(i + 1);
    }
    return 0;
}

void setUserItemDrawer(DialogRef d, DialogItemIndex n, std::function<void(const Rect&)> draw) {
    if (!itemOf(d, n)) return;
    userDrawers()[d][n] = std::move(draw);
    if (d->window->visible) drawItem(d, n);
}

DialogRef newDialog(const Rect& bounds, const std::string& title, short procID, bool visible,
                    WindowRef behind, const std::vector<res::DialogItemSpec>& specs) {
    (void)gRegistered;
    Str255 t;
    toPascal(title, t);
    WindowRef w = NewCWindow(nullptr, &bounds, t, false, procID, behind, false, 0);
    if (!w) return nullptr;
    SetWindowKind(w, dialogKind);
    auto rec = std::make_unique<OpaqueDialogPtr>();
    rec->window = w;
    DialogRef d = rec.get();
    registry()[d] = std::move(rec);

    PortScope scope(&w->port);
    TextFont(gDialogFont);
    TextSize(kDialogSize);
    for (const res::DialogItemSpec& spec : specs) {
        Item item;
        item.type = DialogItemType(spec.type & ~kItemDisableBit);
        item.disabled = (spec.type & kItemDisableBit) != 0;
        item.rect = spec.rect;
        item.text = spec.text.substr(0, 255);
        item.resID = spec.resID;
        Str255 itemTitle;
        toPascal(item.text, itemTitle);
        short proc = -1;
        if (item.type == kButtonDialogItem) proc = pushButProc;
        else if (item.type == kCheckBoxDialogItem) proc = checkBoxProc;
        else if (item.type == kRadioButtonDialogItem) proc = radioButProc;
        if (proc >= 0) {
            item.control = NewControl(w, &item.rect, itemTitle, true, 0, 0, 1, proc, 0);
        } else {
            short kind = item.type == kEditTextDialogItem ? kControlEditTextProc
                       : item.type == kStaticTextDialogItem ? kControlStaticTextProc
                       : item.type == kPictureDialogItem ? kControlPictureProc : kControlUserPaneProc;
            item.control = NewControl(w, &item.rect, itemTitle, true, 0, 0, 0, kind, 0);
        }
        if (item.type == kEditTextDialogItem) {
            Rect r = item.rect;
            item.te = TENew(&r, &r);
            TESetText(item.text.data(), long(item.text.size()), item.te);
        }
        d->items.push_back(std::move(item));
    }
    // Custom items draw themselves through the dialog, by their number.
    for (std::size_t i = 0; i < d->items.size(); ++i) {
        ControlRef c = d->items[i].control;
        if (!c || c->kind != OpaqueControlRef::Kind::custom) continue;
        DialogItemIndex n = DialogItemIndex(i + 1);
        c->draw = [d, n](ControlRef) { drawItem(d, n); };
        c->customPart = d->items[i].type == kEditTextDialogItem ? kControlEditTextPart : kControlButtonPart;
        c->dialogItem = &d->items[i];
    }
    // The first edit field starts with the focus and all its text selected.
    for (std::size_t i = 0; i < d->items.size(); ++i)
        if (d->items[i].type == kEditTextDialogItem) {
            TESetSelect(0, 32767, d->items[i].te);
            focusOn(d, DialogItemIndex(i + 1));
            break;
        }
    DrawDialog(d);
    if (visible) ShowWindow(w);
    return d;
}

} // namespace tb::dialogs

using tb::dialogs::isDialog;

// ---- the operations ----------------------------------------------------------------------

void SetDialogFont(SInt16 fontNum) { gDialogFont = fontNum; }

DialogRef GetNewDialog(SInt16 dialogID, void*, WindowRef behind) {
    const tb::res::Bytes* dlog = tb::findResourceData(FOUR_CHAR("DLOG"), dialogID);
    if (!dlog) return nullptr;
    tb::res::Reader r(dlog->data(), dlog->size());
    Rect bounds = r.rect();
    short procID = r.s16();
    bool visible = r.u16() != 0;
    r.u16(); // goAway: dialogs here have no close box
    SInt32 refCon = r.s32();
    short itemsID = r.s16();
    std::string title = r.pstr();
    if (!r.ok()) return nullptr;
    std::vector<tb::res::DialogItemSpec> items;
    if (!readItemList(itemsID, items)) return nullptr;
    DialogRef d = tb::dialogs::newDialog(bounds, title, procID, visible, behind, items);
    if (d) SetWRefCon(d->window, refCon);
    return d;
}

void DisposeDialog(DialogRef dialog) {
    if (!isDialog(dialog)) return;
    DisposeWindow(dialog->window); // the window's going releases the record
}

WindowRef GetDialogWindow(DialogRef dialog) { return isDialog(dialog) ? dialog->window : nullptr; }
CGrafPtr GetDialogPort(DialogRef dialog) { return isDialog(dialog) ? &dialog->window->port : nullptr; }
void SetPortDialogPort(DialogRef dialog) {
    if (isDialog(dialog)) SetPort(&dialog->window->port);
}

DialogRef GetDialogFromWindow(WindowRef window) {
    if (!window) return nullptr;
    for (auto& [ref, rec] : registry())
        if (rec->window == window) return ref;
    return nullptr;
}

void DrawDialog(DialogRef d) {
    if (!isDialog(d)) return;
    OpaqueGrafPtr* port = &d->window->port;
    tb::qd::fillRect(port, port->portRect, port->backColor);
    if (d->icon >= 0) drawIcon(port, d->icon);
    DrawControls(d->window);
}

OSErr SetDialogDefaultItem(DialogRef d, DialogItemIndex newItem) {
    if (!isDialog(d)) return paramErr;
    if (Item* old = itemOf(d, d->defaultItem); old && old->control) {
        old->control->isDefault = false;
        DrawDialog(d);
    }
    d->defaultItem = newItem;
    if (Item* now = itemOf(d, newItem); now && now->control && now->type == kButtonDialogItem) {
        now->control->isDefault = true;
        Draw1Control(now->control);
    }
    return noErr;
}

OSErr SetDialogCancelItem(DialogRef d, DialogItemIndex newItem) {
    if (!isDialog(d)) return paramErr;
    d->cancelItem = newItem;
    return noErr;
}

OSErr SetDialogTracksCursor(DialogRef d, Boolean tracks) {
    if (!isDialog(d)) return paramErr;
    d->tracksCursor = tracks;
    return noErr;
}

void GetDialogItem(DialogRef d, DialogItemIndex itemNo, DialogItemType* itemType, Handle* item, Rect* box) {
    Item* it = itemOf(d, itemNo);
    if (itemType) *itemType = it ? DialogItemType(it->type | (it->disabled ? kItemDisableBit : 0)) : 0;
    if (item) *item = it ? reinterpret_cast<Handle>(it->control) : nullptr;
    if (box) *box = it ? it->rect : Rect{0, 0, 0, 0};
}

OSErr GetDialogItemAsControl(DialogRef d, SInt16 itemNo, ControlRef* outControl) {
    if (!outControl) return paramErr;
    Item* it = itemOf(d, itemNo);
    *outControl = it ? it->control : nullptr;
    return it ? noErr : -30600; // errItemNotControl
}

DialogItemIndex CountDITL(DialogRef d) { return isDialog(d) ? DialogItemIndex(d->items.size()) : 0; }

void SetDialogItemText(Handle itemHandle, ConstStr255Param text) {
    DialogRef d = nullptr;
    DialogItemIndex n = 0;
    if (!text || !findItem(itemHandle, &d, &n)) return;
    Item& item = d->items[std::size_t(n - 1)];
    std::string s = pascal(text);
    if (item.te) {
        TESetText(s.data(), long(s.size()), item.te);
        if (d->focus == n) TESetSelect(0, 32767, item.te);
    } else {
        item.text = s;
        if (item.control && item.control->kind != OpaqueControlRef::Kind::custom) SetControlTitle(item.control, text);
    }
    if (!item.hidden) drawItem(d, n);
}

void GetDialogItemText(Handle itemHandle, Str255 text) {
    if (!text) return;
    text[0] = 0;
    DialogRef d = nullptr;
    DialogItemIndex n = 0;
    if (!findItem(itemHandle, &d, &n)) return;
    const Item& item = d->items[std::size_t(n - 1)];
    toPascal(item.te ? tb::dialogs::itemText(item) : item.text, text);
}

void HideDialogItem(DialogRef d, DialogItemIndex itemNo) {
    Item* item = itemOf(d, itemNo);
    if (!item || item->hidden) return;
    item->hidden = true;
    if (item->control) HideControl(item->control);
    // What lay under the item (a field's frame reaches past its rectangle) is drawn again.
    DrawDialog(d);
    if (d->focus == itemNo) {
        DialogItemIndex next = nextField(d);
        focusOn(d, next == itemNo ? 0 : next);
    }
}

void ShowDialogItem(DialogRef d, DialogItemIndex itemNo) {
    Item* item = itemOf(d, itemNo);
    if (!item || !item->hidden) return;
    item->hidden = false;
    if (item->control) ShowControl(item->control);
    drawItem(d, itemNo);
}

void SelectDialogItemText(DialogRef d, DialogItemIndex itemNo, SInt16 strtSel, SInt16 endSel) {
    Item* item = itemOf(d, itemNo);
    if (!item || !item->te) return;
    focusOn(d, itemNo);
    TESetSelect(strtSel, endSel, item->te);
}

DialogItemIndex GetDialogKeyboardFocusItem(DialogRef d) { return isDialog(d) ? d->focus : 0; }

Boolean StdFilterProc(DialogRef d, EventRecord* e, DialogItemIndex* itemHit) {
    if (!isDialog(d) || !e || !itemHit) return false;
    if (e->what != keyDown && e->what != autoKey) return false;
    unsigned char ch = static_cast<unsigned char>(e->message & charCodeMask);
    int code = int((e->message & keyCodeMask) >> 8);
    auto choose = [&](DialogItemIndex n) {
        Item* item = itemOf(d, n);
        if (!item || item->hidden) return false;
        flash(d, n);
        *itemHit = n;
        return true;
    };
    if ((ch == '\r' || ch == 3) && d->defaultItem) return choose(d->defaultItem);
    bool cmdPeriod = (e->modifiers & cmdKey) && ch == '.';
    if ((ch == 27 || code == tb::kVKEscape || cmdPeriod) && d->cancelItem) return choose(d->cancelItem);
    return false;
}

OSErr GetStdFilterProc(ModalFilterUPP* theProc) {
    if (!theProc) return paramErr;
    *theProc = StdFilterProc;
    return noErr;
}

void ModalDialog(ModalFilterUPP modalFilter, DialogItemIndex* itemHit) {
    DialogItemIndex dummy = 0;
    if (!itemHit) itemHit = &dummy;
    *itemHit = 0;
    DialogRef d = frontDialog();
    if (!d) return;
    ModalFilterUPP filter = modalFilter ? modalFilter : StdFilterProc;
    // High-level events wait for the program's own loop.
    const EventMask mask = EventMask(everyEvent & ~highLevelEventMask);
    for (;;) {
        if (Item* field = itemOf(d, d->focus); field && field->te) TEIdle(field->te);
        updateCursor(d);
        EventRecord e{};
        // A short sleep keeps a live host from spinning while the user thinks.
        bool got = WaitNextEvent(mask, &e, 2, nullptr);
        if (!got) {
            if (!tb::host() || tb::host()->inputEnded()) {
                *itemHit = tb::dialogs::cancelAnswer(d);
                return;
            }
            e = tb::events::makeEvent(nullEvent, 0);
        }
        DialogItemIndex hit = 0;
        if (filter(d, &e, &hit)) {
            *itemHit = hit;
            return;
        }
        if (got && handleEvent(d, e, &hit)) {
            *itemHit = hit;
            return;
        }
    }
}

void ParamText(ConstStr255Param param0, ConstStr255Param param1, ConstStr255Param param2, ConstStr255Param param3) {
    ConstStr255Param p[4] = {param0, param1, param2, param3};
    for (int i = 0; i < 4; ++i)
        if (p[i]) gParams[i] = pascal(p[i]);
}

namespace {

DialogItemIndex runAlert(SInt16 alertID, ModalFilterUPP filter, short icon) {
    const tb::res::Bytes* alrt = tb::findResourceData(FOUR_CHAR("ALRT"), alertID);
    if (!alrt) return -1;
    tb::res::Reader r(alrt->data(), alrt->size());
    Rect frame = r.rect();
    short itemsID = r.s16();
    std::vector<tb::res::DialogItemSpec> items;
    if (!r.ok() || !readItemList(itemsID, items) || items.empty()) return -1;

    // Centred across the main screen, in the upper third of what lies below the menu bar.
    int w = std::clamp(frame.right - frame.left, 40, 2000), h = std::clamp(frame.bottom - frame.top, 30, 2000);
    int sw = tb::host() ? tb::host()->screenWidth() : 1280, sh = tb::host() ? tb::host()->screenHeight() : 1024;
    int bar = GetMBarHeight();
    int left = std::max(0, (sw - w) / 2), top = bar + std::max(0, (sh - bar - h) / 3);
    Rect bounds{short(top), short(left), short(top + h), short(left + w)};
    DialogRef d = tb::dialogs::newDialog(bounds, "", dBoxProc, false, kFirstWindowOfClass, items);
    if (!d) return -1;
    d->alert = true;
    d->icon = icon;
    SetDialogDefaultItem(d, 1);
    if (items.size() >= 2 && (items[1].type & ~kItemDisableBit) == kButtonDialogItem) SetDialogCancelItem(d, 2);
    DrawDialog(d);
    ShowWindow(d->window);
    SelectWindow(d->window);
    SetThemeCursor(kThemeArrowCursor);
    GrafPtr saved = nullptr;
    GetPort(&saved);
    DialogItemIndex hit = 0;
    do {
        ModalDialog(filter, &hit);
    } while (hit <= 0);
    GrafPtr alertPort = &d->window->port;
    DisposeDialog(d);
    // The port may have been the alert's; it is gone now.
    if (saved != alertPort) SetPort(saved);
    return hit;
}

} // namespace

DialogItemIndex Alert(SInt16 alertID, ModalFilterUPP modalFilter) { return runAlert(alertID, modalFilter, -1); }
DialogItemIndex StopAlert(SInt16 alertID, ModalFilterUPP modalFilter) { return runAlert(alertID, modalFilter, kStopIcon); }
DialogItemIndex NoteAlert(SInt16 alertID, ModalFilterUPP modalFilter) { return runAlert(alertID, modalFilter, kNoteIcon); }
DialogItemIndex CautionAlert(SInt16 alertID, ModalFilterUPP modalFilter) { return runAlert(alertID, modalFilter, kCautionIcon); }
