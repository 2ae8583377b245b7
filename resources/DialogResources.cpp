#include "DialogResources.h"

#include "tb/Dialogs.h"
#include "tb/Resources.h"

#include <vector>

namespace {

using tb::res::DialogItemSpec;

DialogItemSpec item(DialogItemType type, const Rect& r, const char* text) {
    DialogItemSpec s;
    s.type = type;
    s.rect = r;
    s.text = text;
    return s;
}

// A stop alert: the message (^0) beside the stop sign's place, one OK button.
void stopAlert(short id) {
    std::vector<DialogItemSpec> items = {
        item(kButtonDialogItem, tb::rect(330, 100, 410, 120), "OK"),
        item(static_cast<DialogItemType>(kStaticTextDialogItem | itemDisable), tb::rect(70, 14, 410, 90), "^0"),
    };
    tb::registerResource(FOUR_CHAR("DITL"), id, tb::res::itemList(items));
    tb::res::AlertSpec spec;
    spec.bounds = tb::rect(0, 0, 420, 130);
    spec.itemsID = id;
    tb::registerResource(FOUR_CHAR("ALRT"), id, tb::res::alertTemplate(spec));
}

// The parameter dialog: seven rows 25 pixels apart, row 7 at the bottom; everything
// but rows 2 to 7 sits in the top 70 pixels, so shortening the window from the bottom
// removes whole rows.
void parameterDialog() {
    constexpr short kRowTop = 40, kPitch = 25, kHeight = kRowTop + 7 * kPitch + 5;
    std::vector<DialogItemSpec> items(17);
    items[0] = item(kButtonDialogItem, tb::rect(300, 10, 380, 30), "OK");
    items[1] = item(kButtonDialogItem, tb::rect(300, 40, 380, 60), "Cancel");
    for (short row = 0; row < 7; ++row) {
        short top = static_cast<short>(kRowTop + row * kPitch);
        items[2 + row] = item(kEditTextDialogItem, tb::rect(120, top, 280, static_cast<short>(top + 18)), "");
        items[10 + row] = item(static_cast<DialogItemType>(kStaticTextDialogItem | itemDisable),
                               tb::rect(10, static_cast<short>(top + 1), 115, static_cast<short>(top + 18)), "");
    }
    items[9] = item(static_cast<DialogItemType>(kStaticTextDialogItem | itemDisable), tb::rect(10, 10, 290, 30), "");
    tb::registerResource(FOUR_CHAR("DITL"), 2560, tb::res::itemList(items));
    tb::res::DialogSpec spec;
    spec.bounds = tb::rect(600, 600, 990, static_cast<short>(600 + kHeight));
    spec.visible = false;
    spec.itemsID = 2560;
    spec.title = "Ilvaron";
    tb::registerResource(FOUR_CHAR("DLOG"), 2560, tb::res::dialogTemplate(spec));
}

} // namespace

void registerDialogResources() {
    stopAlert(129);
    stopAlert(1280);
    parameterDialog();
}
