#pragma once

#include "model/Definitions.h"
#include "platform/Cp932Codec.h"

#include <QFile>
#include <QString>
#include <gtest/gtest.h>
#include <string>
#include <vector>

// Tiny projects for the program tests, written with the editor's game vocabulary.
namespace program_project {

inline QString vocabularyFolder() {
    return QStringLiteral(HAKONIWA_SOURCE_DIR "/dat/txt/game");
}

// The whole mtd.txt line of the instruction `name`.
inline std::string instruction(const QString& name) {
    QFile file(vocabularyFolder() + QStringLiteral("/mtd.txt"));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    for (const std::string& line : hakoniwa::Definitions::splitLines(file.readAll().toStdString()))
        if (hakoniwa::Cp932Codec::decode(line).startsWith(name + QLatin1Char('-')))
            return line;
    ADD_FAILURE() << name.toStdString();
    return {};
}

// Writes a project of one started item whose rows are given cell by cell from column 1.
inline void write(const QString& path, const std::vector<std::vector<std::string>>& rows) {
    std::string text = "[scene_headder]\r\n" +
                       hakoniwa::Cp932Codec::encode(QStringLiteral("メイン")) +
                       "\r\n[/scene_headder]\r\n[itm]\r\n\t[page0]\r\n"
                       "\t\titm0\t\t\t\t\t\t\t\t\t\t\r\n\t\t\t10\t10\t1\t\t\t\t\t\t\t\r\n";
    for (const std::vector<std::string>& row : rows) {
        text += "\t\t\t";
        for (std::size_t c = 1; c < 10; ++c)
            text += (c - 1 < row.size() ? row[c - 1] : std::string()) + "\t";
        text += "\r\n";
    }
    text += "\t[/page0]\r\n[/itm]\r\n";
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text.data(), static_cast<qint64>(text.size()));
}

} // namespace program_project
