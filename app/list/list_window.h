#pragma once
// One list window's logic, serving both layouts: the large list ("large") and the small list
// ("small"). Its slots (ListModel), its five tabs, the item actions and the bottom bar.

#include <array>
#include <string>

#include "app/app_services.h"
#include "app/dropped_paths.h"
#include "app/list/list_keyboard.h"
#include "app/list/list_model.h"
#include "store/item_files.h"

namespace vantry {

// What a list window shows beyond its slots.
class ListWindowView : public ListView {
  public:
    // Sets tab k's caption and redraws it.
    virtual void ShowTabCaption(int k, const std::string& caption) = 0;
    // The width tab k's label takes for its caption, in twips.
    virtual int TabWidthTwips(int k) = 0;
    virtual void MoveTab(int k, int leftTwips) = 0;
    virtual void SetVisible(bool visible) = 0;
    virtual bool Visible() const = 0;
    // Marks the slot as the keyboard focus (and no other).
    virtual void ShowFocus(int slot) = 0;
    // Marks tab k's label as the current tab (and no other).
    virtual void ShowCurrentTab(int k) = 0;
    // The keyboard is at that stop: the stop's control takes the system's focus, and on the tab
    // strip tab k's label shows the focus mark (k is -1 elsewhere).
    virtual void ShowStop(ListKeyboard::Stop stop, int k) = 0;
    // The look-up of the slot's icon has not answered in its time: its path may not answer
    // anything else either.
    virtual bool LookUpOverdue(int slot) const = 0;
};

inline constexpr int kRightButton = 2;
// The gap of a drop onto a tab's label: after every line of the tab, those kept beyond the 20th
// included, as for any other tab.
inline constexpr int kEndOfTab = -1;
inline constexpr int kShowNormal = 1;

class ListWindow {
  public:
    // styleWord is "large" or "small"; useList is the program's current style word, read at the
    // moment it is needed.
    ListWindow(std::string styleWord, const std::string& useList, ItemFiles& files,
               UserDialogs& dialogs, ListWindowView& view, AppServices& app, ActionGuard& guard)
        : styleWord_(std::move(styleWord)),
          useList_(useList),
          files_(files),
          dialogs_(dialogs),
          view_(view),
          app_(app),
          guard_(guard),
          model_(files, view),
          keyboard_(*this) {}

    // The window's load step: tab 0, the tab names, then the tab's items.
    void Load();
    // Reads the tab names into the five tab labels, then lays them out.
    void LoadTabs();
    // Shows the tab names held in the five tab labels, then lays them out: after LoadTabs, and
    // when the view's window is first made.
    void ShowTabs();
    // Places the tab labels edge to edge, in tab order.
    void UpdateTabs();

    // Events from the window.
    void TabClick(int k);
    // A click or Enter on an item: opens it in the mode the keys held with it chose.
    void ItemClick(int slot, LaunchMode mode = LaunchMode::Open);
    void ItemMouseDown(int slot, int button);
    void DropTargetClick() { app_.ShowDropWindow(); }
    void ConfigClick() { app_.ShowConfigWindow(); }
    void CloseClick();

    // A drag within the list: the slot's item goes to slot to, the items between shift by one;
    // the tab is saved in its new order. Only the slots between change on screen, and the
    // keyboard's item follows its item; a save that merged changes made elsewhere reloads.
    void MoveItem(int from, int to);
    // A drag onto the label of another named tab: the slot's item goes to the end of tab k's
    // file (beyond its 20th line when that tab is full), then leaves this tab as a delete does.
    void MoveItemToTab(int slot, int k);
    // Files dragged from another program: read as "Drop Here" reads them, then put in at gap
    // (0..n) of the current tab when tab is the current one, else (or with kEndOfTab) at the end
    // of tab k's file (a tab without a name takes nothing). Whether anything was stored.
    bool DropFiles(const DroppedFiles& drop, DropProbe& probe, int tab, int gap);
    // The item of tab k stored as path opens as a click on it does, its target checked first as
    // at a click on a dimmed item (which finds its stand-in on the program's drive). A path that
    // is not in tab k, the current one, is reported.
    void OpenStoredItem(int k, const std::string& path);
    // Tells the user that the slot's target is not there, as a click on a missing item does.
    void ReportMissing(int slot) { ReportNotFound(model_.Path(slot)); }
    // Tells the user that the slot's item is not opened because its name ends in a dot or space.
    void ReportTrimmedName(int slot);

    // Asks, then deletes the slot's item on Yes.
    void DelLink(int slot);
    // Saves the current tab when this window's style is the chosen one, then closes everything.
    void CloseAction();
    // The save of the tab being left, which never fails nor speaks: every change of the user's
    // has been saved as it was made.
    void LeaveTab();
    // Shows tab k, as a tab click does after the emptying: its label highlighted (and assistive
    // tools told), its items loaded, no item with the keyboard's focus.
    void EnterTab(int k);

    ListKeyboard& Keyboard() { return keyboard_; }
    ActionGuard& Guard() { return guard_; }
    ListModel& Model() { return model_; }
    const ListModel& Model() const { return model_; }
    // Whether the slot's target was found missing (its item shows dimmed and does not open).
    bool TargetMissing(int slot) const { return model_.TargetMissing(slot); }
    ListWindowView& View() { return view_; }
    const std::string& StyleWord() const { return styleWord_; }
    const std::string& TabName(int k) const { return tabNames_[static_cast<std::size_t>(k)]; }
    std::string FoldCase(const std::string& text) const { return app_.FoldCase(text); }

  private:
    // With checkFirst, the target is checked before the launch even where the load found it (a
    // start that opens an item comes before the load's checks answer).
    void OpenItem(int slot, LaunchMode mode, bool checkFirst = false);
    // After a save: the slots emptied and filled again from the tab's file.
    void Reload();
    // Frees the slot, saves the tab without it and closes the gap; on a failed save the item is
    // put back.
    void TakeOut(int slot);
    void ReportNotFound(const std::string& path);

    std::string styleWord_;
    const std::string& useList_;
    ItemFiles& files_;
    UserDialogs& dialogs_;
    ListWindowView& view_;
    AppServices& app_;
    ActionGuard& guard_;
    ListModel model_;
    ListKeyboard keyboard_;
    std::array<std::string, kTabCount> tabNames_{kDefaultTabName, kDefaultTabName, kDefaultTabName,
                                                 kDefaultTabName, kDefaultTabName};
};

}  // namespace vantry
