#pragma once

#include "report/TReportView.h"

#include <concepts>

namespace scontrix::report {

// A full-width horizontal strip of the printable area that holds objects; their
// positions are relative to it. Its design Top only orders the bands: where it
// lands on paper is worked out when the report is prepared.
class TReportBand : public TReportComponent {
public:
    double Top = 0;
    double Height = 0;
    bool Visible = true;
    bool AllowSplit = false; // may be cut across pages
    bool StartNewPage = false;

    // The printable width of the page the band is on.
    double width() const;

    template <std::derived_from<TReportView> T> T* add(const QString& name) {
        return adopt(std::make_unique<T>(name));
    }
    std::vector<TReportView*> objects() const;

protected:
    explicit TReportBand(QString name) : TReportComponent(std::move(name)) {}
    TReportBand(const TReportBand&) = default;
};

// Printed once, at the top of the first output page.
class TReportTitle final : public TReportBand {
public:
    explicit TReportTitle(QString name = {}) : TReportBand(std::move(name)) {}
    TReportTitle(const TReportTitle&) = default;
    std::unique_ptr<TReportComponent> clone() const override {
        return std::unique_ptr<TReportComponent>(new TReportTitle(*this));
    }
};

// Printed once per row. Without a data source it has RowCount empty rows.
class TMasterData final : public TReportBand {
public:
    explicit TMasterData(QString name = {}) : TReportBand(std::move(name)) {}
    TMasterData(const TMasterData&) = default;
    std::unique_ptr<TReportComponent> clone() const override {
        return std::unique_ptr<TReportComponent>(new TMasterData(*this));
    }

    int RowCount = 1;
};

// Printed once, right after the last row of the data band just before it in
// band order.
class TReportFooter final : public TReportBand {
public:
    explicit TReportFooter(QString name = {}) : TReportBand(std::move(name)) {}
    TReportFooter(const TReportFooter&) = default;
    std::unique_ptr<TReportComponent> clone() const override {
        return std::unique_ptr<TReportComponent>(new TReportFooter(*this));
    }
};

} // namespace scontrix::report
