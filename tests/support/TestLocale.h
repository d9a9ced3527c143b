#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>
#include <clocale>
#include <cstdio>
#include <initializer_list>

namespace scontrix::test {

// Whether the locale the test runs under (LANG, from tests/CMakeLists.txt) is
// really in force in the C library. A locale that is not installed would leave
// the C locale in force without a word, and every test would pass in a world
// no shop lives in; the test executable stops instead.
// Listing the tests (CTest does it before the run, in its own environment)
// needs no locale.
inline bool localeInForce(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (QByteArray(argv[i]) == "--gtest_list_tests")
            return true;
    }
    const QByteArray wanted = qgetenv("LANG");
    if (wanted.isEmpty() || wanted == "C" || wanted == "POSIX")
        return true;
    if (std::setlocale(LC_ALL, "") != nullptr)
        return true;
    std::fprintf(stderr,
                 "The locale %s is not installed here: build it with scripts/make-locales.sh "
                 "and point LOCPATH at its folder (LOCPATH=%s).\n",
                 wanted.constData(), qgetenv("LOCPATH").constData());
    return false;
}

// What a test expects under the locale it runs under (LANG), from rows of
// {locale, expected text}; empty when no row names it, which the caller
// reports as a failure of its own.
struct LocaleRow {
    const char* lang;
    const char* expected;
};
inline QString expectedForLocale(std::initializer_list<LocaleRow> rows) {
    const QByteArray lang = qgetenv("LANG");
    for (const LocaleRow& row : rows) {
        if (lang == row.lang)
            return QString::fromUtf8(row.expected);
    }
    return {};
}

} // namespace scontrix::test
