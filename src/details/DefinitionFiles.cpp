#include "details/Settei.h"

#include "app/Unit1.h"
#include "details/ListWidgets.h"
#include "model/InstructionTree.h"
#include "platform/DataPaths.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QTreeWidget>
#include <stdexcept>

namespace {

// The whole file as bytes; a file that cannot be opened stops start-up with its full path.
std::string readDefinitionFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        const QString message =
            QStringLiteral("ファイル %1 は開けません").arg(QDir::toNativeSeparators(path));
        throw std::runtime_error(message.toStdString());
    }
    const QByteArray bytes = file.readAll();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

std::vector<std::string> readLines(const QString& baseDir, const std::string& relative) {
    return hakoniwa::Definitions::splitLines(
        readDefinitionFile(hakoniwa::DataPaths::join(baseDir, relative)));
}

} // namespace

void TForm3::loadDefinitions() {
    using hakoniwa::Definitions;
    const std::string folder = Definitions::folderOf(
        readDefinitionFile(hakoniwa::DataPaths::join(Form1->baseDir, "\\dat\\txt\\conf.txt")));
    const std::string folderPath = "\\dat\\txt\\" + folder;
    definitions.systemVariables = readLines(Form1->baseDir, folderPath + "\\sysHen.txt");
    refillCombo(cbSysHen, definitions.systemVariables);
    definitions.instructions = readLines(Form1->baseDir, folderPath + "\\mtd.txt");
    refillCombo(cbMtd, definitions.instructions);
    definitions.components = readLines(Form1->baseDir, folderPath + "\\cmp.txt");
    refillCombo(cbCmp, definitions.components);
    // The help file is optional: without it the help pane shows each description line alone.
    const QString helpFile = hakoniwa::DataPaths::join(Form1->baseDir, folderPath + "\\help.txt");
    help.reset();
    if (QFile::exists(helpFile))
        help = hakoniwa::VocabularyHelp::parse(readDefinitionFile(helpFile));

    refillTree(tvOpList, hakoniwa::buildInstructionTree(definitions.instructions));
    refillTree(tvCmList, hakoniwa::buildComponentList(definitions.components));
    // Instructions and components are drawn red, the group headings black.
    for (int i = 0; i < tvOpList->topLevelItemCount(); ++i)
        for (int j = 0; j < tvOpList->topLevelItem(i)->childCount(); ++j)
            tvOpList->topLevelItem(i)->child(j)->setForeground(0, Qt::red);
    for (int j = 0; j < tvCmList->topLevelItemCount(); ++j)
        tvCmList->topLevelItem(j)->setForeground(0, Qt::red);
}
