#include "app/HelpMenu.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

void touch(const QString& path) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
}

} // namespace

TEST(HelpMenu, UserGuideIsTheInstalledOneElseTheSourceTreesElseNone) {
    QTemporaryDir scratch;
    const QString bin = scratch.filePath("prefix/bin");
    const QString tree = scratch.filePath("tree");
    QDir().mkpath(bin);
    EXPECT_TRUE(userGuidePath(bin, tree).isEmpty());
    touch(tree + "/README.md");
    EXPECT_EQ(userGuidePath(bin, tree), QDir::cleanPath(tree + "/README.md"));
    touch(scratch.filePath("prefix/share/doc/hakoniwa/README.md"));
    EXPECT_EQ(userGuidePath(bin, tree), scratch.filePath("prefix/share/doc/hakoniwa/README.md"));
}
