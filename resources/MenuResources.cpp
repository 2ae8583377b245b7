#include "MenuResources.h"

#include "MenuTexts.h"

#include "tb/Menus.h"
#include "tb/Resources.h"

void registerMenuResources() {
    int count = 0;
    const menus::Menu* all = menus::all(&count);
    std::vector<short> ids;
    for (int m = 0; m < count; ++m) {
        tb::res::MenuSpec spec;
        spec.id = all[m].id;
        spec.title = all[m].title;
        for (int i = 0; i < all[m].count; ++i) {
            const menus::Item& item = all[m].items[i];
            tb::res::MenuItemSpec s;
            s.text = item.text;
            s.key = item.key;
            s.enabled = item.enabled;
            spec.items.push_back(s);
        }
        tb::registerResource(FOUR_CHAR("MENU"), spec.id, tb::res::menu(spec));
        ids.push_back(spec.id);
    }
    tb::registerResource(FOUR_CHAR("MBAR"), 128, tb::res::menuBar(ids));
}
