#include "details/HelpPane.h"

#include "model/HelpPage.h"
#include "platform/Cp932Codec.h"

#include <QEvent>
#include <QTextBrowser>
#include <QVBoxLayout>

using hakoniwa::toQt;

namespace {

constexpr int kPaneWidth = 380;
constexpr int kPaneHeight = 560;

QString escaped(const std::string& bytes) {
    return toQt(bytes).toHtmlEscaped();
}

QString multiline(const std::string& bytes) {
    return escaped(bytes).replace(QLatin1Char('\n'), QStringLiteral("<br>"));
}

// What an argument takes, in the words of the sheet's user.
QString takes(const hakoniwa::HelpArgument& argument, const std::string& choice) {
    using hakoniwa::ArgumentKind;
    switch (argument.kind) {
    case ArgumentKind::Result:
        return QStringLiteral("結果を入れる変数");
    case ArgumentKind::File:
        return QStringLiteral("ファイル");
    case ArgumentKind::VariableOrValue:
        return QStringLiteral("値（変数も可）");
    case ArgumentKind::Free:
        return QStringLiteral("文字や値（変数も可）");
    case ArgumentKind::Constant:
        break;
    }
    QStringList choices;
    for (const hakoniwa::Constant& constant : argument.constants) {
        const QString text =
            escaped(constant.label) + QLatin1Char('[') + escaped(constant.value) + QLatin1Char(']');
        choices << (constant.entry() == choice ? QStringLiteral("<b><u>%1</u></b>").arg(text)
                                               : text);
    }
    return QStringLiteral("定数から選ぶ: ") + choices.join(QStringLiteral(" "));
}

// The value an empty cell stands for: a value's default, a constant list's first constant.
QString defaultOf(const hakoniwa::HelpArgument& argument) {
    using hakoniwa::ArgumentKind;
    if (argument.kind == ArgumentKind::VariableOrValue)
        return escaped(argument.defaultValue);
    if (argument.kind == ArgumentKind::Constant && !argument.constants.empty())
        return escaped(argument.constants.front().label);
    return QStringLiteral("なし");
}

QString argumentTable(const hakoniwa::HelpPage& page, int column, const std::string& choice) {
    if (page.arguments.empty())
        return QStringLiteral("<p>引数はありません。</p>");
    QString html = QStringLiteral("<p><b>引数</b></p><table border=1 cellspacing=0 "
                                  "cellpadding=3 width=100%>");
    for (const hakoniwa::HelpArgument& argument : page.arguments) {
        const bool marked = argument.column == column;
        html += marked ? QStringLiteral("<tr bgcolor=#ffff99>") : QStringLiteral("<tr>");
        html += QStringLiteral("<td>%1. <b>%2</b>：%3　既定値: %4")
                    .arg(QString::number(argument.column - 2), escaped(argument.name),
                         takes(argument, marked ? choice : std::string()), defaultOf(argument));
        if (!argument.note.empty())
            html += QStringLiteral("<br><i>%1</i>").arg(escaped(argument.note));
        html += QStringLiteral("</td></tr>");
    }
    return html + QStringLiteral("</table>");
}

QString exampleRows(const hakoniwa::HelpPage& page) {
    if (page.examples.empty())
        return QString();
    QString html = QStringLiteral("<p><b>例</b></p>");
    for (const std::vector<std::string>& row : page.examples) {
        html += QStringLiteral("<table border=1 cellspacing=0 cellpadding=3><tr>");
        for (const std::string& cell : row)
            html += QStringLiteral("<td bgcolor=#ffffcc>%1</td>").arg(escaped(cell));
        html += QStringLiteral("</tr></table><br>");
    }
    return html;
}

QString pageHtml(const hakoniwa::HelpPage& page, int column, const std::string& choice) {
    const QString kind = page.kind == hakoniwa::DefinitionKind::Instruction
                             ? QStringLiteral("命令 ") + escaped(page.group)
                             : QStringLiteral("部品（ジャンプの条件）");
    QString html = QStringLiteral("<h3>%1 <small>%2</small></h3><p>%3</p>")
                       .arg(escaped(page.name), kind, escaped(page.description));
    if (!page.detailed)
        return html;
    if (!page.explanation.empty())
        html += QStringLiteral("<p>%1</p>").arg(multiline(page.explanation));
    return html + argumentTable(page, column, choice) + exampleRows(page);
}

} // namespace

HelpPane::HelpPane(QWidget* followed)
    : QWidget(followed, Qt::Tool), followed_(followed), text_(new QTextBrowser(this)) {
    setWindowTitle(QStringLiteral("説明"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(text_);
    showNothing();
    followed_->installEventFilter(this);
}

void HelpPane::showPage(const hakoniwa::HelpPage& page, int column, const std::string& choice) {
    text_->setHtml(pageHtml(page, column, choice));
}

void HelpPane::showNothing() {
    text_->setHtml(QStringLiteral("<p>命令や部品を選ぶと、ここに説明が出ます。</p>"
                                  "<p>F1 でこの窓を前に出します。</p>"));
}

QString HelpPane::shownText() const {
    return text_->toPlainText();
}

void HelpPane::bringForward() {
    followPlace();
    show();
    raise();
}

void HelpPane::followPlace() {
    const QRect frame = followed_->frameGeometry();
    // Taller than the details window when that is small, so that a whole page fits.
    setGeometry(frame.right() + 1, followed_->geometry().top(), kPaneWidth,
                qMax(kPaneHeight, followed_->geometry().height()));
}

bool HelpPane::eventFilter(QObject* watched, QEvent* event) {
    if (watched == followed_) {
        switch (event->type()) {
        case QEvent::Move:
        case QEvent::Resize:
            followPlace();
            break;
        case QEvent::Show:
            bringForward();
            break;
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}
