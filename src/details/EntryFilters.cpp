#include "details/EntryFilters.h"

#include "app/Guarded.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListView>
#include <QMouseEvent>
#include <QToolTip>
#include <QTreeWidget>
#include <algorithm>

namespace {

std::u32string utf32(const QString& text) {
    return text.toStdU32String();
}

constexpr int kShownMatches = 8;

} // namespace

ComboFilter::ComboFilter(QComboBox* combo) : QObject(combo), combo_(combo) {
    connect(combo->lineEdit(), &QLineEdit::textEdited, this,
            [this](const QString& text) { reported([&] { typed(text); }); });
    // Any entry made current while the combo is open is a choice: the arrow keys, a click in
    // the list, or the program choosing for the user.
    connect(combo, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (!opening_ && index >= 0)
            chosen_ = index;
    });
    connect(combo, &QComboBox::activated, this, [this](int index) {
        if (index >= 0)
            chosen_ = index;
    });
    combo->view()->installEventFilter(this);
    // Presses anywhere in the program: one outside the combo closes it.
    qApp->installEventFilter(this);
}

ComboFilter* comboFilterOf(QComboBox* combo) {
    for (QObject* child : combo->children())
        if (auto* existing = dynamic_cast<ComboFilter*>(child))
            return existing;
    return new ComboFilter(combo);
}

void ComboFilter::setSearchPart(std::function<std::u32string(std::u32string_view)> part) {
    searchPart_ = std::move(part);
}

void ComboFilter::restart() {
    opening_ = true;
    std::vector<std::u32string> entries;
    entries.reserve(combo_->count());
    for (int i = 0; i < combo_->count(); ++i) {
        std::u32string entry = utf32(combo_->itemText(i));
        entries.push_back(searchPart_ ? searchPart_(entry) : std::move(entry));
    }
    filter_ = hakoniwa::EntryFilter(entries);
    typed_.clear();
    chosen_.reset();
    edited_ = false;
    apply();
    opening_ = false;
}

void ComboFilter::typed(const QString& text) {
    typed_ = text;
    edited_ = true;
    chosen_.reset();
    apply();
    showMatches();
}

std::vector<int> ComboFilter::typedMatches() const {
    return typed_.isEmpty() ? std::vector<int>() : matches_;
}

void ComboFilter::apply() {
    matches_ = filter_.matching(utf32(typed_));
    step_ = -1;
    auto* view = qobject_cast<QListView*>(combo_->view());
    if (!view)
        return;
    std::vector<bool> shown(combo_->count(), false);
    for (const int i : matches_)
        shown[i] = true;
    for (int i = 0; i < combo_->count(); ++i)
        view->setRowHidden(i, !shown[i]);
}

int ComboFilter::keptEntryStep() const {
    const QString kept = combo_->currentText();
    int entry = combo_->currentIndex();
    if (entry < 0 || combo_->itemText(entry) != kept)
        entry = combo_->findText(kept, Qt::MatchExactly);
    const auto at = std::find(matches_.begin(), matches_.end(), entry);
    return entry < 0 || at == matches_.end() ? -1 : static_cast<int>(at - matches_.begin());
}

bool ComboFilter::handleKey(int key, Qt::KeyboardModifiers modifiers) {
    if (key == Qt::Key_Escape) {
        if (typed_.isEmpty()) {
            close();
            return true;
        }
        combo_->setEditText(QString());
        typed_.clear();
        apply();
        QToolTip::hideText();
        return true;
    }
    if ((key != Qt::Key_Down && key != Qt::Key_Up) || matches_.empty())
        return false;
    if (modifiers & Qt::AltModifier) {
        // Alt+Down opens the list on the entry shown, as a drop-down does, choosing nothing.
        openList();
        return true;
    }
    // Before any typing the arrows move on from the entry the kept text names, as in a plain
    // drop-down; a typed filter starts from its first match.
    if (step_ == -1 && typed_.isEmpty())
        step_ = keptEntryStep();
    const int last = static_cast<int>(matches_.size()) - 1;
    if (step_ == -1)
        step_ = 0;
    else if (key == Qt::Key_Down)
        step_ = std::min(step_ + 1, last);
    else
        step_ = std::max(step_ - 1, 0);
    // Showing the entry in the edit part is no typing: the filter stays as typed.
    combo_->setCurrentIndex(matches_[step_]);
    combo_->lineEdit()->setCursorPosition(0); // a long definition line shows from its name
    openList();
    return true;
}

void ComboFilter::openList() {
    QToolTip::hideText();
    if (!combo_->isVisible())
        return;
    // The list is as wide as its longest entry (up to a limit), so that lines are readable.
    QAbstractItemView* view = combo_->view();
    view->setMinimumWidth(std::min(view->sizeHintForColumn(0) + 24, 640));
    combo_->showPopup();
    if (step_ >= 0)
        view->setCurrentIndex(combo_->model()->index(matches_[step_], 0));
}

bool ComboFilter::eventFilter(QObject* watched, QEvent* event) {
    // This filter is a child of its combo: while the combo is being destroyed it is a combo no
    // more, and the presses the program sees meanwhile are none of its business.
    if (!qobject_cast<QComboBox*>(static_cast<QObject*>(combo_)))
        return false;
    if (event->type() == QEvent::MouseButtonPress && combo_->isVisible()) {
        const QPoint at = static_cast<QMouseEvent*>(event)->globalPosition().toPoint();
        reported([&] { pressed(watched, at); });
        return false;
    }
    if (watched != combo_->view() || event->type() != QEvent::KeyPress)
        return false;
    bool used = false;
    reported([&] { used = listKey(static_cast<QKeyEvent*>(event)); });
    return used;
}

void ComboFilter::pressed(QObject* watched, const QPoint& globalAt) {
    // Seen by the window it is made in (a widget test sends it to a top-level widget).
    const auto* widget = qobject_cast<const QWidget*>(watched);
    if (!watched->isWindowType() && !(widget && widget->isWindow()))
        return;
    const QWidget* list = combo_->view()->window();
    const bool onCombo = combo_->rect().contains(combo_->mapFromGlobal(globalAt));
    const bool onList = list->isVisible() && list->rect().contains(list->mapFromGlobal(globalAt));
    if (!onCombo && !onList)
        close();
}

void ComboFilter::close() {
    combo_->hidePopup();
    QToolTip::hideText();
    if (closeRequested)
        closeRequested();
    else
        combo_->hide();
}

bool ComboFilter::listKey(QKeyEvent* key) {
    if (key->key() == Qt::Key_Escape) {
        close();
        return true;
    }
    const bool commits = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter ||
                         key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab;
    const bool types = key->key() == Qt::Key_Backspace ||
                       (!key->text().isEmpty() && key->text().at(0).isPrint() &&
                        !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)));
    if (!commits && !types)
        return false; // moving, Escape and clicks: the list's own
    const QModelIndex reached = combo_->view()->currentIndex();
    combo_->hidePopup();
    if (commits && reached.isValid())
        combo_->setCurrentIndex(reached.row());
    // Enter and Tab then commit as they do in the combo; typing goes on in its edit part.
    QKeyEvent again(QEvent::KeyPress, key->key(), key->modifiers(), key->text());
    QCoreApplication::sendEvent(commits ? static_cast<QObject*>(combo_) : combo_->lineEdit(),
                                &again);
    return true;
}

void ComboFilter::showMatches() const {
    // The first matches beside the combo, while the user types.
    QStringList lines;
    const int shown = std::min<int>(kShownMatches, static_cast<int>(matches_.size()));
    for (int i = 0; i < shown; ++i)
        lines << (i == 0 ? QStringLiteral("▶ ") : QStringLiteral("　 ")) +
                     combo_->itemText(matches_[i]);
    if (matches_.empty())
        lines << QStringLiteral("（該当なし）");
    QToolTip::showText(combo_->mapToGlobal(QPoint(0, combo_->height())), lines.join('\n'), combo_);
}

void ComboFilter::chooseForCommit() {
    if (!chosen_ && !typed_.isEmpty() && !matches_.empty())
        combo_->setCurrentIndex(matches_.front());
}

TreeFilter::TreeFilter(QTreeWidget* tree, std::function<QString(const QTreeWidgetItem*)> searchText)
    : QObject(tree), tree_(tree), searchText_(std::move(searchText)) {
    tree->installEventFilter(this);
}

bool TreeFilter::eventFilter(QObject* watched, QEvent* event) {
    if (watched != tree_ || event->type() != QEvent::KeyPress)
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    bool used = false;
    reported([&] {
        if (key->key() == Qt::Key_Escape && !typed_.isEmpty()) {
            typed_.clear();
        } else if (key->key() == Qt::Key_Backspace && !typed_.isEmpty()) {
            typed_.chop(1);
        } else if (!key->text().isEmpty() && key->text().at(0).isPrint() &&
                   !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
            typed_ += key->text();
        } else {
            return;
        }
        used = true;
        apply();
    });
    return used;
}

void TreeFilter::apply() {
    const hakoniwa::EntryQuery query(utf32(typed_));
    auto matches = [&](const QTreeWidgetItem* node) {
        return query.empty() ||
               query.matchesFolded(hakoniwa::foldForSearch(utf32(searchText_(node))));
    };
    QTreeWidgetItem* firstShown = nullptr;
    for (int i = 0; i < tree_->topLevelItemCount(); ++i) {
        QTreeWidgetItem* top = tree_->topLevelItem(i);
        // A matching group shows all its children; otherwise only the matching ones.
        const bool groupMatches = top->childCount() > 0 && matches(top);
        bool anyChild = false;
        for (int j = 0; j < top->childCount(); ++j) {
            QTreeWidgetItem* child = top->child(j);
            const bool shown = groupMatches || matches(child);
            child->setHidden(!shown);
            anyChild = anyChild || shown;
            if (shown && !firstShown)
                firstShown = child;
        }
        const bool shown = top->childCount() > 0 ? anyChild || groupMatches : matches(top);
        top->setHidden(!shown);
        if (shown && !firstShown && top->childCount() == 0)
            firstShown = top;
    }
    const QTreeWidgetItem* current = tree_->currentItem();
    if (firstShown &&
        (!current || current->isHidden() || (current->parent() && current->parent()->isHidden())))
        tree_->setCurrentItem(firstShown);
    tree_->expandAll();
}
