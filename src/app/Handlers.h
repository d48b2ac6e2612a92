#pragma once

#include <string_view>

// The fixed numbers and qualified names of every guarded handler. A failure caption reads
// "システム 例外:" + number + name, so these pairs are what a user reports back to us.
struct HandlerId {
    int number;
    std::string_view name;
};

inline constexpr HandlerId kHandlers[] = {
    {124, "TForm1::Button1Click"},
    {137, "TForm1::Edit1KeyDown"},
    {159, "TForm1::pcSceneChange"},
    {171, "TForm1::Button2Click"},
    {308, "TForm1::ldSource"},
    {373, "TForm1::mkSource"},
    {396, "TForm1::serchStr"},
    {103, "TForm2::FormDblClick"},
    {125, "TForm2::updItemJumpNo"},
    {163, "TForm2::FormMouseDown"},
    {275, "TForm2::drawLinkLine"},
    {356, "TForm2::dspAllItm"},
    {541, "TForm2::FormMouseMove"},
    {599, "TForm2::FormMouseUp"},
    {615, "TForm2::FormKeyDown"},
    {67, "TForm3::StringGrid1Enter"},
    {95, "TForm3::StringGrid1SetEditText"},
    {147, "TForm3::StringGrid1KeyDown"},
    {162, "TForm3::StringGrid1MouseMove"},
    {171, "TForm3::FormMouseMove"},
    {219, "TForm3::updMOlCb"},
    {465, "TForm3::StringGrid1MouseDown"},
    {516, "TForm3::cbMOlKeyDown"},
    {526, "TForm3::Y1Click"},
    {536, "TForm3::X1Click"},
    {634, "TForm3::updHenCb"},
    {646, "TForm3::Button1Click"},
    {665, "TForm3::N3Click"},
    {688, "TForm3::N5Click"},
    {700, "TForm3::FormResize"},
    {720, "TForm3::Button2Click"},
    {741, "TForm3::Button3Click"},
    {809, "TForm3::Button4Click"},
    {830, "TForm3::N6Click"},
    {838, "TForm3::tvOpListDblClick"},
    {867, "TForm3::N7Click"},
    {982, "TForm3::tvMdListAdvancedCustomDrawItem"},
    {999, "TForm3::N8Click"},
    {1016, "TForm3::N9Click"},
    {1099, "TForm3::N11Click"},
    {1162, "TForm3::StringGrid1DblClick"},
    {27, "TForm4::Button1Click"},
};

// Looks a handler up by its qualified name at compile time; a misspelt name does not compile.
consteval HandlerId handler(std::string_view name) {
    for (const HandlerId& id : kHandlers)
        if (id.name == name)
            return id;
    throw "unknown handler name";
}
