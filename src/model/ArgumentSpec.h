#pragma once

#include <string>
#include <vector>

// One argument field of an instruction or component definition: description + ":" + type
// spec. The type spec decides how the argument is filled in.
namespace hakoniwa {

enum class ArgumentKind {
    Result,          // "hen.w": a variable that receives the result
    File,            // "hen|val.file": a file path, chosen in the open dialog
    VariableOrValue, // "hen|val": a variable or a value, with a default after the first "."
    Constant,        // "tei(": one of the constants listed between the parentheses
    Free,            // anything else
};

// One constant of a "tei(" list, written value + "." + label, e.g. 0.左.
struct Constant {
    std::string value;
    std::string label;

    // The entry offered for picking: label + "," + value.
    std::string entry() const { return label + "," + value; }
    bool operator==(const Constant&) const = default;
};

struct ArgumentSpec {
    std::string description;
    std::string typeSpec;
    ArgumentKind kind = ArgumentKind::Free;
    std::string defaultValue;        // VariableOrValue only
    std::vector<Constant> constants; // Constant only

    // Without ":" the description and the type spec are both the whole field. The kind is
    // tested in the order Result, File, VariableOrValue, Constant, so that "hen|val.file" is
    // never taken for a plain "hen|val".
    static ArgumentSpec parse(const std::string& field);

    // The description followed by what the kind adds: " （結果が格納される）",
    // " デフォルト値[default]" or " 定数(label[value],...)".
    std::string hintLine() const;
};

} // namespace hakoniwa
