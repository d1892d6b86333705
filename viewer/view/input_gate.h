#pragma once

#include <functional>
#include <vector>

class CScreenTransition;

// Holds the view's input while a sweep is drawn, as no input was handled while the sweep
// was drawn inside one paint; it is handled, in order, once the sweep is over.
class InputGate {
public:
    explicit InputGate(const CScreenTransition& transition) : transition_(transition) {}

    // Keeps the input for after the sweep under way; false when there is none, so that it
    // is handled now. Of a run of mouse moves only the latest is kept, as the platform does.
    bool Hold(std::function<void()> input, bool mouseMove = false);
    bool Holding() const { return !held_.empty(); }
    // Handles the input held, in the order it came; input that arrives meanwhile waits for
    // the next call.
    void RunHeld();

private:
    struct HeldInput {
        std::function<void()> input;
        bool mouseMove;
    };

    const CScreenTransition& transition_;
    std::vector<HeldInput> held_;
};
