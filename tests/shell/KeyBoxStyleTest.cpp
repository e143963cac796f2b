#include "KeyBoxStyle.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QStyleOptionFrame>

#include <gtest/gtest.h>

namespace zunaka {
namespace {

QImage panel(const QStyle& style, const QStyleOptionFrame& option)
{
    QImage image(120, 120, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    style.drawPrimitive(QStyle::PE_PanelLineEdit, &option, &painter, nullptr);
    return image;
}

// The copies are drawn once per look: each must look exactly as the desktop's style draws it there, in the
// order a game asks for them (focus comes and goes, the box stays where it is or moves).
TEST(KeyBoxStyle, DrawsTheFrameAsTheDesktopStyleDoesForEveryLook)
{
    KeyBoxStyle cached;
    const QStyle::State normal = QStyle::State_Enabled;
    const QStyle::State focused = normal | QStyle::State_HasFocus;
    const std::pair<QRect, QStyle::State> rows[] = {
        {{0, 0, 60, 70}, focused},  {{0, 0, 60, 70}, normal},      {{0, 0, 60, 70}, focused},
        {{30, 40, 60, 70}, focused}, {{5, 5, 60, 70}, QStyle::State_None}, {{0, 0, 90, 30}, focused},
    };
    for (const auto& [rect, state] : rows) {
        QStyleOptionFrame option;
        option.rect = rect;
        option.state = state;
        option.palette = QApplication::palette();
        option.lineWidth = 1;
        EXPECT_EQ(panel(cached, option), panel(*QApplication::style(), option))
            << rect.x() << "," << rect.y() << " " << rect.width() << "x" << rect.height() << " state "
            << static_cast<int>(state);
    }
}

} // namespace
} // namespace zunaka
