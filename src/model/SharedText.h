#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

// A cell's text, held once for every cell of every sheet that holds the same bytes. Sheets are
// mostly the same few texts over and over (instruction lines, "0", variable names, small
// numbers), so a cell costs one pointer instead of a whole string. The texts live in one table
// for the process, guarded by a lock, and each is freed when its last holder lets it go.
namespace hakoniwa {

class SharedText {
public:
    // The empty text, which takes no room in the table.
    SharedText() noexcept = default;
    explicit SharedText(std::string_view text);
    SharedText(const SharedText& other) noexcept;
    SharedText(SharedText&& other) noexcept : node_(other.node_) { other.node_ = nullptr; }
    // Taking the other text and letting go of this one pass through the table's lock once.
    SharedText& operator=(const SharedText& other) noexcept;
    // The other holder is left empty.
    SharedText& operator=(SharedText&& other) noexcept;
    ~SharedText();

    // The bytes; the reference stays valid while this holder keeps the text.
    const std::string& str() const noexcept { return node_ ? node_->text : emptyText(); }
    bool empty() const noexcept { return node_ == nullptr; }
    // The empty text, valid for as long as the program runs.
    static const std::string& emptyText() noexcept {
        static const std::string text;
        return text;
    }

    // held[i] takes texts[i] for every i (as far as both reach), letting go of what it held; the
    // table is locked once for all of them. A text may lie in one of those let go.
    static void assign(std::span<const std::string_view> texts, std::span<SharedText> held);
    // As assign, for rows of `stride` holders each: a text equal to the one just given to the
    // holder a row above, or to the one of alike[i], is taken from that holder with no lookup.
    // Sheets repeat texts down a column and from one item to the next (alike being the same
    // cells of an item made like this one), so most cells of a file are taken this way.
    static void assignRows(std::span<const std::string_view> texts, std::span<SharedText> held,
                           std::size_t stride, std::span<const SharedText> alike);
    // Every holder lets go of its text and is left empty, with the table locked once.
    static void releaseAll(std::span<SharedText> held) noexcept;

    // How many different texts are held at present, for tests and measurements.
    static std::size_t distinctCount();

    // One held text and the number of its holders: the table's entry, used by nothing else.
    struct Node {
        std::string text;
        std::uint32_t hash;
        std::uint32_t holders;
    };

private:
    Node* node_ = nullptr;
};

} // namespace hakoniwa
