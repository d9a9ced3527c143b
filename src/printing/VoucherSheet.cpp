#include "printing/VoucherSheet.h"

#include "storage/Text.h"

#include <QPainter>
#include <QPainterPath>
#include <stdexcept>

namespace scontrix::printing {

using namespace report;

namespace {

enum class Kind { Shape, Picture, Text };

// One object of the sheet, its box in millimetres from the paper's corner.
// Shapes use `fill` and `frame`; text boxes their own font and alignment.
struct SheetObject {
    const char* name;
    Kind kind;
    double left, top, width, height;
    TAlphaColor fill = claNull;
    TAlphaColor frame = claBlack;
    double points = 0;
    bool bold = true;
    TAlphaColor ink = claBlack;
    THAlign hAlign = haCenter;
    TVAlign vAlign = vaCenter;
    const char* sample = "";
};

SheetObject shape(const char* name, double l, double t, double w, double h, TAlphaColor fill,
                  TAlphaColor frame) {
    return {name, Kind::Shape, l, t, w, h, fill, frame};
}

SheetObject text(const char* name, double l, double t, double w, double h, double points, bool bold,
                 TAlphaColor ink, THAlign hAlign, TVAlign vAlign, const char* sample) {
    return {name,    Kind::Text, l,    t,   w,      h,      claNull,
            claNull, points,     bold, ink, hAlign, vAlign, sample};
}

// In drawing order: a later object covers an earlier one. The strip's customer
// part spans 10-146 mm across, the stub 146-200 mm; both 10-64 mm down.
const SheetObject Layout[] = {
    shape("ShapeView1", 10, 10, 136, 54, claWhite, claBlack),
    {"imgFoto", Kind::Picture, 11, 15, 44, 44},
    shape("shpHeader", 11, 11, 133.8, 3, claOrange, claOrange),
    shape("shpFooter", 11, 60, 133.8, 3, claOrange, claOrange),
    shape("shpDataScade", 56, 15, 89, 44, claBeige, claBeige),
    shape("Shape1", 146, 10, 54, 54, claWhite, claBlack),
    text("txtNum", 58, 16, 41, 5, 9, true, claBlack, haLeft, vaCenter, "Buono n. 000"),
    shape("Shape2", 147, 15, 52, 44, claBeige, claBeige),
    shape("shpDataRil", 58, 28, 85, 16, claWhite, claWhite),
    shape("Shape3", 147, 11, 52, 3, claOrange, claOrange),
    shape("Shape4", 147, 60, 52, 3, claOrange, claOrange),
    text("txtEvento", 59, 29, 83, 8, 16, true, claCrimson, haCenter, vaCenter,
         "Buono acquisto € 456,78"),
    text("txtLuogo", 59, 38, 83, 4, 9, true, claBlack, haCenter, vaCenter, "SPENDIBILE PRESSO"),
    shape("Shape5", 58, 49, 85, 5, claWhite, claCrimson),
    shape("Shape6", 102, 20, 41, 6, claWhite, claCrimson),
    text("txtPosto", 59, 49.4, 83, 4, 8, true, claBlack, haCenter, vaCenter, "Nome beneficiario"),
    text("txtSpettatore", 103, 20.6, 39, 5, 10, true, claBlack, haCenter, vaBottom, "GG/MM/AAAA"),
    text("Memo1", 58, 45, 85, 3.4, 6, true, claNavy, haCenter, vaBottom, "BENEFICIARIO"),
    text("Memo2", 102, 16, 41, 3.4, 6, true, claNavy, haCenter, vaBottom, "DATA SCADENZA"),
    text("txtScritta", 57, 55, 87, 4, 7, false, claNavy, haCenter, vaCenter,
         "CONDIZIONI DI UTILIZZO"),
    text("txtPrezzo", 58, 21.8, 41, 4, 8, true, claNavy, haLeft, vaCenter, "Valido dal GG/MM/AAAA"),
    text("txtNum_A", 148, 16, 50, 5, 9, true, claBlack, haCenter, vaCenter,
         "Buono acquisto n. 000"),
    text("txtPrezzo_A", 148, 22, 50, 4, 8, true, claNavy, haCenter, vaCenter,
         "Valido dal GG/MM/AAAA"),
    shape("Shape7", 148, 32, 50, 6, claWhite, claCrimson),
    text("Memo5", 148, 28, 50, 3.4, 6, true, claNavy, haCenter, vaBottom, "DATA SCADENZA"),
    text("txtSpettatore_A", 149, 32.6, 48, 5, 8, true, claBlack, haCenter, vaCenter, "GG/MM/AAAA"),
    text("txtEvento_A", 148, 40, 50, 4, 8, true, claCrimson, haCenter, vaCenter,
         "Buono acquisto € 345,56"),
    text("txtLuogo_A", 148, 44, 50, 4, 6, true, claBlack, haCenter, vaCenter, "SPENDIBILE PRESSO"),
    shape("Shape8", 148, 53, 50, 5, claWhite, claCrimson),
    text("Memo9", 148, 49, 50, 3.4, 6, true, claNavy, haCenter, vaBottom, "BENEFICIARIO"),
    text("txtPosto_A", 149, 53.6, 48, 4, 7, true, claBlack, haCenter, vaCenter,
         "Nome beneficiario"),
};

void place(TReportView& view, const SheetObject& o) {
    view.setBounds(mmToPx(o.left), mmToPx(o.top), mmToPx(o.width), mmToPx(o.height));
}

void addObject(TReportPage& page, const SheetObject& o) {
    const QString name = QString::fromLatin1(o.name);
    switch (o.kind) {
    case Kind::Shape: {
        auto* s = page.add<TShapeView>(name);
        place(*s, o);
        s->Color = o.fill;
        s->Frame.Color = o.frame;
        s->Frame.Width = 1;
        s->Frame.Style = fsSolid;
        break;
    }
    case Kind::Picture: {
        auto* p = page.add<TPictureView>(name);
        place(*p, o);
        p->Stretched = true;
        p->KeepAspectRatio = true;
        p->Center = true;
        p->HighQuality = false;
        p->Transparent = false;
        p->Color = claWhite; // the stripes a picture of another shape leaves free
        p->setPicture(voucherSheetPlaceholder());
        break;
    }
    case Kind::Text: {
        auto* t = page.add<TMemoView>(name);
        place(*t, o);
        t->ParentFont = false;
        t->Font = {QStringLiteral("Arial"), TFont::heightOfPoints(o.points), o.ink,
                   o.bold ? TFontStyles(fsBold) : TFontStyles()};
        t->HAlign = o.hAlign;
        t->VAlign = o.vAlign;
        // Voucher data prints as typed: a long text is cut at its box, and a
        // beneficiary written with square brackets keeps them.
        t->WordWrap = false;
        t->AllowExpressions = false;
        t->setText(QString::fromUtf8(o.sample));
        break;
    }
    }
}

template <typename T> T& required(TReport& sheet, const char* name) {
    if (T* found = sheet.find<T>(QString::fromLatin1(name)))
        return *found;
    throw std::runtime_error(std::string("The voucher sheet has no usable object ") + name);
}

void setBoth(TReport& sheet, const char* name, const char* stubName, const QString& text) {
    required<TMemoView>(sheet, name).setText(text);
    required<TMemoView>(sheet, stubName).setText(text);
}

} // namespace

QImage voucherSheetPlaceholder() {
    // A plain square that says "logo" without words: a frame, a sun and hills.
    QImage image(270, 270, QImage::Format_RGB32);
    image.fill(QColor(0xFF, 0xFF, 0xFF));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0xC8, 0xC8, 0xC8), 6));
    p.setBrush(QColor(0xF7, 0xF7, 0xF7));
    p.drawRoundedRect(QRectF(15, 15, 240, 240), 18, 18);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xE0, 0xE0, 0xE0));
    p.drawEllipse(QPointF(180, 95), 28, 28);
    QPainterPath hills;
    hills.moveTo(40, 215);
    hills.lineTo(105, 120);
    hills.lineTo(150, 180);
    hills.lineTo(175, 150);
    hills.lineTo(230, 215);
    hills.closeSubpath();
    p.drawPath(hills);
    return image;
}

std::unique_ptr<TReport> makeVoucherSheet() {
    auto sheet = std::make_unique<TReport>();
    sheet->ReportOptions.Name = QStringLiteral("Buono Acquisto");
    sheet->ShowProgress = false;
    sheet->PreviewOptions.Buttons = pbPrint | pbZoom | pbFullScreen | pbClose;
    sheet->PreviewOptions.AllowEdit = false;
    sheet->PreviewOptions.Zoom = 1.0;
    sheet->PrintOptions.Printer = QStringLiteral("Default");

    TReportPage& page = *sheet->reportPage();
    page.Name = QStringLiteral("Page1");
    page.setPaperSize(PaperCustom);
    page.setPaperWidth(210);
    page.setPaperHeight(297);
    page.setOrientation(poPortrait);
    page.LeftMargin = page.RightMargin = page.TopMargin = page.BottomMargin = 0;
    page.Font = {QStringLiteral("Arial"), TFont::heightOfPoints(10), claBrown, {}};

    for (const SheetObject& o : Layout)
        addObject(page, o);
    return sheet;
}

void fillVoucherSheet(TReport& sheet, const VoucherSheetData& voucher) {
    auto* page = dynamic_cast<TReportPage*>(sheet.page(1));
    if (!page)
        throw std::runtime_error("The voucher sheet has no report page");
    page->setOrientation(poPortrait);

    required<TPictureView>(sheet, "imgFoto").setPicture(voucher.logo);

    using storage::Holds;
    using storage::trimControl;
    setBoth(sheet, "txtNum", "txtNum_A",
            QStringLiteral("N. ") + trimControl(voucher.texts[Holds::Number]));
    setBoth(sheet, "txtPrezzo", "txtPrezzo_A",
            QStringLiteral("Valido dal ") + trimControl(voucher.texts[Holds::ValidFrom]));
    setBoth(sheet, "txtEvento", "txtEvento_A",
            QStringLiteral("Buono acquisto \u20AC ") + trimControl(voucher.texts[Holds::Value]));
    setBoth(sheet, "txtLuogo", "txtLuogo_A", trimControl(voucher.texts[Holds::Place]));
    setBoth(sheet, "txtSpettatore", "txtSpettatore_A", trimControl(voucher.texts[Holds::Expiry]));
    setBoth(sheet, "txtPosto", "txtPosto_A", trimControl(voucher.texts[Holds::Beneficiary]));
    required<TMemoView>(sheet, "txtScritta").setText(trimControl(voucher.texts[Holds::Conditions]));
}

} // namespace scontrix::printing
