#pragma once

#include "app/TfrmAvvio.h"
#include "app/WindowSet.h"
#include "catalogue/ArchiveCatalogue.h"
#include "editor/TfrmBiglietti.h"
#include "platform/ProgramFolder.h"

namespace scontrix::test {

// The editor opened on the archive `fileName` of the program folder in force,
// handed over from the start screen the way the selection window's choice is:
// through the editor's own open and the window set's hand-over. An editor
// already on screen stays as it is, only its archive changes.
inline editor::TfrmBiglietti*
openEditorOn(app::WindowSet& windows, const QString& fileName = QStringLiteral("Negozio.eur")) {
    editor::TfrmBiglietti* editor = windows.frmBiglietti();
    windows.openEditor(windows.frmAvvio(),
                       catalogue::openArchive(platform::ProgramFolder::current().path(), fileName));
    return editor;
}

} // namespace scontrix::test
