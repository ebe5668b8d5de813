#pragma once
// The about box: program icon, name and version, the licences, the credits and where the
// program keeps its documents, and an OK button.
#include <QDialog>

class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 100;
    explicit CAboutDlg(QWidget* parent = nullptr);
};
