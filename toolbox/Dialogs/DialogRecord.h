// The record behind a DialogRef, shared by the Dialog Manager's files and the colour picker.
#pragma once

#include "tb/Dialogs.h"
#include "tb/TextEdit.h"

#include <functional>
#include <string>
#include <vector>

namespace tb::dialogs {

struct Item {
    DialogItemType type = kUserDialogItem; // without itemDisable
    bool disabled = false;
    Rect rect{0, 0, 0, 0};
    std::string text; // MacRoman; for edit fields the text lives in `te`
    short resID = 0;
    ControlRef control = nullptr;
    TEHandle te = nullptr; // edit fields only
    bool hidden = false;
};

} // namespace tb::dialogs

struct OpaqueDialogPtr {
    WindowRef window = nullptr;
    std::vector<tb::dialogs::Item> items;
    DialogItemIndex defaultItem = 0;
    DialogItemIndex cancelItem = 0;
    bool tracksCursor = false;
    DialogItemIndex focus = 0; // the edit field that takes keys, 0 for none
    bool alert = false;
    short icon = -1; // kStopIcon, kNoteIcon, kCautionIcon, or -1
};

namespace tb::dialogs {

// A dialog from an item list in memory; the window is made hidden and shown at the end
// when `visible`.
DialogRef newDialog(const Rect& bounds, const std::string& title, short procID, bool visible,
                    WindowRef behind, const std::vector<res::DialogItemSpec>& items);
bool isDialog(DialogRef dialog);
// The item's text with ^0 to ^3 replaced, for static texts.
std::string substituted(const std::string& text);
// The text an item shows now (edit fields from their record).
std::string itemText(const Item& item);
// The cancel answer of a modal loop that cannot get more input.
DialogItemIndex cancelAnswer(DialogRef dialog);
// The item under a local point, 0 for none (hidden items are skipped).
DialogItemIndex itemAt(DialogRef dialog, Point local);
// Draws a user item with this function.
void setUserItemDrawer(DialogRef dialog, DialogItemIndex item, std::function<void(const Rect&)> draw);

} // namespace tb::dialogs
