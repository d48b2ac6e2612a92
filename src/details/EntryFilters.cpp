#include "details/EntryFilters.h"

#include "app/Guarded.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListView>
#include <QToolTip>
#include <QTreeWidget>

namespace {

std::u32string utf32(const QString& text) {
    return text.toStdU32String();
}

constexpr int kShownMatches = 8;

} // namespace

ComboFilter::ComboFilter(QComboBox* combo) : QObject(combo), combo_(combo) {
    connect(combo->lineEdit(), &QLineEdit::textEdited, this,
            [this](const QString& text) { reported([&] { typed(text); }); });
}

ComboFilter* comboFilterOf(QComboBox* combo) {
    for (QObject* child : combo->children())
        if (auto* existing = dynamic_cast<ComboFilter*>(child))
            return existing;
    return new ComboFilter(combo);
}

void ComboFilter::restart() {
    std::vector<std::u32string> entries;
    entries.reserve(combo_->count());
    for (int i = 0; i < combo_->count(); ++i)
        entries.push_back(utf32(combo_->itemText(i)));
    filter_ = hakoniwa::EntryFilter(entries);
    typed_.clear();
    apply();
}

void ComboFilter::typed(const QString& text) {
    typed_ = text;
    apply();
    showMatches();
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

bool ComboFilter::handleKey(int key) {
    if (key == Qt::Key_Escape) {
        if (typed_.isEmpty())
            return false;
        combo_->setEditText(QString());
        typed_.clear();
        apply();
        QToolTip::hideText();
        return true;
    }
    if ((key != Qt::Key_Down && key != Qt::Key_Up) || matches_.empty())
        return false;
    const int last = static_cast<int>(matches_.size()) - 1;
    if (key == Qt::Key_Down)
        step_ = step_ < last ? step_ + 1 : last;
    else
        step_ = step_ > 0 ? step_ - 1 : 0;
    // Showing the entry in the edit part is no typing: the filter stays as typed.
    combo_->setCurrentIndex(matches_[step_]);
    showMatches();
    return true;
}

void ComboFilter::chooseForCommit(bool choosesFirst) {
    if (step_ == -1 && choosesFirst && !typed_.isEmpty() && !matches_.empty())
        combo_->setCurrentIndex(matches_.front());
}

void ComboFilter::showMatches() const {
    // The first matches beside the combo; ▶ marks the one the arrow keys reached.
    QStringList lines;
    const int shown = std::min<int>(kShownMatches, static_cast<int>(matches_.size()));
    const int from = std::max(0, std::min(step_, static_cast<int>(matches_.size()) - shown));
    for (int i = from; i < from + shown; ++i)
        lines << (i == std::max(step_, 0) ? QStringLiteral("▶ ") : QStringLiteral("　 ")) +
                     combo_->itemText(matches_[i]);
    if (matches_.empty())
        lines << QStringLiteral("（該当なし）");
    QToolTip::showText(combo_->mapToGlobal(QPoint(0, combo_->height())), lines.join('\n'), combo_);
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
