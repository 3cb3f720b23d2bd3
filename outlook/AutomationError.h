#pragma once
// Every failure met while talking to the automation server: the text is shown
// to the user as it stands, so it says what failed in plain words.
#include <stdexcept>
#include <string>

namespace lumivane {

class AutomationError : public std::runtime_error {
 public:
  explicit AutomationError(const std::string& text) : std::runtime_error(text) {}
};

}  // namespace lumivane
