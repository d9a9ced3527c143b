#include "ReportFixtures.h"
#include "report/ReportRenderer.h"

#include <QPainter>
#include <cmath>
#include <gtest/gtest.h>

using namespace scontrix::report;
using namespace scontrix::test;

namespace {

const QColor Grey(0x80, 0x80, 0x80);
const QColor Red(Qt::red);

// A page of paper rendered onto an image of its size at a scale, over a
// background colour, on a device of the given resolution.
struct Rendered {
    QImage image;
    double scale;
    double marginX = 0;
    double marginY = 0;

    int x(double mm) const { return static_cast<int>(std::floor(mmToPx(mm + marginX) * scale)); }
    int y(double mm) const { return static_cast<int>(std::floor(mmToPx(mm + marginY) * scale)); }
    // The colour at a point given in mm from the printable area's corner.
    QColor at(double xMm, double yMm) const { return image.pixelColor(x(xMm), y(yMm)); }
    bool inkAt(int px, int py) const { return qGray(image.pixel(px, py)) < 128; }
};

Rendered render(const TPreparedPage& page, double scale, QColor background = Grey, int dpi = 96,
                bool printing = false) {
    const QSize size(static_cast<int>(std::ceil(page.widthPx() * scale)),
                     static_cast<int>(std::ceil(page.heightPx() * scale)));
    QImage image(size, QImage::Format_RGB32);
    image.setDotsPerMeterX(static_cast<int>(std::lround(dpi / 0.0254)));
    image.setDotsPerMeterY(static_cast<int>(std::lround(dpi / 0.0254)));
    image.fill(background);
    QPainter painter(&image);
    renderPage(page, painter, {0, 0, scale, scale, printing});
    painter.end();
    return {image, scale, page.LeftMargin, page.TopMargin};
}

TPreparedPage paper(double widthMm, double heightMm) {
    TPreparedPage page;
    page.PaperSize = 256;
    page.PaperWidth = widthMm;
    page.PaperHeight = heightMm;
    return page;
}

template <typename T> T* put(TPreparedPage& page, double l, double t, double w, double h) {
    auto object = std::make_unique<T>(QStringLiteral("Object%1").arg(page.Objects.size()));
    object->setBounds(mmToPx(l), mmToPx(t), mmToPx(w), mmToPx(h));
    T* raw = object.get();
    page.Objects.push_back(std::move(object));
    return raw;
}

QImage solid(int w, int h, QColor colour) {
    QImage image(w, h, QImage::Format_ARGB32);
    image.fill(colour);
    return image;
}

// The columns and rows in which a part of the image holds ink.
struct Ink {
    int left = -1, right = -1, top = -1, bottom = -1;
    bool any() const { return left >= 0; }
};

Ink inkIn(const Rendered& r, QRect area) {
    Ink ink;
    area = area.intersected(r.image.rect());
    for (int py = area.top(); py <= area.bottom(); ++py) {
        for (int px = area.left(); px <= area.right(); ++px) {
            if (!r.inkAt(px, py))
                continue;
            if (!ink.any()) {
                ink = {px, px, py, py};
            } else {
                ink.left = std::min(ink.left, px);
                ink.right = std::max(ink.right, px);
                ink.top = std::min(ink.top, py);
                ink.bottom = std::max(ink.bottom, py);
            }
        }
    }
    return ink;
}

struct Point {
    double x, y;
};

} // namespace

TEST(Rendering, PicturesFitTheirBoxKeepingProportions) {
    const struct {
        const char* name;
        QSize picture;
        bool center;
        std::vector<Point> red;
        std::vector<Point> white;
    } cases[] = {
        {"wide, centred: full width, in the middle",
         {400, 100},
         true,
         {{30, 20}, {10.5, 20}, {49.5, 20}, {30, 16}, {30, 24}},
         {{30, 11}, {30, 13.5}, {30, 26.5}, {30, 29}}},
        {"wide, not centred: at the top",
         {400, 100},
         false,
         {{30, 10.5}, {30, 19.5}, {10.5, 15}},
         {{30, 21}, {30, 29}}},
        {"tall, centred: full height, in the middle",
         {100, 400},
         true,
         {{30, 10.5}, {30, 29.5}, {28, 20}, {32, 20}},
         {{11, 20}, {26, 20}, {34, 20}, {49, 20}}},
    };
    for (const auto& c : cases) {
        for (const double scale : {1.0, 2.0, 3.5}) {
            SCOPED_TRACE(std::string(c.name) + " at " + QString::number(scale).toStdString());
            TPreparedPage page = paper(60, 40);
            auto* picture = put<TPictureView>(page, 10, 10, 40, 20);
            picture->Center = c.center;
            picture->setPicture(solid(c.picture.width(), c.picture.height(), Red));
            const Rendered r = render(page, scale);
            for (const Point& p : c.red)
                EXPECT_EQ(r.at(p.x, p.y), Red) << p.x << " mm, " << p.y << " mm";
            for (const Point& p : c.white)
                EXPECT_EQ(r.at(p.x, p.y), QColor(Qt::white)) << p.x << " mm, " << p.y << " mm";
            EXPECT_EQ(r.at(30, 9), Grey) << "nothing outside the box";
            EXPECT_EQ(r.at(51, 20), Grey);
        }
    }
}

TEST(Rendering, PictureBackgrounds) {
    const struct {
        const char* name;
        QImage picture;
        bool transparent;
        QColor inside;
    } cases[] = {
        {"empty picture: a white rectangle", QImage(), false, Qt::white},
        {"empty and transparent: nothing", QImage(), true, Grey},
        {"see-through picture over white", solid(20, 10, Qt::transparent), false, Qt::white},
        {"half see-through red over white", solid(20, 10, QColor(255, 0, 0, 128)), false,
         QColor(255, 127, 127)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TPreparedPage page = paper(60, 40);
        auto* picture = put<TPictureView>(page, 10, 10, 40, 20);
        picture->Transparent = c.transparent;
        picture->setPicture(c.picture);
        const Rendered r = render(page, 1);
        for (const Point& p : {Point{10.5, 10.5}, Point{30, 20}, Point{49.5, 29.5}}) {
            const QColor got = r.at(p.x, p.y);
            EXPECT_NEAR(got.red(), c.inside.red(), 2) << p.x << ", " << p.y;
            EXPECT_NEAR(got.green(), c.inside.green(), 2);
            EXPECT_NEAR(got.blue(), c.inside.blue(), 2);
        }
        EXPECT_EQ(r.at(9, 20), Grey);
    }
}

TEST(Rendering, ShapesIncludeTheirRightAndBottomEdge) {
    for (const double scale : {1.0, 2.0}) {
        SCOPED_TRACE(scale);
        TPreparedPage page = paper(60, 40);
        page.LeftMargin = 5; // the printable area starts 5 mm in
        page.TopMargin = 2;
        auto* shape = put<TShapeView>(page, 10, 10, 20, 10);
        shape->Color = claOrange;
        const Rendered r = render(page, scale);
        const int x0 = static_cast<int>(std::lround(mmToPx(15) * scale));
        const int x1 = static_cast<int>(std::lround(mmToPx(35) * scale));
        const int y0 = static_cast<int>(std::lround(mmToPx(12) * scale));
        const int y1 = static_cast<int>(std::lround(mmToPx(22) * scale));
        const int midX = (x0 + x1) / 2, midY = (y0 + y1) / 2;
        const QColor black(Qt::black);
        EXPECT_EQ(r.image.pixelColor(x0, midY), black);
        EXPECT_EQ(r.image.pixelColor(x1, midY), black);
        EXPECT_EQ(r.image.pixelColor(midX, y0), black);
        EXPECT_EQ(r.image.pixelColor(midX, y1), black);
        EXPECT_EQ(r.image.pixelColor(midX, midY), QColor(0xFF, 0xA5, 0x00));
        EXPECT_EQ(r.image.pixelColor(x0 - 2, midY), Grey);
        EXPECT_EQ(r.image.pixelColor(x1 + 2, midY), Grey);
        EXPECT_EQ(r.image.pixelColor(midX, y1 + 2), Grey);
    }
}

TEST(Rendering, TextWiderThanANoWrapBoxIsCutAtTheTextArea) {
    for (const bool wrap : {false, true}) {
        SCOPED_TRACE(wrap);
        TPreparedPage page = paper(60, 40);
        auto* text = put<TMemoView>(page, 5, 5, 30, 20);
        text->Font = {QStringLiteral("Arial"), TFont::heightOfPoints(12), claBlack, {}};
        text->WordWrap = wrap;
        text->setText(QStringLiteral("WWWW WWWW WWWW WWWW WWWW WWWW WWWW"));
        const double scale = 2;
        const Rendered r = render(page, scale, Qt::white);

        // Text area: the box less 2 px on the sides, 1 px at top and bottom.
        const int areaRight = static_cast<int>(std::lround(mmToPx(35) * scale)) -
                              static_cast<int>(std::lround(2 * scale)) + 1;
        const int top = r.y(5), bottom = r.y(25);
        const int lineHeight = static_cast<int>(mmToPx(6) * scale); // more than one 12 pt line
        EXPECT_FALSE(inkIn(r, QRect(QPoint(areaRight + 1, 0), r.image.rect().bottomRight())).any())
            << "nothing right of the text area";
        const Ink firstLine = inkIn(r, QRect(QPoint(0, top), QPoint(areaRight, top + lineHeight)));
        ASSERT_TRUE(firstLine.any());
        if (!wrap) {
            EXPECT_GE(firstLine.right, areaRight - 15) << "the line runs up to the edge, cut";
        }
        const Ink below = inkIn(r, QRect(QPoint(0, top + lineHeight), QPoint(areaRight, bottom)));
        EXPECT_EQ(below.any(), wrap) << "a second line only with word wrap";
    }
}

TEST(Rendering, TextAlignment) {
    const struct {
        THAlign h;
        TVAlign v;
    } cases[] = {{haLeft, vaTop},
                 {haCenter, vaTop},
                 {haRight, vaTop},
                 {haLeft, vaCenter},
                 {haLeft, vaBottom}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.h) + "," + std::to_string(c.v));
        TPreparedPage page = paper(80, 40);
        auto* text = put<TMemoView>(page, 10, 10, 60, 20);
        text->Font = {QStringLiteral("Arial"), TFont::heightOfPoints(10), claNavy, fsBold};
        text->HAlign = c.h;
        text->VAlign = c.v;
        text->setText(QStringLiteral("Ab"));
        const Rendered r = render(page, 2, Qt::white);
        const Ink ink = inkIn(r, QRect(QPoint(r.x(10), r.y(10)), QPoint(r.x(70), r.y(30))));
        ASSERT_TRUE(ink.any());
        const double inkX = ((ink.left + ink.right) / 2.0) / r.scale; // px at 100 %
        const double inkY = ((ink.top + ink.bottom) / 2.0) / r.scale;
        const double boxLeft = mmToPx(10), boxRight = mmToPx(70), boxTop = mmToPx(10),
                     boxBottom = mmToPx(30);
        switch (c.h) {
        case haLeft:
            EXPECT_LT(inkX, boxLeft + 15);
            break;
        case haCenter:
            EXPECT_NEAR(inkX, (boxLeft + boxRight) / 2, 3);
            break;
        case haRight:
            EXPECT_GT(inkX, boxRight - 15);
            break;
        }
        switch (c.v) {
        case vaTop:
            EXPECT_LT(inkY, boxTop + 12);
            break;
        case vaCenter:
            EXPECT_NEAR(inkY, (boxTop + boxBottom) / 2, 3);
            break;
        case vaBottom:
            EXPECT_GT(inkY, boxBottom - 12);
            break;
        }
    }
}

// The text keeps its size relative to the page whatever the device: the
// font is measured for the device it is drawn on.
TEST(Rendering, TextKeepsItsSizeOnEveryDevice) {
    const struct {
        double scale;
        int dpi;
    } devices[] = {{1, 96}, {2, 96}, {2, 192}, {12.5, 1200}};
    std::vector<double> widths;
    for (const auto& d : devices) {
        TPreparedPage page = paper(50, 12);
        auto* text = put<TMemoView>(page, 2, 2, 46, 8);
        text->Font = {QStringLiteral("Arial"), TFont::heightOfPoints(10), claBlack, {}};
        text->WordWrap = false;
        text->setText(QStringLiteral("WWWWWWWW"));
        const Rendered r = render(page, d.scale, Qt::white, d.dpi, true);
        const Ink ink = inkIn(r, r.image.rect());
        ASSERT_TRUE(ink.any());
        widths.push_back((ink.right - ink.left + 1) / d.scale);
    }
    for (size_t i = 1; i < widths.size(); ++i)
        EXPECT_NEAR(widths[i], widths[0], widths[0] * 0.04) << "device " << i;
}

TEST(Rendering, FrameLinesAndObjectsLeftOutOfPrint) {
    TPreparedPage page = paper(60, 40);
    auto* framed = put<TMemoView>(page, 10, 10, 20, 10);
    framed->Frame.Typ = ftLeft | ftBottom;
    framed->Frame.Color = claCrimson;
    auto* screenOnly = put<TShapeView>(page, 40, 10, 10, 10);
    screenOnly->Color = claNavy;
    screenOnly->Printable = false;

    const Rendered shown = render(page, 1);
    const QColor crimson(0xDC, 0x14, 0x3C);
    const int x0 = static_cast<int>(std::lround(mmToPx(10))),
              x1 = static_cast<int>(std::lround(mmToPx(30)));
    const int y0 = static_cast<int>(std::lround(mmToPx(10))),
              y1 = static_cast<int>(std::lround(mmToPx(20)));
    EXPECT_EQ(shown.image.pixelColor(x0, (y0 + y1) / 2), crimson) << "left line";
    EXPECT_EQ(shown.image.pixelColor((x0 + x1) / 2, y1), crimson) << "bottom line";
    EXPECT_EQ(shown.image.pixelColor(x1, (y0 + y1) / 2), Grey) << "no right line";
    EXPECT_EQ(shown.image.pixelColor((x0 + x1) / 2, y0), Grey) << "no top line";
    EXPECT_EQ(shown.at(45, 15), QColor(0, 0, 0x80)) << "on screen every object shows";

    const Rendered printed = render(page, 1, Grey, 96, true);
    EXPECT_EQ(printed.at(45, 15), Grey) << "not printable: not printed";
}
