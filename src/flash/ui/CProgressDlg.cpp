#include "flash/ui/CProgressDlg.h"

#include "ui/UiFonts.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

CProgressDlg::CProgressDlg(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(tr("下载控件"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setModal(false);
    setFont(UiFont(12));

    m_text = new QLabel(tr("正在下载，请稍后..."), this);
    m_text->setObjectName(QStringLiteral("static1085"));
    m_bar = new QProgressBar(this);
    m_bar->setTextVisible(false);
    m_cancel = new QPushButton(tr("取消"), this);
    m_cancel->setObjectName(QStringLiteral("button1"));
    m_cancel->setAutoDefault(false);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_text);
    layout->addWidget(m_bar);
    layout->addWidget(m_cancel, 0, Qt::AlignHCenter);
    setFixedSize(270, 110);

    connect(m_cancel, &QPushButton::clicked, this, [this] {
        emit CancelPressed();
        accept();
    });
}

void CProgressDlg::ShowCentred()
{
    SetProgress(0, -1);
    if (QWidget* owner = parentWidget())
        move(owner->geometry().center() - rect().center());
    show();
    raise();
}

void CProgressDlg::SetProgress(qint64 received, qint64 total)
{
    if (total <= 0) {
        m_bar->setRange(0, 0);
        return;
    }
    // Downloads are at most 32 MiB, which an int holds.
    m_bar->setRange(0, static_cast<int>(total));
    m_bar->setValue(static_cast<int>(qMin(received, total)));
}
