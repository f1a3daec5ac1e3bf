#pragma once
// What a command's menu item or tool-bar button should show. Made for one
// command id, filled by the update handler that command routing finds, then
// applied to the item or button.

#include <windows.h>

#include <optional>

class CCmdUI {
public:
    explicit CCmdUI(UINT id) : id_(id) {}

    UINT GetId() const { return id_; }
    void Enable(bool on = true)
    {
        enabled_ = on;
        enableSet_ = true;
    }
    void SetCheck(bool on = true) { checked_ = on; }

    bool IsEnabled() const { return enabled_; }
    // Whether a handler decided about the enabled state.
    bool IsEnableSet() const { return enableSet_; }
    // Unset when no handler touched the check mark.
    std::optional<bool> GetCheck() const { return checked_; }

private:
    UINT id_;
    bool enabled_ = false;
    bool enableSet_ = false;
    std::optional<bool> checked_;
};
