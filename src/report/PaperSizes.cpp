#include "report/PaperSizes.h"

namespace scontrix::report {

std::optional<QSizeF> standardPaperSize(int paperCode) {
    struct Paper {
        int code;
        double width;
        double height;
    };
    // The common office sizes; each code as the print systems number it.
    static constexpr Paper papers[] = {
        {1, 215.9, 279.4},  // Letter
        {5, 215.9, 355.6},  // Legal
        {7, 184.15, 266.7}, // Executive
        {8, 297, 420},      // A3
        {9, 210, 297},      // A4
        {11, 148, 210},     // A5
        {13, 182, 257},     // B5 (JIS)
        {70, 105, 148},     // A6
    };
    for (const Paper& p : papers) {
        if (p.code == paperCode)
            return QSizeF(p.width, p.height);
    }
    return std::nullopt;
}

} // namespace scontrix::report
