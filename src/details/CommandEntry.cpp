#include "details/Settei.h"

// Command entry on the shown sheet: presses choose the pick list or place an editor combo,
// Enter commits. They do nothing yet.

void TForm3::StringGrid1MouseDown(Qt::MouseButton, int, int) {}

void TForm3::StringGrid1MouseMove(int, int) {}

void TForm3::StringGrid1KeyDown(int) {}

void TForm3::cbMOlKeyDown(int) {}

void TForm3::FormMouseMove(int, int) {}
