#pragma once

#include "model/ArgumentSpec.h"

#include <string>
#include <vector>

// What a right press on an argument cell prepares: the hover text describing the row's
// definition and every argument, and how the pressed argument is to be filled in.
namespace hakoniwa {

// The files a file argument takes, told by its description: images ("画像" in it), sounds
// ("音" in it) or, when it names neither, both.
enum class FileKind { Image, Sound, Any };

struct ArgumentHint {
    // Field 0, then "(" + field 1 + ")", then " 引数" + field 2 + "個" and a line feed, then
    // one hint line per argument field, each ended by a line feed.
    std::string text;
    // The kind of the argument in the pressed column; Free when the definition has no field
    // for it.
    ArgumentKind kind = ArgumentKind::Free;
    // For a file argument: the files it takes.
    FileKind fileKind = FileKind::Any;
    // For a constant argument: its entries label + "," + value, in list order.
    std::vector<std::string> constantEntries;

    // `definition` is the text of column 2 of the row (a whole definition line); `column` is
    // the pressed sheet column, which holds the value for field `column` of the definition.
    static ArgumentHint build(std::string_view definition, int column);
};

} // namespace hakoniwa
