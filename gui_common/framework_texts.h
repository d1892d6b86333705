#pragma once

// The dialog framework's own prompts, the same in both programs.
namespace gui::texts {

inline constexpr const char* kEnterNumber = "Please enter a number.";
// %1 and %2 are the bounds in the dialogs' number form.
inline constexpr const char* kEnterNumberBetween = "Please enter a number between %1 and %2.";

}  // namespace gui::texts
