#include <QDir>
#include <QIcon>
#include <QImage>
#include <QPainter>

#include <cmath>

#include <gtest/gtest.h>

namespace dialtally {

namespace {

double Luminance(const QColor& color)
{
    const auto linear = [](double channel) {
        return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(color.redF()) + 0.7152 * linear(color.greenF()) +
           0.0722 * linear(color.blueF());
}

double Contrast(const QColor& one, const QColor& other)
{
    const double a = Luminance(one) + 0.05;
    const double b = Luminance(other) + 0.05;
    return a > b ? a / b : b / a;
}

} // namespace

// A dark stroke alone fades into a dark desktop's tool bar; every icon needs
// some marks that stand out (3:1) on a light bar and on a dark one alike.
TEST(Icons, EachStandsOutOnLightAndDarkBars)
{
    const QDir icons(QStringLiteral(":/icons"));
    const QStringList names = icons.entryList({QStringLiteral("*.svg")});
    ASSERT_GT(names.size(), 20);
    for (const QColor& bar : {QColor(0xef, 0xef, 0xef), QColor(0x22, 0x20, 0x20)})
        for (const QString& name : names) {
            QImage shown(16, 16, QImage::Format_RGB32);
            shown.fill(bar);
            QPainter(&shown).drawPixmap(0, 0, QIcon(icons.filePath(name)).pixmap(16, 16));
            int marks = 0;
            for (int y = 0; y < shown.height(); ++y)
                for (int x = 0; x < shown.width(); ++x)
                    marks += Contrast(shown.pixelColor(x, y), bar) >= 3;
            EXPECT_GE(marks, 8) << name.toStdString() << " on " << bar.name().toStdString();
        }
}

} // namespace dialtally
