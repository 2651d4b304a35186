#include "app/list/list_accessible_win32.h"

#include "platform/user_dialogs.h"

namespace vantry {

namespace {

// The state of the slot's item as tools see it; onItems: the list window has the keyboard and
// Tab has left it on the items.
DWORD ItemState(ListWindow& logic, int slot, bool onItems) {
    if (!logic.Model().Occupied(slot)) return STATE_SYSTEM_INVISIBLE;
    DWORD state = STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_SELECTABLE;
    if (logic.Model().TargetMissing(slot)) state |= STATE_SYSTEM_UNAVAILABLE;
    // The keyboard's item is the one Enter opens, whether or not its mark is drawn yet.
    if (slot == logic.Keyboard().Focus()) {
        state |= STATE_SYSTEM_SELECTED;
        if (onItems) state |= STATE_SYSTEM_FOCUSED;
    }
    return state;
}

}  // namespace

ListAccessible::ListAccessible(HWND list, ListWindow& logic, const ListChildWindows& children)
    : AccessibleObject(list), logic_(logic), children_(children) {}

void ListAccessible::RunDefaultAction(ListWindow& logic, WPARAM childId) {
    VARIANT id{};
    SetChildId(&id, static_cast<LONG>(childId));
    Child child = Resolve(id);
    if (child.part == Part::Item) logic.ItemClick(child.index);
    if (child.part == Part::Tab) logic.TabClick(child.index);
}

ListAccessible::Child ListAccessible::Resolve(const VARIANT& child) {
    if (child.vt != VT_I4) return {Part::Invalid, 0};
    LONG id = child.lVal;
    if (id == CHILDID_SELF) return {Part::Self, 0};
    if (id >= ItemChildId(0) && id < ItemChildId(kSlotCount)) {
        return {Part::Item, static_cast<int>(id - ItemChildId(0))};
    }
    if (id >= TabChildId(0) && id < TabChildId(kTabCount)) {
        return {Part::Tab, static_cast<int>(id - TabChildId(0))};
    }
    return {Part::Invalid, 0};
}

bool ListAccessible::Present(const Child& child) const {
    switch (child.part) {
        case Part::Self:
            return true;
        case Part::Item:
            return logic_.Model().Occupied(child.index);
        case Part::Tab:
            return !logic_.TabName(child.index).empty();
        case Part::Invalid:
            break;
    }
    return false;
}

RECT ListAccessible::Bounds(const Child& child) const {
    auto index = static_cast<std::size_t>(child.index);
    switch (child.part) {
        case Part::Item: {
            // The icon and the caption together are what a click opens.
            RECT caption = ScreenRect(children_.captions[index]);
            RECT icon = ScreenRect(children_.icons[index]);
            RECT both;
            UnionRect(&both, &caption, &icon);
            return both;
        }
        case Part::Tab:
            return ScreenRect(children_.tabs[index]);
        default: {
            RECT client{};
            GetClientRect(window_, &client);
            MapWindowPoints(window_, nullptr, reinterpret_cast<POINT*>(&client), 2);
            return client;
        }
    }
}

bool ListAccessible::ListFocused() const {
    return GetFocus() == window_;
}

bool ListAccessible::OnItems() const {
    return ListFocused() && logic_.Keyboard().CurrentStop() == ListKeyboard::Stop::Items;
}

int ListAccessible::FocusedItem() const {
    int slot = logic_.Keyboard().Focus();
    return slot >= 0 && logic_.Model().Occupied(slot) ? slot : -1;
}

HRESULT ListAccessible::get_accChildCount(long* count) {
    if (!count) return E_POINTER;
    *count = 0;
    if (!window_) return RPC_E_DISCONNECTED;
    *count = kSlotCount + kTabCount;
    return S_OK;
}

HRESULT ListAccessible::get_accChild(VARIANT child, IDispatch** object) {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (!window_) return RPC_E_DISCONNECTED;
    Part part = Resolve(child).part;
    // Items and tabs are simple elements of this object, not objects of their own.
    return part == Part::Item || part == Part::Tab ? S_FALSE : E_INVALIDARG;
}

HRESULT ListAccessible::get_accName(VARIANT child, BSTR* name) {
    if (!Cleared(name)) return E_POINTER;
    if (!window_) return RPC_E_DISCONNECTED;
    Child target = Resolve(child);
    switch (target.part) {
        case Part::Self:
            return Text(std::string(kAppTitle) + " - " + logic_.TabName(logic_.Model().List), name);
        case Part::Item:
            return Text(logic_.Model().Caption(target.index), name);
        case Part::Tab:
            return Text(logic_.TabName(target.index), name);
        case Part::Invalid:
            break;
    }
    return E_INVALIDARG;
}

HRESULT ListAccessible::get_accDescription(VARIANT child, BSTR* description) {
    if (!Cleared(description)) return E_POINTER;
    if (!window_) return RPC_E_DISCONNECTED;
    Child target = Resolve(child);
    if (target.part == Part::Invalid) return E_INVALIDARG;
    bool item = target.part == Part::Item && Present(target);
    return Text(item ? logic_.Model().PathInUse(target.index) : std::string(), description);
}

HRESULT ListAccessible::get_accRole(VARIANT child, VARIANT* role) {
    if (!role) return E_POINTER;
    VariantInit(role);
    if (!window_) return RPC_E_DISCONNECTED;
    switch (Resolve(child).part) {
        case Part::Self:
            SetChildId(role, ROLE_SYSTEM_LIST);
            return S_OK;
        case Part::Item:
            SetChildId(role, ROLE_SYSTEM_LISTITEM);
            return S_OK;
        case Part::Tab:
            SetChildId(role, ROLE_SYSTEM_PAGETAB);
            return S_OK;
        case Part::Invalid:
            break;
    }
    return E_INVALIDARG;
}

HRESULT ListAccessible::get_accState(VARIANT child, VARIANT* state) {
    if (!state) return E_POINTER;
    VariantInit(state);
    if (!window_) return RPC_E_DISCONNECTED;
    Child target = Resolve(child);
    LONG bits = 0;
    switch (target.part) {
        case Part::Self: {
            bits = STATE_SYSTEM_FOCUSABLE;
            if (!IsWindowVisible(window_)) bits |= STATE_SYSTEM_INVISIBLE;
            if (OnItems() && FocusedItem() < 0) bits |= STATE_SYSTEM_FOCUSED;
            break;
        }
        case Part::Item:
            bits = static_cast<LONG>(ItemState(logic_, target.index, OnItems()));
            break;
        case Part::Tab:
            if (!Present(target)) {
                bits = STATE_SYSTEM_INVISIBLE;
            } else {
                bits = STATE_SYSTEM_SELECTABLE | STATE_SYSTEM_FOCUSABLE;
                if (target.index == logic_.Model().List) bits |= STATE_SYSTEM_SELECTED;
                if (ListFocused() && target.index == logic_.Keyboard().FocusedTab()) {
                    bits |= STATE_SYSTEM_FOCUSED;
                }
            }
            break;
        case Part::Invalid:
            return E_INVALIDARG;
    }
    SetChildId(state, bits);
    return S_OK;
}

HRESULT ListAccessible::get_accFocus(VARIANT* child) {
    if (!child) return E_POINTER;
    VariantInit(child);
    if (!window_) return RPC_E_DISCONNECTED;
    if (!ListFocused()) return S_FALSE;
    if (int k = logic_.Keyboard().FocusedTab(); k >= 0) {
        SetChildId(child, TabChildId(k));
        return S_OK;
    }
    int slot = FocusedItem();
    SetChildId(child, slot >= 0 ? ItemChildId(slot) : CHILDID_SELF);
    return S_OK;
}

HRESULT ListAccessible::get_accSelection(VARIANT* children) {
    if (!children) return E_POINTER;
    VariantInit(children);
    if (!window_) return RPC_E_DISCONNECTED;
    int slot = FocusedItem();
    if (slot < 0) return S_FALSE;
    SetChildId(children, ItemChildId(slot));
    return S_OK;
}

HRESULT ListAccessible::get_accDefaultAction(VARIANT child, BSTR* action) {
    if (!Cleared(action)) return E_POINTER;
    if (!window_) return RPC_E_DISCONNECTED;
    Child target = Resolve(child);
    if (target.part == Part::Invalid) return E_INVALIDARG;
    if (!Present(target) || target.part == Part::Self) return Text(std::string(), action);
    return Text(target.part == Part::Item ? "Open" : "Switch", action);
}

HRESULT ListAccessible::accLocation(long* left, long* top, long* width, long* height,
                                    VARIANT child) {
    if (!Cleared(left, top, width, height)) return E_POINTER;
    if (!window_) return RPC_E_DISCONNECTED;
    Child target = Resolve(child);
    if (target.part == Part::Invalid) return E_INVALIDARG;
    return PutLocation(Bounds(target), left, top, width, height);
}

HRESULT ListAccessible::accHitTest(long x, long y, VARIANT* child) {
    if (!child) return E_POINTER;
    VariantInit(child);
    if (!window_) return RPC_E_DISCONNECTED;
    const POINT at{x, y};
    RECT whole = Bounds({Part::Self, 0});
    if (!PtInRect(&whole, at)) return S_FALSE;
    auto hit = [this, at](const Child& part) {
        RECT rect = Bounds(part);
        return Present(part) && PtInRect(&rect, at);
    };
    LONG id = CHILDID_SELF;
    for (int slot = 0; slot < kSlotCount && id == CHILDID_SELF; ++slot) {
        if (hit({Part::Item, slot})) id = ItemChildId(slot);
    }
    for (int k = 0; k < kTabCount && id == CHILDID_SELF; ++k) {
        if (hit({Part::Tab, k})) id = TabChildId(k);
    }
    SetChildId(child, id);
    return S_OK;
}

HRESULT ListAccessible::accDoDefaultAction(VARIANT child) {
    if (!window_) return RPC_E_DISCONNECTED;
    Child target = Resolve(child);
    if (target.part == Part::Invalid) return E_INVALIDARG;
    if (target.part == Part::Self || !Present(target)) return DISP_E_MEMBERNOTFOUND;
    PostMessageW(window_, kAccessibleActionMessage, static_cast<WPARAM>(child.lVal), 0);
    return S_OK;
}

}  // namespace vantry
