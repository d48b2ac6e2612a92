#include "platform/FileStore.h"
#include "../ui/FileSizeLimit.h"
#include "check/CheckReport.h"
#include "model/SourceWriter.h"
#include "model/VocabularyFiles.h"
#include "platform/RecoveryStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <grp.h>
#include <gtest/gtest.h>
#include <random>
#include <sys/stat.h>
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
// them and the rename (or on a file system without unnamed files) leaves a temporary file.
TEST(FileStoreCrash, KilledSaveLeavesOldOrNewBytesWhole) {
    const std::string older = projectBytes(50, 'a');
    const std::string old = projectBytes(400, 'b');
    const std::string fresh = projectBytes(600, 'c');
    QTemporaryDir folder;
    const QString path = folder.filePath("p.txt");
    const QString backup = path + ".bak";

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
        // Anew: a kill between the two renames leaves the file and its backup one file.
        QFile::remove(path);
        QFile::remove(backup);
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
            const bool temporary = FileStore::isTemporaryName(name);
            ASSERT_TRUE(name == "p.txt" || name == "p.txt.bak" || temporary) << name.toStdString();
            if (temporary) {
                ++leftBehind; // counted once: each run starts without it
                QFile::remove(folder.filePath(name));
            }
        }
    }
    std::printf("%d of %d saves killed before they ended; %d temporary files left\n", interrupted,
                crashRuns(), leftBehind);

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
    EXPECT_EQ(fileBytes(path + ".bak"), "old"); // beside the file, as the same file
    const auto ownerOnly =
        QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser;
    EXPECT_EQ(QFile::permissions(path), ownerOnly);
    EXPECT_EQ(QFile::permissions(path + ".bak"), ownerOnly); // no wider than what it keeps

    // A link at a name the save makes is replaced, never written through.
    const QString other = folder.filePath("other.txt");
    putFile(other, "someone else's");
    ASSERT_TRUE(QFile::remove(path + ".bak"));
    ASSERT_TRUE(QFile::link(other, path + ".bak"));
    ASSERT_TRUE(QFile::link(other, folder.filePath("made.txt")));
    EXPECT_EQ(FileStore::writeKeepingBackup(path, "newer"), FileStore::Backup::Kept);
    FileStore::writeAll(folder.filePath("made.txt"), "made");
    EXPECT_EQ(fileBytes(other), "someone else's");
    EXPECT_FALSE(QFileInfo(path + ".bak").isSymLink());
    EXPECT_EQ(fileBytes(path + ".bak"), "new");
    EXPECT_FALSE(QFileInfo(folder.filePath("made.txt")).isSymLink());
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

namespace {

constexpr uid_t kColleague = 1000; // also the group both colleagues share
constexpr uid_t kSaver = 1001;
constexpr uid_t kStranger = 65534;

// Runs `work` in a child process, as `uid` (group `uid`, and `extraGroup` too when given) when
// the tests run as root; its exit code: 0 done, 1 threw, or what `work` returned.
int runAs(uid_t uid, const std::function<int()>& work, gid_t extraGroup = 0) {
    std::fflush(nullptr);
    const pid_t child = fork();
    if (child == 0) {
        if (geteuid() == 0) {
            const gid_t groups[] = {uid, extraGroup};
            if (setgroups(extraGroup ? 2 : 1, groups) != 0 || setresgid(uid, uid, uid) != 0 ||
                setresuid(uid, uid, uid) != 0)
                _exit(2);
        }
        try {
            _exit(work());
        } catch (...) {
            _exit(1);
        }
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

struct stat statOf(const QString& path) {
    struct stat info {};
    lstat(QFile::encodeName(path).constData(), &info);
    return info;
}

void setOwner(const QString& path, uid_t uid, gid_t gid, mode_t mode) {
    ASSERT_EQ(lchown(QFile::encodeName(path).constData(), uid, gid), 0);
    if (!QFileInfo(path).isSymLink())
        ASSERT_EQ(chmod(QFile::encodeName(path).constData(), mode), 0);
}

// The exit code a child gives for what became of the backup.
int backupCode(FileStore::Backup backup) {
    return 10 + static_cast<int>(backup);
}

} // namespace

// In a shared folder with the sticky bit, a neighbour's link at the backup's or a made file's
// name does not lead the save into the file it names, and the save still goes on.
TEST(FileStoreAmongUsers, PlantedLinksInASharedFolderAreNotFollowed) {
    if (geteuid() != 0)
        GTEST_SKIP() << "needs root to act as two users";
    QTemporaryDir scratch;
    chmod(QFile::encodeName(scratch.path()).constData(), 0755);
    const QString shared = scratch.filePath("shared");
    QDir().mkdir(shared);
    setOwner(shared, 0, 0, 01777);
    const QString game = shared + "/game.txt";
    const QString secret = scratch.filePath("secret");
    putFile(game, "old");
    putFile(secret, "private");
    setOwner(game, kColleague, kColleague, 0600);
    setOwner(secret, kColleague, kColleague, 0600);

    EXPECT_EQ(runAs(kStranger,
                    [&] {
                        return QFile::link(secret, game + ".bak") &&
                                       QFile::link(secret, shared + "/run.txt")
                                   ? 0
                                   : 3;
                    }),
              0);
    EXPECT_EQ(
        runAs(kColleague, [&] { return backupCode(FileStore::writeKeepingBackup(game, "new")); }),
        backupCode(FileStore::Backup::Refused));
    EXPECT_EQ(runAs(kColleague, [&] { return FileStore::writeAll(shared + "/run.txt", "run"), 0; }),
              1);
    EXPECT_EQ(fileBytes(secret), "private");
    EXPECT_EQ(fileBytes(game), "new");
    EXPECT_TRUE(QFileInfo(game + ".bak").isSymLink());

    // One who may replace the links replaces them rather than writing through them.
    EXPECT_EQ(FileStore::writeKeepingBackup(game, "newer"), FileStore::Backup::Kept);
    FileStore::writeAll(shared + "/run.txt", "run");
    EXPECT_EQ(fileBytes(secret), "private");
    EXPECT_EQ(fileBytes(game + ".bak"), "new");
    EXPECT_EQ(statOf(game + ".bak").st_uid, kColleague);
    EXPECT_FALSE(QFileInfo(shared + "/run.txt").isSymLink());
}

// A save that fails, refused or cut short, leaves both the file and its earlier backup.
TEST(FileStoreAmongUsers, FailedSaveChangesNothing) {
    QTemporaryDir folder;
    chmod(QFile::encodeName(folder.path()).constData(), 0777);
    const QString path = folder.filePath("p.txt");
    putFile(path, "short");
    putFile(path + ".bak", "older");
    {
        const FileSizeLimit diskFull(10);
        EXPECT_THROW(FileStore::writeKeepingBackup(path, "far too long for the disk"),
                     std::runtime_error);
    }
    if (geteuid() == 0) {
        setOwner(path, kStranger, kStranger, 0444);
        setOwner(path + ".bak", kStranger, kStranger, 0644);
    } else {
        chmod(QFile::encodeName(path).constData(), 0444);
    }
    EXPECT_EQ(runAs(kStranger, [&] { return FileStore::writeKeepingBackup(path, "x"), 0; }), 1);
    EXPECT_EQ(fileBytes(path), "short");
    EXPECT_EQ(fileBytes(path + ".bak"), "older");
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden),
              (QStringList{"p.txt", "p.txt.bak"}));
}

// A colleague's group-shared file stays the colleague's, with its group and mode, whether the
// saver may give a new file that owner (root) or not (then it is written in place).
TEST(FileStoreAmongUsers, SharedFileKeepsOwnerGroupAndMode) {
    if (geteuid() != 0)
        GTEST_SKIP() << "needs root to act as two users";
    QTemporaryDir scratch;
    chmod(QFile::encodeName(scratch.path()).constData(), 0755);
    const QString team = scratch.filePath("team");
    QDir().mkdir(team);
    setOwner(team, 0, kColleague, 02775);
    const QString path = team + "/game.txt";
    putFile(path, "by the colleague");
    setOwner(path, kColleague, kColleague, 0660);

    FileStore::writeKeepingBackup(path, "by root");
    EXPECT_EQ(runAs(
                  kSaver,
                  [&] { return backupCode(FileStore::writeKeepingBackup(path, "by a saver")); },
                  kColleague),
              backupCode(FileStore::Backup::Kept));
    for (const QString& file : {path, path + ".bak"}) {
        const struct stat info = statOf(file);
        EXPECT_EQ(info.st_mode & 07777, 0660u) << file.toStdString();
        EXPECT_EQ(info.st_gid, kColleague) << file.toStdString();
    }
    EXPECT_EQ(statOf(path).st_uid, kColleague);
    EXPECT_EQ(fileBytes(path), "by a saver");
    EXPECT_EQ(fileBytes(path + ".bak"), "by root");
    EXPECT_EQ(QDir(team).entryList(QDir::Files | QDir::Hidden),
              (QStringList{"game.txt", "game.txt.bak"}));
}

// Names up to the longest a folder takes are saved; where name.bak would be longer, without a
// backup, and the caller is told so.
TEST(FileStore, LongestNamesAreSaved) {
    QTemporaryDir folder;
    std::string longest;
    for (int i = 0; i < 85; ++i)
        longest += "\xe3\x81\x82"; // あ: 255 bytes in all
    const QString tooLongForBackup = folder.filePath(QString::fromStdString(longest));
    const QString fitsBackup =
        folder.filePath(QString::fromStdString(longest.substr(0, 249)) + "xx");
    for (int round = 0; round < 2; ++round) {
        EXPECT_EQ(FileStore::writeKeepingBackup(tooLongForBackup, "bytes"),
                  round == 0 ? FileStore::Backup::NoPrevious : FileStore::Backup::NameTooLong);
        EXPECT_EQ(FileStore::writeKeepingBackup(fitsBackup, "bytes"),
                  round == 0 ? FileStore::Backup::NoPrevious : FileStore::Backup::Kept);
    }
    EXPECT_EQ(fileBytes(tooLongForBackup), "bytes");
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden).size(), 3);
}

// A file counts as changed when its bytes differ from what was last read or written; a touch
// alone or a file gone since does not.
TEST(FileStore, StampTellsAnotherProgramsSave) {
    QTemporaryDir folder;
    const QString path = folder.filePath("p.txt");
    FileStore::writeAll(path, "mine");
    const FileStamp stamp = FileStore::stampOf(path, "mine");
    EXPECT_FALSE(FileStore::changedSince(path, stamp));
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    putFile(path, "mine");
    EXPECT_FALSE(FileStore::changedSince(path, stamp));
    putFile(path, "ours");
    EXPECT_TRUE(FileStore::changedSince(path, stamp));
    QFile::remove(path);
    EXPECT_FALSE(FileStore::changedSince(path, stamp));
}

// The state folder is made private also when it was there before, and nothing at the lock's
// name can make the start wait.
TEST(RecoveryStore, FolderIsPrivateAndTheLockNeverBlocks) {
    QTemporaryDir scratch;
    const QString folder = scratch.filePath("state");
    QDir().mkdir(folder);
    chmod(QFile::encodeName(folder).constData(), 0755);
    ASSERT_EQ(mkfifo(QFile::encodeName(folder + "/recovery.lock").constData(), 0600), 0);
    RecoveryStore store(folder);
    EXPECT_TRUE(store.claim());
    EXPECT_EQ(statOf(folder).st_mode & 0777, 0700u);
    RecoveryStore::write(store.path(), "work");
    EXPECT_EQ(statOf(store.path()).st_mode & 0777, 0600u);
}

// Definition files are read only when they are regular files, and not past the limit, so that
// a FIFO or a link to a device in the vocabulary folder neither blocks nor grows without end;
// the checker's JSON stays valid UTF-8 whatever the file names are.
TEST(DefinitionFiles, OnlyRegularFilesWithinTheLimitAndAnyNameInValidJson) {
    QTemporaryDir scratch;
    const std::filesystem::path folder = scratch.path().toStdString();
    ASSERT_EQ(mkfifo((folder / "sysHen.txt").c_str(), 0600), 0);
    std::filesystem::create_symlink("/dev/zero", folder / "mtd.txt");
    putFile(scratch.filePath("cmp.txt"), "0123456789!");
    for (const char* name : {"sysHen.txt", "mtd.txt"}) {
        try {
            readFileBytes(folder / name, kDefinitionFileLimit);
            ADD_FAILURE() << name << " was read";
        } catch (const std::runtime_error& failure) {
            EXPECT_NE(std::string(failure.what()).find("通常のファイルではありません"),
                      std::string::npos);
        }
    }
    EXPECT_THROW(readVocabulary(folder), std::runtime_error);
    EXPECT_EQ(readFileBytes(folder / "cmp.txt", 11), "0123456789!");
    try {
        readFileBytes(folder / "cmp.txt", 10);
        ADD_FAILURE() << "read past the limit";
    } catch (const std::runtime_error& failure) {
        EXPECT_NE(std::string(failure.what()).find("大きすぎます"), std::string::npos);
    }

    check::CheckReport report;
    report.addFailure("bad\xff\xfe\xe3\x81.txt", "\xed\xa0\x80 \xf4\x90\x80\x80 ok \xe3\x81\x82");
    const std::string json = report.json();
    EXPECT_EQ(QString::fromUtf8(json.data(), qsizetype(json.size())).toUtf8().toStdString(), json);
    EXPECT_NE(json.find("ok \xe3\x81\x82"), std::string::npos);
}
