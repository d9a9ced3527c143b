#include "storage/IniFile.h"

#include "StorageTestSupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace scontrix::storage {
namespace {

using test::readFile;
using test::writeFile;

// As another copy of the program, or a text editor, may have left it: a byte
// order mark, LF and CRLF line ends, comments, another section with a key of
// the same name, a value holding "=", a key written with blanks around it.
const QByteArray SharedFile = "\xEF\xBB\xBF[Dati Buono]\n"
                              "; valori proposti per il prossimo buono\n"
                              "Inizio=01/03/2024\r\n"
                              " Valore = 25,00\n"
                              "Condizioni=Spesa minima 50 \x80=ok\r\n"
                              "\n"
                              "[Altro]\n"
                              "Luogo=Altrove\n"
                              "\n"
                              "[CITT\xe0]\n"
                              "Nome=Roma\n";

// The document of a file that is there or missing; a failure to read it fails
// the test.
IniFile loaded(const QString& path) {
    Result<IniFile> ini = IniFile::load(path);
    if (!ini) {
        ADD_FAILURE() << "not read: " << ini.error().toStdString();
        return {};
    }
    return *ini;
}

class StorageIniFile : public ::testing::Test {
protected:
    QString path(const QString& name = QStringLiteral("Negozio.ini")) const {
        return dir_.filePath(name);
    }
    QTemporaryDir dir_;
};

TEST_F(StorageIniFile, ReadsValuesByNameIgnoringAsciiCase) {
    writeFile(path(), SharedFile);
    const IniFile ini = loaded(path());
    struct Case {
        const char16_t* section;
        const char16_t* key;
        const char16_t* expected;
    };
    const Case cases[] = {
        {u"Dati Buono", u"Inizio", u"01/03/2024"}, // right after the byte order mark
        {u"dati buono", u"INIZIO", u"01/03/2024"},
        {u"DATI BUONO", u"valore", u" 25,00"}, // everything after "=", as it stands
        {u"Dati Buono", u"Condizioni", u"Spesa minima 50 \u20ac=ok"},
        {u"Dati Buono", u"Luogo", u""}, // only another section has it
        {u"Altro", u"Luogo", u"Altrove"},
        {u"Citt\u00e0", u"nome", u"Roma"}, // accented letters keep their case...
        {u"CITT\u00c0", u"Nome", u""},     // ...so this is another section
        {u"Manca", u"Inizio", u""},
    };
    for (const auto& c : cases) {
        const QString section = QStringView(c.section).toString();
        const QString key = QStringView(c.key).toString();
        EXPECT_EQ(ini.value(section, key), QStringView(c.expected).toString())
            << section.toStdString() << " / " << key.toStdString();
    }
}

TEST_F(StorageIniFile, ChangesOnlyWhatItSetsAndKeepsEveryOtherLine) {
    writeFile(path(), SharedFile);
    IniFile ini = loaded(path());
    ini.setValue(QStringLiteral("DATI BUONO"), QStringLiteral("valore"), QStringLiteral("30,00"));
    ini.setValue(QStringLiteral("Dati Buono"), QStringLiteral("Luogo"),
                 QStringLiteral("Caff\u00e8 Centrale"));
    ini.setValue(QStringLiteral("Altro"), QStringLiteral("Note"), QStringLiteral("riga\r\nnuova"));
    ini.setValue(QStringLiteral("Accesso"), QStringLiteral("Valore"), QStringLiteral("x"));
    ASSERT_TRUE(ini.save(path()));

    EXPECT_EQ(readFile(path()).toStdString(),
              std::string("[Dati Buono]\r\n"
                          "; valori proposti per il prossimo buono\r\n"
                          "Inizio=01/03/2024\r\n"
                          " Valore =30,00\r\n"
                          "Condizioni=Spesa minima 50 \x80=ok\r\n"
                          "Luogo=Caff\xe8 Centrale\r\n"
                          "\r\n"
                          "[Altro]\r\n"
                          "Luogo=Altrove\r\n"
                          "Note=riga nuova\r\n"
                          "\r\n"
                          "[CITT\xe0]\r\n"
                          "Nome=Roma\r\n"
                          "[Accesso]\r\n"
                          "Valore=x\r\n"));
}

TEST_F(StorageIniFile, WritesWindows1252AndReadsItBack) {
    const QString text = QStringLiteral("Caff\u00e8 \u00abCitt\u00e0\u00bb \u2013 10 \u20ac");
    IniFile ini;
    ini.setValue(QStringLiteral("Dati Buono"), QStringLiteral("Luogo"), text);
    ASSERT_TRUE(ini.save(path()));

    EXPECT_EQ(readFile(path()).toStdString(), std::string("[Dati Buono]\r\nLuogo=Caff\xe8 \xab"
                                                          "Citt\xe0\xbb \x96 10 \x80\r\n"));
    EXPECT_EQ(loaded(path()).value(QStringLiteral("Dati Buono"), QStringLiteral("Luogo")), text);
}

// A file an editor saved with a second byte order mark: the section right
// after the marks is the one read, now and after a save, so a value written
// once stays the value read.
TEST_F(StorageIniFile, EveryLeadingByteOrderMarkIsSkipped) {
    writeFile(path(), "\xEF\xBB\xBF\xEF\xBB\xBF[Dati Buono]\r\nValore=25,00\r\n");
    IniFile ini = loaded(path());
    EXPECT_EQ(ini.value(QStringLiteral("Dati Buono"), QStringLiteral("Valore")),
              QStringLiteral("25,00"));
    ini.setValue(QStringLiteral("Dati Buono"), QStringLiteral("Valore"), QStringLiteral("30,00"));
    ASSERT_TRUE(ini.save(path()));
    EXPECT_EQ(readFile(path()).toStdString(), "[Dati Buono]\r\nValore=30,00\r\n");
    EXPECT_EQ(loaded(path()).value(QStringLiteral("Dati Buono"), QStringLiteral("Valore")),
              QStringLiteral("30,00"));
}

TEST_F(StorageIniFile, MissingFileIsAnEmptyDocument) {
    const IniFile ini = loaded(path(QStringLiteral("manca.ini")));
    EXPECT_TRUE(ini.lines().isEmpty());
    EXPECT_EQ(ini.value(QStringLiteral("Dati Buono"), QStringLiteral("Inizio")), QString());
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("manca.ini"))));
}

TEST_F(StorageIniFile, FailedSaveLeavesTheOldFile) {
    const QByteArray old = "[Dati Buono]\r\nValore=25,00\r\n";
    writeFile(path(), old);
    // A folder the user may read but not write in.
    ASSERT_TRUE(QFile::setPermissions(dir_.path(), QFile::ReadOwner | QFile::ExeOwner |
                                                       QFile::ReadOther | QFile::ExeOther));
    const QString iniPath = path();
    const int result = test::runAsOrdinaryUser([&] {
        IniFile ini = loaded(iniPath);
        if (ini.value(QStringLiteral("Dati Buono"), QStringLiteral("Valore")) !=
            QStringLiteral("25,00"))
            return 3;
        ini.setValue(QStringLiteral("Dati Buono"), QStringLiteral("Valore"),
                     QStringLiteral("99,00"));
        const Result<> saved = ini.save(iniPath);
        if (saved)
            return 1;
        return saved.error().isEmpty() ? 2 : 0;
    });
    QFile::setPermissions(dir_.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_EQ(result, 0) << "1: saved, 2: no error text, 3: not read, 125: could not give up root";
    EXPECT_EQ(readFile(path()).toStdString(), old.toStdString());
    EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("Negozio.ini")});
}

} // namespace
} // namespace scontrix::storage
