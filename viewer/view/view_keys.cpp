#include "viewer/view/view_keys.h"

namespace {

struct KeyBinding {
    int key;
    ViewKeyAction whenStopped;
    ViewKeyAction whenRunning;
};

// While auto-advance runs the arrows change its speed instead of the zoom, and the slide
// keys are left to the timer.
constexpr KeyBinding kKeyBindings[] = {
    {vk::kEscape, ViewKeyAction::Escape, ViewKeyAction::Escape},
    {vk::kUp, ViewKeyAction::ZoomInAtMouse, ViewKeyAction::Faster},
    {vk::kDown, ViewKeyAction::ZoomOutAtMouse, ViewKeyAction::Slower},
    {vk::kLeft, ViewKeyAction::PreviousSlide, ViewKeyAction::None},
    {vk::kRight, ViewKeyAction::NextSlide, ViewKeyAction::None},
};

}  // namespace

ViewKeyAction KeyDownAction(int virtualKey, bool autoAdvance) {
    for (const KeyBinding& binding : kKeyBindings)
        if (binding.key == virtualKey) return autoAdvance ? binding.whenRunning : binding.whenStopped;
    return ViewKeyAction::None;
}
