// Return and Enter press the push button that has the keyboard focus, in every
// window, as Space does; buttons that are not a window's default otherwise let
// the key fall through to the default button or to nothing at all.
#pragma once

namespace tessaran {

// From now on, for the whole application (idempotent).
void install_button_keys();

}  // namespace tessaran
