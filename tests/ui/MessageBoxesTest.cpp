#include "platform/MessageBoxes.h"

#include "TableRows.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace scontrix;

namespace {

// The desktop's own confirmation, answered with Enter as a hurried user
// would: Enter gives the default answer.
struct DefaultRow {
    const char* name;
    platform::DefaultAnswer byDefault;
    bool answer;
};
const DefaultRow defaultRows[] = {
    {"DefaultYes", platform::DefaultAnswer::Yes, true},
    {"DefaultNo", platform::DefaultAnswer::No, false},
};

class RealConfirmation : public ::testing::TestWithParam<DefaultRow> {};

TEST_P(RealConfirmation, EnterGivesTheDefaultAnswer) {
    const DefaultRow& row = GetParam();
    const std::unique_ptr<platform::MessageBoxes> real = platform::MessageBoxes::makeReal();
    QString defaultText;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_TRUE(box);
        if (box->defaultButton())
            defaultText = box->defaultButton()->text();
        QTest::keyClick(box, Qt::Key_Return);
    });
    EXPECT_EQ(real->confirm(nullptr, QStringLiteral("Si conferma?"), row.byDefault), row.answer);
    EXPECT_EQ(defaultText, row.answer ? QStringLiteral("Sì") : QStringLiteral("No"));
}

INSTANTIATE_TEST_SUITE_P(Rows, RealConfirmation, ::testing::ValuesIn(defaultRows), test::RowName());

} // namespace
