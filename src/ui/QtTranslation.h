#pragma once
// Qt's own texts (message box buttons, file and colour dialogs) in Chinese, to match the wizard.
class QCoreApplication;
class QTranslator;

// Loads Qt's Chinese translation from the Qt installation and installs it on app, which owns it;
// nullptr when the translation is not installed (Qt's texts then stay English).
QTranslator* InstallQtChineseTranslation(QCoreApplication& app);
