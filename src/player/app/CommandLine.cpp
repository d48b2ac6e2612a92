#include "player/app/CommandLine.h"

#include <charconv>
#include <limits>

namespace hakoniwa::player {
namespace {

[[noreturn]] void fail(const std::string& reason) {
    throw CommandLine::Error(reason);
}

long long number(const std::string& option, const std::string& text, long long low,
                 long long high) {
    long long value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < low || value > high)
        fail(option + " には " + std::to_string(low) + " から " + std::to_string(high) +
             " までの整数を書いてください: " + text);
    return value;
}

// Walks the arguments, splitting "--name=value" and handing out option values.
class Arguments {
public:
    explicit Arguments(const std::vector<std::string>& all) : all(all) {}
    bool next() {
        if (index >= all.size())
            return false;
        current = all[index++];
        inlineValue.reset();
        const auto equals = current.find('=');
        if (current.rfind("--", 0) == 0 && equals != std::string::npos) {
            inlineValue = current.substr(equals + 1);
            current.resize(equals);
        }
        return true;
    }
    const std::string& name() const { return current; }
    std::string value() {
        if (inlineValue)
            return *inlineValue;
        if (index >= all.size())
            fail(current + " の後に値がありません");
        return all[index++];
    }
    void noValue() const {
        if (inlineValue)
            fail(current + " は値をとりません");
    }

private:
    const std::vector<std::string>& all;
    std::size_t index = 0;
    std::string current;
    std::optional<std::string> inlineValue;
};

void checkHeadlessOptions(const CommandLine& line, bool headlessOnlyGiven) {
    if (line.project.empty())
        fail("プロジェクトファイルを指定してください");
    if (headlessOnlyGiven && !line.headless)
        fail("--frames, --keys, --screenshot, --dump-variables は --headless と使います");
}

} // namespace

CommandLine CommandLine::parse(const std::vector<std::string>& arguments) {
    CommandLine line;
    bool headlessOnlyGiven = false;
    bool onlyFiles = false;
    Arguments args(arguments);
    while (args.next()) {
        const std::string& name = args.name();
        if (onlyFiles || name.empty() || name[0] != '-' || name == "-") {
            if (!line.project.empty())
                fail("プロジェクトファイルは一つだけです: " + name);
            line.project = name;
        } else if (name == "--") {
            onlyFiles = true;
        } else if (name == "--help" || name == "-h") {
            line.help = true;
        } else if (name == "--version" || name == "-v") {
            line.version = true;
        } else if (name == "--vocabulary") {
            line.vocabulary = args.value();
        } else if (name == "--files") {
            line.files = args.value();
        } else if (name == "--seed") {
            line.seed = static_cast<std::uint32_t>(
                number(name, args.value(), 0, std::numeric_limits<std::uint32_t>::max()));
        } else if (name == "--headless") {
            args.noValue();
            line.headless = true;
        } else if (name == "--frames") {
            line.frames = static_cast<int>(number(name, args.value(), 1, 10'000'000));
            headlessOnlyGiven = true;
        } else if (name == "--keys") {
            line.keyScript = args.value();
            headlessOnlyGiven = true;
        } else if (name == "--screenshot") {
            line.screenshot = args.value();
            headlessOnlyGiven = true;
        } else if (name == "--dump-variables") {
            args.noValue();
            line.dumpVariables = true;
            headlessOnlyGiven = true;
        } else {
            fail("知らないオプション: " + name);
        }
    }
    if (!line.help && !line.version)
        checkHeadlessOptions(line, headlessOnlyGiven);
    return line;
}

const char* CommandLine::usage() {
    return "使い方: hakoniwa-player [--vocabulary フォルダ] [--files フォルダ] [--seed S]\n"
           "                       [--headless [--frames N]\n"
           "                       [--keys ファイル] [--screenshot 画像.png] [--dump-variables]]\n"
           "                       プロジェクト.txt\n"
           "       hakoniwa-player --help | --version\n"
           "  --vocabulary      mtd.txt, cmp.txt, sysHen.txt のあるフォルダ\n"
           "                    (既定: dat/txt/conf.txt が示すもの)\n"
           "  --files           画像や音のファイル名を探すフォルダ\n"
           "                    (既定: プロジェクトファイルのフォルダ)\n"
           "  --seed            乱数の種 (既定 1)\n"
           "  --headless        窓を出さず、ゲーム時間で 1 秒 60 フレームを速く回す\n"
           "  --frames          回すフレーム数 (既定 60)\n"
           "  --keys            キー操作ファイル (docs/player.md)\n"
           "  --screenshot      最後のフレームを PNG で保存する\n"
           "  --dump-variables  終わったときの変数を標準出力に書く\n"
           "終了コード: 0 正常, 1 ゲームがエラーで止まった, 2 コマンドラインかファイルの誤り\n";
}

} // namespace hakoniwa::player
