#include "printing/VoucherSheet.h"

#include "QtPrinters.h"
#include "report/ReportRenderer.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>

using namespace scontrix;
using namespace scontrix::report;

// A colour in a failure message as its hex name.
inline void PrintTo(const QColor& colour, std::ostream* os) {
    *os << colour.name(QColor::HexArgb).toStdString();
}

namespace {

// The sheet as it is drawn, object by object: name, kind (s shape, p picture,
// t text box) and box in millimetres from the paper's corner (left, top,
// width, height). The customer part spans 10-146 mm, the stub 146-200 mm.
struct Placed {
    const char* name;
    char kind;
    double left, top, width, height;
};
const Placed SheetLayout[] = {
    {"ShapeView1", 's', 10, 10, 136, 54},     {"imgFoto", 'p', 11, 15, 44, 44},
    {"shpHeader", 's', 11, 11, 133.8, 3},     {"shpFooter", 's', 11, 60, 133.8, 3},
    {"shpDataScade", 's', 56, 15, 89, 44},    {"Shape1", 's', 146, 10, 54, 54},
    {"txtNum", 't', 58, 16, 41, 5},           {"Shape2", 's', 147, 15, 52, 44},
    {"shpDataRil", 's', 58, 28, 85, 16},      {"Shape3", 's', 147, 11, 52, 3},
    {"Shape4", 's', 147, 60, 52, 3},          {"txtEvento", 't', 59, 29, 83, 8},
    {"txtLuogo", 't', 59, 38, 83, 4},         {"Shape5", 's', 58, 49, 85, 5},
    {"Shape6", 's', 102, 20, 41, 6},          {"txtPosto", 't', 59, 49.4, 83, 4},
    {"txtSpettatore", 't', 103, 20.6, 39, 5}, {"Memo1", 't', 58, 45, 85, 3.4},
    {"Memo2", 't', 102, 16, 41, 3.4},         {"txtScritta", 't', 57, 55, 87, 4},
    {"txtPrezzo", 't', 58, 21.8, 41, 4},      {"txtNum_A", 't', 148, 16, 50, 5},
    {"txtPrezzo_A", 't', 148, 22, 50, 4},     {"Shape7", 's', 148, 32, 50, 6},
    {"Memo5", 't', 148, 28, 50, 3.4},         {"txtSpettatore_A", 't', 149, 32.6, 48, 5},
    {"txtEvento_A", 't', 148, 40, 50, 4},     {"txtLuogo_A", 't', 148, 44, 50, 4},
    {"Shape8", 's', 148, 53, 50, 5},          {"Memo9", 't', 148, 49, 50, 3.4},
    {"txtPosto_A", 't', 149, 53.6, 48, 4},
};

char kindOf(const TReportView* view) {
    if (dynamic_cast<const TMemoView*>(view))
        return 't';
    if (dynamic_cast<const TPictureView*>(view))
        return 'p';
    return dynamic_cast<const TShapeView*>(view) ? 's' : '?';
}

// One engine unit is 1/96 inch; 1 mm is 3.7795 of them.
constexpr double UnitsPerMm = 96.0 / 25.4;

} // namespace

TEST(VoucherSheet, EveryObjectInDrawingOrderAtItsBox) {
    const auto sheet = printing::makeVoucherSheet();
    const std::vector<TReportView*> objects = sheet->reportPage()->pageObjects();
    EXPECT_TRUE(sheet->reportPage()->bands().empty()) << "every object lies on the page itself";
    ASSERT_EQ(objects.size(), std::size(SheetLayout));
    for (size_t i = 0; i < objects.size(); ++i) {
        const Placed& want = SheetLayout[i];
        const TReportView* got = objects[i];
        SCOPED_TRACE(want.name);
        EXPECT_EQ(got->Name, QString::fromLatin1(want.name)) << "drawing position " << i + 1;
        EXPECT_EQ(kindOf(got), want.kind);
        EXPECT_NEAR(got->Left, want.left * UnitsPerMm, 0.01);
        EXPECT_NEAR(got->Top, want.top * UnitsPerMm, 0.01);
        EXPECT_NEAR(got->Width, want.width * UnitsPerMm, 0.01);
        EXPECT_NEAR(got->Height, want.height * UnitsPerMm, 0.01);
    }
}

TEST(VoucherSheet, PageAndTemplateSettings) {
    const auto sheet = printing::makeVoucherSheet();
    EXPECT_EQ(sheet->ReportOptions.Name, QStringLiteral("Buono Acquisto"));
    EXPECT_FALSE(sheet->ShowProgress);
    EXPECT_EQ(sheet->PreviewOptions.Buttons, pbPrint | pbZoom | pbFullScreen | pbClose);
    EXPECT_FALSE(sheet->PreviewOptions.AllowEdit);
    EXPECT_DOUBLE_EQ(sheet->PreviewOptions.Zoom, 1.0);

    const TReportPage* page = sheet->reportPage();
    EXPECT_EQ(page->paperSize(), PaperCustom);
    EXPECT_DOUBLE_EQ(page->paperWidth(), 210);
    EXPECT_DOUBLE_EQ(page->paperHeight(), 297);
    EXPECT_EQ(page->orientation(), poPortrait);
    EXPECT_EQ(page->LeftMargin + page->TopMargin + page->RightMargin + page->BottomMargin, 0);
    EXPECT_EQ(page->Font.Name, QStringLiteral("Arial"));
    EXPECT_NEAR(page->Font.points(), 10, 1e-9);
    EXPECT_EQ(page->Font.Color, claBrown);

    const auto* logo = sheet->find<TPictureView>(QStringLiteral("imgFoto"));
    ASSERT_TRUE(logo);
    EXPECT_TRUE(logo->Stretched && logo->KeepAspectRatio && logo->Center);
    EXPECT_FALSE(logo->HighQuality || logo->Transparent);
    EXPECT_EQ(logo->Color, claWhite);
    EXPECT_FALSE(logo->Frame.Typ);
    EXPECT_EQ(logo->Picture.size(), QSize(270, 270)) << "a square placeholder";

    for (const TReportView* view : page->pageObjects()) {
        const auto* text = dynamic_cast<const TMemoView*>(view);
        if (!text)
            continue;
        SCOPED_TRACE(text->Name.toStdString());
        EXPECT_FALSE(text->ParentFont) << "every text box has a font of its own";
        EXPECT_EQ(text->Font.Name, QStringLiteral("Arial"));
        EXPECT_FALSE(text->WordWrap);
        EXPECT_FALSE(text->AllowExpressions);
        EXPECT_FALSE(text->Frame.Typ);
        EXPECT_EQ(text->Color, claNull);
    }
}

namespace {

// The look of every text box, the seventeen of them, as the sheet is designed:
// the four captions and the thirteen boxes the voucher fills. Written out here
// rather than read from the sheet's own layout, so a box that drifts from its
// design shows.
struct TextLook {
    const char* name;
    double points;
    bool bold;
    TAlphaColor ink;
    THAlign h;
    TVAlign v;
    TAlphaColor under; // what the box lies on, for the pixel tests below
};
const TextLook TextLooks[] = {
    {"txtNum", 9, true, claBlack, haLeft, vaCenter, claBeige},
    {"txtEvento", 16, true, claCrimson, haCenter, vaCenter, claWhite},
    {"txtLuogo", 9, true, claBlack, haCenter, vaCenter, claWhite},
    {"txtPosto", 8, true, claBlack, haCenter, vaCenter, claWhite},
    {"txtSpettatore", 10, true, claBlack, haCenter, vaBottom, claWhite},
    {"Memo1", 6, true, claNavy, haCenter, vaBottom, claBeige},
    {"Memo2", 6, true, claNavy, haCenter, vaBottom, claBeige},
    {"txtScritta", 7, false, claNavy, haCenter, vaCenter, claBeige},
    {"txtPrezzo", 8, true, claNavy, haLeft, vaCenter, claBeige},
    {"txtNum_A", 9, true, claBlack, haCenter, vaCenter, claBeige},
    {"txtPrezzo_A", 8, true, claNavy, haCenter, vaCenter, claBeige},
    {"Memo5", 6, true, claNavy, haCenter, vaBottom, claBeige},
    {"txtSpettatore_A", 8, true, claBlack, haCenter, vaCenter, claWhite},
    {"txtEvento_A", 8, true, claCrimson, haCenter, vaCenter, claBeige},
    {"txtLuogo_A", 6, true, claBlack, haCenter, vaCenter, claBeige},
    {"Memo9", 6, true, claNavy, haCenter, vaBottom, claBeige},
    {"txtPosto_A", 7, true, claBlack, haCenter, vaCenter, claWhite},
};

} // namespace

// Typeface, size, weight, slant, ink and alignment of every text box.
TEST(VoucherSheet, TextBoxLooks) {
    const auto sheet = printing::makeVoucherSheet();
    for (const TReportView* view : sheet->reportPage()->pageObjects()) {
        if (!dynamic_cast<const TMemoView*>(view))
            continue;
        EXPECT_TRUE(std::any_of(
            std::begin(TextLooks), std::end(TextLooks),
            [&](const TextLook& row) { return view->Name == QString::fromLatin1(row.name); }))
            << "a text box whose look nobody checks: " << view->Name.toStdString();
    }
    for (const auto& row : TextLooks) {
        SCOPED_TRACE(row.name);
        const auto* text = sheet->find<TMemoView>(QString::fromLatin1(row.name));
        if (!text) {
            ADD_FAILURE() << "no text box " << row.name;
            continue;
        }
        EXPECT_FALSE(text->ParentFont);
        EXPECT_EQ(text->Font.Name, QStringLiteral("Arial"));
        EXPECT_NEAR(text->Font.points(), row.points, 1e-9);
        EXPECT_EQ(text->Font.Style.testFlag(fsBold), row.bold);
        EXPECT_FALSE(text->Font.Style.testFlag(fsItalic));
        EXPECT_FALSE(text->Font.Style.testFlag(fsUnderline));
        EXPECT_FALSE(text->Font.Style.testFlag(fsStrikeOut));
        EXPECT_EQ(text->Font.Color, row.ink);
        EXPECT_EQ(text->HAlign, row.h);
        EXPECT_EQ(text->VAlign, row.v);
    }
}

TEST(VoucherSheet, FillingNeedsEveryNamedObject) {
    printing::VoucherSheetData voucher;
    voucher.texts[storage::Holds::Number] = QStringLiteral("7");
    for (const char* missing : {"txtScritta", "imgFoto", "txtPosto_A"}) {
        SCOPED_TRACE(missing);
        auto sheet = printing::makeVoucherSheet();
        sheet->findObject(QString::fromLatin1(missing))->Name = QStringLiteral("Renamed");
        EXPECT_THROW(printing::fillVoucherSheet(*sheet, voucher), std::runtime_error);
    }
}

// The page drawn at 4 device pixels per engine unit, read back at positions
// in millimetres.
class SheetPixels : public ::testing::Test {
protected:
    static constexpr double Scale = 4;

    void draw(const printing::VoucherSheetData& voucher) {
        sheet_ = printing::makeVoucherSheet();
        printing::fillVoucherSheet(*sheet_, voucher);
        render();
    }

    // The sheet with every text box, captions included, holding `text`: one
    // sample to measure all of them by.
    void drawEveryTextAs(const QString& text) {
        sheet_ = printing::makeVoucherSheet();
        printing::fillVoucherSheet(*sheet_, {});
        for (TReportView* view : sheet_->reportPage()->pageObjects())
            if (auto* memo = dynamic_cast<TMemoView*>(view))
                memo->setText(text);
        render();
    }

    // A length on the paper in device pixels of the drawing, rounded as the
    // engine places every edge.
    static int device(double mm) { return static_cast<int>(std::lround(mm * UnitsPerMm * Scale)); }

    void render() {
        ASSERT_TRUE(sheet_->prepare());
        ASSERT_EQ(sheet_->prepared().count(), 1) << "one voucher, one page";
        const TPreparedPage& page = sheet_->prepared().page(0);
        image_ = QImage(static_cast<int>(page.widthPx() * Scale),
                        static_cast<int>(page.heightPx() * Scale), QImage::Format_RGB32);
        image_.fill(Qt::white);
        QPainter painter(&image_);
        renderPage(page, painter, {0, 0, Scale, Scale, true});
    }

    QColor at(double xMm, double yMm) const {
        return image_.pixelColor(static_cast<int>(xMm * UnitsPerMm * Scale),
                                 static_cast<int>(yMm * UnitsPerMm * Scale));
    }
    // Whether any pixel of the millimetre rectangle differs from `colour`.
    bool anyOtherThan(const QRectF& mm, const QColor& colour) const {
        for (int y = static_cast<int>(mm.top() * UnitsPerMm * Scale);
             y < static_cast<int>(mm.bottom() * UnitsPerMm * Scale); ++y)
            for (int x = static_cast<int>(mm.left() * UnitsPerMm * Scale);
                 x < static_cast<int>(mm.right() * UnitsPerMm * Scale); ++x)
                if (image_.pixelColor(x, y) != colour)
                    return true;
        return false;
    }

    std::unique_ptr<TReport> sheet_;
    QImage image_;
};

const QColor Orange(0xFF, 0xA5, 0x00), Beige(0xF5, 0xF5, 0xDC), Crimson(0xDC, 0x14, 0x3C),
    White(Qt::white), Black(Qt::black);

TEST_F(SheetPixels, BarsPanelsFramesAndEdges) {
    draw({});
    const struct {
        const char* what;
        double x, y;
        QColor colour;
    } points[] = {
        {"customer header bar", 30, 12.5, Orange},
        {"customer footer bar", 100, 61.5, Orange},
        {"stub header bar", 170, 12.5, Orange},
        {"stub footer bar", 170, 61.5, Orange},
        {"customer panel", 57, 17, Beige},
        {"customer panel at its right end", 144.5, 40, Beige},
        {"stub panel", 147.5, 57, Beige},
        {"expiry box frame, left side", 102, 23, Crimson},
        {"beneficiary box frame, top side", 70, 49, Crimson},
        {"stub expiry box frame, top side", 160, 32, Crimson},
        {"inside the expiry box", 104, 21, White},
        {"value band", 60, 30, White},
        {"customer part outline, left", 10, 30, Black},
        {"left of the customer part", 9.6, 30, White},
        {"customer part outline, top", 30, 10, Black},
        {"cut line between the parts", 146, 30, Black},
        {"stub outline, right", 200, 30, Black},
        {"stub, left of its panel", 146.6, 30, White},
        {"stub panel from its left edge", 147.4, 30, Beige},
        {"logo box, left of the panel", 55.6, 35, White},
        {"customer panel from its left edge", 56.4, 35, Beige},
        {"below the strip", 100, 66, White},
    };
    for (const auto& p : points)
        EXPECT_EQ(at(p.x, p.y), p.colour) << p.what << " at " << p.x << ", " << p.y << " mm";
}

// A logo is fitted into its 44 mm square keeping its proportions, centred,
// the stripes it leaves free white.
TEST_F(SheetPixels, LogoFittedAndCentred) {
    const struct {
        const char* what;
        QSize size;
        QPointF inside, stripe;
    } logos[] = {
        {"wide logo: white above and below", {200, 100}, {12, 37}, {33, 20}},
        {"tall logo: white left and right", {100, 200}, {33, 16}, {15, 37}},
        {"square logo fills the box", {50, 50}, {11.5, 15.5}, {33, 37}},
    };
    const QColor red(0xC0, 0x10, 0x10);
    for (const auto& logo : logos) {
        SCOPED_TRACE(logo.what);
        printing::VoucherSheetData voucher;
        voucher.logo = QImage(logo.size, QImage::Format_RGB32);
        voucher.logo.fill(red);
        draw(voucher);
        EXPECT_EQ(at(logo.inside.x(), logo.inside.y()), red);
        if (logo.size.width() != logo.size.height())
            EXPECT_EQ(at(logo.stripe.x(), logo.stripe.y()), White);
        else
            EXPECT_EQ(at(logo.stripe.x(), logo.stripe.y()), red);
    }
    // The wide logo's own edges: 22 mm high, from 26 to 48 mm.
    printing::VoucherSheetData wide;
    wide.logo = QImage(200, 100, QImage::Format_RGB32);
    wide.logo.fill(red);
    draw(wide);
    EXPECT_EQ(at(33, 25.5), White);
    EXPECT_EQ(at(33, 26.5), red);
    EXPECT_EQ(at(33, 47.5), red);
    EXPECT_EQ(at(33, 48.5), White);
}

// A text wider than its box is cut at the box: no second line below it, no
// ink outside it, and the objects around it stay where they are.
TEST_F(SheetPixels, LongTextIsClippedNotWrapped) {
    printing::VoucherSheetData voucher;
    voucher.texts[storage::Holds::Place] = QStringLiteral("SUPERMERCATO ").repeated(12);
    draw(voucher);
    EXPECT_TRUE(anyOtherThan({60, 38.5, 80, 3}, White)) << "the place is printed";
    EXPECT_FALSE(anyOtherThan({58.5, 42.3, 84, 1.5}, White)) << "no second line under the box";
    EXPECT_FALSE(anyOtherThan({56.2, 38, 1.6, 4}, Beige)) << "nothing left of the band";
    EXPECT_EQ(at(70, 49), Crimson) << "the beneficiary box has not moved";
    const TPreparedPage& page = sheet_->prepared().page(0);
    EXPECT_EQ(page.Objects.size(), std::size(SheetLayout));
}

// Every shape probed across one of its edges, where a later object does not
// cover it: outside the shape, the two halves of its outline, and its fill.
// The outline is 1 engine unit wide, 4 device pixels here, centred on the edge
// pixel, so both pixels next to the edge are outline and the third on either
// side is not: an outline drawn in the wrong colour, thinner or much wider, or
// not at all, shows on these pixels even where outline and fill share a colour.
TEST_F(SheetPixels, EveryShapeOutlineOnItsEdge) {
    enum Edge { Left, Top, Right, Bottom };
    const struct {
        const char* name;
        double left, top, width, height; // mm
        Edge edge;
        double along; // mm, where on that edge
        QColor outside, frame, fill;
    } shapes[] = {
        {"ShapeView1", 10, 10, 136, 54, Left, 30, White, Black, White},
        {"shpHeader", 11, 11, 133.8, 3, Top, 80, White, Orange, Orange},
        {"shpFooter", 11, 60, 133.8, 3, Bottom, 80, White, Orange, Orange},
        {"shpDataScade", 56, 15, 89, 44, Left, 40, White, Beige, Beige},
        {"Shape1", 146, 10, 54, 54, Top, 170, White, Black, White},
        {"Shape2", 147, 15, 52, 44, Left, 30, White, Beige, Beige},
        {"shpDataRil", 58, 28, 85, 16, Top, 70, Beige, White, White},
        {"Shape3", 147, 11, 52, 3, Top, 170, White, Orange, Orange},
        {"Shape4", 147, 60, 52, 3, Bottom, 170, White, Orange, Orange},
        {"Shape5", 58, 49, 85, 5, Left, 51.5, Beige, Crimson, White},
        {"Shape6", 102, 20, 41, 6, Right, 23, Beige, Crimson, White},
        {"Shape7", 148, 32, 50, 6, Left, 35, Beige, Crimson, White},
        {"Shape8", 148, 53, 50, 5, Right, 55.5, Beige, Crimson, White},
    };
    draw({});
    for (const auto& s : shapes) {
        SCOPED_TRACE(s.name);
        // The edge pixel, and the direction that leads out of the shape.
        int edge = 0, outward = 0;
        switch (s.edge) {
        case Left:
            edge = device(s.left), outward = -1;
            break;
        case Top:
            edge = device(s.top), outward = -1;
            break;
        case Right:
            edge = device(s.left + s.width), outward = 1;
            break;
        case Bottom:
            edge = device(s.top + s.height), outward = 1;
            break;
        }
        const bool across = s.edge == Left || s.edge == Right;
        const int along = device(s.along);
        auto probe = [&](int step) {
            const int at = edge + outward * step;
            return across ? image_.pixelColor(at, along) : image_.pixelColor(along, at);
        };
        EXPECT_EQ(probe(3), s.outside) << "outside the outline";
        EXPECT_EQ(probe(1), s.frame) << "outline, outer half";
        EXPECT_EQ(probe(-1), s.frame) << "outline, inner half";
        EXPECT_EQ(probe(-3), s.fill) << "inside the outline";
    }
}

// Every text box drawn with the same sample, "HHH", read back from the
// pixels of its box: the ink in its colour, the letters as tall and as wide
// as Arial at the box's size, upright, with bold stems where the box is bold,
// and the line placed as the box aligns it. A box that fell back to the
// page's brown Arial 10, or lost its weight or alignment, shows here.
TEST_F(SheetPixels, EveryTextBoxInkSizeWeightAndPlace) {
    const QString sample = QStringLiteral("HHH");
    drawEveryTextAs(sample);
    for (const TextLook& look : TextLooks) {
        SCOPED_TRACE(look.name);
        const auto* box = sheet_->find<TMemoView>(QString::fromLatin1(look.name));
        ASSERT_TRUE(box);
        const double mmLeft = box->Left / UnitsPerMm, mmTop = box->Top / UnitsPerMm;
        const int x0 = device(mmLeft), y0 = device(mmTop);
        const int x1 = device(mmLeft + box->Width / UnitsPerMm);
        const int y1 = device(mmTop + box->Height / UnitsPerMm);
        // The text area: 2 units in from the sides, 1 from top and bottom.
        const double areaLeft = x0 + 2 * Scale, areaRight = x1 - 2 * Scale + 1;
        const double areaTop = y0 + 1 * Scale, areaBottom = y1 - 1 * Scale + 1;

        const QColor under = QColor::fromRgba(look.under), ink = QColor::fromRgba(look.ink);
        // How far a pixel has gone from the ground towards the ink, 0 to 1.
        auto cover = [&](int x, int y) {
            const QColor c = image_.pixelColor(x, y);
            const double dr = ink.red() - under.red(), dg = ink.green() - under.green(),
                         db = ink.blue() - under.blue();
            return ((c.red() - under.red()) * dr + (c.green() - under.green()) * dg +
                    (c.blue() - under.blue()) * db) /
                   (dr * dr + dg * dg + db * db);
        };
        int left = x1, right = x0 - 1, top = y1, bottom = y0 - 1, solid = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x) {
                const QColor c = image_.pixelColor(x, y);
                solid += c == ink ? 1 : 0;
                if (cover(x, y) < 0.5)
                    continue;
                left = std::min(left, x), right = std::max(right, x);
                top = std::min(top, y), bottom = std::max(bottom, y);
            }
        EXPECT_GT(solid, 0) << "no pixel of the ink colour";
        ASSERT_GE(right, left) << "nothing drawn";

        // Arial at the box's size, as the platform draws it at this scale.
        QFont arial(QStringLiteral("Arial"));
        arial.setPixelSize(static_cast<int>(std::lround(look.points * 96 / 72 * Scale)));
        arial.setBold(look.bold);
        const QFontMetricsF metrics(arial);
        const QRectF shape = metrics.tightBoundingRect(sample);
        const double em = look.points * 96 / 72 * Scale;
        const double height = bottom - top + 1, width = right - left + 1;
        EXPECT_NEAR(height, shape.height(), 1.5) << "letters as tall as Arial " << look.points;
        EXPECT_NEAR(width, shape.width(), 0.04 * shape.width() + 1.5) << "as wide as Arial";

        // The stem of the first H, a quarter down from its top: Arial's is
        // about 0.09 em wide, Arial Bold's about 0.15 em.
        const int stemRow = top + static_cast<int>(height / 4);
        int stem = 0;
        while (left + stem < x1 && cover(left + stem, stemRow) >= 0.5)
            ++stem;
        EXPECT_EQ(stem > 0.12 * em, look.bold) << "stem " << stem << " px, em " << em << " px";
        // Upright letters: the stem starts at the same column near the top and
        // near the bottom of the letter.
        auto stemStart = [&](int y) {
            int x = x0;
            while (x < x1 && cover(x, y) < 0.5)
                ++x;
            return x;
        };
        EXPECT_NEAR(stemStart(top + static_cast<int>(height / 10)),
                    stemStart(bottom - static_cast<int>(height / 10)), 1)
            << "slanted letters";

        // Along the line: from the left of the text area, or centred in it.
        const double inkLeft = left - shape.left(); // where the line starts
        if (look.h == haLeft)
            EXPECT_NEAR(inkLeft, areaLeft, 2) << "starts at the left of the text area";
        else
            EXPECT_NEAR((left + right + 1) / 2.0, (areaLeft + areaRight) / 2, 1.5)
                << "centred in the text area";
        // Up and down: the line (ascent over descent) centred in the text
        // area, or standing on its bottom.
        const double baseline = bottom + 1;
        const double lineBottom = baseline + metrics.descent();
        if (look.v == vaBottom)
            EXPECT_NEAR(lineBottom, areaBottom, 1.5) << "on the bottom of the text area";
        else
            EXPECT_NEAR(lineBottom - metrics.height() / 2, (areaTop + areaBottom) / 2, 1.5)
                << "centred in the text area";
    }
}
