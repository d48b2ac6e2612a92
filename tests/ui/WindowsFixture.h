#pragma once

#include "platform/Dialogs.h"
#include "platform/Pointer.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <optional>

namespace hakoniwa {
class Item;
}

// A pointer that only remembers where it was put.
class FakePointer : public hakoniwa::Pointer {
public:
    QPoint at;
    QPoint position() const override { return at; }
    void setPosition(const QPoint& screenPoint) override { at = screenPoint; }
};

// Dialogs answered by the test: each returns what the test stored (nothing = cancel).
class FakeDialogs : public hakoniwa::Dialogs {
public:
    std::optional<QString> openName, saveName;
    std::optional<QColor> chosenColor;
    QStringList errors;
    std::optional<QString> openFileName(QWidget*) override { return openName; }
    std::optional<QString> saveFileName(QWidget*) override { return saveName; }
    // The folder and filters the last file argument's dialog was opened with.
    QString argumentFolder, argumentFilters;
    std::optional<QString> openArgumentFile(QWidget*, const QString& folder,
                                            const QString& filters) override {
        argumentFolder = folder;
        argumentFilters = filters;
        return openName;
    }
    std::optional<QColor> color(QWidget*, const QColor&) override { return chosenColor; }
    void showError(QWidget*, const QString& message) override { errors << message; }
    // Questions asked, each with its answers; every one gets `choice` (-1: closed). The second
    // answer by default: 保存しない, 破棄, キャンセル.
    QStringList questions;
    QList<QStringList> answersOffered;
    int choice = 1;
    int choose(QWidget*, const QString& question, const QStringList& answers) override {
        questions << question;
        answersOffered << answers;
        return choice;
    }
};

// Starts the whole window set, as the program does, in a scratch copy of dat/ so that tests
// may write run files, with the user's state and data folders (recovery and run files) below
// it too; installs the pointer and dialog doubles. The user's settings are a scratch folder too.
class WindowsFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Copies the repository's dat/ folder below the scratch directory.
    void copyDataFolder();
    // Adds an item to the first scene and makes it the scene editor's current item.
    hakoniwa::Item* addCurrentItem();

    QTemporaryDir scratch;
    QString previousDir;
    std::optional<QByteArray> previousStateHome;
    std::optional<QByteArray> previousDataHome;
    FakePointer* pointer = nullptr;
    FakeDialogs* dialogs = nullptr;
};
