// The rule of the main window's info line, whatever language its texts are in.
#pragma once

#include <optional>
#include <string_view>

namespace ss::main_window {

// What the info line shows: the text of the big button under the pointer; else, while the focus
// cues are shown, the text of the big button that has the keyboard focus; else the welcome text.
// A text is absent when no big button is under the pointer, or has the focus.
constexpr std::string_view InfoLineText(std::optional<std::string_view> underPointer,
                                        std::optional<std::string_view> focused,
                                        bool focusCuesShown, std::string_view welcome) {
  if (underPointer) return *underPointer;
  if (focusCuesShown && focused) return *focused;
  return welcome;
}

}  // namespace ss::main_window
