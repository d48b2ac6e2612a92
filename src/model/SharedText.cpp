#include "model/SharedText.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cstring>
#include <mutex>
#include <new>
#include <span>
#include <thread>
#include <utility>
#include <vector>

namespace hakoniwa {
namespace {

using Node = SharedText::Node;

// A lock for the few instructions of a lookup: taking it when no other thread holds it costs
// one atomic exchange, which matters when a file of millions of cells is read.
class SpinLock {
public:
    void lock() {
        while (locked_.exchange(true, std::memory_order_acquire))
            std::this_thread::yield();
    }
    void unlock() { locked_.store(false, std::memory_order_release); }

private:
    std::atomic<bool> locked_{false};
};

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
    const unsigned __int128 product = static_cast<unsigned __int128>(a) * b;
    return static_cast<std::uint64_t>(product) ^ static_cast<std::uint64_t>(product >> 64);
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

// Every held text, found by its bytes: open addressing with linear probing in a table whose
// size is a power of two, at most half full, so a lookup touches one or two slots. Each
// public call takes the lock once, for one text or for many.
class TextTable {
public:
    Node* acquire(std::string_view text) {
        const std::uint32_t hash = hashOf(text);
        const std::lock_guard lock(lock_);
        return find(text, hash);
    }

    // held[i] takes texts[i] for every i, letting go of what it held. A text may lie in a node
    // let go of here: nodes are deleted only once every text is taken.
    // `likely(i)` gives nodes that texts[i] may well equal; the first that does is taken
    // without a lookup.
    template <typename Held, typename Likely>
    void replace(std::span<const std::string_view> texts, Held&& held, Likely&& likely) {
        std::vector<Node*> freed;
        {
            const std::lock_guard lock(lock_);
            for (std::size_t i = 0; i < texts.size(); ++i) {
                Node*& holder = held(i);
                Node* old = holder;
                holder = texts[i].empty() ? nullptr : take(texts[i], likely(i));
                if (old && drop(old))
                    freed.push_back(old);
            }
        }
        for (Node* node : freed)
            delete node;
    }

    void retain(Node* node) {
        const std::lock_guard lock(lock_);
        ++node->holders;
    }

    // `holder` lets go of its node and takes `next`.
    void exchange(Node*& holder, Node* next) noexcept {
        Node* old = holder;
        {
            const std::lock_guard lock(lock_);
            if (next)
                ++next->holders;
            holder = next;
            if (!old || !drop(old))
                return;
        }
        delete old;
    }

    void release(Node* node) {
        {
            const std::lock_guard lock(lock_);
            if (!drop(node))
                return;
        }
        delete node;
    }

    template <typename Held> void releaseAll(std::size_t count, Held&& held) {
        const std::lock_guard lock(lock_);
        for (std::size_t i = 0; i < count; ++i) {
            Node*& node = held(i);
            if (node && drop(node))
                delete node;
            node = nullptr;
        }
    }

    std::size_t count() {
        const std::lock_guard lock(lock_);
        return count_;
    }

private:
    static constexpr std::size_t kMinimumSize = 1024;

    // The node holding `text`, with one more holder: one of `likely` when it holds the same
    // bytes (a node let go of by all holders is out of the table and not taken), else found.
    template <std::size_t n> Node* take(std::string_view text, const std::array<Node*, n>& likely) {
        for (Node* node : likely)
            if (node && node->holders > 0 && sameBytes(node->text, text)) {
                ++node->holders;
                return node;
            }
        return find(text, hashOf(text));
    }

    // The node holding `text`, with one more holder, added when there is none.
    Node* find(std::string_view text, std::uint32_t hash) {
        std::size_t slot = hash & mask();
        for (; slots_[slot]; slot = (slot + 1) & mask()) {
            Node* node = slots_[slot];
            if (node->hash == hash && sameBytes(node->text, text)) {
                ++node->holders;
                return node;
            }
        }
        if (2 * (count_ + 1) > slots_.size()) {
            resize(2 * slots_.size());
            slot = freeSlot(hash);
        }
        Node* node = new Node{std::string(text), hash, 1};
        slots_[slot] = node;
        ++count_;
        return node;
    }

    // One holder fewer; true when that was the last, and the node, out of the table, is to be
    // deleted by the caller.
    bool drop(Node* node) noexcept {
        if (--node->holders > 0)
            return false;
        erase(node);
        if (slots_.size() > kMinimumSize && 8 * count_ < slots_.size()) {
            // Only to give memory back: without the memory for a smaller table, keep this one.
            try {
                resize(slots_.size() / 2);
            } catch (const std::bad_alloc&) {
            }
        }
        return true;
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

    SpinLock lock_;
    std::vector<Node*> slots_ = std::vector<Node*>(kMinimumSize, nullptr);
    std::size_t count_ = 0;
};

// Never destroyed, so that sheets still alive while the program ends can let go of texts.
TextTable& table() {
    static TextTable* const made = new TextTable;
    return *made;
}

} // namespace

SharedText::SharedText(std::string_view text)
    : node_(text.empty() ? nullptr : table().acquire(text)) {}

SharedText::SharedText(const SharedText& other) noexcept : node_(other.node_) {
    if (node_)
        table().retain(node_);
}

SharedText& SharedText::operator=(const SharedText& other) noexcept {
    if (node_ != other.node_)
        table().exchange(node_, other.node_);
    return *this;
}

SharedText& SharedText::operator=(SharedText&& other) noexcept {
    if (this != &other) {
        Node* old = std::exchange(node_, std::exchange(other.node_, nullptr));
        if (old)
            table().release(old);
    }
    return *this;
}

SharedText::~SharedText() {
    if (node_)
        table().release(node_);
}

void SharedText::assign(std::span<const std::string_view> texts, std::span<SharedText> held) {
    table().replace(
        texts.first(std::min(texts.size(), held.size())),
        [&](std::size_t i) -> Node*& { return held[i].node_; },
        [](std::size_t) { return std::array<Node*, 0>{}; });
}

void SharedText::assignRows(std::span<const std::string_view> texts, std::span<SharedText> held,
                            std::size_t stride, std::span<const SharedText> alike) {
    table().replace(
        texts.first(std::min(texts.size(), held.size())),
        [&](std::size_t i) -> Node*& { return held[i].node_; },
        [&](std::size_t i) {
            return std::array<Node*, 2>{i >= stride ? held[i - stride].node_ : nullptr,
                                        i < alike.size() ? alike[i].node_ : nullptr};
        });
}

void SharedText::releaseAll(std::span<SharedText> held) noexcept {
    table().releaseAll(held.size(), [&](std::size_t i) -> Node*& { return held[i].node_; });
}

std::size_t SharedText::distinctCount() {
    return table().count();
}

} // namespace hakoniwa
