#include "platform/Dialogs.h"

#include "platform/Seam.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

namespace hakoniwa {
namespace {

// Project files are text files; every other file can still be chosen.
const QString kProjectFilter = QStringLiteral("プロジェクト (*.txt);;すべてのファイル (*)");

std::optional<QString> chosen(const QString& name) {
    if (name.isEmpty())
        return std::nullopt;
    return name;
}

class ModalDialogs : public Dialogs {
public:
    std::optional<QString> openFileName(QWidget* parent) override {
        return chosen(QFileDialog::getOpenFileName(parent, QString(), QString(), kProjectFilter));
    }
    std::optional<QString> saveFileName(QWidget* parent) override {
        return chosen(QFileDialog::getSaveFileName(parent, QString(), QString(), kProjectFilter,
                                                   nullptr, QFileDialog::DontConfirmOverwrite));
    }
    std::optional<QString> openArgumentFile(QWidget* parent, const QString& folder,
                                            const QString& filters) override {
        return chosen(QFileDialog::getOpenFileName(parent, QString(), folder, filters));
    }
    std::optional<QColor> color(QWidget* parent, const QColor& initial) override {
        const QColor picked = QColorDialog::getColor(initial, parent);
        if (!picked.isValid())
            return std::nullopt;
        return picked;
    }
    void showError(QWidget* parent, const QString& message) override {
        QMessageBox::critical(parent, QStringLiteral("システム"), message);
    }
    int choose(QWidget* parent, const QString& question, const QStringList& answers) override {
        QMessageBox box(QMessageBox::Question, QStringLiteral("システム"), question,
                        QMessageBox::NoButton, parent);
        QList<QAbstractButton*> buttons;
        for (const QString& answer : answers)
            buttons << box.addButton(answer, QMessageBox::AcceptRole);
        if (!buttons.isEmpty())
            box.setDefaultButton(static_cast<QPushButton*>(buttons.front()));
        // Escape and the close button need a button to stand for them; this one stays hidden,
        // so that closing is told apart from every answer.
        QAbstractButton* closed = box.addButton(QMessageBox::Cancel);
        closed->hide();
        box.setEscapeButton(closed);
        box.exec();
        return static_cast<int>(buttons.indexOf(box.clickedButton()));
    }
};

} // namespace

Dialogs& Dialogs::current() {
    return Seam<Dialogs, ModalDialogs>::current();
}

void Dialogs::install(std::unique_ptr<Dialogs> dialogs) {
    Seam<Dialogs, ModalDialogs>::install(std::move(dialogs));
}

} // namespace hakoniwa
