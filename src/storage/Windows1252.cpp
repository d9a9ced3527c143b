#include "storage/Windows1252.h"

#include <algorithm>
#include <array>
#include <iterator>

namespace scontrix::storage::cp1252 {

namespace {

// Bytes 80 to 9F; everything else is the character of the same code.
constexpr std::array<char16_t, 32> HighHalf{
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, // 88-8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178, // 98-9F
};

struct Substitute {
    char16_t from;
    char16_t to; // 0: the character is dropped
};

// Close equivalents for characters that neither the code page nor a canonical
// decomposition can place: letters whose stroke or bar is part of the letter,
// and the typographic marks that shops paste from word processors and phones.
// Kept sorted by `from`.
constexpr Substitute Substitutes[] = {
    {0x0110, u'D'},  {0x0111, u'd'},   {0x0126, u'H'},  {0x0127, u'h'},  {0x0131, u'i'},
    {0x0138, u'k'},  {0x013F, u'L'},   {0x0140, u'l'},  {0x0141, u'L'},  {0x0142, u'l'},
    {0x014A, u'N'},  {0x014B, u'n'},   {0x0166, u'T'},  {0x0167, u't'},  {0x017F, u's'},
    {0x0180, u'b'},  {0x01B5, u'Z'},   {0x01B6, u'z'},  {0x01E4, u'G'},  {0x01E5, u'g'},
    {0x02B9, u'\''}, {0x02BA, u'"'},   {0x02BB, u'\''}, {0x02BC, u'\''}, {0x2000, u' '},
    {0x2001, u' '},  {0x2002, u' '},   {0x2003, u' '},  {0x2004, u' '},  {0x2005, u' '},
    {0x2006, u' '},  {0x2007, u' '},   {0x2008, u' '},  {0x2009, u' '},  {0x200A, u' '},
    {0x200B, 0},     {0x200C, 0},      {0x200D, 0},     {0x200E, 0},     {0x200F, 0},
    {0x2010, u'-'},  {0x2011, u'-'},   {0x2012, u'-'},  {0x2015, u'-'},  {0x201B, u'\''},
    {0x201F, u'"'},  {0x2024, u'.'},   {0x202F, u' '},  {0x2032, u'\''}, {0x2033, u'"'},
    {0x2035, u'\''}, {0x2036, u'"'},   {0x2043, u'-'},  {0x2044, u'/'},  {0x205F, u' '},
    {0x2060, 0},     {0x20A4, 0x00A3}, {0x2212, u'-'},  {0x2215, u'/'},  {0x2217, u'*'},
    {0x2236, u':'},  {0x3000, u' '},   {0xFEFF, 0},
};

constexpr bool substitutesSorted() {
    for (std::size_t i = 1; i < std::size(Substitutes); ++i) {
        if (Substitutes[i - 1].from >= Substitutes[i].from)
            return false;
    }
    return true;
}

constexpr char Unknown = '?';

bool isMark(QChar c) {
    const auto category = c.category();
    return category == QChar::Mark_NonSpacing || category == QChar::Mark_SpacingCombining ||
           category == QChar::Mark_Enclosing;
}

const Substitute* findSubstitute(char16_t c) {
    const auto* end = std::end(Substitutes);
    const auto* it = std::lower_bound(std::begin(Substitutes), end, c,
                                      [](const Substitute& s, char16_t v) { return s.from < v; });
    return it != end && it->from == c ? it : nullptr;
}

// A letter with accents outside the code page: drop its marks from the last
// one backwards until what is left composes into a character the code page has.
std::optional<uchar> byDecomposition(QChar c) {
    const QString parts = QString(c).normalized(QString::NormalizationForm_D);
    for (qsizetype keep = parts.size(); keep >= 1; --keep) {
        const QString candidate = parts.left(keep).normalized(QString::NormalizationForm_C);
        if (candidate.size() == 1) {
            if (const auto byte = encodeChar(candidate.at(0).unicode()))
                return byte;
        }
        if (keep > 1 && !isMark(parts.at(keep - 1)))
            break;
    }
    return std::nullopt;
}

bool needsComposition(const QString& text) {
    // Below U+0300 there are no combining marks, so such a text is already in
    // its composed form.
    return std::any_of(text.cbegin(), text.cend(), [](QChar c) { return c.unicode() >= 0x300; });
}

} // namespace

static_assert(substitutesSorted(), "Substitutes must stay sorted for the binary search");

QChar decodeByte(uchar byte) {
    if (byte >= 0x80 && byte <= 0x9F)
        return QChar(HighHalf[byte - 0x80]);
    // Every other byte is the code point of the same number.
    return QChar(static_cast<char16_t>(byte));
}

QString decode(const char* bytes, qsizetype size) {
    QString text(size, Qt::Uninitialized);
    QChar* out = text.data();
    for (qsizetype i = 0; i < size; ++i)
        out[i] = decodeByte(static_cast<uchar>(bytes[i]));
    return text;
}

QString decode(const QByteArray& bytes) {
    return decode(bytes.constData(), bytes.size());
}

std::optional<uchar> encodeChar(char16_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return static_cast<uchar>(c);
    const auto* it = std::find(HighHalf.begin(), HighHalf.end(), c);
    if (it != HighHalf.end())
        return static_cast<uchar>(0x80 + (it - HighHalf.begin()));
    return std::nullopt;
}

QByteArray encode(const QString& input) {
    // A letter typed as base letter plus combining accent becomes the single
    // accented letter first, so that "e" + acute is written as the byte for é.
    const QString text =
        needsComposition(input) ? input.normalized(QString::NormalizationForm_C) : input;
    QByteArray bytes;
    bytes.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (const auto byte = encodeChar(c.unicode())) {
            bytes.append(static_cast<char>(*byte));
            continue;
        }
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            bytes.append(Unknown);
            ++i;
            continue;
        }
        if (const Substitute* substitute = findSubstitute(c.unicode())) {
            if (substitute->to != 0)
                bytes.append(static_cast<char>(*encodeChar(substitute->to)));
            continue;
        }
        if (c.isSurrogate()) {
            bytes.append(Unknown);
            continue;
        }
        if (const auto byte = byDecomposition(c)) {
            bytes.append(static_cast<char>(*byte));
            continue;
        }
        // An accent with no letter to sit on is left out rather than shown as "?".
        if (isMark(c))
            continue;
        bytes.append(Unknown);
    }
    return bytes;
}

} // namespace scontrix::storage::cp1252
