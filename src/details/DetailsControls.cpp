#include "details/Settei.h"

#include "app/UndoSteps.h"
#include "details/EntryFilters.h"
#include "details/ListWidgets.h"
#include "details/SheetModel.h"
#include "details/SheetView.h"
#include "model/EntryFilter.h"
#include "platform/Cp932Codec.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QStatusBar>
#include <QTableWidget>
#include <QTreeWidget>

namespace {

// An editor combo: typing is allowed and what is typed is never added as an entry, since
// Enter writes the edit text into the sheet. It starts hidden with its design edit text.
QComboBox* makeEditorCombo(QWidget* parent, const QRect& geometry, const QString& editText) {
    auto* combo = new QComboBox(parent);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    // No completion: it would lengthen what the user types into an entry the user never chose.
    combo->setCompleter(nullptr);
    combo->setGeometry(geometry);
    combo->setEditText(editText);
    combo->hide();
    return combo;
}

// The four pick lists share one place; only one shows at a time.
QTreeWidget* makePickList(QWidget* parent, bool visible) {
    auto* tree = new QTreeWidget(parent);
    tree->setGeometry(8, 32, 217, 233);
    tree->setHeaderHidden(true);
    tree->setColumnCount(1);
    tree->setVisible(visible);
    return tree;
}

QPushButton* makeButton(QWidget* parent, const QString& caption, const QRect& geometry,
                        bool visible = true) {
    auto* button = new QPushButton(caption, parent);
    button->setGeometry(geometry);
    button->setVisible(visible);
    return button;
}

} // namespace

void TForm3::buildControls() {
    Label1 = new QLabel(QStringLiteral("Label1"), this);
    Label1->setGeometry(16, 8, 33, 12);
    Label1->adjustSize(); // the label grows with its text
    CheckBox1 = new QCheckBox(QStringLiteral("CheckBox1"), this);
    // Wide and high enough for its whole caption in the window's font.
    CheckBox1->setGeometry(72, 8, CheckBox1->sizeHint().width(),
                           qMax(17, CheckBox1->sizeHint().height()));
    buildTrees();
    buildButtons();
    buildCombos();

    StringGrid1 = new QTableWidget(5, 5, this);
    StringGrid1->setGeometry(232, 40, 505, 265);
    StringGrid1->verticalHeader()->setDefaultSectionSize(24);
    StringGrid1->hide();

    edRpn = new QLineEdit(QStringLiteral("1"), this);
    edRpn->setGeometry(8, 273, 121, 20);
    sbInfo = new QStatusBar(this);
    sbInfo->setSizeGripEnabled(false);
    sbInfo->setGeometry(0, 320 - 19, 759, 19);

    sheetView = new SheetView(this);
    buildPopupMenu();
    connectHandlers();
}

void TForm3::buildCombos() {
    // Made after the lists and buttons, so that a combo placed over them lies on top.
    cbMOl = makeEditorCombo(this, QRect(456, 8, 257, 20), QStringLiteral("cbMOl"));
    cbCmp = makeEditorCombo(this, QRect(368, 8, 169, 20), QStringLiteral("ComboBox1"));
    cbSysHen = makeEditorCombo(this, QRect(376, 8, 105, 20), QStringLiteral("cbSysHen"));
    cbMtd = makeEditorCombo(this, QRect(16, 136, 297, 20), QStringLiteral("ComboBox1"));
    cbHen = makeEditorCombo(this, QRect(40, 104, 257, 20), QStringLiteral("cbHen"));
}

void TForm3::buildTrees() {
    tvOpList = makePickList(this, true);
    tvHnList = makePickList(this, false);
    tvMdList = makePickList(this, false);
    colourTargetNodes(tvMdList);
    tvCmList = makePickList(this, false);
}

void TForm3::buildButtons() {
    Button6 = makeButton(this, QStringLiteral("戻る"), QRect(152, 8, 75, 25));
    Button2 = makeButton(this, QStringLiteral("↑"), QRect(232, 48, 17, 25));
    Button3 = makeButton(this, QStringLiteral("↓"), QRect(232, 80, 17, 25));
    Button4 = makeButton(this, QStringLiteral(">>"), QRect(232, 160, 25, 25), false);
    Button5 = makeButton(this, QStringLiteral("<<"), QRect(232, 192, 25, 25), false);
    Button1 = makeButton(this, QStringLiteral("決定"), QRect(144, 274, 75, 25));
}

void TForm3::buildPopupMenu() {
    PopupMenu1 = new QMenu(this);
    N1 = PopupMenu1->addMenu(QStringLiteral("追加"));
    Y1 = N1->addAction(QStringLiteral("Y"));
    X1 = N1->addAction(QStringLiteral("X"));
    PopupMenu1->addSeparator();
    N6 = PopupMenu1->addAction(QStringLiteral("挿入（一回）"));
    N5 = PopupMenu1->addAction(QStringLiteral("挿入（指定回数）"));
    PopupMenu1->addSeparator();
    N3 = PopupMenu1->addAction(QStringLiteral("行削除"));
    N7 = PopupMenu1->addAction(QStringLiteral("行クリア"));
    N8 = PopupMenu1->addAction(QStringLiteral("行コピー"));
    N9 = PopupMenu1->addAction(QStringLiteral("行貼り付け"));
    PopupMenu1->addSeparator();
    N11 = PopupMenu1->addAction(QStringLiteral("初期化"));
    // These two were planned but never given a command; they stay in the menu and do nothing.
    N12 = PopupMenu1->addAction(QStringLiteral("指定行以下を削除"));
    N13 = PopupMenu1->addAction(QStringLiteral("指定行から指定数だけ削除する。"));
}

void TForm3::buildTreeFilters() {
    // An instruction or component is also found by its description, not by its argument specs.
    auto byDefinition = [](const std::vector<std::string>& lines) {
        return [&lines](const QTreeWidgetItem* node) {
            const int data = nodeData(node);
            const QString text = node->text(0);
            if (node->childCount() > 0 || data < 0 || data >= static_cast<int>(lines.size()))
                return text;
            const std::u32string line = hakoniwa::toQt(lines[data]).toStdU32String();
            return text + QLatin1Char(' ') +
                   QString::fromStdU32String(std::u32string(hakoniwa::definitionSearchPart(line)));
        };
    };
    new TreeFilter(tvOpList, byDefinition(definitions.instructions));
    new TreeFilter(tvCmList, byDefinition(definitions.components));
    for (QTreeWidget* tree : {tvMdList, tvHnList})
        new TreeFilter(tree, [](const QTreeWidgetItem* node) { return node->text(0); });
    // Enter on a tree picks; installed after the filters, so it sees the keys first.
    for (QTreeWidget* tree : {tvOpList, tvHnList, tvMdList, tvCmList})
        tree->installEventFilter(this);
}

void TForm3::connectHandlers() {
    connect(Y1, &QAction::triggered, this, [this] { Y1Click(); });
    connect(X1, &QAction::triggered, this, [this] { X1Click(); });
    connect(N6, &QAction::triggered, this, [this] { N6Click(); });
    connect(N5, &QAction::triggered, this, [this] { N5Click(); });
    connect(N3, &QAction::triggered, this, [this] { N3Click(); });
    connect(N7, &QAction::triggered, this, [this] { N7Click(); });
    connect(N8, &QAction::triggered, this, [this] { N8Click(); });
    connect(N9, &QAction::triggered, this, [this] { N9Click(); });
    connect(N11, &QAction::triggered, this, [this] { N11Click(); });
    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    connect(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });
    connect(Button3, &QPushButton::clicked, this, [this] { Button3Click(); });
    connect(Button4, &QPushButton::clicked, this, [this] { Button4Click(); });
    connect(Button6, &QPushButton::clicked, this, [this] { Button6Click(); });

    connect(tvOpList, &QTreeWidget::itemClicked, this, [this] { tvOpListClick(); });
    connect(tvHnList, &QTreeWidget::itemClicked, this, [this] { tvHnListClick(); });
    connect(tvMdList, &QTreeWidget::itemClicked, this, [this] { tvMdListClick(); });
    connect(tvCmList, &QTreeWidget::itemClicked, this, [this] { tvCmListClick(); });
    for (QTreeWidget* tree : {tvOpList, tvHnList, tvMdList, tvCmList})
        connect(tree, &QTreeWidget::itemDoubleClicked, this, [this] { tvOpListDblClick(); });

    // The editor combos share one key handler. Their edit part passes focus to the combo, so
    // typed keys arrive at the combo itself.
    for (QComboBox* combo : {cbMOl, cbCmp, cbSysHen, cbMtd, cbHen}) {
        combo->installEventFilter(this);
        // A key sent to the edit part itself is seen before the edit part acts on it.
        combo->lineEdit()->installEventFilter(this);
    }
    for (QComboBox* combo : {cbMOl, cbCmp, cbMtd, cbHen})
        comboFilterOf(combo)->closeRequested = [this] { closeEditorCombos(); };
    // Instructions and components are found by name and description, as in their trees.
    for (QComboBox* combo : {cbMtd, cbCmp})
        comboFilterOf(combo)->setSearchPart([](std::u32string_view line) {
            return std::u32string(hakoniwa::definitionSearchPart(line));
        });
    buildTreeFilters();

    // Enter or F2 on a selected cell opens its combo; the view's own handling comes after.
    sheetView->installEventFilter(this);
    connect(StringGrid1, &QTableWidget::itemChanged, this, [this] { StringGrid1SetEditText(); });
    StringGrid1->installEventFilter(this);
    connect(sheetView, &SheetView::pressed, this, &TForm3::StringGrid1MouseDown);
    connect(sheetView, &SheetView::moved, this, &TForm3::StringGrid1MouseMove);
    connect(sheetView, &SheetView::keyPressed, this, &TForm3::StringGrid1KeyDown);
    connect(sheetView, &SheetView::doubleClickedAt, this, [this] { StringGrid1DblClick(); });
    sheetView->sheetModel()->cellEdited = [this](int column, int row, const std::string& oldText) {
        sheetCellEdited(column, row, oldText);
    };
    sheetView->sheetModel()->asOneAction = [](const std::function<void()>& edit) {
        recordEdit(QStringLiteral("セルの編集"), edit);
    };
    connectHelp();
    connectAssetDrops();
}
