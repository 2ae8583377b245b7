// The texts, key equivalents and initial states of the program's menus.
#pragma once

namespace menus {

struct Item {
    const char* text; // "-" is a separator
    char key;         // Command-key equivalent, 0 for none
    bool enabled;
};

struct Menu {
    short id;
    const char* title;
    const Item* items;
    int count;
};

const Menu* all(int* count);

} // namespace menus
