#include "app/TemplateDialog.h"

#include "app/Guarded.h"
#include "app/Unit1.h"
#include "details/Settei.h"
#include "editor/Unit2.h"
#include "model/VocabularyFiles.h"
#include "platform/Cp932Codec.h"
#include "platform/DataPaths.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>
#include <QUndoStack>
#include <QVBoxLayout>

namespace {

constexpr int kProjectRole = Qt::UserRole;
const QSize kPreviewSize(160, 120);

QString templatesFolderOf(const QString& baseDir) {
    return hakoniwa::DataPaths::join(baseDir, "\\dat\\templates");
}

} // namespace

TemplateDialog::TemplateDialog(QWidget* parent, const QString& templatesFolder,
                               std::vector<hakoniwa::TemplateEntry> entries)
    : QDialog(parent), list_(new QListWidget(this)) {
    setWindowTitle(QStringLiteral("テンプレートから新規"));
    list_->setViewMode(QListView::ListMode);
    list_->setIconSize(kPreviewSize);
    list_->setSpacing(4);
    list_->setWordWrap(true);
    list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    const QDir folder(templatesFolder);
    for (const hakoniwa::TemplateEntry& entry : entries) {
        const QString text =
            hakoniwa::toQt(entry.name) + QStringLiteral("\n") + hakoniwa::toQt(entry.description);
        QPixmap preview(folder.filePath(hakoniwa::toQt(entry.preview)));
        if (preview.isNull()) { // a missing picture leaves a blank of the same size
            preview = QPixmap(kPreviewSize);
            preview.fill(Qt::lightGray);
        }
        auto* row = new QListWidgetItem(QIcon(preview), text, list_);
        row->setData(kProjectRole, folder.filePath(hakoniwa::toQt(entry.project)));
    }
    list_->setCurrentRow(0);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("開く"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("キャンセル"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(list_, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("始めるテンプレートを選んでください"), this));
    layout->addWidget(list_);
    layout->addWidget(buttons);
    resize(600, 620);
}

std::optional<QString> TemplateDialog::choose(QWidget* parent, const QString& templatesFolder) {
    const QString listFile = QDir(templatesFolder).filePath(QStringLiteral("templates.txt"));
    TemplateDialog dialog(
        parent, templatesFolder,
        hakoniwa::readTemplateList(hakoniwa::readFileBytes(listFile.toStdString())));
    if (dialog.exec() != QDialog::Accepted || !dialog.list()->currentItem())
        return std::nullopt;
    return dialog.list()->currentItem()->data(kProjectRole).toString();
}

// ---- the main window's side: open a template, bring its files along on save -----------

void TForm1::newFromTemplate() {
    reported([&] {
        if (!mayDiscardChanges())
            return;
        if (const auto chosen = TemplateDialog::choose(this, templatesFolderOf(baseDir)))
            openTemplate(*chosen);
    });
}

void TForm1::openTemplate(const QString& projectPath) {
    if (ldSource(projectPath) == ReadResult::Unchanged)
        return;
    // The template's own files are named by absolute paths until the first save brings them
    // along, so the unsaved project runs as it is.
    hakoniwa::makeTemplateFilesAbsolute(project, Form3->definitions,
                                        QFileInfo(projectPath).absolutePath().toStdString());
    startAfresh();
    projectFile.clear();
    undoStack->resetClean();
    updateTitle(true);
    Form2->dspAllItm();
    Form3->updHenCb();
    pcSceneChange();
}

bool TForm1::bringTemplateFiles(const QString& fileName) {
    bool brought = false;
    reported([&] {
        const int rewritten = hakoniwa::bringTemplateFilesAlong(
            project, Form3->definitions,
            QFileInfo(templatesFolderOf(baseDir)).absoluteFilePath().toStdString(),
            QFileInfo(fileName).absolutePath().toStdString());
        if (rewritten > 0)
            Form3->refreshSheet();
        brought = true;
    });
    return brought;
}
