#include "platform/FileStore.h"
#include "model/SourceWriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>
#include <random>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

using namespace hakoniwa;
using Clock = std::chrono::steady_clock;

namespace {

// A project of about 12 KB per item, every cell marked with `mark`.
std::string projectBytes(int items, char mark) {
    Project project;
    Scene& scene = project.addScene();
    for (int k = 0; k < items; ++k) {
        ItemSheet& sheet = scene.addItem(k, k).sheet;
        sheet.setRowCount(200);
        for (int r = ItemSheet::kFirstCommandRow; r < sheet.rowCount(); ++r)
            for (int c = 1; c < sheet.columnCount(); ++c)
                sheet.setCell(c, r, mark + std::to_string(r * c + k));
    }
    return SourceWriter::write(project);
}

std::string fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string();
}

// Written without FileStore, so that whatever an earlier save left in the folder stays.
void putFile(const QString& path, const std::string& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes.data(), static_cast<qint64>(bytes.size())),
              static_cast<qint64>(bytes.size()));
}

void save(const QString& path, const std::string& bytes, bool keepBackup) {
    if (keepBackup)
        FileStore::writeKeepingBackup(path, bytes);
    else
        FileStore::writeAll(path, bytes);
}

// Saves in a child process and kills it `delay` after the save began. True when the child
// was killed before it ended by itself.
bool saveKilledAfter(const QString& path, const std::string& bytes, bool keepBackup,
                     Clock::duration delay) {
    int started[2];
    if (pipe(started) != 0) {
        ADD_FAILURE() << "no pipe";
        return false;
    }
    std::fflush(nullptr);
    const pid_t child = fork();
    if (child == 0) {
        close(started[0]);
        const bool told = write(started[1], "s", 1) == 1;
        try {
            save(path, bytes, keepBackup);
        } catch (...) {
            _exit(1);
        }
        _exit(told ? 0 : 1);
    }
    close(started[1]);
    char byte = 0;
    const bool began = read(started[0], &byte, 1) == 1;
    close(started[0]);
    if (began)
        std::this_thread::sleep_for(delay);
    kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);
    return WIFSIGNALED(status);
}

int crashRuns() {
    const char* runs = std::getenv("HAKONIWA_CRASH_RUNS");
    return runs ? std::max(1, std::atoi(runs)) : 20;
}

} // namespace

// A save killed at any moment leaves the file with its old or its new bytes whole, the backup
// with the bytes it held or the file's old bytes, and nothing else in the folder. The bytes are
// written unnamed where the file system allows it; only a kill in the moment between naming
// them and the rename (or on a file system without unnamed files) leaves the fixed temporary
// name, which the next save of the same file clears away.
TEST(FileStoreCrash, KilledSaveLeavesOldOrNewBytesWhole) {
    const std::string older = projectBytes(50, 'a');
    const std::string old = projectBytes(400, 'b');
    const std::string fresh = projectBytes(600, 'c');
    QTemporaryDir folder;
    const QString path = folder.filePath("p.txt");
    const QString backup = path + ".bak";
    const QStringList mayStay = {"p.txt", "p.txt.bak",
                                 QFileInfo(FileStore::temporaryPathOf(path)).fileName(),
                                 QFileInfo(FileStore::temporaryPathOf(backup)).fileName()};

    // A whole save, timed, gives the span in which the kills fall.
    putFile(path, old);
    const auto begin = Clock::now();
    save(path, fresh, true);
    const auto span = Clock::now() - begin;

    const std::uint32_t seed = std::random_device()();
    std::mt19937 random(seed);
    int interrupted = 0;
    int leftBehind = 0;
    for (int run = 0; run < crashRuns(); ++run) {
        SCOPED_TRACE("seed " + std::to_string(seed) + ", run " + std::to_string(run));
        putFile(path, old);
        putFile(backup, older);
        const bool keepBackup = run % 2 == 1;
        const auto delay = std::uniform_int_distribution<Clock::rep>(0, span.count())(random);
        interrupted += saveKilledAfter(path, fresh, keepBackup, Clock::duration(delay));

        const std::string now = fileBytes(path);
        ASSERT_TRUE(now == old || now == fresh) << "the file holds " << now.size() << " bytes";
        const std::string kept = fileBytes(backup);
        if (keepBackup && now == fresh)
            ASSERT_TRUE(kept == old) << "the backup holds " << kept.size() << " bytes";
        else
            ASSERT_TRUE(kept == older || (keepBackup && kept == old))
                << "the backup holds " << kept.size() << " bytes";
        for (const QString& name : QDir(folder.path()).entryList(QDir::Files | QDir::Hidden)) {
            ASSERT_TRUE(mayStay.contains(name)) << name.toStdString();
            if (name.endsWith(".hakoniwa-saving")) {
                ++leftBehind; // counted once: each run starts without it
                QFile::remove(folder.filePath(name));
            }
        }
    }
    std::printf("%d of %d saves killed before they ended; %d temporary files left\n", interrupted,
                crashRuns(), leftBehind);

    putFile(FileStore::temporaryPathOf(path), "left by a killed save");
    putFile(FileStore::temporaryPathOf(backup), "left by a killed save");
    save(path, fresh, true);
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden),
              (QStringList{"p.txt", "p.txt.bak"}));
}

// Saving replaces the file with a new one, but the file keeps what the user set on it.
TEST(FileStore, SaveGoesThroughLinksAndKeepsPermissions) {
    QTemporaryDir folder;
    const QString path = folder.filePath("p.txt");
    const QString link = folder.filePath("link.txt");
    putFile(path, "old");
    ASSERT_TRUE(QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner));
    ASSERT_TRUE(QFile::link(path, link));

    FileStore::writeKeepingBackup(link, "new");
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(fileBytes(path), "new");
    EXPECT_EQ(fileBytes(link + ".bak"), "old");
    EXPECT_EQ(QFile::permissions(path),
              QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser);
}

// Both ways of reading give the file's bytes, the second straight into the room asked for its
// size (a large file in two halves side by side); neither opens what is no regular file, nor a
// file that is not there.
TEST(FileStore, ReadsWholeFilesAndRefusesOthers) {
    QTemporaryDir folder;
    const QString path = folder.filePath("p.txt");
    std::string large(3'000'001, '\0');
    for (std::size_t i = 0; i < large.size(); ++i)
        large[i] = static_cast<char>(i * 7 % 251);
    for (const std::string& bytes : {projectBytes(2, 'r'), large}) {
        putFile(path, bytes);
        EXPECT_EQ(FileStore::readAll(path), bytes);
        std::string room;
        const std::size_t read = FileStore::readInto(path, [&](std::size_t size) {
            room.resize(size);
            return room.data();
        });
        EXPECT_TRUE(room.substr(0, read) == bytes);
    }

    const auto nothing = [](std::size_t) -> char* { return nullptr; };
    for (const QString& other : {folder.path(), folder.filePath("missing.txt")}) {
        EXPECT_THROW(FileStore::readAll(other), std::runtime_error);
        EXPECT_THROW(FileStore::readInto(other, nothing), std::runtime_error);
    }
}
