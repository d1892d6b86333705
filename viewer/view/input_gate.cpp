#include "viewer/view/input_gate.h"

#include "viewer/view/screen_transition.h"

bool InputGate::Hold(std::function<void()> input, bool mouseMove) {
    if (!transition_.Sweeping()) return false;
    if (mouseMove && !held_.empty() && held_.back().mouseMove) held_.back().input = std::move(input);
    else held_.push_back({std::move(input), mouseMove});
    return true;
}

void InputGate::RunHeld() {
    std::vector<HeldInput> inputs;
    inputs.swap(held_);
    for (HeldInput& held : inputs) held.input();
}
