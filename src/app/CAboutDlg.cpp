#include "app/CAboutDlg.h"

#include "app/ProgramIcon.h"
#include "ui/UiFonts.h"

#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("about%1").arg(kTemplateId));
    setWindowTitle(tr("关于Vadi皮肤制作工具"));
    const QIcon icon = ProgramIcon();
    setWindowIcon(icon);

    auto* iconLabel = new QLabel(this);
    iconLabel->setObjectName(QStringLiteral("aboutIcon"));
    iconLabel->setPixmap(icon.pixmap(32, 32));
    iconLabel->setFixedSize(32, 32);

    auto* text = new QLabel(tr("Vadi皮肤制作工具 版本 1.2"), this);
    text->setObjectName(QStringLiteral("aboutText"));
    text->setFont(UiFont(12));
    text->setMinimumHeight(32);
    text->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    auto* ok = new QPushButton(tr("确定"), this);
    ok->setObjectName(QStringLiteral("aboutOk"));
    ok->setFont(UiFont(12));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* top = new QHBoxLayout;
    top->addWidget(iconLabel, 0, Qt::AlignTop);
    top->addSpacing(12);
    top->addWidget(text, 1, Qt::AlignTop);
    top->addSpacing(12);
    top->addWidget(ok, 0, Qt::AlignTop);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->setContentsMargins(16, 16, 16, 16);
    setFixedSize(sizeHint().expandedTo(QSize(320, 90)));
}
