#include "app/Unit1.h"

// The project source file: Open and Save read and write it through these two.

void TForm1::ldSource(const QString&) {}

void TForm1::mkSource(const QString&) {}
