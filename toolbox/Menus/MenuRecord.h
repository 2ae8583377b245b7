// The record behind a MenuRef and the menu bar's layout, shared by the Menu Manager's files.
#pragma once

#include "tb/Menus.h"
#include "tb/Types.h"

#include <string>
#include <vector>

struct OpaqueMenuRef {
    struct Item {
        std::string text; // MacRoman
        unsigned char key = 0;
        unsigned char mark = 0;
        unsigned char style = 0;
        bool enabled = true;
        bool separator() const { return text == "-"; }
    };
    MenuID id = 0;
    std::string title;
    bool enabled = true;
    bool appMenu = false; // menu 128 in the bar: shows the program's name and Quit
    std::vector<Item> items;
};

namespace tb::menus {

// Parses a 'MENU' resource; false when it is malformed.
bool parseMenu(const void* data, std::size_t size, OpaqueMenuRef& out);
// Parses an 'MBAR' resource into menu IDs; false when it is malformed.
bool parseMenuBar(const void* data, std::size_t size, std::vector<short>& ids);

} // namespace tb::menus
