#pragma once

// Creates the five windows in start-up order: the main window, the scene editor, the
// details window, the information window and the stand-alone handle window. Each global
// reference is set before its window's construction runs. Then attaches the crash recovery.
void createWindows();
// Destroys them again, last created first, and clears the global references.
void destroyWindows();
