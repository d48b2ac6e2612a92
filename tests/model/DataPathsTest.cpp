#include "platform/DataPaths.h"
#include "platform/DataPlaces.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <set>

using namespace hakoniwa;

namespace {

// A program folder, a working directory and a user folder laid out by the test; folders
// named in `readOnly` take no new file.
class LaidOutPlaces : public DataPlaces {
public:
    QString binary, working, user;
    std::set<QString> readOnly;
    QString binaryDir() const override { return binary; }
    QString workingDir() const override { return working; }
    QString userDataDir() const override { return user; }
    bool isWritableFolder(const QString& folder) const override {
        return QFileInfo(folder).isDir() && !readOnly.count(QDir::cleanPath(folder));
    }
};

void writeFile(const QString& path, const QByteArray& bytes = "x") {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class DataPathsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(root.isValid());
        auto laidOut = std::make_unique<LaidOutPlaces>();
        places = laidOut.get();
        DataPlaces::install(std::move(laidOut));
    }
    void TearDown() override { DataPlaces::install(nullptr); }
    QString at(const QString& relative) const { return QDir::cleanPath(root.filePath(relative)); }

    QTemporaryDir root;
    LaidOutPlaces* places = nullptr;
};

} // namespace

TEST_F(DataPathsTest, DataFolderBesideTheProgramThenInstalledTreeThenWorkingDirectory) {
    // Development tree: the program in build/, dat/ at the root, the tests in a scratch copy.
    QDir().mkpath(at("repo/build"));
    writeFile(at("repo/dat/txt/conf.txt"));
    writeFile(at("scratch/dat/txt/conf.txt"));
    places->binary = at("repo/build");
    places->working = at("scratch");
    EXPECT_EQ(DataPaths::findBaseDir(), at("scratch"));

    // Installed tree: <prefix>/bin and <prefix>/share/hakoniwa/dat.
    places->binary = at("prefix/bin");
    QDir().mkpath(places->binary);
    writeFile(at("prefix/share/hakoniwa/dat/txt/conf.txt"));
    EXPECT_EQ(DataPaths::findBaseDir(), at("prefix/share/hakoniwa"));

    // A dat/ without conf.txt beside the program is no data folder; one with it wins.
    QDir().mkpath(at("prefix/bin/dat/img"));
    EXPECT_EQ(DataPaths::findBaseDir(), at("prefix/share/hakoniwa"));
    writeFile(at("prefix/bin/dat/txt/conf.txt"));
    EXPECT_EQ(DataPaths::findBaseDir(), at("prefix/bin"));

    places->binary.clear();
    EXPECT_EQ(DataPaths::findBaseDir(), at("scratch"));
}

TEST_F(DataPathsTest, RunFolderFallsBackToTheUserFolderWithACopyOfTheScript) {
    writeFile(at("share/dat/bat/" + DataPaths::runScriptName()), "shipped");
    places->user = at("home/data/hakoniwa");
    EXPECT_EQ(DataPaths::runFolder(at("share")), QDir::toNativeSeparators(at("share/dat/bat")));
    EXPECT_FALSE(QFileInfo::exists(places->user));

    places->readOnly.insert(at("share/dat/bat"));
    const QString own = at("home/data/hakoniwa/bat");
    EXPECT_EQ(DataPaths::runFolder(at("share")), QDir::toNativeSeparators(own));
    const QString copy = own + "/" + DataPaths::runScriptName();
    EXPECT_EQ(readFile(copy), "shipped");
    EXPECT_TRUE(QFileInfo(copy).isWritable());

    // The copy is the user's from then on.
    writeFile(copy, "edited");
    DataPaths::runFolder(at("share"));
    EXPECT_EQ(readFile(copy), "edited");
}

TEST(SystemPlaces, UserFolderFollowsAnAbsoluteXdgDataHome) {
    const QByteArray previous = qgetenv("XDG_DATA_HOME");
    const bool wasSet = qEnvironmentVariableIsSet("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", "/tmp/data-home");
    EXPECT_EQ(DataPlaces::current().userDataDir(), "/tmp/data-home/hakoniwa");
    qputenv("XDG_DATA_HOME", "relative/data");
    EXPECT_EQ(DataPlaces::current().userDataDir(), QDir::homePath() + "/.local/share/hakoniwa");
    if (wasSet)
        qputenv("XDG_DATA_HOME", previous);
    else
        qunsetenv("XDG_DATA_HOME");
}
