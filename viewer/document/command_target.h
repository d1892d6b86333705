#pragma once

// A window that takes command messages, delivered synchronously.
class CommandTarget {
public:
    virtual ~CommandTarget() = default;
    virtual void OnCommand(int id) = 0;
};

// The document's zoom notice to the view.
inline constexpr int ID_VIEW_APPLY_ZOOM = 33026;
