#include "platform/Dialogs.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QMessageBox>

namespace hakoniwa {
namespace {

std::optional<QString> chosen(const QString& name) {
    if (name.isEmpty())
        return std::nullopt;
    return name;
}

class ModalDialogs : public Dialogs {
public:
    std::optional<QString> openFileName(QWidget* parent) override {
        return chosen(QFileDialog::getOpenFileName(parent));
    }
    std::optional<QString> saveFileName(QWidget* parent) override {
        return chosen(QFileDialog::getSaveFileName(parent, QString(), QString(), QString(), nullptr,
                                                   QFileDialog::DontConfirmOverwrite));
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
};

std::unique_ptr<Dialogs>& installed() {
    static std::unique_ptr<Dialogs> dialogs = std::make_unique<ModalDialogs>();
    return dialogs;
}

} // namespace

Dialogs& Dialogs::current() {
    return *installed();
}

void Dialogs::install(std::unique_ptr<Dialogs> dialogs) {
    installed() = dialogs ? std::move(dialogs) : std::make_unique<ModalDialogs>();
}

} // namespace hakoniwa
