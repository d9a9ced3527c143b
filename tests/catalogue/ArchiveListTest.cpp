#include "CatalogueFixture.h"
#include "TableRows.h"
#include "catalogue/ArchiveCatalogue.h"
#include "editor/TfrmBiglietti.h"

using namespace scontrix;

namespace {

class ArchiveList : public test::CatalogueFixture {};

TEST_F(ArchiveList, ShowsOnlyTheArchivesOfTheFolderItselfInFoldedOrder) {
    for (const char* name : {"beta.eur", "Alfa.eur", "gamma.eur", "Alfa.ini", "notes.txt",
                             "gamma.eur.bak", "x.eurx", "eur", "Buoni_Acquisto.xls"})
        folder.write(QString::fromLatin1(name), "x");
    ASSERT_TRUE(QDir(folder.path()).mkpath(QStringLiteral("Cartella.eur")));
    ASSERT_TRUE(QDir(folder.path()).mkpath(QStringLiteral("Logo_Ditta")));
    folder.write(QStringLiteral("Logo_Ditta/Nascosto.eur"), "x");

    showSelection();
    ASSERT_EQ(visiblePersistent(), QList<QWidget*>{selection()});
    EXPECT_EQ(entries(), (QStringList{"Alfa.eur", "beta.eur", "gamma.eur"}));
    EXPECT_EQ(selection()->lblCreati->text(), QStringLiteral("Sono stati creati 3 archivi."));
    EXPECT_TRUE(selectedEntries().isEmpty());
    // Shown afresh, nothing is chosen yet: closing leads back to the start.
    selection()->close();
    EXPECT_EQ(visiblePersistent(), QList<QWidget*>{windows->frmAvvio()});
}

TEST_F(ArchiveList, OnlyAsciiLettersAreFoldedAndEveryOtherCharacterSortsByItsCode) {
    // Written in an order unlike the expected one; the listing must not
    // depend on the order the folder gives.
    const QStringList expected = {"1 saldi.eur",   "alfa.eur",      "ALFA2.eur",  "Beta.eur",
                                  "zeta.eur",      "Zeta2.eur",     "_prova.eur", "\u00C8va.eur",
                                  "\u00C9zio.eur", "\u00E9same.eur"};
    for (qsizetype i = 0; i < expected.size(); ++i)
        folder.write(expected[(i * 7 + 3) % expected.size()], {});
    EXPECT_EQ(catalogue::listArchiveFiles(folder.path()), expected);
}

TEST_F(ArchiveList, CountHasOneFormAndFollowsEveryShowing) {
    struct Step {
        QStringList add;
        const char* count;
    } steps[] = {
        {{}, "Sono stati creati 0 archivi."},
        {{"Unico.eur"}, "Sono stati creati 1 archivi."},
        {{"Due.eur", "Tre.eur"}, "Sono stati creati 3 archivi."},
    };
    qsizetype total = 0;
    for (const Step& step : steps) {
        for (const QString& name : step.add)
            folder.write(name, {});
        total += step.add.size();
        showSelection();
        EXPECT_EQ(selection()->lblCreati->text(), QString::fromLatin1(step.count));
        EXPECT_EQ(entries().size(), total);
        click(selection()->btnAnnulla);
        ASSERT_EQ(visiblePersistent(), QList<QWidget*>{windows->frmAvvio()});
    }
}

struct OpeningRow {
    const char* name; // of the row
    const char* file;
    const char* archive;
};
const OpeningRow openingRows[] = {
    {"DotInTheName", "Neg.ozio.eur", "Neg.ozio"},
    {"ExtensionInCapitals", "Saldi.EUR", "Saldi"},
    {"ExtensionTwice", "Saldi.eur.eur", "Saldi.eur"},
    {"BlanksAroundTheName", " Fiera .eur", " Fiera "},
};

class ArchiveOpening : public ArchiveList, public ::testing::WithParamInterface<OpeningRow> {};

TEST_P(ArchiveOpening, HandsPathAndNameToTheEditor) {
    const OpeningRow& c = GetParam();
    const QString file = QString::fromLatin1(c.file);
    folder.write(file, {});
    folder.write(QStringLiteral("Altro.eur"), {});
    showSelection();
    select(file);
    click(selection()->btnApri);

    editor::TfrmBiglietti* editor = windows->frmBiglietti();
    EXPECT_EQ(visiblePersistent(), QList<QWidget*>{editor}) << c.file;
    EXPECT_EQ(editor->archive().path, folder.file(file)) << c.file;
    EXPECT_EQ(editor->lblNome->text(), QString::fromLatin1(c.archive)) << c.file;
    EXPECT_TRUE(desktop.messages.messages.empty()) << c.file;
}

INSTANTIATE_TEST_SUITE_P(Rows, ArchiveOpening, ::testing::ValuesIn(openingRows), test::RowName());

TEST_F(ArchiveList, EveryOtherWayOutReturnsToTheStartScreen) {
    folder.write(QStringLiteral("Negozio.eur"), {});
    for (int way = 0; way < 2; ++way) {
        showSelection();
        select(QStringLiteral("Negozio.eur"));
        if (way == 0)
            click(selection()->btnAnnulla);
        else
            selection()->close(); // the window's own close control
        EXPECT_EQ(visiblePersistent(), QList<QWidget*>{windows->frmAvvio()}) << way;
        EXPECT_EQ(builtWindow("frmBiglietti"), nullptr) << way << ": no editor was opened";
    }
}

} // namespace
