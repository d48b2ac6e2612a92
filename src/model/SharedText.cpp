#include "model/SharedText.h"

#include <atomic>
#include <cstring>
#include <mutex>
#include <thread>
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

// Cells are mostly a few bytes long: eight bytes at a time, each mixed in by a multiplication.
std::uint32_t hashOf(std::string_view text) {
    constexpr std::uint64_t kMultiplier = 0x9E3779B97F4A7C15ull;
    std::uint64_t hash = text.size() * kMultiplier;
    const char* bytes = text.data();
    std::size_t left = text.size();
    while (left > 0) {
        std::uint64_t chunk = 0;
        const std::size_t taken = left < 8 ? left : 8;
        std::memcpy(&chunk, bytes, taken);
        hash = (hash ^ chunk) * kMultiplier;
        hash ^= hash >> 29;
        bytes += taken;
        left -= taken;
    }
    // A last round spreads every byte over the low bits that pick the slot.
    hash ^= hash >> 32;
    hash *= 0xD6E8FEB86659FD93ull;
    return static_cast<std::uint32_t>(hash ^ (hash >> 32));
}

// Every held text, found by its bytes: open addressing with linear probing in a table whose
// size is a power of two, at most half full, so a lookup touches one or two slots.
class TextTable {
public:
    Node* acquire(std::string_view text) {
        const std::uint32_t hash = hashOf(text);
        const std::lock_guard lock(lock_);
        std::size_t slot = hash & mask();
        for (; slots_[slot]; slot = (slot + 1) & mask()) {
            Node* node = slots_[slot];
            if (node->hash == hash && node->text == text) {
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

    void retain(Node* node) {
        const std::lock_guard lock(lock_);
        ++node->holders;
    }

    void release(Node* node) {
        {
            const std::lock_guard lock(lock_);
            if (--node->holders > 0)
                return;
            erase(node);
            if (slots_.size() > kMinimumSize && 8 * count_ < slots_.size())
                resize(slots_.size() / 2);
        }
        delete node;
    }

    std::size_t count() {
        const std::lock_guard lock(lock_);
        return count_;
    }

private:
    static constexpr std::size_t kMinimumSize = 1024;

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

SharedText::~SharedText() {
    if (node_)
        table().release(node_);
}

std::size_t SharedText::distinctCount() {
    return table().count();
}

constinit const std::string SharedText::kEmptyText;

} // namespace hakoniwa
