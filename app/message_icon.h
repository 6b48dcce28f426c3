#pragma once

// The type of the application's message box: a type that names no icon and whose buttons are
// OK, OK and Cancel, Yes/No/Cancel or Yes and No gets the exclamation icon; any other type is
// shown as given.
unsigned withDefaultIcon(unsigned type);
