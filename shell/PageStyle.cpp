#include "shell/PageStyle.h"

#include <QPalette>

#include "platform/Twips.h"

namespace PageStyle {

namespace {
QLabel* arialLabel(const QString& text, int pointSize, bool bold, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    QFont font(QStringLiteral("Arial"), pointSize);
    font.setBold(bold);
    label->setFont(font);
    return label;
}
}  // namespace

QWidget* newPage(const QString& caption, int widthTwips, int heightTwips) {
    auto* page = new QWidget;
    page->setWindowTitle(caption);
    page->resize(platform::twipsToPixels(widthTwips), platform::twipsToPixels(heightTwips));
    QPalette palette = page->palette();
    palette.setColor(QPalette::Window, Qt::white);
    page->setPalette(palette);
    page->setAutoFillBackground(true);
    return page;
}

QLabel* heading(const QString& text, QWidget* parent) {
    QLabel* label = arialLabel(text, 20, true, parent);
    label->setAlignment(Qt::AlignCenter);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, QColor(30, 60, 120));
    label->setPalette(palette);
    return label;
}

QLabel* text(const QString& text, QWidget* parent) {
    QLabel* label = arialLabel(text, 10, false, parent);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

QLabel* caption(const QString& text, QWidget* parent) {
    QLabel* label = arialLabel(text, 11, true, parent);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

}  // namespace PageStyle
