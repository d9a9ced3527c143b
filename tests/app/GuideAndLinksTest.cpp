#include "AppFixture.h"
#include "WindowSystem.h"
#include "app/Maker.h"
#include "app/TfrmAvvio.h"
#include "app/TfrmInfo.h"
#include "app/TfrmSplash.h"
#include "catalogue/CatalogueTopic.h"
#include "catalogue/TfrmApriArchivio.h"
#include "catalogue/TfrmCreaArchivio.h"
#include "guide/GuideTopic.h"
#include "guide/TfrmGuida.h"
#include "platform/Recording.h"
#include "ui/LinkText.h"
#include "ui/Picture.h"

#include <QDir>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrlQuery>

using namespace scontrix;

namespace {

void click(QWidget* w) {
    QTest::mouseClick(w, Qt::LeftButton, {}, w->rect().center());
    QApplication::processEvents();
}

QStringList paragraphsShown(const guide::TfrmGuida* guide) {
    return guide->txtGuida->toPlainText().split(QStringLiteral("\n\n"));
}

TEST(GuideTopics, ParagraphsAreSeparatedByOneEmptyLine) {
    struct Case {
        const char* what;
        guide::GuideTopic topic;
        const char* title;
        qsizetype paragraphs;
    } cases[] = {
        {"start screen", guide::startScreenTopic(), "Uno sguardo a Scontrix", 20},
        {"archives", catalogue::archivesTopic(), "Gestione archivi buoni acquisto", 4},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.topic.title, QString::fromUtf8(c.title)) << c.what;
        const QStringList paragraphs = c.topic.text.split(QStringLiteral("\r\n\r\n"));
        ASSERT_EQ(paragraphs.size(), c.paragraphs) << c.what;
        for (const QString& p : paragraphs) {
            EXPECT_FALSE(p.trimmed().isEmpty()) << c.what;
            EXPECT_FALSE(p.contains(u'\r') || p.contains(u'\n')) << c.what;
            EXPECT_EQ(p, p.trimmed()) << c.what;
        }
    }
    EXPECT_EQ(catalogue::archivesTopic().text.split(QStringLiteral("\r\n\r\n")).last(),
              QStringLiteral("L'icona del cestino consente di eliminare l'archivio selezionato. "
                             "Questa funzione va utilizzata con molta cautela dal momento che un "
                             "archivio eliminato non può essere recuperato."));
    EXPECT_TRUE(guide::startScreenTopic().text.contains(QStringLiteral("lucernaviolina")));
}

class Guide : public test::AppFixture {};

TEST_F(Guide, EveryTopicOpensFromItsFirstLineInAFreshWindow) {
    logIn();
    struct Case {
        const char* what;
        QWidget* opener;
        ui::Picture* picture;
        guide::GuideTopic topic;
    } cases[] = {
        {"start screen", windows->frmAvvio(), windows->frmAvvio()->imgGuida,
         guide::startScreenTopic()},
        {"selection", windows->frmApriArchivio(),
         control<ui::Picture>(windows->frmApriArchivio(), "imgGuida"), catalogue::archivesTopic()},
        {"creation", windows->frmCreaArchivio(),
         control<ui::Picture>(windows->frmCreaArchivio(), "imgGuida"), catalogue::archivesTopic()},
    };
    for (const Case& c : cases) {
        windows->handOver(windows->frmAvvio(), c.opener);
        const QStringList expected = c.topic.text.split(QStringLiteral("\r\n\r\n"));
        int runs = 0;
        for (int round = 0; round < 2; ++round) {
            QTimer::singleShot(0, [&] {
                auto* guide = qobject_cast<guide::TfrmGuida*>(QApplication::activeModalWidget());
                if (!guide)
                    return;
                ++runs;
                EXPECT_EQ(guide->parentWidget(), c.opener) << c.what;
                EXPECT_EQ(guide->objectName(), QStringLiteral("frmGuida")) << c.what << ": fresh";
                EXPECT_EQ(guide->lblTitolo->text(), c.topic.title) << c.what;
                EXPECT_EQ(paragraphsShown(guide), expected) << c.what;
                EXPECT_EQ(guide->txtGuida->verticalScrollBar()->value(), 0) << c.what;
                EXPECT_EQ(guide->txtGuida->textCursor().position(), 0) << c.what;
                EXPECT_TRUE(guide->txtGuida->isReadOnly()) << c.what;
                // Leave this instance scrolled to its end and marked.
                guide->txtGuida->moveCursor(QTextCursor::End);
                guide->txtGuida->verticalScrollBar()->setValue(
                    guide->txtGuida->verticalScrollBar()->maximum());
                guide->setObjectName(QStringLiteral("frmGuida-seen"));
                click(guide->btnChiudi);
            });
            click(c.picture);
        }
        EXPECT_EQ(runs, 2) << c.what;
        EXPECT_TRUE(c.opener->findChildren<guide::TfrmGuida*>().isEmpty()) << c.what;
        c.opener->hide();
        windows->frmAvvio()->show();
    }
}

TEST_F(Guide, LongTopicReallyScrolls) {
    guide::TfrmGuida guide(windows->frmAvvio(), guide::startScreenTopic());
    guide.show();
    QApplication::processEvents();
    EXPECT_GT(guide.txtGuida->verticalScrollBar()->maximum(), 0)
        << "the twenty paragraphs need the scroll bar, so the first-line check means something";
}

// Minimised and restored, the guide stays where the reader had scrolled to.
TEST_F(Guide, ARestoreByTheWindowSystemKeepsThePlaceReached) {
    guide::TfrmGuida guide(windows->frmAvvio(), guide::startScreenTopic());
    guide.show();
    QApplication::processEvents();
    QScrollBar* bar = guide.txtGuida->verticalScrollBar();
    ASSERT_GT(bar->maximum(), 0);
    bar->setValue(bar->maximum() / 2);
    const int reached = bar->value();
    ASSERT_GT(reached, 0);
    test::showAgainByTheWindowSystem(&guide);
    QApplication::processEvents();
    EXPECT_EQ(bar->value(), reached);
}

TEST_F(Guide, OuterSizeIsSetOnShowing) {
    guide::TfrmGuida guide(windows->frmAvvio(), catalogue::archivesTopic());
    guide.show();
    QApplication::processEvents();
    EXPECT_EQ(guide.frameGeometry().size(), guide::TfrmGuida::OuterSize);
    auto* content = control<QWidget>(&guide, "panContainer");
    EXPECT_EQ(content->size(), QSize(642, 540));
    EXPECT_EQ(content->geometry().center(), guide.rect().center()) << "stays centred";
}

TEST_F(Guide, PdfLinkHandsTheQuotedManualPathEvenWithBlanks) {
    QTemporaryDir root;
    const QString programFolder = root.path() + QStringLiteral("/Cartella del programma/");
    ASSERT_TRUE(QDir().mkpath(programFolder));
    platform::FixedProgramFolder withBlanks(programFolder);
    platform::ScopedSeam<platform::ProgramFolder> guard(withBlanks);

    guide::TfrmGuida guide(windows->frmAvvio(), catalogue::archivesTopic());
    guide.show();
    QApplication::processEvents();
    click(guide.imgPDF);
    click(guide.lnkWeb);

    const QString expected = u'"' + programFolder + QStringLiteral("Guida.pdf") + u'"';
    EXPECT_EQ(desktop.shell.opened, (QStringList{expected, expected}));
    EXPECT_EQ(platform::Shell::urlFor(expected).toLocalFile(), programFolder + "Guida.pdf");
    // The manual is missing from this folder: nothing is said, the guide stays.
    EXPECT_TRUE(desktop.messages.messages.empty());
    EXPECT_TRUE(guide.isVisible());
}

TEST_F(Guide, LinkTextIsOrangeWhileTheTextOrItsIconIsPressed) {
    guide::TfrmGuida guide(windows->frmAvvio(), guide::startScreenTopic());
    app::TfrmInfo info(windows->frmAvvio());
    app::TfrmSplash splash(windows->frmAvvio());
    struct Case {
        const char* what;
        QWidget* window;
        ui::LinkText* link;
        ui::Picture* icon;
    } cases[] = {
        {"guide", &guide, guide.lnkWeb, guide.imgPDF},
        {"information", &info, info.lnkWeb, info.imgEmail},
        {"credits", &splash, splash.lnkWeb, splash.imgWeb},
    };
    for (const Case& c : cases) {
        c.window->show();
        QApplication::processEvents();
        EXPECT_EQ(c.link->colour(), ui::LinkText::Idle) << c.what;
        for (QWidget* pressed : {static_cast<QWidget*>(c.icon), static_cast<QWidget*>(c.link)}) {
            const QPoint centre = pressed->rect().center();
            QTest::mousePress(pressed, Qt::LeftButton, {}, centre);
            EXPECT_EQ(c.link->colour(), ui::LinkText::Pressed) << c.what;
            EXPECT_EQ(c.link->palette().color(QPalette::WindowText), QColor(0xFF, 0xA5, 0x00))
                << c.what;
            QTest::mouseRelease(pressed, Qt::LeftButton, {}, centre);
            EXPECT_EQ(c.link->colour(), ui::LinkText::Idle) << c.what;
            EXPECT_EQ(c.link->palette().color(QPalette::WindowText), QColor(0x00, 0x00, 0x8B))
                << c.what;
        }
        EXPECT_EQ(desktop.shell.opened.size(), 2) << c.what << ": each click opens once";
        // Pressed on the text, released elsewhere: no click.
        QTest::mousePress(c.link, Qt::LeftButton, {}, c.link->rect().center());
        QTest::mouseRelease(c.link, Qt::LeftButton, {}, QPoint(-20, -20));
        EXPECT_EQ(c.link->colour(), ui::LinkText::Idle) << c.what;
        EXPECT_EQ(desktop.shell.opened.size(), 2) << c.what;
        EXPECT_EQ(c.link->cursor().shape(), Qt::PointingHandCursor) << c.what;
        EXPECT_EQ(c.icon->cursor().shape(), Qt::PointingHandCursor) << c.what;
        EXPECT_TRUE(c.link->font().underline()) << c.what;
        c.window->hide();
        desktop.shell.opened.clear();
    }
}

TEST_F(Guide, MakersLinksHandOverTheirAddresses) {
    app::TfrmInfo info(windows->frmAvvio());
    app::TfrmSplash splash(windows->frmAvvio());
    info.show();
    splash.show();
    QApplication::processEvents();
    EXPECT_EQ(info.lnkWeb->text(), app::maker::Email);
    EXPECT_EQ(splash.lnkWeb->text(), app::maker::WebSite);
    EXPECT_LE(info.lnkWeb->geometry().right(), info.btnChiudi->geometry().left())
        << "the address never runs under the button";

    click(info.imgEmail);
    click(info.lnkWeb);
    const QString mail = QStringLiteral(
        "\"mailto:assistenza@scontrix.example?subject=Software Scontrix&body=Salve, desidererei "
        "avere le seguenti informazioni sul software in oggetto:\"");
    EXPECT_EQ(desktop.shell.opened, (QStringList{mail, mail}));

    // What the desktop is asked to open is a valid address with those texts.
    const QUrl url = platform::Shell::urlFor(mail);
    ASSERT_TRUE(url.isValid());
    EXPECT_EQ(url.scheme(), QStringLiteral("mailto"));
    EXPECT_EQ(url.path(), app::maker::Email);
    const QUrlQuery query(url);
    EXPECT_EQ(query.queryItemValue(QStringLiteral("subject"), QUrl::FullyDecoded),
              QStringLiteral("Software Scontrix"));
    EXPECT_EQ(query.queryItemValue(QStringLiteral("body"), QUrl::FullyDecoded),
              QStringLiteral(
                  "Salve, desidererei avere le seguenti informazioni sul software in oggetto:"));
    EXPECT_FALSE(url.toString(QUrl::FullyEncoded).contains(u' '));

    desktop.shell.opened.clear();
    click(splash.imgWeb);
    click(splash.lnkWeb);
    EXPECT_EQ(desktop.shell.opened, (QStringList{app::maker::WebSite, app::maker::WebSite}));
    const QUrl site = platform::Shell::urlFor(app::maker::WebSite);
    ASSERT_TRUE(site.isValid());
    EXPECT_EQ(site.scheme(), QStringLiteral("https"));
    EXPECT_EQ(site.host(), QStringLiteral("www.scontrix.example"));
}

} // namespace
