#pragma once

#include "report/PreparedReport.h"

class QPainter;

namespace scontrix::report {

// Where a page lands on a drawing surface: the device position of the paper's
// top-left corner and the device pixels per report pixel on each axis. The
// preview uses its zoom (times the screen's pixel ratio), a printer or PDF
// its resolution / 96.
struct RenderTransform {
    double offsetX = 0;
    double offsetY = 0;
    double scaleX = 1;
    double scaleY = 1;
    bool printing = false; // objects that are not Printable are left out
};

// Draws a prepared page: every object in order, a later one over an earlier
// one. The one drawing routine of the engine, for screen, printer and PDF.
void renderPage(const TPreparedPage& page, QPainter& painter, const RenderTransform& transform);

} // namespace scontrix::report
