#pragma once

// The widths of the file list's three columns for a list whose client area is clientWidth
// pixels wide: half for the folder, a quarter each for the current and the new name.
struct ColumnWidths {
    int filePath;
    int currentName;
    int newName;
};

ColumnWidths listColumnWidths(int clientWidth);
