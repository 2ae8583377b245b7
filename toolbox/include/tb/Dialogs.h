// Dialog Manager: dialogs from templates, their items as controls, modal loops and alerts.
#pragma once

#include "tb/EventTypes.h"
#include "tb/ResourceData.h"
#include "tb/Types.h"

#include <string>
#include <vector>

typedef SInt16 DialogItemIndex;
typedef SInt16 DialogItemType;
typedef Boolean (*ModalFilterProcPtr)(DialogRef dialog, EventRecord* event, DialogItemIndex* itemHit);
typedef ModalFilterProcPtr ModalFilterUPP;

// Item types, as 'DITL' holds them; itemDisable added means clicks do not report the item.
enum : DialogItemType {
    kUserDialogItem = 0,
    kButtonDialogItem = 4,
    kCheckBoxDialogItem = 5,
    kRadioButtonDialogItem = 6,
    kStaticTextDialogItem = 8,
    kEditTextDialogItem = 16,
    kIconDialogItem = 32,
    kPictureDialogItem = 64,
    kItemDisableBit = 128,
    userItem = 0, ctrlItem = 4, btnCtrl = 0, chkCtrl = 1, radCtrl = 2,
    statText = 8, editText = 16, iconItem = 32, picItem = 64, itemDisable = 128,
};

enum : DialogItemIndex { kStopIcon = 0, kNoteIcon = 1, kCautionIcon = 2 };
enum : DialogItemIndex { kAlertStdAlertOKButton = 1, kAlertStdAlertCancelButton = 2 };

// The dialog font and size for static and edit texts of dialogs made from now on.
void SetDialogFont(SInt16 fontNum);

// Template 'DLOG' dialogID with its 'DITL'. behind is (WindowRef)-1 for in front of all,
// null for behind all. Null when the template or its item list is missing.
DialogRef GetNewDialog(SInt16 dialogID, void* dStorage, WindowRef behind);
void DisposeDialog(DialogRef dialog);
WindowRef GetDialogWindow(DialogRef dialog);
CGrafPtr GetDialogPort(DialogRef dialog);
void SetPortDialogPort(DialogRef dialog);
// The dialog of a dialog window, or null.
DialogRef GetDialogFromWindow(WindowRef window);
void DrawDialog(DialogRef dialog);

// Return and Enter choose the default item (drawn with a thick outline), Escape and
// Command-period the cancel item.
OSErr SetDialogDefaultItem(DialogRef dialog, DialogItemIndex newItem);
OSErr SetDialogCancelItem(DialogRef dialog, DialogItemIndex newItem);
// With tracking on, the cursor is an I-beam over visible edit fields inside ModalDialog.
OSErr SetDialogTracksCursor(DialogRef dialog, Boolean tracks);

// The item handle is the item's control (see GetDialogItemAsControl).
void GetDialogItem(DialogRef dialog, DialogItemIndex itemNo, DialogItemType* itemType, Handle* item, Rect* box);
OSErr GetDialogItemAsControl(DialogRef dialog, SInt16 itemNo, ControlRef* outControl);
DialogItemIndex CountDITL(DialogRef dialog);
// item is an item handle or the item's control cast to a handle.
void SetDialogItemText(Handle item, ConstStr255Param text);
void GetDialogItemText(Handle item, Str255 text);
void HideDialogItem(DialogRef dialog, DialogItemIndex itemNo);
void ShowDialogItem(DialogRef dialog, DialogItemIndex itemNo);
// Makes the edit item the focus and selects from strtSel to endSel.
void SelectDialogItemText(DialogRef dialog, DialogItemIndex itemNo, SInt16 strtSel, SInt16 endSel);
DialogItemIndex GetDialogKeyboardFocusItem(DialogRef dialog);

// Runs the front dialog until an enabled item is hit: clicks on items, typing into the
// focused edit field, Tab to the next visible edit field. The filter (the standard one
// when null) sees each event first. A headless script that runs out ends it as a cancel.
void ModalDialog(ModalFilterUPP modalFilter, DialogItemIndex* itemHit);
OSErr GetStdFilterProc(ModalFilterUPP* theProc);
Boolean StdFilterProc(DialogRef dialog, EventRecord* event, DialogItemIndex* itemHit);

// ^0 to ^3 in static texts of dialogs and alerts.
void ParamText(ConstStr255Param param0, ConstStr255Param param1, ConstStr255Param param2,
               ConstStr255Param param3);
// Alerts from 'ALRT' alertID, centred in the upper third of the main screen, item 1 the
// default; the number of the item that answered them. -1 when the template is missing.
DialogItemIndex Alert(SInt16 alertID, ModalFilterUPP modalFilter);
DialogItemIndex StopAlert(SInt16 alertID, ModalFilterUPP modalFilter);
DialogItemIndex NoteAlert(SInt16 alertID, ModalFilterUPP modalFilter);
DialogItemIndex CautionAlert(SInt16 alertID, ModalFilterUPP modalFilter);

namespace tb::res {

// 'DITL' resource layout (big-endian): a 16-bit count, then per item: type (1 byte, an
// item type plus itemDisable), its rectangle in the dialog's local coordinates (top,
// left, bottom, right), text (Pascal string: a title or a text; empty for pictures and
// user items), resource number (16 bits: the 'PICT' of a picture item, else 0).
struct DialogItemSpec {
    DialogItemType type = kUserDialogItem; // itemDisable may be added
    Rect rect{0, 0, 0, 0};
    std::string text; // MacRoman
    short resID = 0;
};
Bytes itemList(const std::vector<DialogItemSpec>& items);

// 'DLOG' resource layout: the global content rectangle, procID (16 bits), visible (16
// bits, non-zero true), goAway (16 bits), refCon (32 bits), the 'DITL' number (16 bits),
// then the title as a Pascal string.
struct DialogSpec {
    Rect bounds{0, 0, 0, 0};
    short procID = 5; // movableDBoxProc
    bool visible = true;
    bool goAway = false;
    SInt32 refCon = 0;
    short itemsID = 0;
    std::string title;
};
Bytes dialogTemplate(const DialogSpec& spec);

// 'ALRT' resource layout: the rectangle (only its size is used: alerts are placed by the
// toolbox), the 'DITL' number (16 bits), the stages word (16 bits, not used).
struct AlertSpec {
    Rect bounds{0, 0, 0, 0};
    short itemsID = 0;
};
Bytes alertTemplate(const AlertSpec& spec);

} // namespace tb::res
