#include "printing/VoucherSheet.h"

#include "QtPrinters.h"
#include "report/ReportRenderer.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

using namespace scontrix;
using namespace scontrix::report;

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

// A few text boxes whose look the layout gives: size, weight, ink, alignment.
TEST(VoucherSheet, TextBoxLooks) {
    const struct {
        const char* name;
        double points;
        bool bold;
        TAlphaColor ink;
        THAlign h;
        TVAlign v;
    } rows[] = {
        {"txtNum", 9, true, claBlack, haLeft, vaCenter},
        {"txtEvento", 16, true, claCrimson, haCenter, vaCenter},
        {"txtSpettatore", 10, true, claBlack, haCenter, vaBottom},
        {"Memo2", 6, true, claNavy, haCenter, vaBottom},
        {"txtScritta", 7, false, claNavy, haCenter, vaCenter},
        {"txtPrezzo", 8, true, claNavy, haLeft, vaCenter},
        {"txtPosto_A", 7, true, claBlack, haCenter, vaCenter},
    };
    const auto sheet = printing::makeVoucherSheet();
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const auto* text = sheet->find<TMemoView>(QString::fromLatin1(row.name));
        ASSERT_TRUE(text);
        EXPECT_NEAR(text->Font.points(), row.points, 1e-9);
        EXPECT_EQ(text->Font.Style.testFlag(fsBold), row.bold);
        EXPECT_EQ(text->Font.Color, row.ink);
        EXPECT_EQ(text->HAlign, row.h);
        EXPECT_EQ(text->VAlign, row.v);
    }
}

TEST(VoucherSheet, FillingNeedsEveryNamedObject) {
    printing::VoucherSheetData voucher;
    voucher.number = QStringLiteral("7");
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
    voucher.place = QStringLiteral("SUPERMERCATO ").repeated(12);
    draw(voucher);
    EXPECT_TRUE(anyOtherThan({60, 38.5, 80, 3}, White)) << "the place is printed";
    EXPECT_FALSE(anyOtherThan({58.5, 42.3, 84, 1.5}, White)) << "no second line under the box";
    EXPECT_FALSE(anyOtherThan({56.2, 38, 1.6, 4}, Beige)) << "nothing left of the band";
    EXPECT_EQ(at(70, 49), Crimson) << "the beneficiary box has not moved";
    const TPreparedPage& page = sheet_->prepared().page(0);
    EXPECT_EQ(page.Objects.size(), std::size(SheetLayout));
}
