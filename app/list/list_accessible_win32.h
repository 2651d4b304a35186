#pragma once
// What assistive tools (screen readers, voice control, automation) see of a list window's client
// area, through Active Accessibility: a list named for the program and its current tab, its slots
// as list items and its tabs as page tabs, simple elements addressed by child id. The window makes
// it when a tool first asks (WM_GETOBJECT) and disconnects it as it goes.
// Implemented: names, roles, states, descriptions, default actions, focus, selection, location,
// hit testing. Not yet: navigation (tools enumerate the children instead), accSelect.

#include <array>

#include "app/list/list_window.h"
#include "platform/accessible_object_win32.h"

namespace vantry {

// The windows that show each child, for its place on screen.
struct ListChildWindows {
    std::array<HWND, kSlotCount> captions{};
    std::array<HWND, kSlotCount> icons{};
    std::array<HWND, kTabCount> tabs{};
};

// Child ids: 1 to 20 are the slots, 21 to 25 the tabs; 0 (CHILDID_SELF) is the list.
constexpr LONG ItemChildId(int slot) {
    return slot + 1;
}
constexpr LONG TabChildId(int k) {
    return kSlotCount + 1 + k;
}

// A default action is posted to the list window and runs once the tool's call has returned: an
// item's action ends the program, which must not happen inside a call into its own object.
inline constexpr UINT kAccessibleActionMessage = WM_APP + 8;

class ListAccessible final : public AccessibleObject {
  public:
    ListAccessible(HWND list, ListWindow& logic, const ListChildWindows& children);

    // Carries out the posted default action of the child id in wParam.
    static void RunDefaultAction(ListWindow& logic, WPARAM childId);

    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override;
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override;
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override;
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override;
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override;
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override;
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override;
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override;
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override;
    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height,
                                          VARIANT child) override;
    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* child) override;
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override;

  private:
    // What a child id names: the list itself, a slot's item or a tab (index: slot or tab).
    enum class Part { Self, Item, Tab, Invalid };
    struct Child {
        Part part;
        int index;
    };
    static Child Resolve(const VARIANT& child);
    // Whether the child is there to be seen: an occupied slot, a named tab, the list.
    bool Present(const Child& child) const;
    RECT Bounds(const Child& child) const;
    bool ListFocused() const;
    // The list has the keyboard and Tab has left it on the items (not on the tab strip).
    bool OnItems() const;
    // The keyboard's slot when it holds an item, else -1.
    int FocusedItem() const;

    ListWindow& logic_;
    ListChildWindows children_;
};

}  // namespace vantry
