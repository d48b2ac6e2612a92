// hakoniwa-check: finds the problems of project files with the editor's own reader and
// checks, and prints them for the terminal or as JSON.
//
//   hakoniwa-check [--vocabulary DIR] [--json] FILE...
//   hakoniwa-check --help | --version
//
// Exit status: 0 no problems, 1 problems, 2 a file (project or vocabulary) could not be read
// or the command line is wrong.

#include "check/CheckReport.h"
#include "check/VocabularyFiles.h"
#include "check/ProjectCheck.h"
#include "model/SourceReader.h"
#include "model/Utf8Text.h"
#include "model/Version.h"

#include <cstdio>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

namespace fs = std::filesystem;
using namespace hakoniwa;

namespace {

constexpr int kClean = 0;
constexpr int kProblems = 1;
constexpr int kUnreadable = 2;

const char* const kUsage = "使い方: hakoniwa-check [--vocabulary フォルダ] [--json] ファイル...\n"
                           "       hakoniwa-check --help | --version\n"
                           "  --vocabulary  sysHen.txt, mtd.txt, cmp.txt のあるフォルダ (既定: "
                           "dat/txt/conf.txt が示すもの)\n"
                           "  --json        問題を JSON の配列で出力する\n"
                           "終了コード: 0 問題なし, 1 問題あり, 2 読めないファイルがある\n";

struct Options {
    std::optional<fs::path> vocabulary;
    bool json = false;
    std::vector<std::string> files;
    bool help = false;    // --help: the usage on standard output, nothing checked
    bool version = false; // --version: the version on standard output, nothing checked
};

std::optional<Options> parseOptions(int argc, char** argv) {
    Options options;
    bool onlyFiles = false;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (onlyFiles) {
            options.files.push_back(argument);
        } else if (argument == "--") {
            onlyFiles = true;
        } else if (argument == "--help" || argument == "-h") {
            options.help = true;
        } else if (argument == "--version" || argument == "-v") {
            options.version = true;
        } else if (argument == "--json") {
            options.json = true;
        } else if (argument == "--vocabulary" && i + 1 < argc) {
            options.vocabulary = fs::path(argv[++i]);
        } else if (argument.rfind("--vocabulary=", 0) == 0) {
            options.vocabulary = fs::path(argument.substr(13));
        } else if (argument.size() > 1 && argument[0] == '-') {
            return std::nullopt;
        } else {
            options.files.push_back(argument);
        }
    }
    if (options.files.empty() && !options.help && !options.version)
        return std::nullopt;
    return options;
}

fs::path programPath(const char* argv0) {
    std::error_code error;
    fs::path self = fs::read_symlink("/proc/self/exe", error);
    if (!error)
        return self;
    const std::string given = argv0 ? argv0 : "";
    if (given.find('/') == std::string::npos)
        return {}; // found through PATH: its folder is unknown
    return fs::absolute(given, error);
}

// Reads one project file as the editor opens it: no regular file, or no header, is no
// project; a line the reader cannot take stops it with its reason.
void checkFile(const std::string& file, const Definitions& vocabulary, check::CheckReport& report) {
    std::error_code error;
    const fs::path path(file);
    if (fs::exists(path, error) && !fs::is_regular_file(path, error)) {
        report.addFailure(file, "プロジェクトファイルではありません");
        return;
    }
    std::string bytes;
    try {
        bytes = readFileBytes(path);
    } catch (const std::exception&) {
        report.addFailure(file, "ファイルを開けません");
        return;
    }
    if (!SourceReader::isProjectSource(bytes)) {
        report.addFailure(file, "プロジェクトファイルではありません");
        return;
    }
    Project project;
    try {
        SourceReader(project, 0, 0).read(bytes);
    } catch (const SourceReader::Failure& failure) {
        report.addFailure(file, failure.what());
        return;
    }
    report.addProblems(file, project, checkProject(project, vocabulary));
}

int run(const Options& options, const char* argv0) {
    std::error_code error;
    const std::optional<fs::path> folder =
        options.vocabulary
            ? options.vocabulary
            : check::defaultVocabularyFolder(programPath(argv0), fs::current_path(error));
    if (!folder) {
        std::cerr
            << "hakoniwa-check: dat/txt/conf.txt が見つかりません (--vocabulary で指定できます)\n";
        return kUnreadable;
    }
    const Definitions vocabulary = readVocabulary(*folder);
    check::CheckReport report;
    for (const std::string& file : options.files)
        checkFile(file, vocabulary, report);
    if (options.json) {
        std::cout << report.json();
    } else {
        std::cout << report.problemLines();
        std::cerr << report.failureLines();
    }
    if (report.failureCount() > 0)
        return kUnreadable;
    return report.problemCount() > 0 ? kProblems : kClean;
}

} // namespace

int main(int argc, char** argv) {
    const std::optional<Options> options = parseOptions(argc, argv);
    if (!options) {
        std::cerr << kUsage;
        return kUnreadable;
    }
    if (options->help) {
        std::cout << kUsage;
        return kClean;
    }
    if (options->version) {
        std::cout << "hakoniwa-check " << kVersion << "\n";
        return kClean;
    }
    // A vocabulary file that cannot be read ends the run with its path; so does anything else
    // that goes wrong, rather than an abort.
    try {
        return run(*options, argv[0]);
    } catch (const std::exception& failure) {
        std::cerr << "hakoniwa-check: " << failure.what() << "\n";
        return kUnreadable;
    }
}
