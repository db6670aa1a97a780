#pragma once

class QCoreApplication;

// Qt's own buttons and dialogs speak Chinese: installs qtbase_zh_CN from Qt's translations
// folder. false when the translation is not installed.
bool install_qt_translation(QCoreApplication& application);
