// The application speaks French whatever the machine's language: Qt's own dialogs (files,
// printing, page set-up, message-box buttons) get Qt's French translations.
#pragma once

class QCoreApplication;

namespace vokc {

// Loads qtbase_fr from Qt's translations folder into the application; false when the
// translations are not installed (the dialogs then stay in Qt's English).
bool InstallFrenchTranslations(QCoreApplication& app);

} // namespace vokc
