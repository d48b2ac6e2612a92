#include "model/SharedText.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <memory>
#include <mutex>
#include <new>
#include <span>
#include <stdexcept>
#include <utility>
#include <vector>

namespace hakoniwa {
namespace {

using Node = SharedText::Node;

// Reads n bytes (1 to 8) as one number; two texts of the same length give the same number only
// when their bytes are the same.
std::uint64_t readSmall(const char* bytes, std::size_t n) {
    std::uint32_t a = 0, b = 0;
    if (n >= 4) {
        // Two overlapping four-byte reads cover up to eight bytes.
        std::memcpy(&a, bytes, 4);
        std::memcpy(&b, bytes + n - 4, 4);
    } else {
        const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
        a = byte(0) << 16 | byte(n / 2) << 8 | byte(n - 1);
    }
    return std::uint64_t(a) << 32 | b;
}

bool sameBytes(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    // Short texts (most cells) are told apart by the same reads as the hash, with no call.
    if (a.size() <= 8)
        return a.empty() || readSmall(a.data(), a.size()) == readSmall(b.data(), b.size());
    if (a.size() <= 16) // two overlapping eight-byte reads
        return readSmall(a.data(), 8) == readSmall(b.data(), 8) &&
               readSmall(a.data() + a.size() - 8, 8) == readSmall(b.data() + b.size() - 8, 8);
    return std::memcmp(a.data(), b.data(), a.size()) == 0;
}

// Multiplies into 128 bits and folds the halves: every input bit reaches every output bit.
std::uint64_t mix(std::uint64_t a, std::uint64_t b) {
#ifdef __SIZEOF_INT128__
    const unsigned __int128 product = static_cast<unsigned __int128>(a) * b;
    return static_cast<std::uint64_t>(product) ^ static_cast<std::uint64_t>(product >> 64);
#else
    // Targets without a 128-bit type (32-bit ones): the same product from four 32-bit halves.
    const std::uint64_t aLow = a & 0xFFFFFFFFu, aHigh = a >> 32;
    const std::uint64_t bLow = b & 0xFFFFFFFFu, bHigh = b >> 32;
    const std::uint64_t lowLow = aLow * bLow, highLow = aHigh * bLow;
    const std::uint64_t lowHigh = aLow * bHigh, highHigh = aHigh * bHigh;
    const std::uint64_t middle = (lowLow >> 32) + (highLow & 0xFFFFFFFFu) + lowHigh;
    const std::uint64_t low = (middle << 32) | (lowLow & 0xFFFFFFFFu);
    const std::uint64_t high = highHigh + (highLow >> 32) + (middle >> 32);
    return low ^ high;
#endif
}

// Cells are mostly a few bytes long: those take one multiplication, longer ones one for every
// eight bytes.
std::uint32_t hashOf(std::string_view text) {
    constexpr std::uint64_t k0 = 0xA0761D6478BD642Full, k1 = 0xE7037ED1A0B428DBull;
    const char* bytes = text.data();
    const std::size_t n = text.size();
    std::uint64_t hash = n * k0;
    if (n <= 8)
        return static_cast<std::uint32_t>(mix((n ? readSmall(bytes, n) : 0) ^ k1, hash ^ k0));
    std::size_t done = 0;
    for (; n - done > 8; done += 8) {
        std::uint64_t chunk;
        std::memcpy(&chunk, bytes + done, 8);
        hash = mix(chunk ^ k1, hash ^ k0);
    }
    std::uint64_t last; // the last eight bytes, overlapping the chunks before when need be
    std::memcpy(&last, bytes + n - 8, 8);
    return static_cast<std::uint32_t>(mix(last ^ k1, hash ^ k0));
}

} // namespace

struct TextBlock::Node {
    explicit Node(std::size_t size)
        : capacity(std::max<std::size_t>(size, 1)), bytes(new char[capacity]) {}
    ~Node() { delete[] bytes; }
    Node(const Node&) = delete;
    Node& operator=(const Node&) = delete;

    std::string_view view() const { return {bytes, size}; }
    bool holds(const char* at) const {
        const auto offset =
            reinterpret_cast<std::uintptr_t>(at) - reinterpret_cast<std::uintptr_t>(bytes);
        return offset < capacity; // fixed, also while a block is filled
    }

    std::size_t capacity;
    char* bytes; // not cleared: only what is filled is ever read
    // Whether every byte's address fits the address bits of a view.
    bool viewable =
        ((reinterpret_cast<std::uintptr_t>(bytes) + capacity) & ~SharedText::kAddressMask) == 0;
    std::size_t size = 0;
    // This block's holder and every cell viewing the bytes. Cells are added without the
    // table's lock (one addition for a whole sheet); the count falls only under the lock.
    std::atomic<std::size_t> holders{1};
};

// Every held text, found by its bytes: open addressing with linear probing in a table whose
// size is a power of two, at most half full, so a lookup touches one or two slots. Each
// public call takes the lock once, for one text or for many. It also knows the blocks still
// viewed, to count the views of each.
class TextTable {
public:
    using Bits = std::uint64_t;
    using Block = TextBlock::Node;

    static bool isView(Bits bits) { return bits >> SharedText::kLengthShift != 0; }
    static Node* nodeOf(Bits bits) {
        return reinterpret_cast<Node*>(static_cast<std::uintptr_t>(bits));
    }
    static const char* addressOf(Bits bits) {
        return reinterpret_cast<const char*>(
            static_cast<std::uintptr_t>(bits & SharedText::kAddressMask));
    }

    Bits acquire(std::string_view text) {
        const std::uint32_t hash = hashOf(text);
        const std::lock_guard lock(lock_);
        return find(text, hash);
    }

    // held(i) takes texts(i) for every i below count, letting go of what it held. A text may lie in
    // a text let go of here: nothing is freed before every text is taken.
    template <typename Texts, typename Held>
    void replace(std::size_t count, Texts&& texts, Held&& held) {
        std::vector<Freed> freed;
        {
            const std::lock_guard lock(lock_);
            for (std::size_t i = 0; i < count; ++i) {
                Bits& holder = held(i);
                const Bits old = holder;
                const std::string_view text = texts(i);
                holder = text.empty() ? 0 : find(text, hashOf(text));
                if (old)
                    if (const Freed gone = drop(old))
                        freed.push_back(gone);
            }
        }
        for (const Freed& gone : freed)
            gone.free();
    }

    void retain(Bits bits) {
        const std::lock_guard lock(lock_);
        hold(bits);
    }

    // `holder` lets go of its text and takes `next`.
    void exchange(Bits& holder, Bits next) noexcept {
        Freed gone;
        {
            const std::lock_guard lock(lock_);
            if (next)
                hold(next);
            if (holder)
                gone = drop(holder);
            holder = next;
        }
        gone.free();
    }

    void release(Bits bits) noexcept {
        Freed gone;
        {
            const std::lock_guard lock(lock_);
            gone = drop(bits);
        }
        gone.free();
    }

    // Views of one block lying side by side, as in a sheet read from a file, are let go of
    // with one subtraction.
    template <typename Held> void releaseAll(std::size_t count, Held&& held) noexcept {
        std::vector<Freed> freed;
        {
            const std::lock_guard lock(lock_);
            Block* block = nullptr;
            std::size_t views = 0;
            const auto letGo = [&](const Freed& gone) {
                if (!gone)
                    return;
                try {
                    freed.push_back(gone);
                } catch (const std::bad_alloc&) {
                    gone.free(); // under the lock, which freeing does not need
                }
            };
            for (std::size_t i = 0; i < count; ++i) {
                Bits& bits = held(i);
                if (isView(bits)) {
                    const char* address = addressOf(bits);
                    if (!block || !block->holds(address)) {
                        letGo({nullptr, dropViews(block, views) ? block : nullptr});
                        block = blockAt(address);
                        views = 0;
                    }
                    ++views;
                } else if (bits) {
                    letGo(drop(bits));
                }
                bits = 0;
            }
            letGo({nullptr, dropViews(block, views) ? block : nullptr});
        }
        for (const Freed& gone : freed)
            gone.free();
    }

    void addBlock(Block* block) {
        const std::lock_guard lock(lock_);
        blocks_.insert(std::upper_bound(blocks_.begin(), blocks_.end(), block, startsBefore),
                       block);
    }

    // The block's own holder lets go of it.
    void releaseBlock(Block* block) noexcept {
        bool last;
        {
            const std::lock_guard lock(lock_);
            last = dropViews(block, 1);
        }
        if (last)
            delete block;
    }

    std::size_t count() {
        const std::lock_guard lock(lock_);
        return count_;
    }

    std::size_t blockCount() {
        const std::lock_guard lock(lock_);
        return blocks_.size();
    }

private:
    static constexpr std::size_t kMinimumSize = 1024;

    // What a holder let go of last, to be freed once the lock is given back.
    struct Freed {
        Node* node = nullptr;
        Block* block = nullptr;
        explicit operator bool() const { return node || block; }
        void free() const {
            delete node;
            delete block;
        }
    };

    static bool startsBefore(const Block* a, const Block* b) {
        return reinterpret_cast<std::uintptr_t>(a->bytes) <
               reinterpret_cast<std::uintptr_t>(b->bytes);
    }

    // The block whose bytes hold `address`; every view lies in a block still listed.
    Block* blockAt(const char* address) const {
        const auto after = std::upper_bound(
            blocks_.begin(), blocks_.end(), reinterpret_cast<std::uintptr_t>(address),
            [](std::uintptr_t at, const Block* block) {
                return at < reinterpret_cast<std::uintptr_t>(block->bytes);
            });
        return after == blocks_.begin() ? nullptr : *(after - 1);
    }

    void hold(Bits bits) {
        if (!isView(bits))
            ++nodeOf(bits)->holders;
        else if (Block* block = blockAt(addressOf(bits)))
            block->holders.fetch_add(1, std::memory_order_relaxed);
    }

    // One holder fewer; what that was the last holder of comes back, out of the table.
    Freed drop(Bits bits) noexcept {
        if (isView(bits)) {
            Block* block = blockAt(addressOf(bits));
            return {nullptr, dropViews(block, 1) ? block : nullptr};
        }
        Node* node = nodeOf(bits);
        if (--node->holders > 0)
            return {};
        erase(node);
        if (slots_.size() > kMinimumSize && 8 * count_ < slots_.size()) {
            // Only to give memory back: without the memory for a smaller table, keep this one.
            try {
                resize(slots_.size() / 2);
            } catch (const std::bad_alloc&) {
            }
        }
        return {node, nullptr};
    }

    // `views` holders fewer for `block`; true when none is left and the block, out of the
    // list, is to be freed by the caller.
    bool dropViews(Block* block, std::size_t views) noexcept {
        if (!block || views == 0 || block->holders.fetch_sub(views) != views)
            return false;
        blocks_.erase(std::find(blocks_.begin(), blocks_.end(), block));
        return true;
    }

    // The entry holding `text`, with one more holder, added when there is none.
    Bits find(std::string_view text, std::uint32_t hash) {
        std::size_t slot = hash & mask();
        for (; slots_[slot]; slot = (slot + 1) & mask()) {
            Node* node = slots_[slot];
            if (node->hash == hash && sameBytes(node->text, text)) {
                ++node->holders;
                return reinterpret_cast<std::uintptr_t>(node);
            }
        }
        if (2 * (count_ + 1) > slots_.size()) {
            resize(2 * slots_.size());
            slot = freeSlot(hash);
        }
        auto node = std::make_unique<Node>(Node{std::string(text), hash, 1});
        // An entry must read as no view: its top address bits are zero on every system the
        // editor runs on.
        if (isView(reinterpret_cast<std::uintptr_t>(node.get())))
            throw std::runtime_error("text entry beyond the addressable range");
        slots_[slot] = node.get();
        ++count_;
        return reinterpret_cast<std::uintptr_t>(node.release());
    }

    std::size_t mask() const { return slots_.size() - 1; }

    std::size_t freeSlot(std::uint32_t hash) const {
        std::size_t slot = hash & mask();
        while (slots_[slot])
            slot = (slot + 1) & mask();
        return slot;
    }

    void resize(std::size_t size) {
        std::vector<Node*> old(size, nullptr);
        old.swap(slots_);
        for (Node* node : old)
            if (node)
                slots_[freeSlot(node->hash)] = node;
    }

    // Takes the node out and moves later nodes of its run back, so that no lookup stops short
    // at the hole.
    void erase(Node* node) {
        std::size_t hole = node->hash & mask();
        while (slots_[hole] != node)
            hole = (hole + 1) & mask();
        slots_[hole] = nullptr;
        --count_;
        for (std::size_t next = (hole + 1) & mask(); slots_[next]; next = (next + 1) & mask()) {
            const std::size_t home = slots_[next]->hash & mask();
            // The node may fill the hole when its home is not after the hole on its way.
            const bool homeBetween =
                hole < next ? (hole < home && home <= next) : (hole < home || home <= next);
            if (!homeBetween) {
                slots_[hole] = slots_[next];
                slots_[next] = nullptr;
                hole = next;
            }
        }
    }

    // Taken once per public call, for one text or a whole sheet: a plain mutex loads a file as
    // fast as a spin lock did (bench_source).
    std::mutex lock_;
    std::vector<Node*> slots_ = std::vector<Node*>(kMinimumSize, nullptr);
    std::size_t count_ = 0;
    // Blocks still held, ordered by the address of their bytes.
    std::vector<Block*> blocks_;
};

namespace {

// Never destroyed, so that sheets still alive while the program ends can let go of texts.
TextTable& table() {
    static TextTable* const made = new TextTable;
    return *made;
}

} // namespace

SharedText::SharedText(std::string_view text) : bits_(text.empty() ? 0 : table().acquire(text)) {}

SharedText::SharedText(const SharedText& other) noexcept : bits_(other.bits_) {
    if (bits_)
        table().retain(bits_);
}

SharedText& SharedText::operator=(const SharedText& other) noexcept {
    if (bits_ != other.bits_)
        table().exchange(bits_, other.bits_);
    return *this;
}

SharedText& SharedText::operator=(SharedText&& other) noexcept {
    if (this != &other) {
        const std::uint64_t old = std::exchange(bits_, std::exchange(other.bits_, 0));
        if (old)
            table().release(old);
    }
    return *this;
}

SharedText::~SharedText() {
    if (bits_)
        table().release(bits_);
}

void SharedText::assign(std::span<const std::string_view> texts, std::span<SharedText> held) {
    texts = texts.first(std::min(texts.size(), held.size()));
    table().replace(
        texts.size(), [&](std::size_t k) { return texts[k]; },
        [&](std::size_t k) -> std::uint64_t& { return held[k].bits_; });
}

void SharedText::appendViews(std::vector<SharedText>& cells, std::span<const BlockView> views,
                             const TextBlock& block) {
    const TextBlock::Node& bytes = *block.node_;
    const std::uintptr_t start = reinterpret_cast<std::uintptr_t>(bytes.bytes);
    const auto inBlock = [&](std::uint64_t bits) {
        const std::uintptr_t offset = (bits & kAddressMask) - start;
        return bytes.viewable && offset < bytes.capacity &&
               (bits >> kLengthShift) <= bytes.capacity - offset;
    };
    const std::size_t first = cells.size();
    cells.resize(first + views.size());
    std::size_t viewing = 0, elsewhere = 0;
    for (std::size_t i = 0; i < views.size(); ++i) {
        const std::uint64_t bits = views[i].bits_;
        if (inBlock(bits)) {
            cells[first + i].bits_ = bits;
            ++viewing;
        } else {
            elsewhere += bits != 0;
        }
    }
    block.node_->holders.fetch_add(viewing, std::memory_order_relaxed);
    if (elsewhere == 0)
        return;
    std::vector<std::size_t> others;
    for (std::size_t i = 0; i < views.size(); ++i)
        if (views[i].bits_ && !inBlock(views[i].bits_))
            others.push_back(i);
    table().replace(
        others.size(), [&](std::size_t k) { return views[others[k]].view(); },
        [&](std::size_t k) -> std::uint64_t& { return cells[first + others[k]].bits_; });
}

void SharedText::releaseAll(std::span<SharedText> held) noexcept {
    // Empty cells hold nothing: a sheet of them is let go of without the lock.
    if (std::all_of(held.begin(), held.end(), [](const SharedText& text) { return text.empty(); }))
        return;
    table().releaseAll(held.size(), [&](std::size_t i) -> std::uint64_t& { return held[i].bits_; });
}

std::size_t SharedText::distinctCount() {
    return table().count();
}

std::size_t SharedText::blockCount() {
    return table().blockCount();
}

TextBlock::TextBlock(std::size_t capacity) : node_(new Node(capacity)) {
    try {
        table().addBlock(node_);
    } catch (...) {
        delete node_;
        throw;
    }
}

TextBlock::TextBlock(std::string_view bytes) : TextBlock(bytes.size()) {
    std::memcpy(spare(), bytes.data(), bytes.size());
    fill(bytes.size());
}

TextBlock::~TextBlock() {
    table().releaseBlock(node_);
}

std::unique_ptr<TextBlock> TextBlock::withRoom(std::size_t capacity) {
    return std::unique_ptr<TextBlock>(new TextBlock(capacity));
}

std::unique_ptr<TextBlock>
TextBlock::readBy(const std::function<std::size_t(const MakeRoom&)>& read) {
    std::unique_ptr<TextBlock> block;
    const std::size_t count = read([&](std::size_t size) {
        block = withRoom(size);
        return block->spare();
    });
    if (!block)
        block = withRoom(0);
    block->fill(count);
    return block;
}

std::string_view TextBlock::bytes() const noexcept {
    return node_->view();
}

std::size_t TextBlock::room() const noexcept {
    return node_->capacity - node_->size;
}

char* TextBlock::spare() noexcept {
    return node_->bytes + node_->size;
}

void TextBlock::fill(std::size_t count) {
    if (count > room())
        throw std::length_error("bytes beyond the block's room");
    node_->size += count;
}

} // namespace hakoniwa
