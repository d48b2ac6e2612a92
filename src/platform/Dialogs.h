#pragma once

#include <QColor>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

class QWidget;

// The modal dialogs of the system: file names, colours, error messages and questions. Tests
// install a double so that no dialog ever opens during a test.
namespace hakoniwa {

class Dialogs {
public:
    virtual ~Dialogs() = default;
    // The chosen file name, or nothing when the user cancels. Project files (*.txt) are
    // offered first; the name is returned as chosen, without an added extension.
    virtual std::optional<QString> openFileName(QWidget* parent) = 0;
    virtual std::optional<QString> saveFileName(QWidget* parent) = 0;
    // A file for a file argument of a command row: the dialog opens in `folder` and offers
    // `filters` ("画像 (*.png *.bmp);;すべてのファイル (*)"); the name is returned as chosen.
    virtual std::optional<QString> openArgumentFile(QWidget* parent, const QString& folder,
                                                    const QString& filters) = 0;
    virtual std::optional<QColor> color(QWidget* parent, const QColor& initial) = 0;
    // The report of a failure in a handler without a number.
    virtual void showError(QWidget* parent, const QString& message) = 0;
    // Asks `question` with one button per answer, in that order; the index of the answer
    // picked, or -1 when the question was closed without one (Escape, the close button).
    virtual int choose(QWidget* parent, const QString& question, const QStringList& answers) = 0;

    static Dialogs& current();
    // Takes ownership; nullptr goes back to the real dialogs.
    static void install(std::unique_ptr<Dialogs> dialogs);
};

} // namespace hakoniwa
