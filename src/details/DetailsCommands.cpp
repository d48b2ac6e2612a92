#include "details/Settei.h"

// The pick lists' clicks and the window's further commands: the pick, the jump and back,
// "決定" and fitting the sheet to the window. They do nothing yet.

void TForm3::tvOpListClick() {}

void TForm3::tvHnListClick() {}

void TForm3::tvMdListClick() {}

void TForm3::tvCmListClick() {}

void TForm3::tvOpListDblClick() {}

void TForm3::Button1Click() {}

void TForm3::Button4Click() {}

void TForm3::Button6Click() {}

void TForm3::StringGrid1DblClick() {}

void TForm3::FormResize() {}

void TForm3::updHenRef(const std::string&, const std::string&, const std::string&) {}
