#include "MenuTexts.h"

namespace menus {
namespace {

const Item kApple[] = {
    {"About Ilvaron...", 0, true},
};

// Items 6 and 7 are removed at start-up: Quit lives in the application menu.
const Item kFile[] = {
    {"New Plot", 'N', true}, {"Close Window", 'W', true}, {"-", 0, false},
    {"-", 0, false},         {"-", 0, false},             {"-", 0, false},
    {"Quit", 0, true},
};

const Item kEdit[] = {
    {"Undo", 'Z', false}, {"-", 0, false},    {"Cut", 'X', true},
    {"Copy", 'C', true},  {"Paste", 'V', true}, {"Clear", 0, true},
};

const Item kMap[] = {
    {"Logistic", '1', true},  {"Cosine", '2', true}, {"Cubic", '3', true},
    {"Exponential", '4', true}, {"Tangent", '5', true}, {"Tent", '6', true},
    {"Circle", '7', true},
};

const Item kPlot[] = {
    {"Cobweb and f^n", 'F', true},  {"Bifurcation Diagram", 'B', true},
    {"Density", 'D', true},         {"Lyapunov Exponent", 'L', true},
    {"Exit Time", 'T', true},       {"-", 0, false},
    {"Show Axes", 'A', true},       {"Show Unit Square", 'U', true},
    {"Show Critical Point", 'K', true},
};

const Item kParam[] = {
    {"Parameters \xB5 and n...", 'P', true}, {"Erase Transients", 'E', true},
    {"Number of Iterations...", 'I', true},  {"Reset Time", '0', true},
    {"Initial Condition...", 'J', true},    {"Parameter Increment...", 0, true},
};

const Item kWindow[] = {
    {"Next Plot", '`', true},          {"Show Console", 'O', true},
    {"-", 0, false},                   {"Erase Window", 0, true},
    {"-", 0, false},                   {"Standard Scale", 'R', true},
    {"Window Bounds...", 'M', true},   {"Zoom In", '=', true},
    {"Zoom Out", '-', true},           {"-", 0, false},
    {"Map Colour...", 0, true},        {"Background Colour...", 0, true},
    {"Black Background", 0, true},     {"White Background", 0, true},
};

#define MENU(id, title, items) {id, title, items, static_cast<int>(sizeof(items) / sizeof(items[0]))}
const Menu kMenus[] = {
    MENU(128, "Ilvaron", kApple),  MENU(129, "File", kFile),     MENU(130, "Edit", kEdit),
    MENU(131, "Map", kMap),        MENU(132, "Plot", kPlot),     MENU(133, "Parameter", kParam),
    MENU(134, "Window", kWindow),
};
#undef MENU

} // namespace

const Menu* all(int* count) {
    *count = static_cast<int>(sizeof(kMenus) / sizeof(kMenus[0]));
    return kMenus;
}

} // namespace menus
