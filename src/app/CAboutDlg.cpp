#include "app/CAboutDlg.h"

#include "app/ProgramIcon.h"
#include "flash/ui/FlashEngine.h"
#include "ui/UiFonts.h"

#include <QCoreApplication>
#include <QDir>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QLabel* AboutLabel(QWidget* parent, const QString& name, const QString& text)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setFont(UiFont(12));
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

} // namespace

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("about%1").arg(kTemplateId));
    setWindowTitle(tr("关于%1").arg(ProgramDisplayName()));
    const QIcon icon = ProgramIcon();
    setWindowIcon(icon);

    auto* iconLabel = new QLabel(this);
    iconLabel->setObjectName(QStringLiteral("aboutIcon"));
    iconLabel->setPixmap(icon.pixmap(32, 32));
    iconLabel->setFixedSize(32, 32);

    auto* text = new QLabel(tr("%1 版本 %2").arg(ProgramDisplayName(), QStringLiteral(SKIN_VERSION)), this);
    text->setObjectName(QStringLiteral("aboutText"));
    text->setFont(UiFont(12));
    text->setMinimumHeight(32);
    text->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    const QString docFolder =
        QDir::cleanPath(QCoreApplication::applicationDirPath() + QStringLiteral("/../share/doc/skinmaker"));
    auto* licence = AboutLabel(this, QStringLiteral("aboutLicence"), tr("本程序自身的代码没有声明许可证。"));
    auto* credits = AboutLabel(
        this, QStringLiteral("aboutCredits"),
        tr("使用 Qt、zlib、libdeflate 和 liblzma；Flash 控件由 Ruffle 播放，Ruffle 以 MIT 或 Apache-2.0 "
           "许可证发布，许可证全文在“%1”。")
            .arg(QDir::toNativeSeparators(FlashPlayerFolder())));
    auto* home = AboutLabel(this, QStringLiteral("aboutHome"),
                            tr("程序标识 %1；说明与版权文件在“%2”。")
                                .arg(QLatin1String(kDesktopId), QDir::toNativeSeparators(docFolder)));

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
    for (QLabel* label : {licence, credits, home})
        layout->addWidget(label);
    layout->setContentsMargins(16, 16, 16, 16);
    setMinimumWidth(440);
}
