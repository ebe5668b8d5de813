#pragma once
// "下载控件": the small modeless dialog shown while a control downloads. "取消" cancels the
// download (CancelPressed) and closes; Escape and the close box only close it. A bar shows the
// bytes received when the length is known, a busy bar otherwise.
#include <QDialog>

class QLabel;
class QProgressBar;
class QPushButton;

class CProgressDlg : public QDialog {
    Q_OBJECT
public:
    explicit CProgressDlg(QWidget* parent);

    // Centred on the parent, with the bar reset to busy.
    void ShowCentred();
    // total < 0: not known.
    void SetProgress(qint64 received, qint64 total);

    QPushButton* CancelButton() const { return m_cancel; }
    QProgressBar* Bar() const { return m_bar; }

signals:
    void CancelPressed();

private:
    QLabel* m_text;
    QProgressBar* m_bar;
    QPushButton* m_cancel;
};
