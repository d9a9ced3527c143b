#pragma once

#include <QString>

namespace scontrix::voucher {

// The archive the editor works on, as the selection window hands it over and
// the editor's own windows receive it: the archive file, the name the shop
// gave it (shown in the name bar, and naming its settings file and logos),
// and its settings file. The first and the last were the editor's hidden
// labels `lblFile` and `lblFileIni` in the window's design; the name is what
// `lblNome` shows.
struct OpenArchive {
    QString path;
    QString name;
    QString settingsPath;

    bool isOpen() const { return !path.isEmpty(); }
    friend bool operator==(const OpenArchive&, const OpenArchive&) = default;
};

} // namespace scontrix::voucher
