#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// A cell's text in one machine word. Sheets are mostly the same few texts over and over
// (instruction lines, "0", variable names, small numbers), so a cell costs one word instead of
// a whole string. A text is either held once for every cell that holds the same bytes, in one
// table for the process guarded by a lock, or, for cells just read from a file, a view of the
// file's bytes in a TextBlock, which costs no lookup at all. Each is freed when its last holder
// lets it go.
namespace hakoniwa {

class TextBlock;

class SharedText {
public:
    // The empty text, which takes no room in the table.
    SharedText() noexcept = default;
    explicit SharedText(std::string_view text);
    SharedText(const SharedText& other) noexcept;
    SharedText(SharedText&& other) noexcept : bits_(other.bits_) { other.bits_ = 0; }
    // Taking the other text and letting go of this one pass through the table's lock once.
    SharedText& operator=(const SharedText& other) noexcept;
    // The other holder is left empty.
    SharedText& operator=(SharedText&& other) noexcept;
    ~SharedText();

    // The bytes; valid while this holder keeps the text.
    std::string_view view() const noexcept { return viewOfBits(bits_); }
    bool empty() const noexcept { return bits_ == 0; }

    // held[i] takes texts[i] for every i (as far as both reach), letting go of what it held,
    // with the table locked once for all of them. A text may lie in one of those let go.
    static void assign(std::span<const std::string_view> texts, std::span<SharedText> held);

    // A text of a TextBlock told in one word that no cell holds yet: the form in which a file
    // reader gathers a sheet's cells, for the sheet to take them all at once (appendViews).
    class BlockView {
    public:
        constexpr BlockView() noexcept = default; // the empty text
        // Whether `text` can be told in one word: not too long, at an address the word holds.
        static bool fits(std::string_view text) noexcept {
            return text.size() <= kLongestView &&
                   ((reinterpret_cast<std::uintptr_t>(text.data()) + text.size()) &
                    ~kAddressMask) == 0;
        }
        // `text` must fit.
        explicit BlockView(std::string_view text) noexcept
            : bits_(text.empty() ? 0
                                 : std::uint64_t(text.size()) << kLengthShift |
                                       reinterpret_cast<std::uintptr_t>(text.data())) {}
        bool empty() const noexcept { return bits_ == 0; }
        std::string_view view() const noexcept { return SharedText::viewOfBits(bits_); }

    private:
        friend class SharedText;
        std::uint64_t bits_ = 0;
    };
    // Appends a cell to `cells` for each view, viewing its text in `block`, which counts them
    // all as holders with one addition; a view whose text does not lie in the block has its
    // text held in the table instead.
    static void appendViews(std::vector<SharedText>& cells, std::span<const BlockView> views,
                            const TextBlock& block);
    // Every holder lets go of its text and is left empty, with the table locked once.
    static void releaseAll(std::span<SharedText> held) noexcept;

    // How many different texts the table holds at present, and how many blocks are still
    // viewed, for tests and measurements.
    static std::size_t distinctCount();
    static std::size_t blockCount();

    // One held text and the number of its holders: the table's entry, used by nothing else.
    struct Node {
        std::string text;
        std::uint32_t hash;
        std::uint32_t holders;
    };

private:
    friend class TextTable;
    friend class TextBlock;
    // A view keeps its length in the top bits and the address of its first byte below; a
    // table entry is its address alone, whose top bits are zero.
    static constexpr int kLengthShift = 48;
    static constexpr std::uint64_t kAddressMask = (std::uint64_t(1) << kLengthShift) - 1;
    static constexpr std::size_t kLongestView = (std::size_t(1) << (64 - kLengthShift)) - 1;

    static std::string_view viewOfBits(std::uint64_t bits) noexcept {
        if (const std::uint64_t length = bits >> kLengthShift)
            return {reinterpret_cast<const char*>(static_cast<std::uintptr_t>(bits & kAddressMask)),
                    static_cast<std::size_t>(length)};
        return bits ? std::string_view(
                          reinterpret_cast<const Node*>(static_cast<std::uintptr_t>(bits))->text)
                    : std::string_view();
    }

    std::uint64_t bits_ = 0;
};

// Bytes read from a file, kept whole so that the cells read from them view their texts in
// place. The bytes stay while this holder or any cell viewing them lives.
class TextBlock {
public:
    // A copy of `bytes`.
    explicit TextBlock(std::string_view bytes);
    // A block holding what `read` writes: it is given a function that makes room for a number
    // of bytes and gives where they go, and returns how many it wrote there.
    using MakeRoom = std::function<char*(std::size_t size)>;
    static std::unique_ptr<TextBlock>
    readBy(const std::function<std::size_t(const MakeRoom&)>& read);
    ~TextBlock();
    TextBlock(const TextBlock&) = delete;
    TextBlock& operator=(const TextBlock&) = delete;

    std::string_view bytes() const noexcept;

    struct Node; // the bytes and their holders: the table's entry, used by nothing else

private:
    // An empty block with room for `capacity` bytes, filled through spare() and fill().
    explicit TextBlock(std::size_t capacity);
    static std::unique_ptr<TextBlock> withRoom(std::size_t capacity);
    // The room behind the bytes so far: room() bytes from spare() on, which fill(count) adds
    // to the bytes once written.
    std::size_t room() const noexcept;
    char* spare() noexcept;
    void fill(std::size_t count);

    friend class SharedText;
    friend class TextTable;
    Node* node_;
};

} // namespace hakoniwa
