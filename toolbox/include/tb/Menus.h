// Menu Manager: the menu bar, its pull-down menus, tracking and Command-key equivalents.
#pragma once

#include "tb/ResourceData.h"
#include "tb/Types.h"

#include <string>
#include <vector>

typedef SInt16 MenuID;
typedef UInt16 MenuItemIndex;
typedef Handle MenuBarHandle;

// Item marks.
enum : unsigned char { noMark = 0, checkMark = 0x12, diamondMark = 0x13 };

// The menu bar's resource 'MBAR' id: the menus it names, loaded from their 'MENU'
// resources. Null when the bar or one of its menus is missing, or when the menu-bar
// fault is armed. Menu 128 becomes the application menu: titled with the program's name,
// its items followed by a separator and Quit (Command-Q), which posts the Quit
// Application event.
MenuBarHandle GetNewMBar(short menuBarID);
void SetMenuBar(MenuBarHandle menuList);
// Frees a GetNewMBar list; the menus and the bar in use stay.
void DisposeMenuBar(MenuBarHandle menuList);
void DrawMenuBar();
// Empties the bar; its menus stay.
void ClearMenuBar();
// Forgets the menu: the next GetMenu of its resource reads it afresh.
void DisposeMenu(MenuRef menu);
void InvalMenuBar();
// Menu resource 'MENU' id, made once: later calls give the same menu.
MenuRef GetMenu(short resourceID);
// A menu of the current bar by its ID; null when the bar has none.
MenuRef GetMenuHandle(MenuID menuID);
MenuRef GetMenuRef(MenuID menuID);
MenuID GetMenuID(MenuRef menu);

void DeleteMenuItem(MenuRef menu, MenuItemIndex item);
// Item 0 is the whole menu: its title and every item.
void DisableMenuItem(MenuRef menu, MenuItemIndex item);
void EnableMenuItem(MenuRef menu, MenuItemIndex item);
Boolean IsMenuItemEnabled(MenuRef menu, MenuItemIndex item);
void CheckMenuItem(MenuRef menu, short item, Boolean checked);
void SetItemMark(MenuRef menu, short item, short markChar);
void GetItemMark(MenuRef menu, short item, short* markChar);
void GetMenuItemText(MenuRef menu, short item, Str255 itemString);
void SetMenuItemText(MenuRef menu, short item, ConstStr255Param itemString);
UInt16 CountMenuItems(MenuRef menu);

// Tracks the pressed mouse across the bar and the menus it pulls down. The result is
// the menu ID in the high 16 bits and the item in the low 16, or 0 when the button was
// released outside an enabled item. The chosen menu's title stays highlighted.
long MenuSelect(Point startPt);
// The item with Command-key equivalent ch (letters in either case), as MenuSelect
// reports it; 0 when no enabled item has it.
long MenuKey(short ch);
// Highlights the title of that menu; 0 highlights none.
void HiliteMenu(MenuID menuID);

namespace tb::res {

// 'MENU' resource layout (big-endian):
//   menu ID (16 bits), enable flags (32 bits: bit 0 the whole menu, bit i item i; items
//   past 31 are enabled), title (Pascal string), then per item: text (Pascal string;
//   "-" is a separator), Command-key equivalent (1 byte, 0 for none), mark (1 byte,
//   0 for none, 0x12 a check), style (1 byte); a zero length byte ends the items.
struct MenuItemSpec {
    std::string text; // MacRoman
    char key = 0;
    unsigned char mark = 0;
    bool enabled = true;
};
struct MenuSpec {
    short id = 0;
    std::string title;
    std::vector<MenuItemSpec> items;
    bool enabled = true;
};
Bytes menu(const MenuSpec& spec);
// 'MBAR' resource layout: a 16-bit count, then that many 16-bit menu IDs, in bar order.
Bytes menuBar(const std::vector<short>& menuIDs);

} // namespace tb::res
