#pragma once
// The drop window's logic: the program's start-up, the current list style `UseList`, and the
// switch between the two list windows.

#include <string>

#include "app/app_services.h"
#include "app/list/list_window.h"
#include "store/item_files.h"

namespace vantry {

class DropWindowView {
  public:
    virtual ~DropWindowView() = default;
    virtual void SetVisible(bool visible) = 0;
};

class DropWindow {
  public:
    // useList is the program's style word, which the list windows read too. It lives for the
    // whole run, so reading it never re-creates the drop window in the middle of another
    // window's operation.
    DropWindow(std::string& useList, ItemFiles& files, ListWindow& large, ListWindow& small,
               DropWindowView& view, AppServices& app, ActionGuard& guard)
        : UseList(useList),
          files_(files),
          large_(large),
          small_(small),
          view_(view),
          app_(app),
          guard_(guard) {}

    // The start-up: both list windows loaded and hidden, the stored style read, its window shown
    // and reloaded on tab k (when that tab has a name, else the first), the drop window hidden.
    // Without show the list is loaded but left hidden (a start that opens one item).
    void Start(int k = 0, bool show = true);

    // A click on "Large List" or "Small List": switches and reloads the current tab.
    void StyleClick(const std::string& word);
    // Stores the style word, hides the other list window, shows and reloads this one; with
    // firstTab it shows tab 0 (the configuration window's switch).
    void SwitchStyle(const std::string& word, bool firstTab);

    ListWindow& WindowOf(const std::string& word) { return word == kLargeStyle ? large_ : small_; }
    ListWindow& Large() { return large_; }
    ListWindow& Small() { return small_; }
    ActionGuard& Guard() { return guard_; }
    AppServices& App() { return app_; }
    ItemFiles& Files() { return files_; }

    std::string& UseList;  // "small" or "large"

  private:
    ItemFiles& files_;
    ListWindow& large_;
    ListWindow& small_;
    DropWindowView& view_;
    AppServices& app_;
    ActionGuard& guard_;
};

}  // namespace vantry
