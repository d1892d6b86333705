#pragma once

// Virtual-key codes of the keys the view reacts to, as the platform numbers them.
namespace vk {
inline constexpr int kEscape = 27;
inline constexpr int kLeft = 37;
inline constexpr int kUp = 38;
inline constexpr int kRight = 39;
inline constexpr int kDown = 40;
}  // namespace vk

enum class ViewKeyAction {
    None,
    Escape,          // leave full-screen mode; stop auto-advance if it runs
    ZoomInAtMouse,   // one level up, then centre on the mouse
    ZoomOutAtMouse,  // one level down, then centre on the mouse
    Faster,          // shorter page interval
    Slower,          // longer page interval
    PreviousSlide,
    NextSlide,
};

// What a key press does, with auto-advance stopped or running.
ViewKeyAction KeyDownAction(int virtualKey, bool autoAdvance);
