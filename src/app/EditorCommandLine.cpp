#include "app/EditorCommandLine.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

constexpr int kExitUsage = 2;

} // namespace

bool asksForUsageOrVersion(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const char* argument = argv[i];
        if (std::strcmp(argument, "--") == 0)
            return false; // only files follow
        for (const char* option : {"-h", "--help", "--help-all", "-v", "--version"})
            if (std::strcmp(argument, option) == 0)
                return true;
    }
    return false;
}

std::optional<QString> projectFileArgument() {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("箱庭: コードを書かずに小さなゲームを作るエディタ"));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("FILE"),
                                 QStringLiteral("起動時に開くプロジェクトファイル"),
                                 QStringLiteral("[FILE]"));
    const QStringList arguments = QCoreApplication::arguments();
    const auto refuse = [&](const QString& reason) {
        std::fprintf(stderr, "hakoniwa: %s\n\n%s", qPrintable(reason),
                     qPrintable(parser.helpText()));
        std::exit(kExitUsage);
    };
    if (!parser.parse(arguments))
        refuse(parser.errorText());
    if (parser.isSet(QStringLiteral("help")) || parser.isSet(QStringLiteral("help-all")))
        parser.showHelp(0);
    if (parser.isSet(QStringLiteral("version")))
        parser.showVersion();
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1)
        refuse(QStringLiteral("開けるプロジェクトファイルは一つです"));
    if (files.isEmpty())
        return std::nullopt;
    return QFileInfo(files.front()).absoluteFilePath();
}
