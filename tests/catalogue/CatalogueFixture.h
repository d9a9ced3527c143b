#pragma once

#include "AppFixture.h"
#include "app/TfrmAvvio.h"
#include "catalogue/TfrmApriArchivio.h"
#include "catalogue/TfrmCreaArchivio.h"
#include "ui/Picture.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>

namespace scontrix::test {

// The program logged in, with helpers to reach and drive the two catalogue
// windows the way the shopkeeper does.
class CatalogueFixture : public AppFixture {
protected:
    catalogue::TfrmApriArchivio* selection() const { return windows->frmApriArchivio(); }
    catalogue::TfrmCreaArchivio* creation() const { return windows->frmCreaArchivio(); }

    void click(QWidget* picture) {
        QTest::mouseClick(picture, Qt::LeftButton, {}, picture->rect().center());
        QApplication::processEvents();
    }

    // From the start screen through "Emissione buoni".
    void showSelection() {
        if (!windows->frmAvvio()->isVisible())
            logIn();
        click(windows->frmAvvio()->btnApp02);
    }
    // From the start screen through "Creazione archivi".
    void showCreation() {
        if (!windows->frmAvvio()->isVisible())
            logIn();
        click(windows->frmAvvio()->btnApp01);
    }

    QStringList entries() const {
        QStringList texts;
        for (int i = 0; i < selection()->lstFiles->count(); ++i)
            texts << selection()->lstFiles->item(i)->text();
        return texts;
    }
    QStringList selectedEntries() const {
        QStringList texts;
        for (QListWidgetItem* item : selection()->lstFiles->selectedItems())
            texts << item->text();
        return texts;
    }
    // Clicks the entry in the list.
    void select(const QString& text) {
        QListWidget* list = selection()->lstFiles;
        const QList<QListWidgetItem*> found = list->findItems(text, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << text.toStdString();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(found.first()).center());
        QApplication::processEvents();
    }

    // Every name in the program folder, subfolders marked with a slash.
    QStringList folderContents() const {
        QStringList names;
        const QDir dir(folder.path());
        for (const QFileInfo& info :
             dir.entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name))
            names << info.fileName() + (info.isDir() ? QStringLiteral("/") : QString());
        return names;
    }
};

} // namespace scontrix::test
