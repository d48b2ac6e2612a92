#include "model/EntryFilter.h"

#include <algorithm>
#include <iterator>
#include <utility>

namespace hakoniwa {

namespace {

// Half-width katakana U+FF66 to U+FF9D as hiragana, in code order.
constexpr std::u32string_view kHalfWidthKana =
    U"をぁぃぅぇぉゃゅょっーあいうえおかきくけこさしすせそ"
    U"たちつてとなにぬねのはひふへほまみむめもやゆよらりるれろわん";

// Ends each entry in a filter's run of text; no UTF-8 text holds this byte.
constexpr char kEntryEnd = '\xFF';

void appendUtf8(std::string& out, std::u32string_view text) {
    for (const char32_t c : text) {
        if (c < 0x80) {
            out += char(c);
        } else if (c < 0x800) {
            out += char(0xC0 | c >> 6);
            out += char(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += char(0xE0 | c >> 12);
            out += char(0x80 | (c >> 6 & 0x3F));
            out += char(0x80 | (c & 0x3F));
        } else {
            out += char(0xF0 | (c >> 18 & 0x07));
            out += char(0x80 | (c >> 12 & 0x3F));
            out += char(0x80 | (c >> 6 & 0x3F));
            out += char(0x80 | (c & 0x3F));
        }
    }
}

constexpr char32_t kHalfVoicedMark = U'\uFF9E';
constexpr char32_t kHalfSemiVoicedMark = U'\uFF9F';

bool takesSemiVoicedMark(char32_t c) {
    return c == U'は' || c == U'ひ' || c == U'ふ' || c == U'へ' || c == U'ほ';
}

bool takesVoicedMark(char32_t c) {
    if (c >= U'か' && c <= U'ぢ')
        return (c - U'か') % 2 == 0;
    return c == U'つ' || c == U'て' || c == U'と' || c == U'う' || takesSemiVoicedMark(c);
}

char32_t foldLetter(char32_t c) {
    if (c >= U'\uFF01' && c <= U'\uFF5E')
        c -= 0xFEE0; // full-width ASCII
    else if (c == U'\u3000')
        c = U' ';
    if (c >= U'A' && c <= U'Z')
        return c + (U'a' - U'A');
    if (c >= U'ァ' && c <= U'ヶ')
        return c - (U'ァ' - U'ぁ');
    if (c >= U'\uFF66' && c <= U'\uFF9D')
        return kHalfWidthKana[c - U'\uFF66'];
    return c;
}

// The syllables a query may spell, both common spellings of each.
constexpr std::pair<std::u32string_view, std::u32string_view> kSyllables[] = {
    {U"a", U"あ"},     {U"i", U"い"},     {U"u", U"う"},     {U"e", U"え"},     {U"o", U"お"},
    {U"ka", U"か"},    {U"ki", U"き"},    {U"ku", U"く"},    {U"ke", U"け"},    {U"ko", U"こ"},
    {U"ga", U"が"},    {U"gi", U"ぎ"},    {U"gu", U"ぐ"},    {U"ge", U"げ"},    {U"go", U"ご"},
    {U"sa", U"さ"},    {U"shi", U"し"},   {U"si", U"し"},    {U"su", U"す"},    {U"se", U"せ"},
    {U"so", U"そ"},    {U"za", U"ざ"},    {U"ji", U"じ"},    {U"zi", U"じ"},    {U"zu", U"ず"},
    {U"ze", U"ぜ"},    {U"zo", U"ぞ"},    {U"ta", U"た"},    {U"chi", U"ち"},   {U"ti", U"ち"},
    {U"tsu", U"つ"},   {U"tu", U"つ"},    {U"te", U"て"},    {U"to", U"と"},    {U"da", U"だ"},
    {U"di", U"ぢ"},    {U"du", U"づ"},    {U"de", U"で"},    {U"do", U"ど"},    {U"na", U"な"},
    {U"ni", U"に"},    {U"nu", U"ぬ"},    {U"ne", U"ね"},    {U"no", U"の"},    {U"ha", U"は"},
    {U"hi", U"ひ"},    {U"fu", U"ふ"},    {U"hu", U"ふ"},    {U"he", U"へ"},    {U"ho", U"ほ"},
    {U"ba", U"ば"},    {U"bi", U"び"},    {U"bu", U"ぶ"},    {U"be", U"べ"},    {U"bo", U"ぼ"},
    {U"pa", U"ぱ"},    {U"pi", U"ぴ"},    {U"pu", U"ぷ"},    {U"pe", U"ぺ"},    {U"po", U"ぽ"},
    {U"ma", U"ま"},    {U"mi", U"み"},    {U"mu", U"む"},    {U"me", U"め"},    {U"mo", U"も"},
    {U"ya", U"や"},    {U"yu", U"ゆ"},    {U"yo", U"よ"},    {U"ra", U"ら"},    {U"ri", U"り"},
    {U"ru", U"る"},    {U"re", U"れ"},    {U"ro", U"ろ"},    {U"wa", U"わ"},    {U"wo", U"を"},
    {U"n'", U"ん"},    {U"nn", U"ん"},    {U"kya", U"きゃ"}, {U"kyu", U"きゅ"}, {U"kyo", U"きょ"},
    {U"gya", U"ぎゃ"}, {U"gyu", U"ぎゅ"}, {U"gyo", U"ぎょ"}, {U"sha", U"しゃ"}, {U"shu", U"しゅ"},
    {U"sho", U"しょ"}, {U"she", U"しぇ"}, {U"sya", U"しゃ"}, {U"syu", U"しゅ"}, {U"syo", U"しょ"},
    {U"ja", U"じゃ"},  {U"ju", U"じゅ"},  {U"jo", U"じょ"},  {U"je", U"じぇ"},  {U"zya", U"じゃ"},
    {U"zyu", U"じゅ"}, {U"zyo", U"じょ"}, {U"jya", U"じゃ"}, {U"jyu", U"じゅ"}, {U"jyo", U"じょ"},
    {U"cha", U"ちゃ"}, {U"chu", U"ちゅ"}, {U"cho", U"ちょ"}, {U"che", U"ちぇ"}, {U"tya", U"ちゃ"},
    {U"tyu", U"ちゅ"}, {U"tyo", U"ちょ"}, {U"nya", U"にゃ"}, {U"nyu", U"にゅ"}, {U"nyo", U"にょ"},
    {U"hya", U"ひゃ"}, {U"hyu", U"ひゅ"}, {U"hyo", U"ひょ"}, {U"bya", U"びゃ"}, {U"byu", U"びゅ"},
    {U"byo", U"びょ"}, {U"pya", U"ぴゃ"}, {U"pyu", U"ぴゅ"}, {U"pyo", U"ぴょ"}, {U"mya", U"みゃ"},
    {U"myu", U"みゅ"}, {U"myo", U"みょ"}, {U"rya", U"りゃ"}, {U"ryu", U"りゅ"}, {U"ryo", U"りょ"},
    {U"dya", U"ぢゃ"}, {U"dyu", U"ぢゅ"}, {U"dyo", U"ぢょ"}, {U"fa", U"ふぁ"},  {U"fi", U"ふぃ"},
    {U"fe", U"ふぇ"},  {U"fo", U"ふぉ"},  {U"xa", U"ぁ"},    {U"xi", U"ぃ"},    {U"xu", U"ぅ"},
    {U"xe", U"ぇ"},    {U"xo", U"ぉ"},    {U"la", U"ぁ"},    {U"li", U"ぃ"},    {U"lu", U"ぅ"},
    {U"le", U"ぇ"},    {U"lo", U"ぉ"},    {U"xya", U"ゃ"},   {U"xyu", U"ゅ"},   {U"xyo", U"ょ"},
    {U"lya", U"ゃ"},   {U"lyu", U"ゅ"},   {U"lyo", U"ょ"},   {U"xtu", U"っ"},   {U"xtsu", U"っ"},
    {U"ltu", U"っ"},   {U"ltsu", U"っ"},  {U"xwa", U"ゎ"},   {U"va", U"ゔぁ"},  {U"vi", U"ゔぃ"},
    {U"vu", U"ゔ"},    {U"ve", U"ゔぇ"},  {U"vo", U"ゔぉ"},  {U"wi", U"うぃ"},  {U"we", U"うぇ"},
    {U"tsa", U"つぁ"}, {U"-", U"ー"},     {U"ye", U"いぇ"},  {U"dhi", U"でぃ"}, {U"thi", U"てぃ"},
};

bool isLatinLetter(char32_t c) {
    return c >= U'a' && c <= U'z';
}

bool isVowel(char32_t c) {
    return c == U'a' || c == U'i' || c == U'u' || c == U'e' || c == U'o';
}

// Whether the "n" that starts `rest` stands for ん by itself: before a consonant other than
// "y", or before a doubled "n" that starts the next syllable ("onna" is おんな).
bool endsSyllabicN(std::u32string_view rest) {
    if (rest.size() < 2)
        return false;
    const char32_t next = rest[1];
    if (next == U'n')
        return rest.size() >= 3 && (isVowel(rest[2]) || rest[2] == U'y');
    return next != U'\'' && !isVowel(next) && next != U'y';
}

// The longest syllable spelled at the start of `rest`: its length and its kana.
std::pair<std::size_t, std::u32string_view> syllableAt(std::u32string_view rest) {
    std::pair<std::size_t, std::u32string_view> best{0, {}};
    for (const auto& [spelling, kana] : kSyllables)
        if (spelling.size() > best.first && rest.substr(0, spelling.size()) == spelling)
            best = {spelling.size(), kana};
    return best;
}

// Whether `rest` could still grow into a syllable: the user is in the middle of typing it.
bool startsASyllable(std::u32string_view rest) {
    return std::any_of(std::begin(kSyllables), std::end(kSyllables), [&](const auto& syllable) {
        return syllable.first.size() > rest.size() && syllable.first.substr(0, rest.size()) == rest;
    });
}

} // namespace

std::u32string foldForSearch(std::u32string_view text) {
    std::u32string folded;
    folded.reserve(text.size());
    for (const char32_t c : text) {
        if (c == kHalfVoicedMark && !folded.empty() && takesVoicedMark(folded.back())) {
            folded.back() = folded.back() == U'う' ? U'ゔ' : folded.back() + 1;
            continue;
        }
        if (c == kHalfSemiVoicedMark && !folded.empty() && takesSemiVoicedMark(folded.back())) {
            folded.back() += 2;
            continue;
        }
        folded.push_back(foldLetter(c));
    }
    return folded;
}

std::u32string romajiToHiragana(std::u32string_view text) {
    const std::u32string query = foldForSearch(text);
    std::u32string_view rest = query;
    std::u32string kana;
    while (!rest.empty()) {
        const char32_t c = rest.front();
        if (rest.size() >= 2 && c == rest[1] && isLatinLetter(c) && !isVowel(c) && c != U'n') {
            kana += U'っ';
            rest.remove_prefix(1);
            continue;
        }
        if (c == U'n' && endsSyllabicN(rest)) {
            kana += U'ん';
            rest.remove_prefix(1);
            continue;
        }
        const auto [length, syllable] = syllableAt(rest);
        if (length > 0) {
            kana += syllable;
            rest.remove_prefix(length);
            continue;
        }
        if (isLatinLetter(c) && startsASyllable(rest))
            break; // the syllable being typed
        kana += c;
        rest.remove_prefix(1);
    }
    return kana;
}

std::u32string_view definitionSearchPart(std::u32string_view line) {
    const std::size_t nameEnd = line.find(U',');
    if (nameEnd == std::u32string_view::npos)
        return line;
    return line.substr(0, line.find(U',', nameEnd + 1));
}

EntryQuery::EntryQuery(std::u32string_view typed) : literal_(foldForSearch(typed)) {
    const bool hasLatin = std::any_of(literal_.begin(), literal_.end(), isLatinLetter);
    if (hasLatin) {
        kana_ = romajiToHiragana(literal_);
        // Nothing spelled yet, or only the letters themselves: the literal match covers it.
        if (kana_ == literal_ || std::none_of(kana_.begin(), kana_.end(),
                                              [](char32_t c) { return c >= U'ぁ' && c <= U'ゖ'; }))
            kana_.clear();
    }
}

bool EntryQuery::matchesFolded(std::u32string_view foldedEntry) const {
    if (foldedEntry.find(literal_) != std::u32string_view::npos)
        return true;
    return !kana_.empty() && foldedEntry.find(kana_) != std::u32string_view::npos;
}

EntryFilter::EntryFilter(const std::vector<std::u32string>& entries) {
    starts_.reserve(entries.size());
    for (const std::u32string& entry : entries) {
        starts_.push_back(run_.size());
        appendUtf8(run_, foldForSearch(entry));
        run_ += kEntryEnd;
    }
}

std::vector<int> EntryFilter::containing(const std::u32string& text) const {
    std::vector<int> found;
    std::string bytes;
    appendUtf8(bytes, text);
    const std::string_view run = run_;
    std::size_t from = 0;
    while (true) {
        const std::size_t hit = run.find(bytes, from);
        if (hit == std::string_view::npos)
            return found;
        const auto entry = std::upper_bound(starts_.begin(), starts_.end(), hit) - 1;
        found.push_back(static_cast<int>(entry - starts_.begin()));
        // The next entry's text, past every other hit in this one.
        from = entry + 1 == starts_.end() ? run.size() : *(entry + 1);
    }
}

std::vector<int> EntryFilter::matching(std::u32string_view typed) const {
    const EntryQuery query(typed);
    if (query.empty()) {
        std::vector<int> all(starts_.size());
        for (std::size_t i = 0; i < all.size(); ++i)
            all[i] = static_cast<int>(i);
        return all;
    }
    std::vector<int> found = containing(query.literal());
    if (query.kana().empty())
        return found;
    const std::vector<int> byKana = containing(query.kana());
    std::vector<int> both;
    std::set_union(found.begin(), found.end(), byKana.begin(), byKana.end(),
                   std::back_inserter(both));
    return both;
}

} // namespace hakoniwa
