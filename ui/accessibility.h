#pragma once

namespace vesk {

// Tells screen readers what the program's own windows are: the main window is
// a window and the About window a dialog (a plain widget would show as a
// featureless filler). Safe to call more than once.
void installAccessibleRoles();

} // namespace vesk
