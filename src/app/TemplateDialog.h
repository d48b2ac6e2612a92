#pragma once

#include "model/ProjectTemplates.h"

#include <QDialog>
#include <optional>

class QListWidget;

// ファイル > テンプレートから新規: lists the templates of templates.txt, each with its picture,
// name and description; the list and its reading are the model's (ProjectTemplates).
class TemplateDialog : public QDialog {
public:
    TemplateDialog(QWidget* parent, const QString& templatesFolder,
                   std::vector<hakoniwa::TemplateEntry> entries);

    // The chosen template's project file, or nothing when the dialog was cancelled. A list
    // that cannot be read is reported by the caller's wrapper (std::runtime_error).
    static std::optional<QString> choose(QWidget* parent, const QString& templatesFolder);

    QListWidget* list() const { return list_; }

private:
    QListWidget* list_;
};
