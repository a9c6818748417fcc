#pragma once
// The Windows side of the application object: what the entry point needs when there is no
// application object to report an error.

#include <exception>

namespace classlib::win {

// The error box for an error that escaped while the application object was being made: the
// text and caption the object's own error box would give (the title derived from the
// executable's name), owned by no window, since there is none yet. Returns when the user has
// closed it; nothing escapes.
void ShowErrorWithoutApplication(std::exception_ptr error) noexcept;

}  // namespace classlib::win
