#pragma once

#include <QWidget>
#include <string>

class QTextBrowser;

namespace hakoniwa {
struct HelpPage;
}

// The help window "説明" that follows the details window: it sits against the window's right
// edge and shows the instruction or component being chosen or edited there.
class HelpPane : public QWidget {
    Q_OBJECT
public:
    // Follows `followed` (moves, resizes and first shows with it); not owned.
    explicit HelpPane(QWidget* followed);

    // Shows the page; the argument in sheet column `column` (3 and up) is marked, and the
    // constant whose entry is `choice` among its choices.
    void showPage(const hakoniwa::HelpPage& page, int column = -1,
                  const std::string& choice = std::string());
    // Nothing to explain: a heading, a declaration or an empty row.
    void showNothing();
    // Shows the window beside the one it follows and raises it.
    void bringForward();
    // What the pane shows, as plain text.
    QString shownText() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void followPlace();

    QWidget* followed_;
    QTextBrowser* text_;
};
