#pragma once

#include <QString>
#include <QStringList>

namespace scontrix::guide {

// A help topic as the guide window shows it: a title and a text of paragraphs
// separated by one empty line (CR LF CR LF).
struct GuideTopic {
    QString title;
    QString text;

    static QString joinParagraphs(const QStringList& paragraphs);
};

// The start screen's topic: the whole program at a glance.
GuideTopic startScreenTopic();

} // namespace scontrix::guide
