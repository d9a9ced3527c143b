#pragma once

#include "report/TReportView.h"

#include <QStringList>

namespace scontrix::report {

// A text box: single-style text, aligned and clipped inside its box.
class TMemoView final : public TReportView {
public:
    explicit TMemoView(QString name = {}) : TReportView(std::move(name)) {}
    TMemoView(const TMemoView&) = default;
    std::unique_ptr<TReportComponent> clone() const override {
        return std::unique_ptr<TReportComponent>(new TMemoView(*this));
    }

    QStringList Memo;
    TFont Font;
    bool ParentFont = true; // take the page's font instead of Font
    THAlign HAlign = haLeft;
    TVAlign VAlign = vaTop;
    bool WordWrap = true;
    bool AllowExpressions = true;
    QString ExpressionDelimiters = QStringLiteral("[,]");
    double GapX = 2; // px between the box and its text area
    double GapY = 1;

    // Replaces the whole text; line breaks (CR LF, LF or CR) separate lines,
    // and a break at the very end starts no further line.
    void setText(const QString& text);
    // The lines joined by line feeds, without a trailing one.
    QString text() const { return Memo.join(u'\n'); }
    void clearLines() { Memo.clear(); }
    void addLine(const QString& line) { Memo.append(line); }

    // The distance between lines when a text box is cut across pages: the
    // font's em size plus 2 px.
    static double linePitch(const TFont& font) { return font.emSize() + 2.0; }
};

} // namespace scontrix::report
