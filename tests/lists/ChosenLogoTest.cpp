#include "ListsFixture.h"
#include "LogoFiles.h"
#include "TableRows.h"
#include "lists/TfrmRiepDaPagare.h"
#include "ui/Picture.h"

#include <QDir>
#include <QLabel>

// The voucher chosen in a list reaches the editor with its own logo, whatever
// its file holds, after the editor showed another voucher's; saving it leaves
// that file as it is.
using namespace scontrix;
using test::LogoCase;

namespace {

class ChosenLogo : public test::ListsFixture, public ::testing::WithParamInterface<LogoCase> {
protected:
    QString logoName(int position) const {
        return QStringLiteral("Logo_Ditta/Negozio_Foto_%1.jpg").arg(position);
    }
};

TEST_P(ChosenLogo, IsShownInTheEditorAndLeftAsItIsBySaving) {
    const LogoCase& row = GetParam();
    writeArchive({{QStringLiteral("Anna")}, {QStringLiteral("Bruno")}});
    QDir().mkpath(folder.file(QStringLiteral("Logo_Ditta")));
    folder.write(logoName(1), test::jpegOf({40, 40}, Qt::red));
    folder.write(logoName(2), row.bytes());
    const QByteArray own = folder.read(logoName(2));
    openEditor();
    ASSERT_GT(ed()->imgFoto->image().pixelColor(20, 20).red(), 200) << "the first voucher's logo";

    {
        const auto summaryWindow = ed()->makeUnpaidSummary();
        lists::TfrmRiepDaPagare& summary = *summaryWindow;
        summary.show();
        QApplication::processEvents();
        ASSERT_EQ(shown(summary.lstRecords).size(), 2);
        ASSERT_TRUE(shown(summary.lstRecords)[1].startsWith(QStringLiteral("Bruno")));
        doubleClickRow(summary.lstRecords, 1);
    }
    ASSERT_EQ(ed()->lblPosizione->text(), QStringLiteral("2"));
    const QImage picture = ed()->imgFoto->image();
    if (row.readable()) {
        EXPECT_EQ(picture.size(), row.size);
        EXPECT_TRUE(test::closeColours(picture.pixelColor(2, 2), row.colour));
    } else {
        EXPECT_EQ(picture, ed()->imgBianco->image()) << "the placeholder";
    }

    ed()->cmdSalvaClick();
    EXPECT_EQ(desktop.messages.texts(),
              QStringList{QStringLiteral(
                  "Le modifiche apportate alla scheda corrente sono state salvate in archivio.")});
    EXPECT_EQ(folder.read(logoName(2)), own) << "byte for byte as it was";
}

INSTANTIATE_TEST_SUITE_P(Files, ChosenLogo, ::testing::ValuesIn(test::LogoCases), test::RowName());

} // namespace
