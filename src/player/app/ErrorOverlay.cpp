#include "player/app/ErrorOverlay.h"

#include "player/runtime/ErrorPanel.h"

#include <QFontMetrics>
#include <QPainter>

namespace hakoniwa::player {
namespace {

const QColor kPanel(90, 0, 0, 220);
const QColor kBorder(255, 90, 90);
const QColor kTitle(255, 220, 90);
constexpr int kMargin = 12;

QFont overlayFont(int pixels) {
    QFont font;
    font.setFamilies({QStringLiteral("IPAGothic"), QStringLiteral("IPAPGothic")});
    font.setPixelSize(pixels);
    return font;
}

} // namespace

QStringList errorOverlayLines(const PlayError& error) {
    QStringList lines;
    for (const std::string& line : errorPanelLines(error))
        lines << QString::fromStdString(line);
    return lines;
}

void paintErrorOverlay(QImage& frame, const PlayError& error) {
    const QStringList lines = errorOverlayLines(error);
    QPainter painter(&frame);
    painter.fillRect(frame.rect(), QColor(0, 0, 0, 110));

    // Small screens get a smaller font so that the panel still fits.
    const QFont font = overlayFont(frame.width() < 400 ? 12 : 16);
    painter.setFont(font);
    const QFontMetrics metrics(font);
    const int width = std::max(40, frame.width() - 2 * kMargin);
    const QRect textArea(0, 0, width - 2 * kMargin, frame.height());
    int height = kMargin;
    std::vector<QRect> boxes;
    for (const QString& line : lines) {
        const QRect box =
            metrics.boundingRect(textArea, Qt::TextWordWrap | Qt::TextWrapAnywhere, line);
        boxes.push_back(box);
        height += box.height() + 4;
    }
    height += kMargin;
    const QRect panel(kMargin, std::max(0, (frame.height() - height) / 2), width, height);
    painter.fillRect(panel, kPanel);
    painter.setPen(kBorder);
    painter.drawRect(panel.adjusted(0, 0, -1, -1));

    int y = panel.top() + kMargin;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        painter.setPen(i == 0 ? kTitle : QColor(Qt::white));
        const QRect box(panel.left() + kMargin, y, textArea.width(), boxes[i].height());
        painter.drawText(box, Qt::TextWordWrap | Qt::TextWrapAnywhere, lines[i]);
        y += box.height() + 4;
    }
}

} // namespace hakoniwa::player
