#pragma once

#include <string>
#include <string_view>
#include <vector>

// Narrowing a pick list or an editor combo to the entries that contain what the user typed.
// Hiragana, katakana and half-width katakana count as the same letters, as do full- and
// half-width Latin letters and digits, and Latin letters match in either case. A query typed
// in Latin letters also matches the kana it spells (ido finds いどう and イドウ). The text is
// Unicode (UTF-32); the window converts each entry once when its list is filled.
namespace hakoniwa {

// The text in the one form that searching compares: katakana of either width become
// hiragana (a half-width sound mark joins the letter before it), full-width ASCII becomes
// ASCII and upper-case Latin letters lower-case.
std::u32string foldForSearch(std::u32string_view text);

// The hiragana a Latin-letter query spells, in either common spelling (shi/si, chi/ti,
// tsu/tu, fu/hu, ja/zya/jya, kya...): "nn", "n'" and an "n" before a consonant give ん, a
// doubled consonant gives っ. Letters that spell nothing stay as they are; an unfinished
// syllable at the end is left out, so that the list narrows while the user types it.
std::u32string romajiToHiragana(std::u32string_view text);

// The part of a definition line (name, description, argument count, argument specs, separated
// by ",") that the user knows the entry by: its name and its description. The argument specs
// stay out, so that a constant in an argument's list ("tei(2.左|...)") does not make every
// instruction taking it match "左".
std::u32string_view definitionSearchPart(std::u32string_view line);

// What the user typed, prepared once for matching against many folded entries.
class EntryQuery {
public:
    explicit EntryQuery(std::u32string_view typed);
    // True for an empty query: every entry matches it.
    bool empty() const { return literal_.empty(); }
    // Whether the folded entry (see foldForSearch) contains the query or the kana it spells.
    bool matchesFolded(std::u32string_view foldedEntry) const;
    const std::u32string& literal() const { return literal_; }
    const std::u32string& kana() const { return kana_; }

private:
    std::u32string literal_;
    std::u32string kana_; // empty when the query spells no kana of its own
};

// A list's entries folded once, searched on every typed key.
class EntryFilter {
public:
    EntryFilter() = default;
    explicit EntryFilter(const std::vector<std::u32string>& entries);

    std::size_t size() const { return starts_.size(); }
    // The positions of the entries that match, in list order; all of them for an empty query.
    std::vector<int> matching(std::u32string_view typed) const;

private:
    // The entries whose folded text contains `text`, in list order.
    std::vector<int> containing(const std::u32string& text) const;

    // Every folded entry in one run of UTF-8, each followed by a byte UTF-8 never holds, so
    // that one byte search finds the hits of all entries and no hit spans two of them.
    std::string run_;
    std::vector<std::size_t> starts_; // where each entry begins in run_
};

} // namespace hakoniwa
