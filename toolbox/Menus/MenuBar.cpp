#include "Menus/MenuRecord.h"

#include "Events/EventQueue.h"
#include "Faults/Faults.h"
#include "Fonts/FontEngine.h"
#include "Memory/HandleTable.h"
#include "QuickDraw/Draw.h"
#include "Text/MacRoman.h"
#include "Windows/Compositor.h"
#include "Windows/WindowRecord.h"
#include "tb/AppleEvents.h"
#include "tb/Driver.h"
#include "tb/Host.h"
#include "tb/Processes.h"
#include "tb/Resources.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <memory>
#include <ostream>

namespace {

using Item = OpaqueMenuRef::Item;

constexpr short kFont = 0;
constexpr short kSize = 12;
constexpr int kBarHeight = tb::wm::kMenuBarHeight;
constexpr int kTitlePad = 8;
constexpr int kItemHeight = 18;
constexpr int kSeparatorHeight = 8;
constexpr int kMarkColumn = 18;
constexpr RGBColor kBlack{0, 0, 0};
constexpr RGBColor kWhite{0xFFFF, 0xFFFF, 0xFFFF};
constexpr RGBColor kGray{0x8C00, 0x8C00, 0x8C00};
constexpr RGBColor kShadow{0x4000, 0x4000, 0x4000};
constexpr RGBColor kSelected{0x2600, 0x4A00, 0xB000};

std::map<short, std::unique_ptr<OpaqueMenuRef>>& menusByResource() {
    static std::map<short, std::unique_ptr<OpaqueMenuRef>> m;
    return m;
}
// Each GetNewMBar handle and the menus it names, in bar order.
std::map<Handle, std::vector<MenuRef>>& menuLists() {
    static std::map<Handle, std::vector<MenuRef>> m;
    return m;
}
std::vector<MenuRef> gBar;
MenuID gHilite = 0;

bool isMenu(MenuRef m) {
    if (!m) return false;
    for (auto& [id, p] : menusByResource())
        if (p.get() == m) return true;
    return false;
}

std::string programName() {
    ProcessSerialNumber psn;
    Str31 name{};
    ProcessInfoRec info{};
    info.processInfoLength = sizeof info;
    info.processName = name;
    if (GetCurrentProcess(&psn) == noErr && GetProcessInformation(&psn, &info) == noErr && name[0])
        return std::string(reinterpret_cast<const char*>(name + 1), name[0]);
    return "Ilvaron";
}

// What a menu shows: its own items, and in the application menu a separator and Quit.
std::vector<Item> shownItems(const OpaqueMenuRef& m) {
    std::vector<Item> items = m.items;
    if (m.appMenu) {
        Item sep;
        sep.text = "-";
        sep.enabled = false;
        Item quit;
        quit.text = "Quit " + programName();
        quit.key = 'Q';
        items.push_back(sep);
        items.push_back(quit);
    }
    return items;
}
bool isQuitItem(const OpaqueMenuRef& m, int item) { return m.appMenu && item == int(m.items.size()) + 2; }

std::string titleOf(const OpaqueMenuRef& m) { return m.appMenu ? programName() : m.title; }
short titleFace(const OpaqueMenuRef& m) { return m.appMenu ? tb::fonts::faceBold : 0; }

int width(const std::string& s, short face = 0) {
    return tb::fonts::textWidth(kFont, kSize, face, reinterpret_cast<const unsigned char*>(s.data()), int(s.size()));
}

std::string keyLabel(unsigned char key) {
    return "Ctrl+" + std::string(1, char(std::toupper(key)));
}

// ---- layout ------------------------------------------------------------------------------

struct TitleBox {
    int left, right;
};

std::vector<TitleBox> titleBoxes() {
    std::vector<TitleBox> boxes;
    int x = 6;
    for (MenuRef m : gBar) {
        int w = width(titleOf(*m), titleFace(*m)) + 2 * kTitlePad;
        boxes.push_back({x, x + w});
        x += w;
    }
    return boxes;
}

int itemHeight(const Item& item) { return item.separator() ? kSeparatorHeight : kItemHeight; }

struct MenuBox {
    Rect frame;             // global, inside the border
    std::vector<int> tops;  // of each item
};

MenuBox menuBox(int index) {
    MenuBox box;
    const OpaqueMenuRef& m = *gBar[std::size_t(index)];
    std::vector<Item> items = shownItems(m);
    int w = width(titleOf(m), titleFace(m)) + 2 * kTitlePad;
    int h = 0;
    for (const Item& item : items) {
        int iw = kMarkColumn + width(item.text) + 16;
        if (item.key) iw += 24 + width(keyLabel(item.key));
        w = std::max(w, iw);
        box.tops.push_back(h);
        h += itemHeight(item);
    }
    int left = titleBoxes()[std::size_t(index)].left;
    int screenW = tb::host() ? tb::host()->screenWidth() : 1280;
    if (left + w + 3 > screenW) left = std::max(0, screenW - w - 3);
    box.frame = Rect{short(kBarHeight), short(left), short(kBarHeight + h + 2), short(left + w + 2)};
    for (int& t : box.tops) t += kBarHeight + 1;
    return box;
}

// ---- drawing -----------------------------------------------------------------------------

struct Tracking {
    int menu = -1; // index in gBar of the pulled-down menu
    int item = 0;  // highlighted item, 1-based; 0 for none
};
Tracking gTrack;
bool gTracking = false;

void text(OpaqueGrafPtr* s, int h, int v, const std::string& str, RGBColor c, short face = 0) {
    tb::qd::drawText(s, h, v, kFont, kSize, face, c, reinterpret_cast<const unsigned char*>(str.data()), int(str.size()));
}

void paintBar(OpaqueGrafPtr* s) {
    tb::qd::fillRect(s, Rect{0, 0, short(kBarHeight - 1), short(s->width)}, kWhite);
    tb::qd::fillRect(s, Rect{short(kBarHeight - 1), 0, short(kBarHeight), short(s->width)}, kBlack);
    std::vector<TitleBox> boxes = titleBoxes();
    for (std::size_t i = 0; i < gBar.size(); ++i) {
        const OpaqueMenuRef& m = *gBar[i];
        bool hot = (gTracking && gTrack.menu == int(i)) || (!gTracking && gHilite && m.id == gHilite);
        if (hot) tb::qd::fillRect(s, Rect{0, short(boxes[i].left), short(kBarHeight - 1), short(boxes[i].right)}, kSelected);
        RGBColor c = hot ? kWhite : (m.enabled ? kBlack : kGray);
        text(s, boxes[i].left + kTitlePad, 15, titleOf(m), c, titleFace(m));
    }
}

void drawCheck(OpaqueGrafPtr* s, int left, int top, RGBColor c) {
    // A tick drawn with lines: MacRoman has no check-mark character.
    for (int d = 0; d < 2; ++d) {
        tb::qd::drawLine(s, Point{short(top + 9 + d), short(left + 4)}, Point{short(top + 12 + d), short(left + 7)}, c);
        tb::qd::drawLine(s, Point{short(top + 12 + d), short(left + 7)}, Point{short(top + 5 + d), short(left + 13)}, c);
    }
}

void paintOpenMenu(OpaqueGrafPtr* s) {
    if (!gTracking || gTrack.menu < 0 || gTrack.menu >= int(gBar.size())) return;
    const OpaqueMenuRef& m = *gBar[std::size_t(gTrack.menu)];
    MenuBox box = menuBox(gTrack.menu);
    Rect f = box.frame;
    tb::qd::fillRect(s, Rect{short(f.top + 3), f.right, short(f.bottom + 2), short(f.right + 2)}, kShadow);
    tb::qd::fillRect(s, Rect{f.bottom, short(f.left + 3), short(f.bottom + 2), short(f.right + 2)}, kShadow);
    tb::qd::fillRect(s, f, kWhite);
    tb::qd::frameRect(s, f, kBlack);
    std::vector<Item> items = shownItems(m);
    for (std::size_t i = 0; i < items.size(); ++i) {
        const Item& item = items[i];
        int top = box.tops[i];
        if (item.separator()) {
            tb::qd::fillRect(s, Rect{short(top + kSeparatorHeight / 2), short(f.left + 1),
                                     short(top + kSeparatorHeight / 2 + 1), short(f.right - 1)}, kGray);
            continue;
        }
        bool enabled = m.enabled && item.enabled;
        bool hot = enabled && gTrack.item == int(i) + 1;
        if (hot) tb::qd::fillRect(s, Rect{short(top), short(f.left + 1), short(top + kItemHeight), short(f.right - 1)}, kSelected);
        RGBColor c = hot ? kWhite : (enabled ? kBlack : kGray);
        if (item.mark == checkMark) drawCheck(s, f.left, top, c);
        else if (item.mark) text(s, f.left + 5, top + 13, std::string(1, char(item.mark)), c);
        text(s, f.left + kMarkColumn, top + 13, item.text, c, short(item.style & 7));
        if (item.key) {
            std::string k = keyLabel(item.key);
            text(s, f.right - 10 - width(k), top + 13, k, c);
        }
    }
}

// ---- tracking ----------------------------------------------------------------------------

int titleAt(Point pt) {
    if (pt.v < 0 || pt.v >= kBarHeight) return -1;
    std::vector<TitleBox> boxes = titleBoxes();
    for (std::size_t i = 0; i < boxes.size(); ++i)
        if (pt.h >= boxes[i].left && pt.h < boxes[i].right) return int(i);
    return -1;
}

// The enabled item under pt in the pulled-down menu, or 0.
int itemAt(Point pt) {
    if (gTrack.menu < 0) return 0;
    MenuBox box = menuBox(gTrack.menu);
    if (!PtInRect(pt, &box.frame)) return 0;
    const OpaqueMenuRef& m = *gBar[std::size_t(gTrack.menu)];
    std::vector<Item> items = shownItems(m);
    for (std::size_t i = 0; i < items.size(); ++i) {
        int top = box.tops[i];
        if (pt.v >= top && pt.v < top + itemHeight(items[i]))
            return (m.enabled && items[i].enabled && !items[i].separator()) ? int(i) + 1 : 0;
    }
    return 0;
}

void follow(Point pt) {
    int t = titleAt(pt);
    if (t >= 0) {
        gTrack.menu = t;
        gTrack.item = 0;
    } else {
        gTrack.item = itemAt(pt);
    }
    tb::qd::screenChanged();
}

long commandOf(int menuIndex, int item) {
    if (menuIndex < 0 || item <= 0) return 0;
    const OpaqueMenuRef& m = *gBar[std::size_t(menuIndex)];
    if (isQuitItem(m, item)) {
        tb::postQuitApplicationEvent();
        return 0;
    }
    return (long(UInt16(m.id)) << 16) | long(UInt16(item));
}

// ---- driver ------------------------------------------------------------------------------

bool printMenus(const tb::driver::Words& args, std::ostream& out) {
    if (!args.empty()) return false;
    for (MenuRef m : gBar) {
        std::vector<Item> items = shownItems(*m);
        for (std::size_t i = 0; i < items.size(); ++i) {
            const Item& item = items[i];
            out << "menu: " << m->id << " " << i + 1 << " " << (item.mark ? "check" : "-") << " "
                << (m->enabled && item.enabled ? "enabled" : "disabled") << " "
                << tb::driver::quoted(tb::text::macRomanToUtf8(item.text, false)) << "\n";
        }
    }
    return true;
}

bool parseNumber(const std::string& s, long& v) {
    if (s.empty()) return false;
    char* end = nullptr;
    v = std::strtol(s.c_str(), &end, 10);
    return end && *end == '\0';
}

bool chooseCommand(const tb::driver::Words& args, tb::driver::Input& input) {
    long menuID = 0, item = 0;
    if (args.size() != 2 || !parseNumber(args[0], menuID) || !parseNumber(args[1], item)) return false;
    auto it = std::find_if(gBar.begin(), gBar.end(), [&](MenuRef m) { return m->id == menuID; });
    if (it == gBar.end()) return false;
    int index = int(it - gBar.begin());
    std::vector<Item> items = shownItems(**it);
    if (item < 1 || item > long(items.size())) return false;
    TitleBox t = titleBoxes()[std::size_t(index)];
    MenuBox box = menuBox(index);
    int tx = (t.left + t.right) / 2, ty = kBarHeight / 2;
    int ix = (box.frame.left + box.frame.right) / 2;
    int iy = box.tops[std::size_t(item - 1)] + itemHeight(items[std::size_t(item - 1)]) / 2;
    input.down(tx, ty);
    input.move(ix, iy);
    input.up(ix, iy);
    return true;
}

const bool gRegistered = [] {
    tb::driver::registerPrintSubject("menus", printMenus);
    tb::driver::registerInputCommand("choose", chooseCommand);
    return true;
}();

Item* itemOf(MenuRef menu, int item) {
    if (!isMenu(menu) || item < 1 || item > int(menu->items.size())) return nullptr;
    return &menu->items[std::size_t(item - 1)];
}

} // namespace

// ---- the operations ----------------------------------------------------------------------

MenuRef GetMenu(short resourceID) {
    auto& all = menusByResource();
    if (auto it = all.find(resourceID); it != all.end()) return it->second.get();
    const tb::res::Bytes* data = tb::findResourceData(FOUR_CHAR("MENU"), resourceID);
    if (!data) return nullptr;
    auto m = std::make_unique<OpaqueMenuRef>();
    if (!tb::menus::parseMenu(data->data(), data->size(), *m)) return nullptr;
    MenuRef ref = m.get();
    all[resourceID] = std::move(m);
    return ref;
}

MenuBarHandle GetNewMBar(short menuBarID) {
    (void)gRegistered;
    if (tb::faults::take(tb::faults::Fault::menubar)) return nullptr;
    const tb::res::Bytes* data = tb::findResourceData(FOUR_CHAR("MBAR"), menuBarID);
    std::vector<short> ids;
    if (!data || !tb::menus::parseMenuBar(data->data(), data->size(), ids)) return nullptr;
    std::vector<MenuRef> menus;
    for (short id : ids) {
        MenuRef m = GetMenu(id);
        if (!m) return nullptr;
        menus.push_back(m);
    }
    // The application menu comes first, whatever the bar's order.
    auto app = std::find_if(menus.begin(), menus.end(), [](MenuRef m) { return m->id == 128; });
    if (app != menus.end()) {
        (*app)->appMenu = true;
        std::rotate(menus.begin(), app, app + 1);
    }
    Handle h = tb::memory::allocate(Size(data->size()));
    if (!h) return nullptr;
    std::copy(data->begin(), data->end(), *h);
    menuLists()[h] = std::move(menus);
    return h;
}

void SetMenuBar(MenuBarHandle menuList) {
    auto it = menuLists().find(menuList);
    if (it == menuLists().end()) return;
    gBar = it->second;
    gHilite = 0;
    tb::screen::setMenuBarPainter(paintBar);
}

void DisposeMenu(MenuRef menu) {
    if (!isMenu(menu)) return;
    auto drop = [menu](std::vector<MenuRef>& v) { v.erase(std::remove(v.begin(), v.end(), menu), v.end()); };
    drop(gBar);
    for (auto& [h, list] : menuLists()) drop(list);
    for (auto it = menusByResource().begin(); it != menusByResource().end(); ++it)
        if (it->second.get() == menu) {
            menusByResource().erase(it);
            break;
        }
    tb::qd::screenChanged();
}

void DisposeMenuBar(MenuBarHandle menuList) {
    if (menuLists().erase(menuList)) tb::memory::release(menuList);
}

void ClearMenuBar() {
    gBar.clear();
    gHilite = 0;
    tb::qd::screenChanged();
}

void DrawMenuBar() { tb::qd::screenChanged(); }
void InvalMenuBar() { tb::qd::screenChanged(); }

MenuRef GetMenuHandle(MenuID menuID) {
    for (MenuRef m : gBar)
        if (m->id == menuID) return m;
    return nullptr;
}
MenuRef GetMenuRef(MenuID menuID) { return GetMenuHandle(menuID); }
MenuID GetMenuID(MenuRef menu) { return isMenu(menu) ? menu->id : 0; }

void DeleteMenuItem(MenuRef menu, MenuItemIndex item) {
    if (!itemOf(menu, item)) return;
    menu->items.erase(menu->items.begin() + (item - 1));
    tb::qd::screenChanged();
}

void DisableMenuItem(MenuRef menu, MenuItemIndex item) {
    if (item == 0 && isMenu(menu)) menu->enabled = false;
    else if (Item* i = itemOf(menu, item)) i->enabled = false;
    tb::qd::screenChanged();
}

void EnableMenuItem(MenuRef menu, MenuItemIndex item) {
    if (item == 0 && isMenu(menu)) menu->enabled = true;
    else if (Item* i = itemOf(menu, item)) i->enabled = !i->separator();
    tb::qd::screenChanged();
}

Boolean IsMenuItemEnabled(MenuRef menu, MenuItemIndex item) {
    if (!isMenu(menu)) return false;
    if (item == 0) return menu->enabled;
    Item* i = itemOf(menu, item);
    return i && i->enabled && menu->enabled;
}

void CheckMenuItem(MenuRef menu, short item, Boolean checked) { SetItemMark(menu, item, checked ? checkMark : noMark); }

void SetItemMark(MenuRef menu, short item, short markChar) {
    if (Item* i = itemOf(menu, item)) i->mark = static_cast<unsigned char>(markChar);
}

void GetItemMark(MenuRef menu, short item, short* markChar) {
    if (!markChar) return;
    Item* i = itemOf(menu, item);
    *markChar = i ? i->mark : 0;
}

void GetMenuItemText(MenuRef menu, short item, Str255 itemString) {
    if (!itemString) return;
    itemString[0] = 0;
    if (Item* i = itemOf(menu, item)) {
        std::size_t n = std::min<std::size_t>(i->text.size(), 255);
        itemString[0] = UInt8(n);
        std::copy(i->text.begin(), i->text.begin() + long(n), itemString + 1);
    }
}

void SetMenuItemText(MenuRef menu, short item, ConstStr255Param itemString) {
    if (!itemString) return;
    if (Item* i = itemOf(menu, item)) i->text.assign(reinterpret_cast<const char*>(itemString + 1), itemString[0]);
    tb::qd::screenChanged();
}

UInt16 CountMenuItems(MenuRef menu) { return isMenu(menu) ? UInt16(menu->items.size()) : 0; }

long MenuSelect(Point startPt) {
    if (gBar.empty()) {
        tb::events::endTracking();
        return 0;
    }
    gTracking = true;
    gTrack = Tracking{};
    tb::screen::setOverlayPainter(paintOpenMenu);
    follow(startPt);
    while (tb::events::trackStep()) follow(tb::host()->mouse());
    if (tb::host()) follow(tb::host()->mouse());
    Tracking chosen = gTrack;
    gTracking = false;
    tb::screen::setOverlayPainter(nullptr);
    long result = commandOf(chosen.menu, chosen.item);
    gHilite = result ? gBar[std::size_t(chosen.menu)]->id : 0;
    tb::events::endTracking();
    tb::qd::screenChanged();
    return result;
}

long MenuKey(short ch) {
    unsigned char c = static_cast<unsigned char>(std::toupper(static_cast<unsigned char>(ch & 0xFF)));
    if (!c) return 0;
    for (std::size_t mi = 0; mi < gBar.size(); ++mi) {
        const OpaqueMenuRef& m = *gBar[mi];
        std::vector<Item> items = shownItems(m);
        for (std::size_t i = 0; i < items.size(); ++i) {
            if (std::toupper(items[i].key) != c) continue;
            if (!m.enabled || !items[i].enabled) return 0;
            long result = commandOf(int(mi), int(i) + 1);
            if (result) HiliteMenu(m.id);
            return result;
        }
    }
    return 0;
}

void HiliteMenu(MenuID menuID) {
    gHilite = menuID;
    tb::qd::screenChanged();
}
